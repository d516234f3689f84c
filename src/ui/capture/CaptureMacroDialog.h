// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureOptions.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvane {

class CaptureOptionsPanel;

// "Capture Macro" (TCaptureKeys): the options of one capture and the macro's nickname.
// "&Start Capture" accepts it; what the form holds then is the capture to start.
class CaptureMacroDialog : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        QString ActivationText; // the hot key's name, or "ShortKey: <name>"
        QString EndLabel;       // how to end the capture (EndCaptureLabel)
        bool GlobalForbidden = false;
        CaptureMacroForm Form;
    };
    explicit CaptureMacroDialog(const Setup& setup, QWidget* parent = nullptr);

    CaptureMacroForm Form() const;

    CaptureOptionsPanel* Options() const { return options_; }
    QLineEdit* Nickname() const { return nickname_; }
    QLabel* EndLabel() const { return endLabel_; }
    QPushButton* StartButton() const { return start_; }

private:
    CaptureOptionsPanel* options_ = nullptr;
    QLineEdit* nickname_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QPushButton* start_ = nullptr;
};

} // namespace orvane
