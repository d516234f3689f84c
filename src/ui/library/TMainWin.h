// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/PopupMenu.h"
#include "core/MainCommand.h"
#include "core/SettingsBlock.h"
#include "library/MacroList.h"
#include "playback/MacroFileSwap.h"
#include "ui/MacroEditors.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace orvane {

class FileCommands;
class KeyPickRelay;
class MacroCommands;
class MacroGrid;
class MacroStore;
class MainCommandTable;
class MessageSink;
class NetworkCommands;
class Prompter;
class Sound;
class SwapBlock;
class TrayIcons;

// The main window: the menus, the button bar or the letter panel, and the macro grid, laid out
// and captioned; the tray icon; the restriction level. Its commands live in groups built over it
// by the program (file, macro, options, scheduler, help), which bind their handlers to the
// command table. It keeps the settings it was given up to date (window bounds, column widths,
// sort order, tray use) and asks the owner to save them whenever a setting changes and when it
// closes.
//
// It also switches the macro file ("Open File", "New File", the recent files, "<SWAP:") and
// reloads it when another instance sharing it has changed it: the list, the hot keys, the
// schedule, the popup-menu tray icons and the remapping all follow the file.
class TMainWin : public QMainWindow, public MainWindowParts {
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
        Sound* Sounds = nullptr; // the alarm dialog's "&Test"; none: no test play
        // The current file's keyboard remapping; null: "Remap" stays unbuilt.
        SwapBlock* Swaps = nullptr;
        // The "Icons" folder of the data folder: the popup menus' tray icons come from it.
        std::filesystem::path IconFolder;
        // The hot key codes another program holds (they cannot start their macros); empty:
        // none is known.
        std::function<std::vector<std::uint16_t>()> UnavailableKeys;
    };

    explicit TMainWin(Services services, QWidget* parent = nullptr);
    ~TMainWin() override;

    // The command groups the window calls on itself (the others only bind their handlers). They
    // are built over the window after it, and it is sized and laid out once they are attached,
    // when its button bar has its buttons. Network is null without a macro store.
    struct CommandGroups {
        FileCommands* Files = nullptr;
        MacroCommands* Macros = nullptr;
        NetworkCommands* Network = nullptr;
    };
    void AttachCommandGroups(const CommandGroups& groups);

    // The macros of the current file (record i is macros[i - 1]) and its path; rebuilds the
    // caption and the list, keeping the selected macro when it is still there.
    void SetMacroFile(const QString& path, std::vector<ListMacro> macros);
    // The same from the store, selecting `record` when it is given (> 0); the popup menus'
    // tray icons follow the macros.
    void RefreshFromStore(int record = 0);
    // Rebuilds the popup menus' tray icons from the store when what they show changed (the
    // menus, their order, names or icons); true when they were rebuilt.
    bool RebuildMenuTaskIcons();
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
    FileCommands& Files() const { return *files_; }
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

    // Makes `file` (a stored text, as "<SWAP:" and the recent files hold it) the current macro
    // file, or leaves everything as it was when it cannot be loaded (the store said why). The
    // settings are saved either way.
    void SwitchMacroFile(std::string_view file);
    // The file was changed by another instance (or is due for its automatic reload): loads it
    // again and rebuilds everything that follows it, keeping the selected row number.
    void ReloadChangedFile();

    // The start and end of every command that changes the macro file (network sharing): true
    // from FileInUse means the command must stop; a command that went on ends with
    // ReleaseSyncFile, telling whether it changed the file. Outside network mode they do
    // nothing.
    bool FileInUse();
    void ReleaseSyncFile(bool changed);
    // Null without a macro store.
    NetworkCommands* Network() const { return network_; }
    // Tells the user about hot keys another program holds: every one (`code` absent, at the
    // start), or hot key `code` when another program holds it (a macro was just put on it).
    void ReportUnavailableKeys(std::optional<std::uint16_t> code = std::nullopt);

    // While a capture runs (`busy` says so) its recording is bound for a macro of the current
    // file: FileInUse and the file switches refuse with a message, and a reload of the shared
    // file waits for CaptureEnded.
    void SetCaptureBusy(std::function<bool()> busy) { captureBusy_ = std::move(busy); }
    // True, after telling the user, while a capture runs.
    bool RefusedWhileCapturing();
    // The capture's recording is stored: a reload that waited for it runs now.
    void CaptureEnded();

    // The parts of a file switch (MainWindowParts).
    void ClearMenuTaskIcon() override;
    void ShowMacroFile(const std::filesystem::path& path) override;
    void CheckAndSetTime() override;
    void DoMenuTaskIcon() override;
    void DoLastFiles(std::string_view oldName, std::string_view newName) override;
    void GetSwapFile() override;
    void RenewSyncFile() override;

signals:
    // The popup-menu tray icons are due to be created for the current file.
    void MenuTaskIconsDue();
    // The remapping file beside the (new) current macro file is due to be loaded.
    void SwapFileDue();
    // The window has closed; its bounds are in the settings. The program ends now.
    void Closed();
    // "Timer Seconds", "Show Date" or "Disable Screen Saver" changed (and were saved).
    void SchedulerSettingsChanged();
    // SetMacroEditors gave new editors.
    void MacroEditorsChanged();
    // The tray icon of popup menu macro `record` was clicked at screen x `x`.
    void MenuTrayIconClicked(int record, int x);

public slots:
    void HideClick();
    // A notification area came or went: "Place in System Tray" and "Hide" follow it.
    void FollowTray(bool available);
    void TerminateClick();
    void PlaceInTrayClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTray();
    // Follows the notification area and the "Place in System Tray" setting.
    void AttachTray();
    void FitDefaultSizesToFont();
    void SetMacroButtons();
    void FitClientToBar();
    void LayoutClient();
    void HeaderSort(int column);
    ListSortOrder SortOrder() const;
    bool CanHide() const;

    Services services_;
    MacroEditors editors_;
    SettingsBlock& settings_;
    std::unique_ptr<Prompter> prompter_;
    QMenu* trayMenu_ = nullptr;
    QWidget* client_ = nullptr;
    QWidget* buttonBar_ = nullptr;
    QWidget* letterPanel_ = nullptr;
    QTimer* clock_ = nullptr; // turns the caption's minute while the date and time are shown
    MacroGrid* grid_ = nullptr;
    TrayIcons* tray_ = nullptr;
    MainCommandTable* commands_ = nullptr;
    FileCommands* files_ = nullptr;
    MacroCommands* macros_ = nullptr;
    NetworkCommands* network_ = nullptr;
    QString filePath_;
    std::vector<MenuTrayEntry> menuTrayEntries_;
    std::function<bool()> captureBusy_;
    bool reloadWaiting_ = false;
    int restriction_ = 0;
    bool trayAvailable_ = false;
    bool hideAfterShow_ = false;
    bool closing_ = false;
};

// One command's hold on the shared macro file: FileInUse when it is made, ReleaseSyncFile when it
// goes (with whether Changed was called), unless FileInUse stopped the command.
class SyncLease {
public:
    explicit SyncLease(TMainWin& window) : window_(window), refused_(window.FileInUse()) {}
    ~SyncLease() {
        if (!refused_) {
            window_.ReleaseSyncFile(changed_);
        }
    }
    SyncLease(const SyncLease&) = delete;
    SyncLease& operator=(const SyncLease&) = delete;

    // The command must stop: the file is in use, was reloaded, or cannot be shared.
    bool Refused() const { return refused_; }
    void Changed() { changed_ = true; }

private:
    TMainWin& window_;
    bool refused_;
    bool changed_ = false;
};

} // namespace orvane
