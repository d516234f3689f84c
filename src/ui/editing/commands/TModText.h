// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/editing/KeystrokeDialog.h"

#include <string>

namespace orvane {

struct CommandDialogServices;
class KeyPanel;
class KeystrokeBox;

// "Enter Keystrokes": the text of a Text line, typed, and with key tags and symbols inserted at
// the caret. The keyboard hook is off while the window exists, so keys typed here never start
// macros; it is on again however the window closes.
class TModText : public KeystrokeDialog {
    Q_OBJECT
public:
    // `keys` is the line's text (Windows-1252), empty for a new line.
    TModText(const CommandDialogServices& services, const std::string& keys,
             QWidget* parent = nullptr);
    ~TModText() override;

    // The text "&Update" returned.
    const std::string& Keys() const { return keys_; }
    KeystrokeBox* NewFormat() const { return text_; }
    KeyPanel* Keys_() const { return panel_; }

    // Inserts at the caret when it fits (CheckSize, then SetIt).
    void SetIt(const std::string& stored);
    void UpdateButtonClick() { OkClick(); }

protected:
    std::optional<Refusal> CheckForm() override { return std::nullopt; }
    void Commit() override;

private:
    const CommandDialogServices& services_;
    KeystrokeBox* text_ = nullptr;
    KeyPanel* panel_ = nullptr;
    std::string keys_;
};

} // namespace orvane
