// SPDX-License-Identifier: GPL-3.0-or-later
// Popup menus of macros: the stored options, labels and keys, what a menu lists, its layout and
// place, the menu of the window in front, the tray icons, the builder's lists, and the whole
// road from a struck key through the menu to the macro played in the window the user worked in.
#include "activation/PopupMenu.h"
#include "FakeHotKeyHost.h"
#include "MacroFileFixture.h"
#include "activation/ActivationHosts.h"
#include "activation/HotKeyDispatch.h"
#include "activation/MenuBuild.h"
#include "activation/PopupMenus.h"
#include "core/SettingsBlock.h"
#include "core/TextCase.h"
#include "platform/fake/FakeEventPump.h"
#include "platform/fake/FakeInputSynth.h"
#include "platform/fake/FakePlaybackCommands.h"
#include "platform/fake/FakePrompts.h"
#include "platform/fake/FakeWallClock.h"
#include "playback/Player.h"

#include <functional>
#include <gtest/gtest.h>

namespace orvane {
namespace {

MacroRecord Named(MacroRecord record, std::string_view nickname) {
    record.Nickname.Assign(nickname);
    return record;
}

MacroRecord MenuMacro(std::string_view key, std::vector<std::uint16_t> members,
                      std::string_view options = "N30", std::string_view icon = "MENU") {
    MacroRecord record = PopupMenuMacro(key, std::move(members));
    record.ShortKey.Assign(options);
    record.Icon.Assign(icon);
    return record;
}

TEST(PopupMenuOptionsTest, StoredOptionsReadSafelyAndWriteBack) {
    const struct {
        const char* Stored;
        PopupMenuOptions Expected;
    } cases[] = {
        {"Y21", {.InTray = true, .Shows = MenuShows::Icons, .IconSizeIndex = 1}},
        {"N14", {.InTray = false, .Shows = MenuShows::FirstPartOfMacro, .IconSizeIndex = 4}},
        {"y30", {.InTray = false, .Shows = MenuShows::NicknameAndScope, .IconSizeIndex = 0}},
        {"Y9Z", {.InTray = true, .Shows = MenuShows::NicknameAndScope, .IconSizeIndex = 0}},
        {"", {}},
        {"Y", {.InTray = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        EXPECT_EQ(PopupMenuOptionsFrom(c.Stored), c.Expected);
    }
    const PopupMenuOptions options{.InTray = true, .Shows = MenuShows::Icons, .IconSizeIndex = 3};
    EXPECT_EQ(options.Text(), "Y23");
    EXPECT_EQ(options.IconSize(), 48);
    EXPECT_EQ(PopupMenuOptionsFrom(options.Text()), options);
}

TEST(PopupMenuKeysTest, LabelsAndTheItemEachKeyChooses) {
    const struct {
        int Item;
        const char* Label;
    } labels[] = {{0, "0"}, {9, "9"}, {10, "A"}, {18, "I"}, {35, "Z"}, {36, ""}, {-1, ""}};
    for (const auto& c : labels) {
        EXPECT_EQ(ItemLabel(c.Item), c.Label) << c.Item;
    }
    const struct {
        char32_t Typed;
        int Count;
        std::optional<int> Item;
    } keys[] = {
        {U'2', 3, 2},
        {U'a', 11, 10},
        {U'A', 11, 10},
        {U'I', 19, 18},
        {U'z', 36, 35},
        {U' ', 3, 0},
        {U'\u00e9', 5, 0},
        {U'.', 1, 0},
        {U'3', 3, std::nullopt},
        {U'B', 11, std::nullopt},
        {U' ', 0, std::nullopt},
    };
    for (const auto& c : keys) {
        SCOPED_TRACE(static_cast<std::uint32_t>(c.Typed));
        EXPECT_EQ(ItemForKey(c.Typed, c.Count), c.Item) << "of " << c.Count;
    }
}

TEST(PopupMenuLayoutTest, IconsAndListsSizeTheWindow) {
    const PopupMenuOptions icons16{.Shows = MenuShows::Icons, .IconSizeIndex = 0};
    const PopupMenuOptions icons32{.Shows = MenuShows::Icons, .IconSizeIndex = 2};
    const PopupMenuOptions list{.Shows = MenuShows::NicknameAndScope};
    const struct {
        const char* Case;
        PopupMenuOptions Options;
        int Count;
        int Width, Height, Rows, Left, Right;
    } cases[] = {
        {"3 icons of 32 px", icons32, 3, 144, 58, 1, 0, 0},
        {"4 icons", icons16, 4, 80, 42, 1, 0, 0},
        {"8 icons", icons16, 8, 160, 42, 1, 0, 0},
        {"9 icons, one row", icons16, 9, 180, 42, 1, 0, 0},
        {"10 icons, two rows", icons16, 10, 180, 62, 2, 0, 0},
        {"no icon", icons16, 0, 80, 42, 1, 0, 0},
        {"3 lines", list, 3, 300, 101, 0, 59, 0},
        {"18 lines, one list", list, 18, 300, 356, 0, 314, 0},
        {"19 lines, two lists", list, 19, 604, 356, 0, 314, 25},
        {"36 lines", list, 36, 604, 356, 0, 314, 314},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        const ChooseMenuLayout layout = LayoutFor(c.Options, c.Count);
        EXPECT_EQ(layout.Width, c.Width);
        EXPECT_EQ(layout.Height, c.Height);
        EXPECT_EQ(layout.Rows, c.Rows);
        EXPECT_EQ(layout.LeftListHeight, c.Left);
        EXPECT_EQ(layout.RightListHeight, c.Right);
    }
}

TEST(PopupMenuLayoutTest, PlacedAtTheTrayClickOrCentred) {
    const struct {
        const char* Case;
        int TrayX;
        MenuPlace Place;
    } cases[] = {
        {"hot key: centred", -1, {490, 462}},
        {"tray click: bottom edge on the screen's, left edge at the click", 100, {100, 924}},
        {"too far right: moved left by its width", 1200, {900, 924}},
        {"never left of the screen", 250, {250, 924}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        EXPECT_EQ(MenuPosition(c.TrayX, 300, 100, 1280, 1024), c.Place);
    }
    EXPECT_EQ(MenuPosition(200, 604, 100, 640, 480), (MenuPlace{0, 380}));
}

TEST(PopupMenuIconTest, BuiltInNamesFilesAndFallbacks) {
    const struct {
        const char* Stored;
        bool Menu;
        bool Exists;
        IconChoice Expected;
    } cases[] = {
        {"MAIN", true, false, {IconSource::Program, ""}},
        {"MENU", false, false, {IconSource::Menu, ""}},
        {"STAR.ICO", false, true, {IconSource::File, "STAR.ICO"}},
        {"GONE.ICO", true, false, {IconSource::Menu, ""}},
        {"GONE.ICO", false, false, {IconSource::Program, ""}},
        {"", false, true, {IconSource::Program, ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Stored);
        EXPECT_EQ(ChooseIcon(c.Stored, c.Menu, c.Exists), c.Expected);
    }
}

class PopupMenuStoreTest : public MacroFileFixture {};

TEST_F(PopupMenuStoreTest, AMenuListsItsLoadedMembersInOrder) {
    MacroRecord shortKey = ShortKeyMacro("sig", "Jane");
    shortKey.Nickname.Assign("");
    MacroRecord timed = TimedMacro("tick");
    timed.Nickname.Assign("");
    MacroRecord unnamed = HotKeyMacro("Ctrl+Alt+U", ScopeSpecificWindow, "u\r\nv", "Mail");
    unnamed.Nickname.Assign("");
    unnamed.Icon.Assign("STAR.ICO");
    Load({Named(HotKeyMacro("Ctrl+Alt+A", ScopeGlobal, "Dear Sir"), "Greeting"), shortKey, timed,
          unnamed, Named(MenuMacro("Ctrl+Alt+N", {1}), "Inner"),
          MenuMacro("Ctrl+Alt+M", {4, 999, 0, 2, 3, 5, 1}, "Y21")});
    MacroRecord menu;
    ASSERT_TRUE(store.ReadMacro(6, menu));
    const ChooseMenu shown = MenuOf(store, menu);
    EXPECT_EQ(shown.Options,
              (PopupMenuOptions{.InTray = true, .Shows = MenuShows::Icons, .IconSizeIndex = 1}));
    const struct {
        int Macro;
        const char* Label;
        const char* Name;
        const char* Scope;
        const char* Text;
        const char* Icon;
    } expected[] = {
        {4, "0", "Ctrl+Alt+U", "Mail", "u  v", "STAR.ICO"},
        {2, "1", "sig", "GLOBAL", "Jane", ""},
        {3, "2", "Timed Macro", "GLOBAL", "tick", ""},
        {5, "3", "Inner", "Popup Menu", "Inner", "MENU"},
        {1, "4", "Greeting", "GLOBAL", "Dear Sir", ""},
    };
    ASSERT_EQ(shown.Items.size(), std::size(expected)) << "numbers naming no macro are left out";
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const MenuItem& item = shown.Items[i];
        EXPECT_EQ(item.Macro, expected[i].Macro);
        EXPECT_EQ(item.Label, expected[i].Label);
        EXPECT_EQ(item.Name, expected[i].Name);
        EXPECT_EQ(item.Scope, expected[i].Scope);
        EXPECT_EQ(item.Text, expected[i].Text);
        EXPECT_EQ(item.Icon, expected[i].Icon);
    }
    EXPECT_TRUE(shown.Items[3].PopupMenu);
}

TEST_F(PopupMenuStoreTest, TheWindowInFrontListsItsWindowAndProgramMacros) {
    std::vector<MacroRecord> records = {
        HotKeyMacro("Ctrl+A", ScopeSpecificWindow, "w", "notes"),
        HotKeyMacro("Ctrl+B", ScopeGlobal, "g"),
        HotKeyMacro("Ctrl+C", ScopeSpecificProgram, "p", "Editor"),
        HotKeyMacro("Ctrl+D", ScopeSpecificWindow, "other", "Mail"),
        HotKeyMacro("Ctrl+E", ScopeSpecificProgram, "other", "term"),
        HotKeyMacro("Ctrl+F", ScopeSpecificWindow, "w2", "NOTES - ED"),
    };
    Load(records);
    EXPECT_EQ(TopWindowMembers(store, "Notes - Editor", "EDITOR"),
              (std::vector<std::uint16_t>{1, 3, 6}));
    EXPECT_TRUE(TopWindowMembers(store, "Shell", "BASH").empty());

    // At most the 36 that keys can choose.
    records.assign(40, HotKeyMacro("Ctrl+G", ScopeSpecificProgram, "x", "EDIT"));
    Load(records);
    const std::vector<std::uint16_t> many = TopWindowMembers(store, "", "EDITOR");
    ASSERT_EQ(many.size(), 36U);
    EXPECT_EQ(many.back(), 36);

    SettingsBlock settings;
    const struct {
        int Setting;
        MenuShows Shows;
    } shows[] = {{1, MenuShows::FirstPartOfMacro},
                 {2, MenuShows::Icons},
                 {3, MenuShows::NicknameAndScope},
                 {7, MenuShows::FirstPartOfMacro}};
    for (const auto& c : shows) {
        const ChooseMenu menu = TopWindowMenu(store, {1, 2}, c.Setting);
        EXPECT_EQ(menu.Options.Shows, c.Shows) << c.Setting;
        EXPECT_EQ(menu.Options.IconSize(), 32);
        EXPECT_EQ(menu.Items.size(), 2U);
    }
}

TEST_F(PopupMenuStoreTest, TrayIconsForTheMenusThatAskInTableOrderAtMostFifteen) {
    std::vector<MacroRecord> records = {HotKeyMacro("Ctrl+A", ScopeGlobal, "a"),
                                        Named(MenuMacro("Ctrl+B", {1}, "N30"), "not in tray"),
                                        Named(MenuMacro("Ctrl+C", {1}, "Y30", "STAR.ICO"), "c")};
    for (int i = 0; i < 15; ++i) {
        records.push_back(Named(MenuMacro("Ctrl+D", {1}, "Y20"), "m" + std::to_string(i)));
    }
    Load(records);
    const std::vector<MenuTrayEntry> entries = MenuTrayEntries(store);
    ASSERT_EQ(entries.size(), 15U) << "the sixteenth gets no icon";
    EXPECT_EQ(entries[0], (MenuTrayEntry{3, "c", "STAR.ICO"}));
    EXPECT_EQ(entries[1], (MenuTrayEntry{4, "m0", "MENU"}));
    EXPECT_EQ(entries[14].Tooltip, "m13");
}

TEST_F(PopupMenuStoreTest, BuilderListsMoveMacrosBetweenThemInOrder) {
    Load({Named(HotKeyMacro("Ctrl+A", ScopeGlobal, "a"), "Alpha"),
          Named(ShortKeyMacro("bb", "b"), "Beta"),
          Named(HotKeyMacro("Ctrl+C", ScopeSpecificWindow, "c", "Mail"), "Gamma"),
          Named(TimedMacro("d"), "Delta"), Named(MenuMacro("Ctrl+M", {3, 1, 3, 77, 6, 5}), "M")});
    // Records 6..9 are the system macros; 5 is the menu itself.
    MenuBuild build(store, 5, {3, 1, 3, 77, 6, 5});
    EXPECT_EQ(build.Members(), (std::vector<int>{3, 1})) << "once each, loaded, no system macro";
    EXPECT_EQ(build.Available(), (std::vector<int>{2, 4}));

    const BuilderLine line = build.LineOf(3);
    EXPECT_EQ(line.Activation, "Ctrl+C");
    EXPECT_EQ(line.Nickname, "Gamma");
    EXPECT_EQ(line.Scope, "Window: Mail");
    EXPECT_EQ(build.LineOf(2).Activation, "bb");
    EXPECT_EQ(build.LineOf(4).Activation, "Timed Macro");

    EXPECT_EQ(build.InsertBefore(1, 1), 1); // Delta before Alpha
    EXPECT_EQ(build.Members(), (std::vector<int>{3, 4, 1}));
    EXPECT_EQ(build.InsertAfter(0, 0), 1); // Beta after Gamma
    EXPECT_EQ(build.Members(), (std::vector<int>{3, 2, 4, 1}));
    EXPECT_TRUE(build.Available().empty());
    EXPECT_EQ(build.Add(0), std::nullopt) << "nothing left to add";

    EXPECT_EQ(build.Up(0), std::nullopt) << "the first line does not go up";
    EXPECT_EQ(build.Down(3), std::nullopt) << "the last line does not go down";
    EXPECT_EQ(build.Down(0), 1);
    EXPECT_EQ(build.Up(3), 2);
    EXPECT_EQ(build.Members(), (std::vector<int>{2, 3, 1, 4}));

    EXPECT_EQ(build.Remove(3), 0) << "back at its place in table order";
    EXPECT_EQ(build.Remove(0), 0);
    EXPECT_EQ(build.Available(), (std::vector<int>{2, 4}));
    EXPECT_EQ(build.Remove(5), std::nullopt);
    EXPECT_EQ(build.InsertAfter(1, -1), 2) << "without a selected line: appended";
    EXPECT_EQ(build.MemberNumbers(), (std::vector<std::uint16_t>{3, 1, 4}));

    MenuBuild fresh(store, store.MacroCount() + 1, {});
    EXPECT_EQ(fresh.Available(), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(MenuBuildFormTest, NewAndStoredMenusAndTheRecordWritten) {
    const BuildMenuForm fresh = BuildMenuFormFrom(MacroRecord{}, true, false);
    EXPECT_EQ(fresh.Nickname, "");
    EXPECT_EQ(fresh.Options.Text(), "N32");
    EXPECT_EQ(fresh.Icon, "MENU");

    MacroRecord stored = MenuMacro("Ctrl+M", {2}, "Y14", "STAR.ICO");
    stored.Nickname.Assign("Letters");
    EXPECT_EQ(BuildMenuFormFrom(stored, false, true).Icon, "STAR.ICO");
    const BuildMenuForm missing = BuildMenuFormFrom(stored, false, false);
    EXPECT_EQ(missing.Icon, "MENU") << "a missing icon file shows and keeps the menu icon";
    EXPECT_EQ(missing.Nickname, "Letters");
    EXPECT_EQ(missing.Options.Text(), "Y14");
    stored.Icon.Assign("MAIN");
    EXPECT_EQ(BuildMenuFormFrom(stored, false, false).Icon, "MAIN");

    MacroRecord record = PopupMenuMacro("Ctrl+M", {});
    record.Active = 0;
    BuildMenuForm form;
    form.Nickname = std::string(60, 'n');
    form.Options = {.InTray = true, .Shows = MenuShows::FirstPartOfMacro, .IconSizeIndex = 4};
    form.Icon = "STAR.ICO";
    ApplyBuildMenu(form, {7, 2, 9}, true, 45000.5, record);
    EXPECT_EQ(record.Nickname.Str(), std::string(50, 'n'));
    EXPECT_EQ(record.ShortKey.Str(), "Y14");
    EXPECT_EQ(record.Icon.Str(), "STAR.ICO");
    EXPECT_EQ(record.Scope, ScopePopupMenu);
    EXPECT_EQ(record.Active, 1) << "a new menu is active";
    EXPECT_EQ(record.PopupMembers(), (std::vector<std::uint16_t>{7, 2, 9}));
    EXPECT_EQ(record.LastModified, 45000.5);
    EXPECT_EQ(record.HotKey, *HotKeyCodeOf("Ctrl+M"));

    record.Active = 0;
    ApplyBuildMenu(form, {}, false, 45001.0, record);
    EXPECT_EQ(record.Active, 0) << "a changed menu keeps its state";
    EXPECT_EQ(record.PopupCount(), 0);
}

// The screen side of the menus: answers with a scripted choice, and lets a test act while the
// menu is up (as the event loop would serve hook messages meanwhile).
class FakeMenuView : public PopupMenuView {
public:
    explicit FakeMenuView(EventTrace& trace) : trace_(trace) {}
    std::optional<int> ChooseAMacro(const ChooseMenu& menu, int trayX) override {
        std::string shown = "menu";
        for (const MenuItem& item : menu.Items) {
            shown += ":" + item.Label + "=" + std::to_string(item.Macro);
        }
        if (trayX >= 0) {
            shown += "@" + std::to_string(trayX);
        }
        trace_.Add(shown);
        LastShows = menu.Options.Shows;
        if (WhileShown) {
            WhileShown();
        }
        return Choice;
    }
    void AfterMenu(WindowId target) override { trace_.Add("after-menu:" + std::to_string(target)); }

    std::optional<int> Choice;
    std::function<void()> WhileShown;
    MenuShows LastShows = MenuShows::NicknameAndScope;

private:
    EventTrace& trace_;
};

constexpr WindowId Editor = 10; // "Notes - Editor", program "editor"
constexpr WindowId Shell = 20;  // "Shell", program "term"

// The menus wired to hot key dispatch as the program wires them.
class MenuHost : public FakeHotKeyHost {
public:
    MenuHost(EventTrace& trace, PopupMenus& menus, WindowFinder& finder)
        : FakeHotKeyHost(trace), menus_(menus), finder_(finder) {}
    bool PopupMenuShown() override { return menus_.Shown(); }
    void ForgetTrayMacro() override { menus_.ForgetTrayMacro(); }
    void MenuTopWindow(WindowId target) override {
        menus_.MenuTopWindow(target, finder_.Title(target),
                             UpperCase1252(finder_.ProgramOf(target)));
    }
    int ShowPopupMenu(int macro, WindowId target) override {
        return menus_.ShowPopupMenu(macro, target);
    }

private:
    PopupMenus& menus_;
    WindowFinder& finder_;
};

class PopupMenuRoadTest : public MacroFileFixture {
protected:
    void SetUp() override {
        desktop.Set({{Editor, "Notes - Editor", "editor"}, {Shell, "Shell", "term"}}, Shell);
        menus.SetStarter(&dispatch);
    }

    std::string Strike(const char* key, WindowId foreground) {
        desktop.Windows.ForegroundWindow = foreground;
        dispatch.ProgramChanged(foreground);
        trace.Clear();
        dispatch.Receive({HookMessageId::UM_HOTKEY, *HotKeyCodeOf(key),
                          static_cast<std::int64_t>(foreground), 0});
        return trace.Text();
    }

    EventTrace trace;
    FakeInputSynth input{&trace};
    FakeEventPump pump{&trace};
    FakePlaybackCommands commands{&trace};
    FakePrompts prompts{&trace};
    FakeWallClock clock;
    Player player{input, pump, commands, prompts, clock};
    SettingsBlock settings;
    FakeMenuView view{trace};
    PopupMenus menus{store, settings, view, prompts};
    FakeDesktop desktop{trace};
    MenuHost host{trace, menus, desktop.Finder};
    HotKeyDispatch dispatch{store, player, input, pump, prompts, host, desktop.Finder};
};

TEST_F(PopupMenuRoadTest, TheChosenMacroPlaysAfterTheFocusWentBackAndOthersAreRefusedMeanwhile) {
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"), HotKeyMacro("Ctrl+B", ScopeGlobal, "b"),
          HotKeyMacro("Ctrl+C", ScopeGlobal, "c"),
          MenuMacro("Ctrl+Alt+Shift+M", {1, 2, 3}, "N30")});
    view.Choice = 2;
    view.WhileShown = [this] {
        EXPECT_TRUE(menus.Shown());
        dispatch.Receive({HookMessageId::UM_HOTKEY, *HotKeyCodeOf("Ctrl+A"), Editor, 0});
        dispatch.ActivateMe();
    };
    EXPECT_EQ(
        Strike("Ctrl+Alt+Shift+M", Editor),
        "menu:0=1:1=2:2=3 message:Warning:" + std::string(HotKeyDispatch::PopupMenuRefusalText) +
            " message:Warning:" + std::string(HotKeyDispatch::ActivateMePopupText) +
            " after-menu:10 settle +B -B +EXECUTE -EXECUTE");
    EXPECT_FALSE(menus.Shown());

    view.WhileShown = nullptr;
    view.Choice = std::nullopt;
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+M", Shell), "menu:0=1:1=2:2=3 after-menu:20")
        << "cancelled: nothing plays";
    EXPECT_EQ(Strike("Ctrl+A", Shell), "settle +A -A +EXECUTE -EXECUTE") << "no longer refused";
}

TEST_F(PopupMenuRoadTest, AMenuInAMenuAndTheTrayIcon) {
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"), MenuMacro("Ctrl+B", {1}),
          MenuMacro("Ctrl+C", {2}, "Y30")});
    int shown = 0;
    view.WhileShown = [&] { view.Choice = ++shown == 1 ? 2 : 1; };
    EXPECT_EQ(Strike("Ctrl+C", Editor), "menu:0=2 after-menu:10 menu:0=1 after-menu:10 "
                                        "settle +A -A +EXECUTE -EXECUTE");

    // A tray click: shown at the click, then played into the window the user worked in; the
    // next struck key forgets the click.
    shown = 0;
    dispatch.ProgramChanged(Shell);
    trace.Clear();
    menus.TrayIconClicked(3, 640, dispatch.LastForegroundWindow());
    EXPECT_EQ(trace.Text(), "menu:0=2@640 after-menu:20 menu:0=1@640 "
                            "after-menu:20 settle +A -A +EXECUTE -EXECUTE");
    EXPECT_EQ(dispatch.TargetWindow(), Shell);
    shown = 0;
    EXPECT_EQ(Strike("Ctrl+C", Editor).find('@'), std::string::npos);

    // A capture refuses the tray icon as it refuses hot keys.
    store.Table().SetCaptureOn(true);
    trace.Clear();
    menus.TrayIconClicked(3, 10, Editor);
    EXPECT_EQ(trace.Text(), "message:Warning:" + std::string(HotKeyDispatch::CaptureRefusalText));
}

TEST_F(PopupMenuRoadTest, MenuOfMacrosForTheWindowInFront) {
    Load({HotKeyMacro("Ctrl+A", ScopeSpecificWindow, "w", "notes"),
          HotKeyMacro("Ctrl+B", ScopeGlobal, "g"),
          HotKeyMacro("Ctrl+C", ScopeSpecificProgram, "p", "EDITOR")});
    settings.SystemMenu = 3;
    // The system command is record 7 of the file ("4", Ctrl+Alt+Shift+Z).
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+Z", Shell),
              "message:Warning:" + std::string(NoTopWindowMacrosText))
        << "nothing for the window in front: the warning alone";

    view.Choice = 3;
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+Z", Editor),
              "menu:0=1:1=3 after-menu:10 settle +P -P +EXECUTE -EXECUTE");
    EXPECT_EQ(view.LastShows, MenuShows::NicknameAndScope);

    view.Choice = std::nullopt;
    EXPECT_EQ(Strike("Ctrl+Alt+Shift+Z", Editor), "menu:0=1:1=3 after-menu:10");
}

} // namespace
} // namespace orvane
