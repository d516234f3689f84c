// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/SelectCharacterDialog.h"

#include "core/CodePage.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace orvane {
namespace {

constexpr int CellSize = 20;

// What a cell shows: the character, nothing for the codes that name no printable one.
QString CellText(std::uint8_t code) {
    const char32_t ch = Windows1252ToUnicode(code);
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) {
        return {};
    }
    return QString::fromUcs4(&ch, 1);
}

} // namespace

SelectCharacterDialog::SelectCharacterDialog(std::uint8_t current, int nearY, QWidget* parent)
    : QDialog(parent), nearY_(nearY) {
    setWindowTitle(QStringLiteral("Select Character"));
    auto* layout = new QVBoxLayout(this);

    auto* label = new QLabel(QStringLiteral("C&haracters"));
    layout->addWidget(label);
    grid_ = new QTableWidget(SelectCharacterRows, SelectCharacterColumns);
    grid_->setObjectName(QStringLiteral("characters"));
    grid_->setAccessibleName(QStringLiteral("Characters"));
    label->setBuddy(grid_);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setMinimumSectionSize(CellSize);
    grid_->verticalHeader()->setMinimumSectionSize(CellSize);
    grid_->horizontalHeader()->setDefaultSectionSize(CellSize);
    grid_->verticalHeader()->setDefaultSectionSize(CellSize);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setTabKeyNavigation(false);
    for (int row = 0; row < SelectCharacterRows; ++row) {
        for (int column = 0; column < SelectCharacterColumns; ++column) {
            const std::uint8_t code = CharacterOfCell({row, column});
            auto* item = new QTableWidgetItem(CellText(code));
            item->setTextAlignment(Qt::AlignCenter);
            item->setToolTip(QStringLiteral("%1").arg(code));
            grid_->setItem(row, column, item);
        }
    }
    const int frame = 2 * grid_->frameWidth();
    grid_->setFixedSize(SelectCharacterColumns * CellSize + frame,
                        SelectCharacterRows * CellSize + frame);
    const CharacterCell start = CellOfCharacter(current);
    grid_->setCurrentCell(start.Row, start.Column);
    layout->addWidget(grid_);

    auto* buttons = new QDialogButtonBox;
    ok_ = buttons->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    ok_->setDefault(true);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
    grid_->setFocus();
}

std::uint8_t SelectCharacterDialog::Chosen() const {
    const int row = std::max(grid_->currentRow(), 0);
    const int column = std::max(grid_->currentColumn(), 0);
    return CharacterOfCell({row, column});
}

void SelectCharacterDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (nearY_ < 0 || screen() == nullptr) {
        return;
    }
    // Beside the edited cell, and never off the screen.
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int y = std::clamp(nearY_ - frame.height() / 2, area.top(),
                             std::max(area.top(), area.bottom() - frame.height()));
    const int x = area.left() + (area.width() - frame.width()) / 2;
    move(x, y);
    nearY_ = -1;
}

} // namespace orvane
