// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTests.h"
#include "app/CommandGroups.h"
#include "app/desktop/DesktopLimits.h"
#include "ui/MainCommandTable.h"
#include "ui/Prompter.h"
#include "ui/library/TMainWin.h"
#include "widgets/MacroGrid.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace orvane {
namespace {

struct Fixture {
    SettingsBlock settings;
    int saves = 0;
    std::unique_ptr<TMainWin> window;

    explicit Fixture(bool useSpeed = false, bool storedSizes = true) {
        settings.UseSpeed = useSpeed;
        if (storedSizes) {
            settings.MainWindow = {700, 500, 0, 0}; // a size the user chose: widths kept
        }
        TMainWin::Services services;
        services.Settings = &settings;
        services.SaveSettings = [this] { ++saves; };
        window = std::make_unique<TMainWin>(services);
        BuildCommandGroups(*window);
        window->SetMacroFile(QStringLiteral("/home/u/.local/share/orvane/Work.ORV"),
                             SampleMacros());
        window->show();
    }
};

QToolButton* ButtonFor(QWidget& parent, MainCommand command) {
    for (QToolButton* button : parent.findChildren<QToolButton*>()) {
        if (button->property("command").toInt() == static_cast<int>(command)) {
            return button;
        }
    }
    return nullptr;
}

} // namespace

void MainWindowTest::CaptionAndList() {
    Fixture f;
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Orvane 98 (Work)"));
    QCOMPARE(TMainWin::CaptionFor(QStringLiteral("/x/ORVAN.ORV")),
             QStringLiteral("Orvane 98 (ORVAN)"));
    QCOMPARE(TMainWin::CaptionFor(QStringLiteral("/x/macros")),
             QStringLiteral("Orvane 98 (macros)"));
    // The clock in the caption turns each minute: it shows no seconds that would stand still.
    f.settings.ShowDate = true;
    f.window->DoCaption();
    QVERIFY(!QRegularExpression(QStringLiteral("\\d:\\d\\d:\\d\\d"))
                 .match(f.window->windowTitle())
                 .hasMatch());
    f.settings.ShowDate = false;
    f.window->DoCaption();
    QCOMPARE(f.window->Grid().Model().rowCount(), 9);
    QCOMPARE(f.window->Grid().columnWidth(1), 112);
    QCOMPARE(f.window->Grid().columnWidth(3), 132);
    f.window->Grid().horizontalHeader()->resizeSection(3, 150);
    QCOMPARE(f.settings.Col3Width, 150);

    // Reloading keeps the selected macro selected.
    QVERIFY(f.window->Grid().SelectRecord(6));
    f.window->SetMacroFile(QStringLiteral("/x/Work.ORV"), SampleMacros());
    QCOMPARE(f.window->Grid().SelectedRecord(), 6);
}

void MainWindowTest::FirstStartFitsTheDefaultsToTheFont() {
    // Untouched defaults: the longest usual texts read whole, and the window holds the columns
    // and the whole button bar, whose captions are never squeezed.
    for (const bool useSpeed : {false, true}) {
        Fixture f(useSpeed, false);
        const MacroGrid& grid = f.window->Grid();
        const QFontMetrics metrics(grid.font());
        QVERIFY(grid.columnWidth(1) >
                metrics.horizontalAdvance(QStringLiteral("Ctrl+Alt+Shift+W")));
        QVERIFY(grid.columnWidth(2) >
                metrics.horizontalAdvance(QStringLiteral("Menu of Macros for Top Most Window")));
        QVERIFY(grid.geometry().right() <= f.window->centralWidget()->width());
        QVERIFY(grid.columnViewportPosition(3) + grid.columnWidth(3) <= grid.viewport()->width());
        for (QToolButton* button : f.window->findChildren<QToolButton*>()) {
            if (button->isVisibleTo(f.window.get()) && button->property("command").isValid()) {
                QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            }
        }
        QCOMPARE(f.settings.Col2Width, grid.columnWidth(2));
    }
    // Widths the user set are kept as they are.
    Fixture stored;
    QCOMPARE(stored.window->Grid().columnWidth(2), 168);
}

void MainWindowTest::MessagesAppearOverTheDialogThatRaisedThem() {
    Fixture f;
    Prompter prompter(f.window.get());
    QDialog dialog(f.window.get());
    dialog.open();
    QWidget* over = nullptr;
    QTimer::singleShot(0, [&over] {
        QWidget* box = QApplication::activeModalWidget();
        over = box->parentWidget();
        box->close();
    });
    prompter.Show("Error", "Invalid width specified.");
    QCOMPARE(over, &dialog);
}

void MainWindowTest::LayoutFollowsUseSpeed() {
    Fixture panel(false);
    panel.window->resize(640, 424);
    QTest::qWait(0);
    QVERIFY(panel.window->LetterPanel().isVisible());
    QVERIFY(!panel.window->ButtonBar().isVisible());
    const QWidget* client = panel.window->centralWidget();
    QCOMPARE(panel.window->Grid().geometry().top(), 4);
    QCOMPARE(panel.window->Grid().height(), client->height() - 9);
    QCOMPARE(panel.window->Grid().width(), client->width() - 4 - 159);
    QVERIFY(panel.window->LetterPanel().geometry().left() >
            panel.window->Grid().geometry().right());

    Fixture bar(true);
    QVERIFY(bar.window->ButtonBar().isVisible());
    QVERIFY(!bar.window->LetterPanel().isVisible());
    QCOMPARE(bar.window->Grid().geometry().top(), 35);
    QCOMPARE(bar.window->Grid().height(), bar.window->centralWidget()->height() - 40);
    QCOMPARE(bar.window->Grid().width(), bar.window->centralWidget()->width() - 4);
}

void MainWindowTest::RestrictionLevels() {
    for (const int level : {1, 2}) {
        Fixture f(true);
        f.window->ApplyRestriction(level);
        QWidget& bar = f.window->ButtonBar();
        QVERIFY(!ButtonFor(bar, MainCommand::OpenFile)->isEnabled());
        QVERIFY(!ButtonFor(bar, MainCommand::PrintMacroList)->isEnabled());
        QVERIFY(!f.window->LetterPanel().isEnabled());
        QCOMPARE(f.window->Action(MainCommand::Sort)->isEnabled(), level == 1);
        QCOMPARE(ButtonFor(bar, MainCommand::Sort)->isEnabled(), level == 1);
        QVERIFY(f.window->Action(MainCommand::Terminate)->isEnabled());
        // Clicks change nothing under a restriction.
        const QString before = f.window->Action(MainCommand::ActivateMacro)->text();
        f.window->Grid().SelectRecord(5);
        emit f.window->Grid().RowClicked(f.window->Grid().Model().List().ReverseSort(5));
        QCOMPARE(f.window->Action(MainCommand::ActivateMacro)->text(), before);
    }
    Fixture free(true);
    free.window->ApplyRestriction(0);
    QVERIFY(free.window->Action(MainCommand::Sort)->isEnabled());
    QVERIFY(ButtonFor(free.window->ButtonBar(), MainCommand::Sort)->isEnabled());
}

void MainWindowTest::UnbuiltCommandsAreDisabled() {
    Fixture f;
    for (const MainCommand command :
         {MainCommand::AddMacro, MainCommand::OpenFile, MainCommand::ScriptingEditor,
          MainCommand::Capture, MainCommand::EndCapture}) {
        QAction* action = f.window->Action(command);
        QVERIFY(action);
        QVERIFY(!action->isEnabled());
    }
    QVERIFY(f.window->Action(MainCommand::Terminate)->isEnabled());
    QCOMPARE(f.window->Action(MainCommand::Hide)->text(), QStringLiteral("&Hide Orvane 98"));
    QCOMPARE(f.window->Action(MainCommand::Terminate)->text(),
             QStringLiteral("&Terminate Orvane 98"));
    // The offscreen platform has no notification area: the tray cannot be chosen, and the
    // window can still be hidden (the Activate hot key brings it back).
    QVERIFY(!f.window->Action(MainCommand::PlaceInSystemTray)->isEnabled());
    QVERIFY(!f.settings.UseTray);
    QVERIFY(f.window->Action(MainCommand::Hide)->isEnabled());
    // A notification area arrives: the tray can be chosen, and hiding is its business again;
    // it leaves: as before.
    f.window->FollowTray(true);
    QVERIFY(f.window->Action(MainCommand::PlaceInSystemTray)->isEnabled());
    QVERIFY2(!f.window->Action(MainCommand::Hide)->isEnabled(), "Hide goes with the tray");
    f.window->FollowTray(false);
    QVERIFY(!f.window->Action(MainCommand::PlaceInSystemTray)->isEnabled());
    QVERIFY(f.window->Action(MainCommand::Hide)->isEnabled());
}

// On a desktop that hides the user's typing (Wayland), ShortKeys, capture and remapping cannot
// work: their commands stay disabled even when the selection would enable them, and say why in
// the menu, on the buttons and to screen readers.
void MainWindowTest::WhatTheDesktopLacksStaysDisabledAndSaysWhy() {
    Fixture f;
    const std::vector<MainCommand> lacking = {MainCommand::ShortKeys, MainCommand::Capture,
                                              MainCommand::EndCapture, MainCommand::RecaptureMacro,
                                              MainCommand::Remap};
    for (const MainCommand command : lacking) {
        f.window->Commands().Bind(command, [] {});
    }
    DisableWhatTheDesktopLacks(f.window->Commands(), {false, false, false});
    for (const MainCommand command : lacking) {
        f.window->Commands().SetAvailable(command, true);
        QAction* action = f.window->Action(command);
        QVERIFY2(!action->isEnabled(), qPrintable(action->text()));
        QVERIFY2(action->toolTip().contains(QStringLiteral("This desktop")),
                 qPrintable(action->toolTip()));
        for (QObject* holder : action->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(holder)) {
                QVERIFY(menu->toolTipsVisible());
            }
        }
        if (QToolButton* button = ButtonFor(*f.window, command)) {
            QVERIFY(!button->isEnabled());
            QCOMPARE(button->accessibleDescription(), action->toolTip());
        }
    }
    QVERIFY(f.window->Action(MainCommand::Terminate)->isEnabled());

    // Where the desktop can do everything, nothing changes.
    Fixture x11;
    x11.window->Commands().Bind(MainCommand::ShortKeys, [] {});
    DisableWhatTheDesktopLacks(x11.window->Commands(), {});
    QVERIFY(x11.window->Action(MainCommand::ShortKeys)->isEnabled());
}

void MainWindowTest::HeaderSortSavesOnlyWhenThePrimaryKeyChanges() {
    Fixture f;
    QHeaderView* header = f.window->Grid().horizontalHeader();
    const auto rightClick = [header](int column) {
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mousePress(header->viewport(), Qt::RightButton, {}, at);
        QTest::mouseRelease(header->viewport(), Qt::RightButton, {}, at);
    };
    rightClick(2);
    QCOMPARE(f.settings.PrimarySort, std::string("213"));
    QCOMPARE(f.saves, 1);
    QCOMPARE(f.window->Grid().Model().index(0, 2).data().toString(),
             QStringLiteral("Activate Orvane"));
    rightClick(2);
    QCOMPARE(f.saves, 1);
    f.settings.SortHeader = false;
    rightClick(3);
    QCOMPARE(f.settings.PrimarySort, std::string("213"));
    QCOMPARE(f.saves, 1);
}

void MainWindowTest::ShowInFrontRestoresAMinimisedWindowAndKeepsAMaximisedOne() {
    struct Case {
        const char* Name;
        Qt::WindowStates Before;
        Qt::WindowStates After;
    };
    const Case cases[] = {
        {"normal", Qt::WindowNoState, Qt::WindowNoState},
        {"minimised", Qt::WindowMinimized, Qt::WindowNoState},
        {"maximised", Qt::WindowMaximized, Qt::WindowMaximized},
        {"minimised from maximised", Qt::WindowMinimized | Qt::WindowMaximized,
         Qt::WindowMaximized},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.window->setWindowState(c.Before);
        f.window->ShowInFront();
        QVERIFY2(f.window->isVisible(), c.Name);
        QCOMPARE(f.window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), c.After);
    }
    Fixture hidden;
    hidden.window->setWindowState(Qt::WindowMaximized);
    hidden.window->hide();
    hidden.window->ShowInFront();
    QVERIFY(hidden.window->isVisible());
    QVERIFY(hidden.window->isMaximized());
}

void MainWindowTest::CommandTableBuildsMenusButtonsAndPanel() {
    Fixture f(true);
    MainCommandTable& table = f.window->Commands();
    for (const MainCommandRow& row : MainCommandRows()) {
        if (row.Caption.empty() || row.Command == MainCommand::ActivateMacro) {
            continue; // the activate caption follows the selected macro
        }
        QAction* action = table.Action(row.Command);
        QVERIFY(action);
        QCOMPARE(action->text(), QString::fromLatin1(row.Caption.data(), row.Caption.size()));
        QVERIFY(table.Menu(row.Menu)->actions().contains(action));
        QCOMPARE(action->isCheckable(), row.Checkable);
    }
    const auto captions = [](QWidget& parent) {
        QStringList texts;
        for (int i = 0; QLayoutItem* item = parent.layout()->itemAt(i); ++i) {
            if (auto* button = qobject_cast<QToolButton*>(item->widget())) {
                texts << button->text();
            }
        }
        return texts.join(QLatin1Char(','));
    };
    QCOMPARE(captions(f.window->ButtonBar()),
             QStringLiteral("New,Open,Add,Edit,Direct,Recapture,Rename,Copy,Activate,Delete,"
                            "Import,Export,Print,Look,Sort"));
    QCOMPARE(captions(f.window->LetterPanel()),
             QStringLiteral("&Add Macro,Scripting &Editor,Modify &Directly,Re&capture Macro,"
                            "Re&name Macro,Cop&y Macro,Deacti&vate Macro,&Remove Macro,"
                            "&Quick Info,Sor&t Order"));
    // Every mnemonic of the menu bar and the letter panel is used once.
    QStringList letters;
    for (QAction* menu : f.window->menuBar()->actions()) {
        letters << menu->text().section(QLatin1Char('&'), 1).left(1).toLower();
    }
    for (QToolButton* button : f.window->LetterPanel().findChildren<QToolButton*>()) {
        letters << button->text().section(QLatin1Char('&'), 1).left(1).toLower();
    }
    letters.sort();
    QCOMPARE(letters.size(), 15);
    QCOMPARE(letters.removeDuplicates(), 0);

    // A command is built when a handler is bound; availability and both buttons follow.
    // Printing reads the macro file, so without one it stays unbuilt.
    QVERIFY(!table.IsBuilt(MainCommand::PrintMacroList));
    QVERIFY(!table.Button(MainCommand::PrintMacroList)->isEnabled());
    int runs = 0;
    table.Bind(MainCommand::PrintMacroList, [&runs] { ++runs; });
    QVERIFY(table.Action(MainCommand::PrintMacroList)->isEnabled());
    table.Button(MainCommand::PrintMacroList)->click();
    table.Action(MainCommand::PrintMacroList)->trigger();
    QCOMPARE(runs, 2);
    table.SetAvailable(MainCommand::PrintMacroList, false);
    QVERIFY(!table.Action(MainCommand::PrintMacroList)->isEnabled());
    QVERIFY(!table.Button(MainCommand::PrintMacroList)->isEnabled());
    // A checkable entry hands its handler the new state.
    bool state = false;
    table.BindToggle(MainCommand::EndCapture, [&state](bool on) { state = on; });
    table.Action(MainCommand::EndCapture)->setCheckable(true);
    table.Action(MainCommand::EndCapture)->trigger();
    QVERIFY(state);
}

} // namespace orvane
