// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"
#include "editing/ScriptEditing.h"
#include "ui/editing/CommandDialogs.h"

#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace orvane {

class MessageSink;

// The row along the top of the macro editors: the activation (the hot key's name, the schedule
// or the ShortKey's name), the nickname, the icon and the scope with its "Select" button. It
// works on the editor's copy of the record, which it writes only where the user chose a scope
// target or a schedule; the rest is read with Form() when the editor saves.
class MacroFieldsPanel : public QWidget {
    Q_OBJECT
public:
    struct Setup {
        ActivationKind Kind = ActivationKind::HotKey;
        bool NewMacro = false;
        bool GlobalForbidden = false;
        QString HotKeyName{};               // shown for hot key macros
        std::filesystem::path IconFolder{}; // the "Icons" folder of the data folder
        // Captions with mnemonics ("&Global", "Nic&kname"); off where the editor's own keys use
        // the letters.
        bool Mnemonics = true;
    };
    // The activation an editor window was opened with, as its panel shows it.
    template <typename EditorSetup> static Setup SetupFrom(const EditorSetup& editor) {
        Setup setup;
        setup.Kind = editor.Kind;
        setup.NewMacro = editor.NewMacro;
        setup.GlobalForbidden = editor.GlobalForbidden;
        setup.HotKeyName = editor.HotKeyName;
        setup.IconFolder = editor.IconFolder;
        return setup;
    }

    // `record`, `messages` and `scope` (which may be empty: the name is then typed) must outlive
    // the panel. Loads the record's fields (or a new macro's defaults) at once.
    MacroFieldsPanel(MacroRecord& record, Setup setup, CommandDialogs::ScopeChooser scope,
                     MessageSink& messages, QWidget* parent = nullptr);

    // The fields as the editor saves them.
    ScriptEditorForm Form() const;
    // `title` followed by the scope: "  (Program: …)", "  (Window Title: …)" or "  (GLOBAL)".
    QString Caption(const QString& title) const;
    // The panel's controls in their tab order.
    QList<QWidget*> TabOrder() const;

    QLineEdit* NickName() const { return nickName_; }
    QLineEdit* ShortKeyName() const { return shortKeyName_; }
    QRadioButton* Global() const { return global_; }
    QRadioButton* Specific() const { return specific_; }
    QRadioButton* ProgExe() const { return progExe_; }
    QPushButton* ChooseWinProg() const { return chooseWinProg_; }

    void ChooseWinProgClick();
    void SetScheduleClick();
    void MySpeedClick();

signals:
    // The scope or its target changed: the caption is due.
    void ScopeChanged();

private:
    void Load();
    void ScopeClick();
    void LoadInIcon();

    MacroRecord& record_;
    Setup setup_;
    CommandDialogs::ScopeChooser scope_;
    MessageSink& messages_;
    std::string icon_;

    QLineEdit* nickName_ = nullptr;
    QLineEdit* shortKeyName_ = nullptr;
    QLabel* hotKeyLabel_ = nullptr;
    QLabel* timerLabel_ = nullptr;
    QPushButton* setSchedule_ = nullptr;
    QToolButton* mySpeed_ = nullptr;
    QRadioButton* global_ = nullptr;
    QRadioButton* specific_ = nullptr;
    QRadioButton* progExe_ = nullptr;
    QPushButton* chooseWinProg_ = nullptr;
};

} // namespace orvane
