// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FormDialog.h"
#include "ui/editing/KeyboardHookOff.h"

#include <functional>

class QDialogButtonBox;
class QMenuBar;

namespace orvane {

// A window in which keystrokes are typed as text ("Modify Hot Key", "Enter Keystrokes"). The
// keyboard hook is off while it exists, so keys typed here never start macros, and on again
// however it closes. Enter types a line break, so "&Update" is pressed with its mnemonic or from
// the "&File" menu, never by Enter.
class KeystrokeDialog : public FormDialog {
    Q_OBJECT
public:
    void done(int result) override;

protected:
    KeystrokeDialog(MessageSink& messages, std::function<void(bool on)> keyboardHook,
                    QWidget* parent);

    // "&Update", "Cancel" and "Help" (on F1, as in every window: Alt+H is the Shift key's), and
    // the "&File" menu ("&Update", "E&xit") in `bar`.
    QDialogButtonBox* AddUpdateButtons(QMenuBar* bar, std::function<void()> help);

private:
    KeyboardHookOff hookOff_;
};

} // namespace orvane
