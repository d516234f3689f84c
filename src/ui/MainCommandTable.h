// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MainCommand.h"

#include <QKeyCombination>
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <span>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

namespace orvane {

enum class MainMenu { File, Macro, Options, Scheduler, Help };

// One main command as the window shows it. Menus, the button bar and the letter panel are all
// built from the rows: menus and the letter panel in row order, the button bar by place.
struct MainCommandRow {
    MainCommand Command;
    MainMenu Menu;
    std::string_view Caption; // the menu entry; empty for RecentFiles and the Scheduler menu
    QKeyCombination Shortcut = QKeyCombination::fromCombined(0);
    std::string_view Button = {}; // the button bar's caption, empty when it has none
    int ButtonPlace = 0;          // its place on the button bar, left to right from 1
    std::string_view Letter = {}; // the letter panel's caption, empty when it has none
    bool Checkable = false;
    bool SeparatorBefore = false;
};

std::span<const MainCommandRow> MainCommandRows();

// The main window's commands: one action per row, with its button bar and letter panel
// buttons. A command is built once a handler is bound to it; until then it is shown disabled.
// Its enabled state is: built, available (the group that owns it says whether it can be used
// now, e.g. a macro is selected) and not forbidden by the restriction level, for menu entries
// and buttons each by their own list.
class MainCommandTable final : public QObject {
    Q_OBJECT
public:
    MainCommandTable(QMenuBar& menuBar, QWidget& buttonBar, QWidget& letterPanel,
                     QObject* parent = nullptr);

    QAction* Action(MainCommand command) const;
    QToolButton* Button(MainCommand command) const;       // button bar; null when it has none
    QToolButton* LetterButton(MainCommand command) const; // letter panel; null when none
    QMenu* Menu(MainMenu menu) const;
    // The five recent-file entries of the File menu and the separator above them.
    const std::vector<QAction*>& RecentFileEntries() const { return recentFiles_; }
    QAction* RecentFilesSeparator() const { return recentSeparator_; }

    // Makes the command built: `handler` runs when it is triggered (the menu entry, its
    // shortcut or either button). A checkable command gets its new checked state.
    void Bind(MainCommand command, std::function<void()> handler);
    void BindToggle(MainCommand command, std::function<void(bool)> handler);
    bool IsBuilt(MainCommand command) const;

    // Whether the command can be used now; true until said otherwise.
    void SetAvailable(MainCommand command, bool available);
    // Forbids what the level's restriction names, for the rest of the run.
    void SetRestriction(const Restriction& restriction);
    // The desktop cannot do what the command needs: it stays disabled for the run, and its
    // entry and buttons say `why` when pointed at.
    void SetUnsupported(MainCommand command, const QString& why);

    // The captions that follow a state ("Acti&vate Macro" / "Deacti&vate Macro"): the menu
    // entry, the letter panel button and the button bar's hint.
    void SetCaptions(MainCommand command, const QString& menu, const QString& letter,
                     const QString& hint);

private:
    struct Entry {
        QAction* Action = nullptr;
        QToolButton* Button = nullptr;
        QToolButton* Letter = nullptr;
        bool Built = false;
        bool Available = true;
        bool MenuForbidden = false;
        bool ButtonForbidden = false;
        bool Unsupported = false;
    };
    void Refresh(Entry& entry);
    Entry& At(MainCommand command);

    std::map<MainCommand, Entry> entries_;
    std::map<MainMenu, QMenu*> menus_;
    std::vector<QAction*> recentFiles_;
    QAction* recentSeparator_ = nullptr;
};

} // namespace orvane
