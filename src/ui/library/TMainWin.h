// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MainCommand.h"
#include "core/SettingsBlock.h"
#include "library/MacroList.h"
#include "ui/library/MacroEditors.h"

#include <QMainWindow>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace orvane {

class FileCommands;
class HelpCommands;
class KeyPickRelay;
class MacroCommands;
class MacroGrid;
class MacroStore;
class MainCommandTable;
class MessageSink;
class OptionsCommands;
class Prompter;
class SchedulerCommands;
class TrayIcons;

// The main window: the menus, the button bar or the letter panel, and the macro grid, laid out
// and captioned; the tray icon; the restriction level. Its commands live in groups beside it
// (file, macro, options, scheduler, help), which bind their handlers to the command table. It
// keeps the settings it was given up to date (window bounds, column widths, sort order, tray
// use) and asks the owner to save them whenever a setting changes and when it closes.
class TMainWin : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        SettingsBlock* Settings = nullptr;  // owned by the caller, outlives the window
        std::function<void()> SaveSettings; // writes `Settings` to the settings file
        QString ManualPath;                 // the HTML manual, empty when not installed
        // The loaded macro file. Without one the commands that change macros stay unbuilt.
        MacroStore* Store = nullptr;
        // Where messages and questions go; null: a prompter over this window.
        MessageSink* Messages = nullptr;
        // Reports struck hot keys to the dialog that picks one; null: none are reported.
        KeyPickRelay* KeyPicks = nullptr;
        // A timed macro was added, changed or removed: the schedule is recomputed.
        std::function<void()> ScheduleChanged;
    };

    explicit TMainWin(Services services, QWidget* parent = nullptr);
    ~TMainWin() override;

    // The macros of the current file (record i is macros[i - 1]) and its path; rebuilds the
    // caption and the list, keeping the selected macro when it is still there.
    void SetMacroFile(const QString& path, std::vector<ListMacro> macros);
    // The same from the store, selecting `record` when it is given (> 0).
    void RefreshFromStore(int record = 0);
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

    QAction* Action(MainCommand command) const;
    MainCommandTable& Commands() const { return *commands_; }
    MacroCommands& Macros() const { return *macros_; }
    MacroGrid& Grid() const { return *grid_; }
    QWidget& LetterPanel() const { return *letterPanel_; }
    QWidget& ButtonBar() const { return *buttonBar_; }
    TrayIcons& Tray() const { return *tray_; }
    SettingsBlock& Settings() const { return settings_; }
    void SaveSettings() const { services_.SaveSettings(); }
    const Services& Context() const { return services_; }
    MessageSink& Messages() const;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayoutClient();
    void HeaderSort(int column);
    ListSortOrder SortOrder() const;

    Services services_;
    MacroEditors editors_;
    SettingsBlock& settings_;
    std::unique_ptr<Prompter> prompter_;
    QMenu* trayMenu_ = nullptr;
    QWidget* client_ = nullptr;
    QWidget* buttonBar_ = nullptr;
    QWidget* letterPanel_ = nullptr;
    MacroGrid* grid_ = nullptr;
    TrayIcons* tray_ = nullptr;
    MainCommandTable* commands_ = nullptr;
    FileCommands* files_ = nullptr;
    MacroCommands* macros_ = nullptr;
    OptionsCommands* options_ = nullptr;
    SchedulerCommands* scheduler_ = nullptr;
    HelpCommands* help_ = nullptr;
    QString filePath_;
    int restriction_ = 0;
    bool hideAfterShow_ = false;
    bool closing_ = false;
};

} // namespace orvane
