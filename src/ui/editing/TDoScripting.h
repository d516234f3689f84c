// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"
#include "core/SettingsBlock.h"
#include "editing/ScriptEditing.h"

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace orvane {

class CommandDialogs;
class MacroFieldsPanel;
class MessageSink;

// "Macro Scripting Editor": a macro as a list of readable command lines. It works on its own
// copy of the record; "&Ok" writes the lines and fields into that copy and accepts, and only
// then does Record() differ from what it was given. "&Cancel" and closing change nothing.
class TDoScripting : public QDialog {
    Q_OBJECT
public:
    struct Setup {
        ActivationKind Kind = ActivationKind::HotKey;
        bool NewMacro = false;
        bool GlobalForbidden = false;
        QString HotKeyName{};               // shown in the activation panel of hot key macros
        std::filesystem::path IconFolder{}; // the "Icons" folder of the data folder
        WindowBounds* Bounds = nullptr;     // restored on creation, stored on closing
        std::function<void()> ShowHelp{};   // "&Help"; the button is disabled without it
        std::function<double()> Now{};      // days, for LastModified; the clock when empty
    };

    // `dialogs` and `messages` must outlive the window.
    TDoScripting(const MacroRecord& record, Setup setup, const CommandDialogs& dialogs,
                 MessageSink& messages, QWidget* parent = nullptr);

    const MacroRecord& Record() const { return record_; }
    bool Saved() const { return saved_; }
    const std::vector<ScriptLine>& Lines() const { return lines_; }

    // The window's controls, for tests and screen readers alike.
    QListWidget* OptionBox() const { return optionBox_; }
    QListWidget* Script() const { return script_; }
    QLineEdit* NickName() const;
    QLineEdit* ShortKeyName() const;
    QRadioButton* Global() const;
    QRadioButton* Specific() const;
    QRadioButton* ProgExe() const;
    QPushButton* Button(const char* objectName) const;

    // The add operation for one command, as "&Add", "I&nsert" and "&Insert" run it for the
    // command chosen in the list and the wizard for its tasks: the command's dialog opens over
    // `parent` and, on "&Ok", its line goes in at `placement`. True when a line was added.
    bool AddCommand(CommandCode code, Placement placement, QWidget* parent);

    // The handlers, named for what triggers them.
    void AddButtonClick();
    void InsertBeforeClick();
    void InsertAfterClick();
    void DoEditClick();
    void DoCopyClick();
    void DoDeleteClick();
    void DoUpClick();
    void DoDownClick();
    void OkButtonClick();
    void ChooseWinProgClick();
    void SetScheduleClick();
    void MySpeedClick();
    // "Command Wi&zard": the scripting wizard over this editor.
    void WizardClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildWindow();
    QPushButton* MakeButton(const char* name, const QString& caption, void (TDoScripting::*slot)());
    void BuildFields();
    QLabel* BuildCommandList();
    QLabel* BuildScriptList();
    QVBoxLayout* BuildAddButtons();
    QVBoxLayout* BuildLineButtons();
    void ChainTabOrder();
    void FormShow();
    void AddALine(Placement placement);
    void ShowLines(std::optional<std::size_t> selected);
    void EnableDisable();
    void DoCaption();
    std::optional<std::size_t> Selected() const;
    void StoreBounds();

    MacroRecord record_;
    Setup setup_;
    const CommandDialogs& dialogs_;
    MessageSink& messages_;
    std::vector<ScriptLine> lines_;
    bool saved_ = false;
    bool boundsStored_ = false;

    QListWidget* optionBox_ = nullptr;
    QListWidget* script_ = nullptr;
    MacroFieldsPanel* fields_ = nullptr;
};

} // namespace orvane
