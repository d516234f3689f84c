// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/HotKeyChoice.h"
#include "MacroFileFixture.h"
#include "core/Schedule.h"
#include "core/SettingsBlock.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace orvane {
namespace {

std::uint16_t Code(std::string_view name) {
    return *HotKeyCodeOf(name);
}

class HotKeyChoiceTest : public MacroFileFixture {};

TEST_F(HotKeyChoiceTest, KeyListCountsEveryMacroOfAKeyAndFlagsGlobalOnesByScope) {
    MacroRecord inactive = HotKeyMacro("Ctrl+B", ScopeGlobal, "b");
    inactive.Active = 0;
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"),
          HotKeyMacro("Ctrl+A", ScopeSpecificWindow, "w", "Notes"), inactive,
          HotKeyMacro("Ctrl+C", ScopeSpecificProgram, "p", "EDITOR"), ShortKeyMacro("sk", "s"),
          TimedMacro("t"), PopupMenuMacro("Ctrl+D", {1})});
    const KeyUseCounts uses = CountKeyUses(store.Table(), store.MacroCount());
    EXPECT_EQ(KeyListLine(Code("Ctrl+A"), uses[Code("Ctrl+A")]), "Ctrl+A  (2 macros in use)");
    EXPECT_EQ(KeyListLine(Code("Ctrl+B"), uses[Code("Ctrl+B")]), "Ctrl+B  (1 macro in use)");
    EXPECT_EQ(KeyListLine(Code("Ctrl+E"), uses[Code("Ctrl+E")]), "Ctrl+E  (Not in Use)");
    int total = 0;
    for (const int n : uses) {
        total += n;
    }
    // The ShortKey and the timed macro use no key; the four system macros do.
    EXPECT_EQ(total, 5 + 4);

    const KeyFlags taken = TakenKeys(store.Table(), store.MacroCount());
    const KeyFlags global = GlobalKeys(store.Table(), store.MacroCount());
    const std::uint16_t system = store.Table().HotKey(store.MacroCount()); // a system macro
    struct Row {
        std::string_view Key;
        bool Taken;
        bool Global;
    };
    for (const Row& row : {Row{"Ctrl+A", true, true}, Row{"Ctrl+B", true, true},
                           Row{"Ctrl+C", false, false}, Row{"Ctrl+D", true, true}}) {
        EXPECT_EQ(taken[Code(row.Key)], row.Taken) << row.Key;
        EXPECT_EQ(global[Code(row.Key)], row.Global) << row.Key;
    }
    EXPECT_FALSE(taken[system]);
    EXPECT_TRUE(global[system]);
}

TEST(HotKeyChoice, ChooserChecksInOrder) {
    KeyFlags taken{};
    taken[Code("Ctrl+A")] = true;
    const MacroRecord global = HotKeyMacro("Ctrl+B", ScopeGlobal, "g");
    const MacroRecord window = HotKeyMacro("Ctrl+B", ScopeSpecificWindow, "w", "Notes");
    const std::string copyTaken = "A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this "
                                  "selection. The \"COPY\" did not take place.";
    const std::string moveTaken = "A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this "
                                  "selection. The \"MOVE\" did not take place.";
    const std::string winR = "Win+R may be used internally by Windows 95, 98 or NT.  This may "
                             "cause the hot key not to function correctly. Would you still like "
                             "to use Win+R?";
    struct Row {
        ChooserForm Form;
        ChooserMode Mode;
        const MacroRecord* Working;
        std::optional<std::string> Refusal;
        ChoiceField Field = ChoiceField::HotKey;
        std::optional<std::string> Question = std::nullopt;
        std::string Name = {};
    };
    using enum ActivationChoice;
    const Row rows[] = {
        {.Form = {HotKey, std::nullopt, ""},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = "No hot key selected.  Please select one."},
        {.Form = {HotKey, Code("Ctrl+A"), ""},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = copyTaken},
        {.Form = {HotKey, Code("Ctrl+A"), ""},
         .Mode = ChooserMode::Move,
         .Working = &global,
         .Refusal = moveTaken},
        {.Form = {HotKey, Code("Ctrl+A"), ""},
         .Mode = ChooserMode::Copy,
         .Working = &window,
         .Refusal = std::nullopt},
        {.Form = {HotKey, Code("Win+R"), ""},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = std::nullopt,
         .Question = winR},
        {.Form = {ShortKey, std::nullopt, "   "},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = "No ShortKey name was entered.",
         .Field = ChoiceField::ShortKey},
        {.Form = {ShortKey, std::nullopt, "a b"},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = std::string(InvalidShortKeyNameText),
         .Field = ChoiceField::ShortKey},
        {.Form = {ShortKey, std::nullopt, "it's"},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = std::string(InvalidShortKeyNameText),
         .Field = ChoiceField::ShortKey},
        {.Form = {ShortKey, std::nullopt, "  Hey!  "},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = std::nullopt,
         .Name = "Hey!"},
        {.Form = {ShortKey, std::nullopt, "abcdefghijkl"},
         .Mode = ChooserMode::Copy,
         .Working = &global,
         .Refusal = std::nullopt,
         .Name = "abcdefghij"},
        {.Form = {Timed, std::nullopt, ""},
         .Mode = ChooserMode::Move,
         .Working = &global,
         .Refusal = std::nullopt},
    };
    for (const Row& row : rows) {
        const ChooserCheck check = CheckChooser(row.Form, row.Mode, *row.Working, taken);
        SCOPED_TRACE(row.Refusal.value_or("ok") + " / " + row.Form.ShortKeyName);
        EXPECT_EQ(check.Refusal, row.Refusal);
        if (row.Refusal) {
            EXPECT_EQ(check.Field, row.Field);
        }
        EXPECT_EQ(check.Question, row.Question);
        EXPECT_EQ(check.ShortKeyName, row.Name);
    }
}

// Copy and Rename of a popup menu: its options (in the ShortKey field) stay whole, and its new
// key is checked as "Add Macro" checks a new menu's key.
TEST_F(HotKeyChoiceTest, ChooserKeepsAPopupMenusOptionsAndChecksItsKeyAsAddMacroDoes) {
    MacroRecord menu = PopupMenuMacro("Ctrl+D", {1});
    menu.ShortKey.Assign("Y24");
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"),
          HotKeyMacro("Ctrl+W", ScopeSpecificWindow, "w", "Notes"), menu});
    const int count = store.MacroCount();
    const std::uint16_t system = store.Table().HotKey(count); // a system macro's key
    const KeyFlags taken = ChooserTakenKeys(store.Table(), count, menu);
    const std::string copyTaken = TakenKeyText(ChooserMode::Copy);
    const std::string moveTaken = TakenKeyText(ChooserMode::Move);
    const std::string needsKey(MenuNeedsHotKeyText);
    using enum ActivationChoice;
    struct Row {
        const char* Case;
        ChooserForm Form;
        ChooserMode Mode;
        std::optional<std::string> Refusal;
    };
    const Row rows[] = {
        {"onto a global macro's key", {HotKey, Code("Ctrl+A"), ""}, ChooserMode::Copy, copyTaken},
        {"onto a system macro's key", {HotKey, system, ""}, ChooserMode::Move, moveTaken},
        {"onto its own key", {HotKey, Code("Ctrl+D"), ""}, ChooserMode::Move, moveTaken},
        {"onto a window macro's key", {HotKey, Code("Ctrl+W"), ""}, ChooserMode::Copy, {}},
        {"onto a free key", {HotKey, Code("Ctrl+E"), ""}, ChooserMode::Move, {}},
        {"as a ShortKey", {ShortKey, std::nullopt, "menu"}, ChooserMode::Copy, needsKey},
        {"as a timed macro", {Timed, std::nullopt, ""}, ChooserMode::Move, needsKey},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        MacroRecord working = menu;
        const ChooserCheck check = CheckChooser(row.Form, row.Mode, working, taken);
        EXPECT_EQ(check.Refusal, row.Refusal);
        if (!check.Refusal) {
            ApplyChooser(row.Form, check, working, LocalMoment::From(2024, 3, 15));
            EXPECT_EQ(working.HotKey, *row.Form.Code);
        }
        EXPECT_EQ(working.ShortKey.View(), "Y24");
        EXPECT_EQ(working.Scope, ScopePopupMenu);
        EXPECT_EQ(working.PopupMembers(), menu.PopupMembers());
    }
    // Other macros keep the chooser's own rule: only Global and PopUp Menu keys are taken.
    const MacroRecord plain = HotKeyMacro("Ctrl+B", ScopeGlobal, "b");
    EXPECT_FALSE(ChooserTakenKeys(store.Table(), count, plain)[system]);
}

TEST(HotKeyChoice, ChooserLabelsAndWhatOkStores) {
    MacroRecord timed = TimedMacro("t");
    EXPECT_EQ(ChooserLabel(ChooserMode::Copy, timed), "COPY Timed Macro TO");
    EXPECT_EQ(ChooserLabel(ChooserMode::Move, HotKeyMacro("Ctrl+Alt+F6", 1, "x")),
              "MOVE Ctrl+Alt+F6 TO");
    EXPECT_EQ(ChooserLabel(ChooserMode::Copy, ShortKeyMacro("sig", "x")), "COPY sig TO");

    const LocalMoment today = LocalMoment::From(2024, 3, 15);
    // A hot key macro made timed gets the default schedule; a timed one keeps its own.
    MacroRecord working = HotKeyMacro("Ctrl+A", ScopeGlobal, "x");
    const ChooserForm toTimed{ActivationChoice::Timed, std::nullopt, ""};
    EXPECT_TRUE(ApplyChooser(toTimed, {}, working, today));
    EXPECT_EQ(working.HotKey, HotKeyTimed);
    MacroRecord defaults;
    DefaultTimer(defaults, today);
    EXPECT_EQ(working.SchedKind, defaults.SchedKind);
    EXPECT_EQ(working.SchedHour, defaults.SchedHour);
    timed.SchedKind = 4;
    timed.SchedHour = 7;
    EXPECT_TRUE(ApplyChooser(toTimed, {}, timed, today));
    EXPECT_EQ(timed.SchedHour, 7);

    const ChooserForm toShortKey{ActivationChoice::ShortKey, std::nullopt, " sig "};
    const ChooserCheck check = CheckChooser(toShortKey, ChooserMode::Move, working, {});
    EXPECT_FALSE(ApplyChooser(toShortKey, check, working, today));
    EXPECT_EQ(working.HotKey, HotKeyShortKey);
    EXPECT_EQ(working.ShortKey.View(), "sig");
    EXPECT_FALSE(ApplyChooser({ActivationChoice::HotKey, Code("Ctrl+J"), ""}, {}, working, today));
    EXPECT_EQ(working.HotKey, Code("Ctrl+J"));
}

TEST(HotKeyChoice, AddMacroChecksPerType) {
    KeyFlags global{};
    global[Code("Ctrl+A")] = true;
    using enum NewMacroType;
    struct Row {
        AddMacroForm Form;
        bool UserMacros;
        std::optional<std::string> Refusal;
        bool Asks = false;
    };
    const Row rows[] = {
        {.Form = {PopupMenu, Code("Ctrl+B"), ""},
         .UserMacros = false,
         .Refusal = "No macros have been defined yet.  A popup menu is created with existing "
                    "macros."},
        {.Form = {PopupMenu, std::nullopt, ""},
         .UserMacros = true,
         .Refusal = "No hot key selected.  Please select one."},
        {.Form = {PopupMenu, Code("Ctrl+A"), ""},
         .UserMacros = true,
         .Refusal = "Selected Hot Key is already either a GLOBAL or Popup Menu Hot Key.  Hot "
                    "Key cannot be added."},
        {.Form = {PopupMenu, Code("Ctrl+B"), ""}, .UserMacros = true, .Refusal = std::nullopt},
        {.Form = {PopupMenu, Code("Win+D"), ""},
         .UserMacros = true,
         .Refusal = std::nullopt,
         .Asks = true},
        {.Form = {HotKey, std::nullopt, ""},
         .UserMacros = false,
         .Refusal = "No hot key selected.  Please select one."},
        // A hot key macro may share a global key; the scripting editor then forbids Global.
        {.Form = {HotKey, Code("Ctrl+A"), ""}, .UserMacros = false, .Refusal = std::nullopt},
        {.Form = {HotKey, Code("Win+R"), ""},
         .UserMacros = false,
         .Refusal = std::nullopt,
         .Asks = true},
        {.Form = {ShortKey, std::nullopt, "  "},
         .UserMacros = false,
         .Refusal = "No ShortKey name entered."},
        {.Form = {ShortKey, std::nullopt, "a b"},
         .UserMacros = false,
         .Refusal = std::string(InvalidShortKeyNameText)},
        {.Form = {Timed, std::nullopt, ""}, .UserMacros = false, .Refusal = std::nullopt},
    };
    for (const Row& row : rows) {
        const ChooserCheck check = CheckAddMacro(row.Form, global, row.UserMacros);
        SCOPED_TRACE(static_cast<int>(row.Form.Type));
        EXPECT_EQ(check.Refusal, row.Refusal);
        EXPECT_EQ(check.Question.has_value(), row.Asks);
    }

    const AddMacroForm menu{PopupMenu, Code("Ctrl+B"), ""};
    const MacroRecord made = NewMacroRecord(menu, CheckAddMacro(menu, global, true));
    EXPECT_EQ(made.Scope, ScopePopupMenu);
    EXPECT_EQ(made.HotKey, Code("Ctrl+B"));
    const AddMacroForm shortKey{ShortKey, std::nullopt, " sig "};
    const MacroRecord named = NewMacroRecord(shortKey, CheckAddMacro(shortKey, global, true));
    EXPECT_EQ(named.HotKey, HotKeyShortKey);
    EXPECT_EQ(named.ShortKey.View(), "sig");
    EXPECT_EQ(NewMacroRecord({Timed, std::nullopt, ""}, {}).HotKey, HotKeyTimed);
}

TEST_F(HotKeyChoiceTest, SystemKeysRefuseGlobalKeysAndDuplicatesAndWriteOnlyChangedMacros) {
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "a"),
          HotKeyMacro("Ctrl+B", ScopeSpecificWindow, "w", "Notes")});
    SettingsBlock settings;
    settings.SystemMenu = 3;
    SystemKeysForm form = SystemKeysFormFrom(store, settings);
    for (std::size_t kind = 0; kind < 4; ++kind) {
        EXPECT_EQ(form.Keys[kind], SystemMacroKinds[kind].DefaultHotKey);
    }
    EXPECT_EQ(form.PopupShows, 3);

    const KeyFlags global = GlobalKeys(store.Table(), store.MacroCount());
    EXPECT_EQ(CheckSystemKeyPick(Code("Ctrl+A"), global),
              "The hot key \"Ctrl+A\" is already in use by a macro.  If you wish to use this hot "
              "key combination, you will first need to either remove or move the macro which is "
              "assigned to it.");
    EXPECT_TRUE(CheckSystemKeyPick(form.Keys[2], global)) << "its own current key is in use";
    EXPECT_FALSE(CheckSystemKeyPick(Code("Ctrl+B"), global)) << "window-specific only";

    form.Keys[1] = form.Keys[0];
    EXPECT_EQ(CheckSystemKeys(form), std::optional<std::string_view>(SameSystemKeyText));
    form.Keys[1] = Code("Ctrl+B");
    form.PopupShows = 2;
    EXPECT_FALSE(CheckSystemKeys(form));
    const auto before = ReadMacroFileBack(file);
    ASSERT_TRUE(ApplySystemKeys(form, store, settings));
    const auto after = ReadMacroFileBack(file);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (after[i].Scope == ScopeSystem && after[i].ScopeTarget.View() == "2") {
            EXPECT_EQ(after[i].HotKey, Code("Ctrl+B"));
            EXPECT_EQ(after[i].Text(), before[i].Text());
        } else {
            EXPECT_EQ(after[i], before[i]) << "record " << i + 1;
        }
    }
    EXPECT_EQ(settings.SystemMenu, 2);
    EXPECT_EQ(hook.Calls, (std::vector<std::string>{"OrvUpItem 4"}));
}

} // namespace
} // namespace orvane
