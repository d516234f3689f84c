// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroManagement.h"

#include "activation/MacroFileFixture.h"
#include "platform/fake/FakeMessageSink.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace orvane {
namespace {

std::uint16_t Code(std::string_view name) {
    return *HotKeyCodeOf(name);
}

using MacroManagementTest = MacroFileFixture;

// The plain refusals come first; the shared file's lock is asked for only after them, so a
// refused command never takes (or waits for) the lock, and a lock that stops the command ends it.
TEST(MacroManagement, OpeningStepsInOrderAndTheLockLast) {
    using enum MacroCommandKind;
    struct Row {
        MacroCommandKind Kind;
        int Count;
        int Selected;
        bool FileFull;
        std::optional<std::string_view> Refusal;
        bool LockInUse = false;
    };
    const std::string_view none = "No hot keys have been added yet.  Please add one first.";
    const std::string_view unselected = "No hot key selected.  Please select one.";
    const std::string_view full = "Maximum number of hot keys has been reached.  Add not allowed.";
    for (const Row& row : {
             Row{Copy, 0, 0, false, none},
             Row{Remove, 0, 0, false, none},
             Row{Rename, 3, 0, false, unselected},
             Row{Copy, 500, 0, false, unselected},
             Row{Copy, 500, 7, false, full},
             Row{Copy, 20, 7, true, full},
             Row{Rename, 500, 7, false, std::nullopt},
             Row{Remove, 500, 500, false, std::nullopt},
             Row{Add, 499, 0, false, std::nullopt},
             Row{Add, 500, 0, false, full},
             Row{Modify, 3, 2, false, std::nullopt, true},
             Row{Add, 3, 0, false, std::nullopt, true},
         }) {
        SCOPED_TRACE(std::to_string(static_cast<int>(row.Kind)) + " " + std::to_string(row.Count) +
                     " " + std::to_string(row.Selected));
        EXPECT_EQ(OpeningRefusal(row.Kind, row.Count, row.Selected, row.FileFull), row.Refusal);
        FakeMessageSink messages;
        int lockAsked = 0;
        const bool goes =
            OpenCommand(row.Kind, row.Count, row.Selected, row.FileFull, messages, [&] {
                ++lockAsked;
                return row.LockInUse;
            });
        EXPECT_EQ(lockAsked, row.Refusal ? 0 : 1);
        EXPECT_EQ(goes, !row.Refusal && !row.LockInUse);
        if (row.Refusal) {
            EXPECT_EQ(messages.Shown, (std::vector<FakeMessageSink::Message>{
                                          {"Error", std::string(*row.Refusal)}}));
        } else {
            EXPECT_TRUE(messages.Shown.empty());
        }
    }
}

TEST(MacroManagement, PopupMenuMembersAfterARemoval) {
    struct Row {
        std::vector<std::uint16_t> Members;
        int Removed;
        std::vector<std::uint16_t> Expected;
    };
    for (const Row& row : {
             Row{{2, 3, 5}, 3, {2, 4}},
             Row{{5, 1, 9}, 7, {5, 1, 8}},
             Row{{3, 3}, 3, {}},
             Row{{1, 2}, 9, {1, 2}},
         }) {
        EXPECT_EQ(MembersWithout(row.Members, row.Removed), row.Expected);
    }
}

TEST_F(MacroManagementTest, RemoveAsksTwiceFixesTheMenusAndRemovesTheRecord) {
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "one"), HotKeyMacro("Ctrl+B", ScopeGlobal, "two"),
          ShortKeyMacro("sig", "three"), HotKeyMacro("Ctrl+D", ScopeGlobal, "four"),
          TimedMacro("five"), PopupMenuMacro("Ctrl+F", {2, 3, 5})});
    const auto original = ReadMacroFileBack(file);

    // No to the first question, then Yes and No: nothing changes.
    for (const std::deque<bool>& answers : {std::deque<bool>{false}, {true, false}}) {
        messages.Answers = answers;
        EXPECT_FALSE(RemoveMacro(store, 3, messages).Stored);
        EXPECT_EQ(ReadMacroFileBack(file), original);
        EXPECT_EQ(store.MacroCount(), 10);
    }
    EXPECT_EQ(messages.Asked.front(),
              (FakeMessageSink::Message{"Delete",
                                        "Are you sure you want to remove the ShortKey \"sig\"?"}));
    EXPECT_EQ(messages.Asked.back().Text,
              "This macro is contained in a \"Popup Menu\".  It will be removed from the \"Popup "
              "Menu\".  Are you sure you want to remove sig\"?");

    messages.Asked.clear();
    messages.Answers = {true, true};
    hook.Clear();
    const StoredMacro removed = RemoveMacro(store, 3, messages);
    EXPECT_TRUE(removed.Stored);
    EXPECT_EQ(messages.Asked.size(), 2u);
    const auto after = ReadMacroFileBack(file);
    ASSERT_EQ(after.size(), original.size() - 1);
    EXPECT_EQ(after[2], original[3]);
    EXPECT_EQ(after[4].PopupMembers(), (std::vector<std::uint16_t>{2, 4}));
    EXPECT_EQ(store.MacroCount(), 9);
    EXPECT_EQ(store.Names().ShortKey(3), "");
    EXPECT_EQ(hook.Calls.back(), "OrvUpShort") << "hot keys republished";
    EXPECT_FALSE(store.Table().HaveShortKeys());

    // A timed macro's removal says the schedule must be recomputed (it is in the menu too); a
    // menu's that the menus must be rebuilt.
    messages.Answers = {true, true};
    EXPECT_TRUE(RemoveMacro(store, 4, messages).Timed);
    EXPECT_EQ(ReadMacroFileBack(file)[3].PopupMembers(), (std::vector<std::uint16_t>{2}));
    messages.Answers = {true};
    const StoredMacro menu = RemoveMacro(store, 4, messages);
    EXPECT_TRUE(menu.PopupMenu);
    EXPECT_EQ(messages.Asked.back().Text, "Are you sure you want to remove \"Ctrl+F\"?");
}

TEST_F(MacroManagementTest, CopyAndReBindUpdateTheFileTheTableAndTheGrabs) {
    Load({HotKeyMacro("Ctrl+Alt+Shift+G", ScopeGlobal, "hi")});
    MacroRecord working;
    ASSERT_TRUE(store.ReadMacro(1, working));
    MacroRecord copy = working;
    copy.HotKey = Code("Ctrl+Alt+Shift+J");
    hook.Clear();
    const StoredMacro stored = StoreNewMacro(store, copy, messages);
    ASSERT_TRUE(stored.Stored);
    EXPECT_EQ(stored.Record, 6);
    EXPECT_EQ(store.MacroCount(), 6);
    EXPECT_TRUE(store.Table().KeyInUse(Code("Ctrl+Alt+Shift+J")));
    EXPECT_EQ(hook.Calls.front(), "OrvUpNumKeys");
    EXPECT_EQ(ReadMacroFileBack(file).back().Text(), "hi");

    MacroRecord moved = copy;
    moved.HotKey = Code("Ctrl+Alt+Shift+L");
    const StoredMacro rebound = StoreChangedMacro(store, 6, copy, moved);
    ASSERT_TRUE(rebound.Stored);
    EXPECT_FALSE(rebound.Timed);
    EXPECT_FALSE(store.Table().KeyInUse(Code("Ctrl+Alt+Shift+J")));
    EXPECT_TRUE(store.Table().KeyInUse(Code("Ctrl+Alt+Shift+L")));
    EXPECT_EQ(ReadMacroFileBack(file)[5].HotKey, Code("Ctrl+Alt+Shift+L"));
    MacroRecord timed = moved;
    timed.HotKey = HotKeyTimed;
    EXPECT_TRUE(StoreChangedMacro(store, 6, moved, timed).Timed);
    EXPECT_TRUE(StoreChangedMacro(store, 6, timed, moved).Timed);
}

TEST_F(MacroManagementTest, AFileThatBecameUnwritableOrFullLosesNothing) {
    Load({HotKeyMacro("Ctrl+A", ScopeGlobal, "a")});
    MacroRecord copy;
    ASSERT_TRUE(store.ReadMacro(1, copy));
    copy.HotKey = Code("Ctrl+B");

    // The file turned into something that cannot be written while the dialog was open.
    const auto moved = file.string() + ".away";
    std::filesystem::rename(file, moved);
    std::filesystem::create_directory(file);
    EXPECT_FALSE(StoreNewMacro(store, copy, messages).Stored);
    EXPECT_FALSE(StoreChangedMacro(store, 1, copy, copy).Stored);
    messages.Answers = {true};
    EXPECT_FALSE(RemoveMacro(store, 1, messages).Stored);
    EXPECT_EQ(store.MacroCount(), 5);
    EXPECT_FALSE(store.Table().KeyInUse(Code("Ctrl+B")));
    for (const auto& shown : messages.Shown) {
        EXPECT_EQ(shown, (FakeMessageSink::Message{"Error", "Saving of keystrokes failed."}));
    }
    EXPECT_EQ(messages.Shown.size(), 3u);
    std::filesystem::remove(file);
    std::filesystem::rename(moved, file);

    // Filled up meanwhile: refused with the limit's message.
    messages.Shown.clear();
    store.SetMacroCount(500);
    EXPECT_FALSE(StoreNewMacro(store, copy, messages).Stored);
    EXPECT_EQ(messages.Shown.back().Text,
              "Maximum number of hot keys has been reached.  Add not allowed.");
    EXPECT_EQ(ReadMacroFileBack(file).size(), 5u);
}

} // namespace
} // namespace orvane
