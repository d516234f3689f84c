// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/KeyboardRemapperDialog.h"

#include "ui/QtText.h"
#include "ui/activation/SelectCharacterDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvane {
namespace {

constexpr int CellHeight = 20;
constexpr int BaseColumnWidth = 20;

// Mnemonics of the grid headings (the buttons have O and H).
constexpr std::array<const char*, 4> HeadingCaptions = {"&Upper Case", "&Lower Case",
                                                        "&Punctuation", "&Numeric"};

std::optional<std::uint8_t> AskWithDialog(QWidget* parent, std::uint8_t current, int nearY) {
    SelectCharacterDialog dialog(current, nearY, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Chosen();
}

} // namespace

KeyboardRemapperDialog::KeyboardRemapperDialog(const SwapTable& table, CharacterChooser choose,
                                               std::function<void()> showHelp, QWidget* parent)
    : QDialog(parent), form_{table, false}, choose_(std::move(choose)) {
    setWindowTitle(QStringLiteral("Keyboard Remapper"));
    if (!choose_) {
        choose_ = [this](std::uint8_t current, int nearY) {
            return AskWithDialog(this, current, nearY);
        };
    }
    auto* layout = new QVBoxLayout(this);
    auto* grids = new QGridLayout;
    const int replacementWidth =
        fontMetrics().horizontalAdvance(Latin(SwapNoneText)) + 2 * fontMetrics().averageCharWidth();
    for (int g = 0; g < 4; ++g) {
        const SwapGrid& shown = SwapGrids[static_cast<std::size_t>(g)];
        auto* heading =
            new QLabel(QString::fromLatin1(HeadingCaptions[static_cast<std::size_t>(g)]));
        auto* grid = new QTableWidget(static_cast<int>(shown.Group.Count), 2);
        grids_[static_cast<std::size_t>(g)] = grid;
        grid->setObjectName(Latin(shown.Heading));
        grid->setAccessibleName(Latin(shown.Heading));
        heading->setBuddy(grid);
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->verticalHeader()->setMinimumSectionSize(CellHeight);
        grid->verticalHeader()->setDefaultSectionSize(CellHeight);
        grid->horizontalHeader()->setMinimumSectionSize(BaseColumnWidth);
        grid->setColumnWidth(0, BaseColumnWidth);
        grid->setColumnWidth(1, replacementWidth);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setTabKeyNavigation(false);
        for (int row = 0; row < grid->rowCount(); ++row) {
            const char base = SwapBaseCharacters[shown.Group.First + static_cast<std::size_t>(row)];
            auto* baseItem = new QTableWidgetItem(QString(QLatin1Char(base)));
            baseItem->setTextAlignment(Qt::AlignCenter);
            baseItem->setBackground(QColor(192, 192, 192));
            baseItem->setForeground(QColor(Qt::black));
            grid->setItem(row, 0, baseItem);
            auto* replacement = new QTableWidgetItem;
            replacement->setTextAlignment(Qt::AlignCenter);
            grid->setItem(row, 1, replacement);
            ShowReplacement(g, row);
        }
        const int frame = 2 * grid->frameWidth();
        grid->setFixedSize(BaseColumnWidth + replacementWidth + frame,
                           grid->rowCount() * CellHeight + frame);
        grid->setCurrentCell(0, 1);
        grid->installEventFilter(this);
        connect(grid, &QTableWidget::cellDoubleClicked, this, [this, g](int row, int column) {
            if (column == 1) {
                EditReplacement(g, row);
            }
        });
        grids->addWidget(heading, 0, g);
        grids->addWidget(grid, 1, g, Qt::AlignTop);
    }
    layout->addLayout(grids);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    help_ = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help_->setEnabled(static_cast<bool>(showHelp));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [showHelp = std::move(showHelp)] {
        if (showHelp) {
            showHelp();
        }
    });
    grids_[0]->setFocus();
}

void KeyboardRemapperDialog::ShowReplacement(int grid, int row) {
    const SwapGrid& shown = SwapGrids[static_cast<std::size_t>(grid)];
    const std::uint8_t replacement =
        form_.Table.Bytes[shown.Group.First + static_cast<std::size_t>(row)];
    QTableWidgetItem* item = grids_[static_cast<std::size_t>(grid)]->item(row, 1);
    item->setText(FieldText(SwapCellText(replacement)));
    QFont font = item->font();
    font.setBold(replacement != 0);
    item->setFont(font);
}

void KeyboardRemapperDialog::EditReplacement(int grid, int row) {
    if (grid < 0 || grid > 3) {
        return;
    }
    QTableWidget* table = grids_[static_cast<std::size_t>(grid)];
    if (row < 0 || row >= table->rowCount()) {
        return;
    }
    const std::size_t index =
        SwapGrids[static_cast<std::size_t>(grid)].Group.First + static_cast<std::size_t>(row);
    const QRect cell = table->visualItemRect(table->item(row, 1));
    const int nearY = table->viewport()->mapToGlobal(cell.center()).y();
    const auto chosen = choose_(form_.Table.Bytes[index], nearY);
    if (!chosen) {
        return;
    }
    ChooseReplacement(form_, index, *chosen);
    ShowReplacement(grid, row);
}

bool KeyboardRemapperDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int g = 0; g < 4; ++g) {
            QTableWidget* grid = grids_[static_cast<std::size_t>(g)];
            if (watched != grid) {
                continue;
            }
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                // The keyboard's double-click; never "&Ok" by accident from inside a grid.
                if (grid->currentColumn() == 1) {
                    EditReplacement(g, grid->currentRow());
                }
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void KeyboardRemapperDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (centred_ || screen() == nullptr) {
        return;
    }
    centred_ = true;
    const QRect area = screen()->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

} // namespace orvane
