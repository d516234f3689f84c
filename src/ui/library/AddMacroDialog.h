// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"
#include "library/HotKeyChoice.h"
#include "ui/MacroEditors.h"
#include "ui/library/HotKeyPanel.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace orvane {

class MessageSink;

// "Add Macro": how a new macro is activated (hot key, ShortKey, timed macro or popup menu) and
// which window makes its content. Each of "&Scripting Editor", "&Enter Directly" (or "Build
// Menu") and "&Capture Macro" checks the choice, then opens its editor on the new record; when
// the editor is confirmed the dialog is accepted and Record() holds the macro to store. A button
// whose editor does not exist yet is disabled.
class AddMacroDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        KeyPicking Picking;
        MessageSink* Messages = nullptr; // must outlive the dialog
        MacroEditors Editors;
        int NewRecordNumber = 0; // MacroCount + 1
    };
    // `uses` and `globalKeys` describe the loaded macros; `userMacros`: some macro other than
    // the system macros exists.
    AddMacroDialog(const KeyUseCounts& uses, const KeyFlags& globalKeys, bool userMacros,
                   Services services, QWidget* parent = nullptr);

    const MacroRecord& Record() const { return record_; }
    AddMacroForm Form() const;

    enum class Editor { Scripting, Direct, Capture };
    // A button's work: the checks, then its editor. False when something refused or the user
    // said No or cancelled the editor; the dialog then stays open.
    bool Open(Editor editor);

    QRadioButton* TypeButton(NewMacroType type) const;
    HotKeyField* KeyField() const { return keyPanel_->Field(); }
    HotKeyList* KeyList() const { return keyPanel_->List(); }
    QLineEdit* ShortKeyEdit() const { return shortKey_; }
    QPushButton* ScriptingButton() const { return scripting_; }
    QPushButton* DirectButton() const { return direct_; }
    QPushButton* CaptureButton() const { return capture_; }

private:
    void TypeChanged();
    MacroEditor* EditorFor(Editor editor, NewMacroType type) const;

    KeyFlags globalKeys_;
    bool userMacros_;
    Services services_;
    MacroRecord record_;
    QRadioButton* hotKeys_ = nullptr;
    QRadioButton* shortKeys_ = nullptr;
    QRadioButton* timed_ = nullptr;
    QRadioButton* popup_ = nullptr;
    HotKeyPanel* keyPanel_ = nullptr;
    QWidget* namePanel_ = nullptr;
    QLineEdit* shortKey_ = nullptr;
    QPushButton* scripting_ = nullptr;
    QPushButton* direct_ = nullptr;
    QPushButton* capture_ = nullptr;
};

} // namespace orvane
