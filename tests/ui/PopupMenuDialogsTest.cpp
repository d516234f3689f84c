// SPDX-License-Identifier: GPL-3.0-or-later
// "Choose A Macro" and "Build Macro Menu" on the offscreen platform over a real macro file: the
// keys, clicks and lists of the menu in both forms, icons read from files or the default one,
// the builder's moves and checks, and the menu and its tray icons after a member is removed.
#include "activation/PopupMenu.h"
#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "library/MacroManagement.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "support/MacroFiles.h"
#include "ui/MacroIcons.h"
#include "ui/MainCommandTable.h"
#include "ui/activation/TDoAMenu.h"
#include "ui/activation/TDoBuildMenu.h"
#include "ui/library/TMainWin.h"
#include "widgets/TrayIcons.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace orvane {
namespace {

// A loaded macro file with its "Icons" folder beside it.
struct Files {
    QTemporaryDir folder;
    std::filesystem::path path;
    std::filesystem::path icons;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};

    explicit Files(const std::vector<MacroRecord>& records) {
        path = std::filesystem::path(folder.path().toStdString()) / "Menus.ORV";
        icons = std::filesystem::path(folder.path().toStdString()) / "Icons";
        std::filesystem::create_directories(icons);
        WriteMacroFile(path, records);
        store.LoadMacroFile(path);
        store.SetHotKeys();
    }
    QString Icon(const char* name) const { return QString::fromStdString((icons / name).string()); }
};

MacroRecord Macro(const char* key, const char* nickname, const char* icon = "MAIN") {
    MacroRecord record = HotKeyMacro(key, ScopeGlobal, nickname);
    record.Icon.Assign(icon);
    return record;
}

MacroRecord Menu(const char* key, std::vector<std::uint16_t> members, const char* options,
                 const char* nickname = "menu", const char* icon = "MENU") {
    MacroRecord record = PopupMenuMacro(key, std::move(members));
    record.ShortKey.Assign(options);
    record.Nickname.Assign(nickname);
    record.Icon.Assign(icon);
    return record;
}

ChooseMenu ListMenu(int count, MenuShows shows = MenuShows::NicknameAndScope) {
    ChooseMenu menu;
    menu.Options.Shows = shows;
    for (int i = 0; i < count; ++i) {
        menu.Items.push_back({100 + i, ItemLabel(i), "m" + std::to_string(i), "GLOBAL",
                              "text " + std::to_string(i), "MAIN", false});
    }
    return menu;
}

QRgb CentreOf(const QIcon& icon, int size) {
    return icon.pixmap(size, size).toImage().pixel(size / 2, size / 2);
}

} // namespace

class PopupMenuDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void KeysChooseTheirItemOrNothing();
    void TwoListsPastEighteenAndDoubleClicks();
    void IconsFormClicksAndIconFiles();
    void BuilderMovesChecksAndWritesTheMenu();
    void RemovingAMemberUpdatesTheMenuAndTheTrayIcons();
};

void PopupMenuDialogsTest::KeysChooseTheirItemOrNothing() {
    const struct {
        const char* Case;
        int Count;
        Qt::Key Key;
        QString Text;
        std::optional<int> Chosen;
    } cases[] = {
        {"digit", 3, Qt::Key_2, QStringLiteral("2"), 102},
        {"lower-case letter", 12, Qt::Key_B, QStringLiteral("b"), 111},
        {"space: the first item", 3, Qt::Key_Space, QStringLiteral(" "), 100},
        {"a letter past the items: nothing", 3, Qt::Key_Z, QStringLiteral("z"), std::nullopt},
        {"escape: cancelled", 3, Qt::Key_Escape, QString(), std::nullopt},
    };
    for (const auto& c : cases) {
        TDoAMenu menu(ListMenu(c.Count), {}, -1);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::keyClick(menu.LeftList(), c.Key, Qt::NoModifier);
        QVERIFY2(menu.Chosen() == c.Chosen, c.Case);
        // Only a choice or a cancel closes the window.
        QCOMPARE(menu.isVisible(), !c.Chosen && c.Key != Qt::Key_Escape);
    }

    // Enter takes the line that has the focus; the keyboard reaches the Cancel button too.
    TDoAMenu menu(ListMenu(4), {}, -1);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    menu.LeftList()->setCurrentRow(3);
    QTest::keyClick(menu.LeftList(), Qt::Key_Return);
    QCOMPARE(menu.Chosen(), std::optional<int>(103));
    QCOMPARE(menu.windowTitle(), QStringLiteral("Choose A Macro"));
    QVERIFY(menu.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(menu.CancelButton()->text(), QStringLiteral("&Cancel"));
}

void PopupMenuDialogsTest::TwoListsPastEighteenAndDoubleClicks() {
    TDoAMenu one(ListMenu(18), {}, -1);
    QVERIFY(one.RightList() == nullptr);
    QCOMPARE(one.LeftList()->count(), 18);
    QCOMPARE(one.size(), QSize(300, 356));

    TDoAMenu menu(ListMenu(19), {}, -1);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(menu.size(), QSize(604, 356));
    QCOMPARE(menu.LeftList()->count(), 18);
    QVERIFY(menu.RightList() != nullptr);
    QCOMPARE(menu.RightList()->count(), 1);
    QCOMPARE(menu.RightList()->item(0)->text(), QStringLiteral("I m18, GLOBAL"));

    // Lines are 17 pixels high: the n-th line is where a click at its height lands.
    QListWidget* left = menu.LeftList();
    const QRect third = left->visualItemRect(left->item(2));
    QCOMPARE(third.height(), MenuLineHeight);
    QCOMPARE(left->viewport()->geometry().top(), 4);
    QCOMPARE(left->indexAt(QPoint(100, 2 * MenuLineHeight + 8)).row(), 2);

    QListWidget* right = menu.RightList();
    const QPoint line = right->visualItemRect(right->item(0)).center();
    // A double click is a press, a release, the double click itself and a release; the line
    // is chosen once the button is up, so no half of the click lands in another window.
    QTest::mouseClick(right->viewport(), Qt::LeftButton, Qt::NoModifier, line);
    QTest::mouseDClick(right->viewport(), Qt::LeftButton, Qt::NoModifier, line);
    QVERIFY(!menu.Chosen());
    QTest::mouseRelease(right->viewport(), Qt::LeftButton, Qt::NoModifier, line);
    QCOMPARE(menu.Chosen(), std::optional<int>(118)); // the second list counts from 18

    TDoAMenu byKey(ListMenu(19), {}, -1);
    byKey.show();
    QTest::keyClick(byKey.LeftList(), Qt::Key_I, Qt::ShiftModifier);
    QCOMPARE(byKey.Chosen(), std::optional<int>(118)); // I is item 18
}

void PopupMenuDialogsTest::IconsFormClicksAndIconFiles() {
    Files files({Macro("Ctrl+A", "red", "RED.ICO"), Macro("Ctrl+B", "broken", "BROKEN.ICO"),
                 Macro("Ctrl+C", "gone", "GONE.ICO"), Menu("Ctrl+D", {1}, "N20", "inner"),
                 Menu("Ctrl+M", {1, 2, 3, 4}, "N22")});
    QImage red(32, 32, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(files.Icon("RED.ICO"), "ICO"));
    QFile broken(files.Icon("BROKEN.ICO"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("not an icon at all");
    broken.close();

    MacroRecord record;
    QVERIFY(files.store.ReadMacro(5, record));
    const ChooseMenu menu = MenuOf(files.store, record);
    std::vector<QIcon> icons;
    for (const MenuItem& item : menu.Items) {
        icons.push_back(MacroIconFor(item.Icon, item.PopupMenu, files.icons));
    }
    QCOMPARE(CentreOf(icons[0], 32), QColor(Qt::red).rgb());
    QCOMPARE(CentreOf(icons[1], 32), CentreOf(ProgramIcon(), 32)); // unreadable: the default
    QCOMPARE(CentreOf(icons[2], 32), CentreOf(ProgramIcon(), 32)); // missing: the default
    QCOMPARE(CentreOf(icons[3], 32), CentreOf(MenuIcon(), 32));    // a menu: the menu icon
    QCOMPARE(CentreOf(MacroIconFor("GONE.ICO", true, files.icons), 32), CentreOf(MenuIcon(), 32));

    TDoAMenu dialog(menu, icons, -1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.IconButtons().size(), std::size_t{4});
    QCOMPARE(dialog.width(), 4 * 36);
    QCOMPARE(dialog.IconButtons()[1]->toolTip(), QStringLiteral("broken"));
    QCOMPARE(dialog.IconButtons()[1]->geometry(), QRect(36, 0, 36, 36));
    QVERIFY(dialog.LeftList() == nullptr);
    QTest::mouseClick(dialog.IconButtons()[2], Qt::LeftButton);
    QCOMPARE(dialog.Chosen(), std::optional<int>(3));

    TDoAMenu three(ChooseMenu{{.Shows = MenuShows::Icons, .IconSizeIndex = 2},
                              {menu.Items.begin(), menu.Items.begin() + 3}},
                   {}, -1);
    QCOMPARE(three.size(), QSize(144, 58));
    three.show();
    QTest::keyClick(three.IconButtons()[0], Qt::Key_1);
    QCOMPARE(three.Chosen(), std::optional<int>(2));
}

void PopupMenuDialogsTest::BuilderMovesChecksAndWritesTheMenu() {
    Files files({Macro("Ctrl+A", "alpha"), Macro("Ctrl+B", "beta"), Macro("Ctrl+C", "gamma"),
                 Menu("Ctrl+M", {3, 1}, "N30", "letters", "LOST.ICO")});
    TDoBuildMenu::Setup setup;
    setup.RecordNumber = 4;
    setup.ActivationText = QStringLiteral("Ctrl+M");
    setup.IconFolder = files.icons;
    setup.Now = [] { return 45000.0; };
    MacroRecord record;
    QVERIFY(files.store.ReadMacro(4, record));
    TDoBuildMenu builder(files.store, record, setup, files.messages);
    builder.show();
    QVERIFY(QTest::qWaitForWindowExposed(&builder));
    QCOMPARE(builder.windowTitle(), QStringLiteral("Build Macro Menu (Ctrl+M)"));
    QCOMPARE(builder.IconName(), std::string("MENU")); // a lost icon file shows the menu icon
    QCOMPARE(builder.NicknameEdit()->text(), QStringLiteral("letters"));
    QTreeWidget* available = builder.AvailableList();
    QTreeWidget* members = builder.MenuList();
    QCOMPARE(available->topLevelItemCount(), 1); // no system macro, no member, not itself
    QCOMPARE(available->topLevelItem(0)->text(1), QStringLiteral("beta"));
    QCOMPARE(members->topLevelItem(0)->text(0), QStringLiteral("Ctrl+C"));
    QCOMPARE(members->topLevelItem(0)->text(2), QStringLiteral("GLOBAL"));

    builder.AddButtonClick();
    QCOMPARE(files.messages.Shown.back(),
             (FakeMessageSink::Message{"Error", "No macro selected.  Please select one."}));
    builder.RemoveClick();
    QCOMPARE(files.messages.Shown.size(), std::size_t{2});

    // A click on a line of either list shows its macro's Quick Info once the double-click time
    // has passed without a second click.
    const auto clickShows = [](QTreeWidget* list, int line) {
        QString shown;
        QTimer::singleShot(0, [&] {
            QTimer* closer = new QTimer;
            closer->setInterval(20);
            QObject::connect(closer, &QTimer::timeout, [closer, &shown] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    shown = modal->windowTitle();
                    modal->close();
                    closer->deleteLater();
                }
            });
            closer->start();
        });
        const QRect rect = list->visualItemRect(list->topLevelItem(line));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        return QTest::qWaitFor([&] { return !shown.isEmpty(); }, 10000) ? shown : QString();
    };
    QCOMPARE(clickShows(available, 0), QStringLiteral("Quick Info"));
    QCOMPARE(clickShows(members, 1), QStringLiteral("Quick Info"));

    members->setCurrentItem(members->topLevelItem(0));
    QVERIFY(!builder.UpButton()->isEnabled());
    QVERIFY(builder.DownButton()->isEnabled());
    available->setCurrentItem(available->topLevelItem(0));
    builder.InsertBeforeClick(); // beta before gamma
    QCOMPARE(members->topLevelItemCount(), 3);
    QCOMPARE(members->currentItem()->text(1), QStringLiteral("beta"));
    QVERIFY(!builder.UpButton()->isEnabled());
    builder.DownClick();
    QCOMPARE(members->topLevelItem(1)->text(1), QStringLiteral("beta"));
    QVERIFY(builder.DownButton()->isEnabled());

    builder.TakeIcon(files.Icon("../notes.txt"));
    QCOMPARE(files.messages.Shown.back().Text, std::string("Invalid file type selected."));
    const QString outside = QString::fromStdString(
        (std::filesystem::path(files.folder.path().toStdString()) / "STAR.ICO").string());
    QImage star(16, 16, QImage::Format_ARGB32);
    star.fill(Qt::blue);
    QVERIFY(star.save(outside, "ICO"));
    builder.TakeIcon(outside);
    QCOMPARE(builder.IconName(), std::string("STAR.ICO"));
    QVERIFY2(std::filesystem::exists(files.icons / "STAR.ICO"), "copied into the icons folder");

    builder.TrayBox()->setChecked(true);
    builder.ShowsButton(MenuShows::Icons)->setChecked(true);
    builder.IconSizeBox()->setCurrentIndex(1);
    builder.NicknameEdit()->setText(QStringLiteral("Letters"));
    builder.OkButtonClick();
    QVERIFY(builder.Saved());
    const MacroRecord& written = builder.Record();
    QCOMPARE(written.PopupMembers(), (std::vector<std::uint16_t>{3, 2, 1}));
    QCOMPARE(written.ShortKey.Str(), std::string("Y21"));
    QCOMPARE(written.Icon.Str(), std::string("STAR.ICO"));
    QCOMPARE(written.Nickname.Str(), std::string("Letters"));
    QCOMPARE(written.LastModified, 45000.0);
}

void PopupMenuDialogsTest::RemovingAMemberUpdatesTheMenuAndTheTrayIcons() {
    Files files({Macro("Ctrl+A", "alpha", "RED.ICO"), Macro("Ctrl+B", "beta"),
                 Macro("Ctrl+C", "gamma", "MENU"), Menu("Ctrl+M", {1, 2, 3}, "Y20", "icons")});
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(files.Icon("RED.ICO"), "ICO"));
    SettingsBlock settings;
    TMainWin::Services services;
    services.Settings = &settings;
    services.SaveSettings = [] {};
    services.Store = &files.store;
    services.Messages = &files.messages;
    services.IconFolder = files.icons;
    TMainWin window(services);
    BuildCommandGroups(window);
    window.RefreshFromStore();
    QCOMPARE(window.Tray().MenuIconRecords(), std::vector<int>{4});
    QVERIFY2(!window.RebuildMenuTaskIcons(), "nothing changed: the icons stay");

    // Removing "beta" takes it out of the menu, and the menu moves up a record: its tray icon
    // must name the new record.
    files.messages.Answers = {true, true};
    const StoredMacro removed = RemoveMacro(files.store, 2, files.messages);
    QVERIFY(removed.Stored);
    QVERIFY(window.RebuildMenuTaskIcons());
    QCOMPARE(window.Tray().MenuIconRecords(), std::vector<int>{3});
    MacroRecord menu;
    QVERIFY(files.store.ReadMacro(3, menu));
    QCOMPARE(menu.Scope, ScopePopupMenu);
    const ChooseMenu shown = MenuOf(files.store, menu);
    QCOMPARE(shown.Items.size(), std::size_t{2});
    QCOMPARE(shown.Items[1].Name, std::string("gamma"));
    QCOMPARE(shown.Items[1].Label, std::string("1"));

    std::vector<QIcon> icons;
    for (const MenuItem& item : shown.Items) {
        icons.push_back(MacroIconFor(item.Icon, item.PopupMenu, files.icons));
    }
    TDoAMenu dialog(shown, icons, -1);
    QCOMPARE(dialog.IconButtons().size(), std::size_t{2});
    QCOMPARE(CentreOf(dialog.IconButtons()[0]->icon(), 16), QColor(Qt::red).rgb());
    QCOMPARE(CentreOf(dialog.IconButtons()[1]->icon(), 16), CentreOf(MenuIcon(), 16));
    QCOMPARE(dialog.IconButtons()[1]->toolTip(), QStringLiteral("gamma"));
}

} // namespace orvane

QTEST_MAIN(orvane::PopupMenuDialogsTest)
#include "PopupMenuDialogsTest.moc"
