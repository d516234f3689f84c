// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/SymbolDialogs.h"

#include "ui/QtText.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvane {

TDoDelay::TDoDelay(const CommandDialogServices& services, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Alt Keypad Sequence"), parent) {
    auto* fields = new QFormLayout;
    digits_ = Edit("Seconds", 40, QStringLiteral("Keypad Numbers"));
    fields->addRow(Label(QStringLiteral("&Keypad Numbers"), digits_), digits_);
    Finish(fields, "Alt Keypad Sequence");
    digits_->setFocus();
}

TDoSpecial::TDoSpecial(const CommandDialogServices& services, QWidget* parent)
    : CommandDialog(services, QStringLiteral("Insert Symbol"), parent) {
    auto* layout = new QVBoxLayout;
    grid_ = new QTableWidget(8, 16, this);
    grid_->setObjectName(QStringLiteral("SymbolGrid"));
    grid_->setAccessibleName(QStringLiteral("Symbols"));
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    QFont font = grid_->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    grid_->setFont(font);
    for (int column = 0; column < 16; ++column) {
        grid_->setColumnWidth(column, 26);
        for (int row = 0; row < 8; ++row) {
            auto* cell = new QTableWidgetItem;
            if (const std::optional<char> symbol = SymbolAt(column, row)) {
                cell->setText(FieldText(std::string(1, *symbol)));
                cell->setTextAlignment(Qt::AlignCenter);
            } else {
                cell->setFlags(Qt::NoItemFlags);
            }
            grid_->setItem(row, column, cell);
        }
    }
    for (int row = 0; row < 8; ++row) {
        grid_->setRowHeight(row, 24);
    }
    grid_->setFixedSize(16 * 26 + 2 * grid_->frameWidth(), 8 * 24 + 2 * grid_->frameWidth());
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setCurrentCell(0, 0);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &FormDialog::OkClick);
    layout->addWidget(grid_);
    auto* alt = new QPushButton(QStringLiteral("&Alt Keypad Sequence"), this);
    alt->setObjectName(QStringLiteral("AltKeypad"));
    alt->setAutoDefault(false);
    connect(alt, &QPushButton::clicked, this, &TDoSpecial::AltKeypadClick);
    auto* row = new QHBoxLayout;
    row->addWidget(alt);
    row->addStretch(1);
    layout->addLayout(row);
    Finish(layout, "Insert Symbol");
    grid_->setFocus();
}

void TDoSpecial::AltKeypadClick() {
    TDoDelay keypad(Services(), this);
    if (keypad.exec() == QDialog::Accepted && !keypad.ResultTag().empty()) {
        altCode_ = keypad.ResultTag();
        OkClick();
    }
}

std::string TDoSpecial::BuildTag() {
    if (!altCode_.empty()) {
        return altCode_;
    }
    const std::optional<char> symbol = SymbolAt(grid_->currentColumn(), grid_->currentRow());
    return symbol ? std::string(1, *symbol) : std::string();
}

} // namespace orvane
