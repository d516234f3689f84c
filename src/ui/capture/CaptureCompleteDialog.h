// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "capture/CaptureOptions.h"
#include "core/MacroRecord.h"
#include "library/HotKeyChoice.h"
#include "ui/library/HotKeyPanel.h"

#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace orvane {

class MessageSink;

// "Capture Complete" (TCapComplete): after a capture started by the system hot key, the new
// macro gets its hot key or ShortKey, nickname and scope. It stays on top of every window.
// "&Ok" checks the choice (refusals shown with caption "Error", the reserved-key question
// asked) and, when it holds, stores it into Record() and accepts.
class CaptureCompleteDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        KeyPicking Picking;
        MessageSink* Messages = nullptr; // must outlive the dialog
        std::function<void()> Help;      // the help topic "Capture Complete"; none: disabled
    };
    // `program`: the program in front when the capture ended (upper case, Windows-1252).
    CaptureCompleteDialog(const MacroRecord& record, const CaptureCompleteForm& form,
                          std::string program, const KeyUseCounts& uses, const KeyFlags& globalKeys,
                          Services services, QWidget* parent = nullptr);

    const MacroRecord& Record() const { return record_; }
    CaptureCompleteForm Form() const;
    void OkClick();

    QRadioButton* HotKeysButton() const { return hotKeys_; }
    QRadioButton* ShortKeysButton() const { return shortKeys_; }
    QRadioButton* GlobalButton() const { return global_; }
    QRadioButton* ProgramButton() const { return program_; }
    QLineEdit* Nickname() const { return nickname_; }
    HotKeyField* KeyField() const { return keyPanel_->Field(); }
    HotKeyList* KeyList() const { return keyPanel_->List(); }
    QWidget* KeyPanel() const { return keyPanel_; }
    QLineEdit* ShortKeyName() const { return shortKey_; }
    QPushButton* OkButton() const { return ok_; }

private:
    void TypeChanged();

    MacroRecord record_;
    std::string programName_;
    KeyFlags globalKeys_;
    Services services_;
    QRadioButton* hotKeys_ = nullptr;
    QRadioButton* shortKeys_ = nullptr;
    QRadioButton* global_ = nullptr;
    QRadioButton* program_ = nullptr;
    QLineEdit* nickname_ = nullptr;
    HotKeyPanel* keyPanel_ = nullptr;
    QWidget* namePanel_ = nullptr;
    QLineEdit* shortKey_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace orvane
