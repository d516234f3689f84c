// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"
#include "editing/ScriptEditing.h"
#include "ui/editing/CommandDialogs.h"
#include "ui/editing/KeystrokeDialog.h"

#include <QList>
#include <QString>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

class QGridLayout;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

namespace orvane {

struct CommandDialogServices;
class KeyPanel;
class KeystrokeBox;
class MacroFieldsPanel;

// "Modify Hot Key": a macro's text as raw tag text, typed, with key tags inserted by the key
// buttons and command tags by the command dialogs. It works on its own copy of the record;
// "&Update" writes the text and the fields into that copy and accepts. The keyboard hook is off
// while the window exists, so keys typed here (the macro's own hot key too) never start macros;
// it is on again however the window closes.
class TModHotKeys : public KeystrokeDialog {
    Q_OBJECT
public:
    struct Setup {
        ActivationKind Kind = ActivationKind::HotKey;
        bool NewMacro = false;
        bool GlobalForbidden = false;
        QString HotKeyName{};                 // shown for hot key macros
        std::filesystem::path IconFolder{};   // the "Icons" folder of the data folder
        CommandDialogs::ScopeChooser Scope{}; // "Select"; the name is typed when empty
        std::function<void()> ShowHelp{};     // "Help"; disabled without it
        std::function<double()> Now{};        // days, for LastModified; the clock when empty
    };

    // `services` (messages, command dialogs, the keyboard hook) must outlive the window.
    TModHotKeys(const MacroRecord& record, Setup setup, const CommandDialogServices& services,
                QWidget* parent = nullptr);
    ~TModHotKeys() override;

    const MacroRecord& Record() const { return record_; }
    bool Saved() const { return saved_; }

    KeystrokeBox* NewFormat() const { return text_; }
    KeyPanel* Keys() const { return keys_; }
    MacroFieldsPanel* Fields() const { return fields_; }
    QPushButton* Button(std::string_view name) const;

    // Inserts at the caret when it fits (CheckSize, then SetIt).
    void SetIt(const std::string& stored);
    // A command button: the command's dialog, and its tag inserted on "&Ok".
    void CommandClick(CommandCode code);
    void UpdateButtonClick() { OkClick(); }

protected:
    std::optional<Refusal> CheckForm() override;
    bool Answered(const Refusal& question, bool yes) override;
    void Commit() override;

private:
    void BuildWindow();
    void BuildFields();
    QLabel* BuildTextBox();
    // Fills `commands` with the command buttons and the "&Actions" menu with the same commands;
    // the buttons' tab order goes to `commandOrder`.
    QMenu* BuildCommandButtons(QMenuBar& bar, QGridLayout& commands, QList<QWidget*>& commandOrder);
    void ChainTabOrder(const QList<QWidget*>& commandOrder);
    void FormShow();
    void DoCaption();
    // "Cu&t", "&Copy", "&Paste", "&Delete" on the focused text box or edit box.
    void EditMenu(QMenu* menu);

    MacroRecord record_;
    Setup setup_;
    const CommandDialogServices& services_;
    MacroFieldsPanel* fields_ = nullptr;
    KeystrokeBox* text_ = nullptr;
    KeyPanel* keys_ = nullptr;
    bool saved_ = false;
    bool unstorableAccepted_ = false;
};

} // namespace orvane
