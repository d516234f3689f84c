// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MainCommand.h"
#include "core/SettingsBlock.h"
#include "library/MacroList.h"
#include "ui/library/MacroEditors.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QToolButton;

namespace orvane {

class MacroGrid;
class TrayIcons;

// The main window: the menu, the button bar or the letter panel, and the macro grid. It keeps
// the settings it was given up to date (window bounds, column widths, sort order, tray use) and
// asks the owner to save them whenever a setting changes and when it closes.
class TMainWin : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        SettingsBlock* Settings = nullptr;  // owned by the caller, outlives the window
        std::function<void()> SaveSettings; // writes `Settings` to the settings file
        QString ManualPath;                 // the HTML manual, empty when not installed
    };

    // The activation commands, done by the owner.
    struct ActivationCommands {
        // "Acti&vate Macro" / "Deacti&vate Macro" for a record (0: none selected); the list is
        // refreshed by the callee.
        std::function<void(int)> ToggleActive;
        // "Restore &Keyboard Hooks" / "Restore &Mouse Hooks" after the user said Yes.
        std::function<void()> RestoreKeyboardHooks;
        std::function<void()> RestoreMouseHooks;
    };
    void SetActivationCommands(ActivationCommands commands) { activation_ = std::move(commands); }

    explicit TMainWin(Services services, QWidget* parent = nullptr);
    ~TMainWin() override;

    // The macros of the current file (record i is macros[i - 1]) and its path; rebuilds the
    // caption and the list, keeping the selected macro when it is still there.
    void SetMacroFile(const QString& path, std::vector<ListMacro> macros);
    // Rebuilds the list in the current sort order (FillList).
    void FillList();

    // Disables what a command-line restriction level forbids, for the rest of the run.
    void ApplyRestriction(int level);
    int RestrictionLevel() const { return restriction_; }
    // "/HIDE": hide the window right after it is first shown.
    void HideAfterFirstShow() { hideAfterShow_ = true; }

    // The caption: "Orvane 98 (" + file name without folder and extension + ")".
    static QString CaptionFor(const QString& path);
    // Sets the caption, with the date and time after it while "Show Date" is on; the
    // scheduler's timer calls it again to keep the time current.
    void DoCaption();

    // The windows that make and change macros; the commands that open them are enabled as
    // they arrive. Not owned.
    void SetMacroEditors(const MacroEditors& editors);
    const MacroEditors& Editors() const { return editors_; }

    // Opens the scripting editor on a macro (its record number) and stores what it returns;
    // done by the owner. "Scripting Editor" and a double click on a row call it once both it
    // and the editor are given.
    void SetScriptingCommand(std::function<void(int)> open);
    // "Scripting Editor": the opening refusals for an empty list or no selection, then the
    // editor on the selected macro.
    void ScriptingEditorClick();

    QAction* Action(MainCommand command) const;
    MacroGrid& Grid() const { return *grid_; }
    QWidget& LetterPanel() const { return *letterPanel_; }
    QWidget& ButtonBar() const { return *buttonBar_; }
    TrayIcons& Tray() const { return *tray_; }

    // "Use Speed" on shows the button bar, off the letter panel (and re-lays the window out).
    void ShowButtonBar(bool on);

    // Opens the program from the tray: closes the program's dialogs, restores and activates.
    void OpenFromTray();
    // Shows the window in front with the keyboard focus in the macro list ("Activate Orvane"):
    // restored when minimised, while a maximised window stays maximised.
    void ShowInFront();

signals:
    // The window has closed; its bounds are in the settings. The program ends now.
    void Closed();
    // "Timer Seconds", "Show Date" or "Disable Screen Saver" changed (and were saved).
    void SchedulerSettingsChanged();
    // SetMacroEditors gave new editors.
    void MacroEditorsChanged();

public slots:
    void HideClick();
    void TerminateClick();
    void PlaceInTrayClick();
    void SortOrderClick();
    void ShortKeysClick();
    void ShowDateClick();
    void TimerIntervalClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildButtonBar();
    void BuildLetterPanel();
    QAction* AddCommand(QMenu* menu, MainCommand command, const QString& caption,
                        const QKeySequence& shortcut = {});
    void LayoutClient();
    void UpdateCommandStates();
    void EnableScriptingEditor();
    void HeaderSort(int column);
    void ShowHelp();
    void ShowAbout();
    ListSortOrder SortOrder() const;

    Services services_;
    ActivationCommands activation_;
    MacroEditors editors_;
    std::function<void(int)> openScripting_;
    SettingsBlock& settings_;
    std::map<MainCommand, QAction*> actions_;
    std::vector<QAction*> recentFiles_;
    QMenu* trayMenu_ = nullptr;
    QAction* showDate_ = nullptr;
    QWidget* client_ = nullptr;
    QWidget* buttonBar_ = nullptr;
    QWidget* letterPanel_ = nullptr;
    MacroGrid* grid_ = nullptr;
    TrayIcons* tray_ = nullptr;
    QString filePath_;
    int restriction_ = 0;
    bool hideAfterShow_ = false;
    bool closing_ = false;
};

} // namespace orvane
