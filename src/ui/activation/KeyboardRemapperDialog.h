// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/SwapKeysForm.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

class QPushButton;
class QTableWidget;

namespace orvane {

// "Keyboard Remapper" (TDoSwapKeys): four grids ("Upper Case", "Lower Case", "Punctuation",
// "Numeric") of base character and replacement. A double-click on a replacement, or Enter or
// Space on one, asks for a new character; a chosen character is the replacement at once and
// the form notes the change. "&Ok" closes; whether anything changed is in Form() however the
// dialog was closed.
class KeyboardRemapperDialog : public QDialog {
    Q_OBJECT
public:
    // Asks for a character: the current replacement and the screen row of its cell in; the
    // chosen character out, nothing when the user cancelled.
    using CharacterChooser = std::function<std::optional<std::uint8_t>(std::uint8_t, int)>;

    // `choose` empty: the "Select Character" dialog. `showHelp` empty: "&Help" is disabled.
    KeyboardRemapperDialog(const SwapTable& table, CharacterChooser choose,
                           std::function<void()> showHelp, QWidget* parent = nullptr);

    const SwapKeysForm& Form() const { return form_; }

    // Asks for the replacement of row `row` of grid `grid` (0..3, in SwapGrids order).
    void EditReplacement(int grid, int row);

    QTableWidget* Grid(int grid) const { return grids_[static_cast<std::size_t>(grid)]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* HelpButton() const { return help_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowReplacement(int grid, int row);

    SwapKeysForm form_;
    CharacterChooser choose_;
    std::array<QTableWidget*, 4> grids_{};
    QPushButton* ok_ = nullptr;
    QPushButton* help_ = nullptr;
    bool centred_ = false;
};

} // namespace orvane
