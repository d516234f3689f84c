// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/SwapKeysForm.h"

#include <QDialog>
#include <cstdint>

class QPushButton;
class QTableWidget;

namespace orvane {

// "Select Character" (TDoSwapSpecial): the characters 32..255 in a grid of 28 x 8, the current
// replacement selected. "&Ok", Enter or a double-click chooses the selected character;
// "&Cancel" or Escape chooses nothing.
class SelectCharacterDialog : public QDialog {
    Q_OBJECT
public:
    // `nearY`: the screen row of the cell being edited; the dialog is placed beside it, kept on
    // the screen (a negative value leaves the placement to the window system).
    SelectCharacterDialog(std::uint8_t current, int nearY, QWidget* parent = nullptr);

    // The character of the selected cell.
    std::uint8_t Chosen() const;
    QTableWidget* Grid() const { return grid_; }
    QPushButton* OkButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableWidget* grid_ = nullptr;
    QPushButton* ok_ = nullptr;
    int nearY_ = -1;
};

} // namespace orvane
