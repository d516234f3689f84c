// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainCommandTable.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace orvane {
namespace {

using enum MainCommand;
using M = MainMenu;

constexpr QKeyCombination Key(Qt::Key key) {
    return QKeyCombination(key);
}
constexpr QKeyCombination Ctrl(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}

// The letter panel's mnemonics are its own and differ from the menu bar's (F, M, O, S, H): a
// letter used twice would only move the focus between its owners instead of acting.
constexpr MainCommandRow Rows[] = {
    {.Command = NewFile,
     .Menu = M::File,
     .Caption = "&New File...",
     .Shortcut = Ctrl(Qt::Key_N),
     .Button = "New",
     .ButtonPlace = 1},
    {.Command = OpenFile,
     .Menu = M::File,
     .Caption = "&Open File...",
     .Shortcut = Ctrl(Qt::Key_O),
     .Button = "Open",
     .ButtonPlace = 2},
    {.Command = ImportMacros,
     .Menu = M::File,
     .Caption = "&Import Macros...",
     .Button = "Import",
     .ButtonPlace = 11,
     .SeparatorBefore = true},
    {.Command = ExportMacros,
     .Menu = M::File,
     .Caption = "&Export Macros...",
     .Button = "Export",
     .ButtonPlace = 12},
    {.Command = PrintMacroList,
     .Menu = M::File,
     .Caption = "&Print Macro List...",
     .Shortcut = Ctrl(Qt::Key_P),
     .Button = "Print",
     .ButtonPlace = 13,
     .SeparatorBefore = true},
    {.Command = PrinterSetup, .Menu = M::File, .Caption = "Printer &Setup..."},
    {.Command = PrinterFont, .Menu = M::File, .Caption = "Printer &Font..."},
    {.Command = OutputMacroInformation, .Menu = M::File, .Caption = "O&utput Macro Information..."},
    {.Command = Network, .Menu = M::File, .Caption = "Net&work...", .SeparatorBefore = true},
    {.Command = RecentFiles, .Menu = M::File, .Caption = {}},
    {.Command = Hide, .Menu = M::File, .Caption = "&Hide Orvane 98", .SeparatorBefore = true},
    {.Command = Terminate, .Menu = M::File, .Caption = "&Terminate Orvane 98"},

    {.Command = AddMacro,
     .Menu = M::Macro,
     .Caption = "&Add Macro...",
     .Shortcut = Key(Qt::Key_Insert),
     .Button = "Add",
     .ButtonPlace = 3,
     .Letter = "&Add Macro"},
    {.Command = ScriptingEditor,
     .Menu = M::Macro,
     .Caption = "&Scripting Editor...",
     .Button = "Edit",
     .ButtonPlace = 4,
     .Letter = "Scripting &Editor"},
    {.Command = ModifyDirectly,
     .Menu = M::Macro,
     .Caption = "&Modify Directly...",
     .Button = "Direct",
     .ButtonPlace = 5,
     .Letter = "Modify &Directly"},
    {.Command = RecaptureMacro,
     .Menu = M::Macro,
     .Caption = "Re&capture Macro",
     .Button = "Recapture",
     .ButtonPlace = 6,
     .Letter = "Re&capture Macro"},
    {.Command = RenameMacro,
     .Menu = M::Macro,
     .Caption = "&Rename Macro...",
     .Button = "Rename",
     .ButtonPlace = 7,
     .Letter = "Re&name Macro"},
    {.Command = CopyMacro,
     .Menu = M::Macro,
     .Caption = "C&opy Macro...",
     .Button = "Copy",
     .ButtonPlace = 8,
     .Letter = "Cop&y Macro"},
    {.Command = ActivateMacro,
     .Menu = M::Macro,
     .Caption = "Acti&vate Macro",
     .Button = "Activate",
     .ButtonPlace = 9,
     .Letter = "Acti&vate Macro"},
    {.Command = RemoveMacro,
     .Menu = M::Macro,
     .Caption = "R&emove Macro",
     .Shortcut = Key(Qt::Key_Delete),
     .Button = "Delete",
     .ButtonPlace = 10,
     .Letter = "&Remove Macro"},
    {.Command = QuickInfo,
     .Menu = M::Macro,
     .Caption = "&Quick Info",
     .Letter = "&Quick Info",
     .SeparatorBefore = true},
    {.Command = Sort,
     .Menu = M::Macro,
     .Caption = "Sor&t Order...",
     .Button = "Sort",
     .ButtonPlace = 15,
     .Letter = "Sor&t Order"},

    {.Command = Appearance,
     .Menu = M::Options,
     .Caption = "A&ppearance...",
     .Button = "Look",
     .ButtonPlace = 14},
    {.Command = ShortKeys, .Menu = M::Options, .Caption = "Short&Keys..."},
    {.Command = Capture, .Menu = M::Options, .Caption = "&Capture..."},
    {.Command = Remap, .Menu = M::Options, .Caption = "&Remap..."},
    {.Command = PlaceInSystemTray,
     .Menu = M::Options,
     .Caption = "Place in System &Tray",
     .Checkable = true,
     .SeparatorBefore = true},
    {.Command = ScreenSaver,
     .Menu = M::Options,
     .Caption = "&Disable if using Timed Macros",
     .Checkable = true},
    {.Command = RestoreKeyboardHooks,
     .Menu = M::Options,
     .Caption = "Restore &Keyboard Hooks",
     .SeparatorBefore = true},
    {.Command = RestoreMouseHooks, .Menu = M::Options, .Caption = "Restore &Mouse Hooks"},
    {.Command = EndCapture, .Menu = M::Options, .Caption = "&End Capture"},

    {.Command = Scheduler, .Menu = M::Scheduler, .Caption = {}},
    {.Command = ShowDate, .Menu = M::Scheduler, .Caption = "&Show Date && Time", .Checkable = true},
    {.Command = Alarm, .Menu = M::Scheduler, .Caption = "&Alarm..."},
    {.Command = TimerInterval, .Menu = M::Scheduler, .Caption = "&Timer Interval..."},

    {.Command = Help, .Menu = M::Help, .Caption = "&Contents"},
    {.Command = About, .Menu = M::Help, .Caption = "&About Orvane 98"},
};

constexpr std::array<std::pair<MainMenu, const char*>, 5> MenuTitles = {{
    {M::File, "&File"},
    {M::Macro, "&Macro"},
    {M::Options, "&Options"},
    {M::Scheduler, "&Scheduler"},
    {M::Help, "&Help"},
}};

QString Text(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::span<const MainCommandRow> MainCommandRows() {
    return Rows;
}

MainCommandTable::MainCommandTable(QMenuBar& menuBar, QWidget& buttonBar, QWidget& letterPanel,
                                   QObject* parent)
    : QObject(parent) {
    for (const auto& [menu, title] : MenuTitles) {
        menus_[menu] = menuBar.addMenu(QString::fromLatin1(title));
    }
    for (const MainCommandRow& row : Rows) {
        QMenu* menu = menus_[row.Menu];
        Entry& entry = entries_[row.Command];
        if (row.Command == Scheduler) {
            entry.Action = menu->menuAction();
            entry.Built = true; // the menu itself: its entries are built one by one
            continue;
        }
        if (row.SeparatorBefore) {
            menu->addSeparator();
        }
        if (row.Command == RecentFiles) {
            // Filled by whoever keeps the recent files; hidden while empty.
            recentSeparator_ = menu->addSeparator();
            recentSeparator_->setVisible(false);
            for (int i = 0; i < 5; ++i) {
                QAction* file = menu->addAction(QString());
                file->setVisible(false);
                file->setEnabled(false);
                recentFiles_.push_back(file);
            }
            entry.Built = true;
            continue;
        }
        entry.Action = menu->addAction(Text(row.Caption));
        entry.Action->setObjectName(QStringLiteral("command") +
                                    QString::number(static_cast<int>(row.Command)));
        if (row.Shortcut.toCombined() != 0) {
            entry.Action->setShortcut(QKeySequence(row.Shortcut));
        }
        entry.Action->setCheckable(row.Checkable);
    }

    std::vector<const MainCommandRow*> barRows;
    for (const MainCommandRow& row : Rows) {
        if (row.ButtonPlace > 0) {
            barRows.push_back(&row);
        }
    }
    std::sort(barRows.begin(), barRows.end(),
              [](const auto* a, const auto* b) { return a->ButtonPlace < b->ButtonPlace; });
    auto* barLayout = new QHBoxLayout(&buttonBar);
    barLayout->setContentsMargins(2, 2, 2, 2);
    barLayout->setSpacing(1);
    for (const MainCommandRow* row : barRows) {
        // A button of its own (not the menu's action) so a restriction level can disable the
        // button while the menu entry stays, as level 1 does for opening and printing.
        auto* button = new QToolButton(&buttonBar);
        button->setText(Text(row->Button));
        button->setObjectName(QStringLiteral("speed") + Text(row->Button));
        button->setToolTip(
            Text(row->Caption).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        button->setAccessibleName(button->toolTip());
        button->setAutoRaise(true);
        button->setProperty("command", static_cast<int>(row->Command));
        QAction* action = entries_[row->Command].Action;
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        entries_[row->Command].Button = button;
        barLayout->addWidget(button);
    }
    barLayout->addStretch(1);

    auto* letterLayout = new QVBoxLayout(&letterPanel);
    letterLayout->setContentsMargins(0, 0, 0, 0);
    letterLayout->setSpacing(3);
    for (const MainCommandRow& row : Rows) {
        if (row.Letter.empty()) {
            continue;
        }
        auto* button = new QToolButton(&letterPanel);
        button->setText(Text(row.Letter));
        button->setObjectName(QStringLiteral("letter") +
                              Text(row.Button.empty() ? row.Letter : row.Button)
                                  .remove(QLatin1Char('&'))
                                  .remove(QLatin1Char(' ')));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(26);
        button->setProperty("command", static_cast<int>(row.Command));
        connect(button, &QToolButton::clicked, entries_[row.Command].Action, &QAction::trigger);
        entries_[row.Command].Letter = button;
        letterLayout->addWidget(button);
    }
    letterLayout->addStretch(1);

    for (auto& [command, entry] : entries_) {
        if (entry.Action != nullptr && !entry.Built) {
            entry.Action->setStatusTip(QStringLiteral("Not available in this version yet"));
        }
        Refresh(entry);
    }
}

MainCommandTable::Entry& MainCommandTable::At(MainCommand command) {
    return entries_[command];
}

QAction* MainCommandTable::Action(MainCommand command) const {
    const auto found = entries_.find(command);
    return found == entries_.end() ? nullptr : found->second.Action;
}

QToolButton* MainCommandTable::Button(MainCommand command) const {
    const auto found = entries_.find(command);
    return found == entries_.end() ? nullptr : found->second.Button;
}

QToolButton* MainCommandTable::LetterButton(MainCommand command) const {
    const auto found = entries_.find(command);
    return found == entries_.end() ? nullptr : found->second.Letter;
}

QMenu* MainCommandTable::Menu(MainMenu menu) const {
    const auto found = menus_.find(menu);
    return found == menus_.end() ? nullptr : found->second;
}

void MainCommandTable::Bind(MainCommand command, std::function<void()> handler) {
    Entry& entry = At(command);
    if (entry.Action == nullptr) {
        return;
    }
    connect(entry.Action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
    entry.Built = true;
    entry.Action->setStatusTip(QString());
    Refresh(entry);
}

void MainCommandTable::BindToggle(MainCommand command, std::function<void(bool)> handler) {
    Entry& entry = At(command);
    if (entry.Action == nullptr) {
        return;
    }
    connect(entry.Action, &QAction::triggered, this,
            [handler = std::move(handler)](bool checked) { handler(checked); });
    entry.Built = true;
    entry.Action->setStatusTip(QString());
    Refresh(entry);
}

bool MainCommandTable::IsBuilt(MainCommand command) const {
    const auto found = entries_.find(command);
    return found != entries_.end() && found->second.Built;
}

void MainCommandTable::SetAvailable(MainCommand command, bool available) {
    Entry& entry = At(command);
    entry.Available = available;
    Refresh(entry);
}

void MainCommandTable::SetRestriction(const Restriction& restriction) {
    for (const MainCommand command : restriction.MenuEntries) {
        if (command == RecentFiles) {
            for (QAction* file : recentFiles_) {
                file->setEnabled(false);
            }
        }
        At(command).MenuForbidden = true;
    }
    for (const MainCommand command : restriction.Buttons) {
        At(command).ButtonForbidden = true;
    }
    for (auto& [command, entry] : entries_) {
        Refresh(entry);
    }
}

void MainCommandTable::SetUnsupported(MainCommand command, const QString& why) {
    Entry& entry = At(command);
    entry.Unsupported = true;
    for (QWidget* shown :
         {static_cast<QWidget*>(entry.Button), static_cast<QWidget*>(entry.Letter)}) {
        if (shown != nullptr) {
            shown->setToolTip(why);
            shown->setAccessibleDescription(why);
        }
    }
    if (entry.Action != nullptr) {
        entry.Action->setToolTip(why);
        entry.Action->setStatusTip(why);
        // Menus show no tool tips unless asked: the reason would never be seen there.
        for (QObject* holder : entry.Action->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(holder)) {
                menu->setToolTipsVisible(true);
            }
        }
    }
    Refresh(entry);
}

void MainCommandTable::SetCaptions(MainCommand command, const QString& menu, const QString& letter,
                                   const QString& hint) {
    Entry& entry = At(command);
    if (entry.Action != nullptr) {
        entry.Action->setText(menu);
    }
    if (entry.Letter != nullptr) {
        entry.Letter->setText(letter);
    }
    if (entry.Button != nullptr) {
        entry.Button->setToolTip(hint);
        entry.Button->setAccessibleName(hint);
    }
}

void MainCommandTable::Refresh(Entry& entry) {
    const bool usable = entry.Built && entry.Available && !entry.Unsupported;
    if (entry.Action != nullptr) {
        entry.Action->setEnabled(usable && !entry.MenuForbidden);
    }
    if (entry.Button != nullptr) {
        entry.Button->setEnabled(usable && !entry.MenuForbidden && !entry.ButtonForbidden);
    }
    if (entry.Letter != nullptr) {
        entry.Letter->setEnabled(usable && !entry.MenuForbidden);
    }
}

} // namespace orvane
