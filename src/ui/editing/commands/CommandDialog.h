// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"
#include "ui/FormDialog.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orvane {

class MessageSink;
class Processes;
class Shell;
class Sound;
class WindowSystem;
struct SettingsBlock;

// What the command dialogs need of the program. Pointers may be null where a dialog can do
// without (no test play without sounds, no window list without a window system).
struct CommandDialogServices {
    MessageSink* Messages = nullptr;           // refusals; required
    SettingsBlock* Settings = nullptr;         // last date and time formats, the alarm
    std::function<void()> SaveSettings;        // after the alarm changed
    const PathChecks* Paths = nullptr;         // file checks; the real file system when null
    Sound* Sounds = nullptr;                   // "&Test" of the sound dialog
    Shell* Programs = nullptr;                 // "&Edit Text File"
    WindowSystem* Windows = nullptr;           // window titles; the window under a picked point
    Processes* Running = nullptr;              // running programs
    std::function<void(bool on)> KeyboardHook; // switched off while keystrokes are typed
    std::function<void(std::string_view keyword)> ShowHelp; // "&Help"; none: no button
    FormDialog::Asker Ask;                                  // questions; a message box when empty
};

// A dialog that makes the tag of one command from its form: it checks the form with the
// form's own check, makes sure the tag stands as one command line, and keeps the tag.
class CommandDialog : public FormDialog {
    Q_OBJECT
public:
    CommandDialog(const CommandDialogServices& services, const QString& caption,
                  QWidget* parent = nullptr);

    // The tag made by "&Ok"; empty when the dialog was cancelled.
    const std::string& ResultTag() const { return tag_; }
    // The command of that tag.
    std::optional<MadeCommand> Result() const { return CommandOfTag(tag_); }

protected:
    virtual std::optional<FormRefusal> CheckValues() = 0;
    virtual std::string BuildTag() = 0;
    // False for dialogs whose result is keystrokes rather than a command.
    virtual bool MakesCommand() const { return true; }

    std::optional<Refusal> CheckForm() override;
    void Commit() override;

    // The standard buttons under `content`, with "&Help" at `keyword` when help is given.
    void Finish(QLayout* content, std::string_view helpKeyword);

    const PathChecks& Paths() const;
    const CommandDialogServices& Services() const { return services_; }

    // Widgets named for their field.
    QLineEdit* Edit(const char* name, int maxLength, const QString& accessibleName);
    QRadioButton* Radio(QButtonGroup* group, int id, const char* name, const QString& caption);
    // A label whose mnemonic focuses `buddy`.
    QLabel* Label(const QString& text, QWidget* buddy);

private:
    const CommandDialogServices& services_;
    std::string tag_;
};

// Checks the button of `id` in the group, or the first when there is none of that id.
void CheckButton(QButtonGroup* group, int id);

// Text between a form (Windows-1252) and a box.
QString BoxText(std::string_view stored);
std::string FormText(const QLineEdit* edit);

} // namespace orvane
