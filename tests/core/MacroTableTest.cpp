// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroTable.h"
#include "core/MacroStore.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace orvane {
namespace {

using Bytes = std::map<std::size_t, std::uint8_t>;

Bytes Text(std::size_t offset, std::string_view text, std::size_t lengthByte) {
    Bytes b{{offset, static_cast<std::uint8_t>(lengthByte)}};
    for (std::size_t k = 0; k < lengthByte; ++k) {
        b[offset + 1 + k] = static_cast<std::uint8_t>(text[k]);
    }
    return b;
}

struct Case {
    std::string Name;
    std::function<void(MacroTable&)> Set;
    Bytes Expected; // every non-zero byte of the table afterwards
};

// Each field is written into an empty table; the table must then differ from all zero exactly
// at the field's bytes, which pins every offset and catches writes that spill into a neighbour.
TEST(MacroTableTest, EveryFieldLiesAtItsOffset) {
    const KeyValues key{0x0102, 0x0304, 5, 6, 7, 8};
    const std::string letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";
    const Case cases[] = {
        {"MainWindow",
         [](MacroTable& t) { t.SetMainWindow(0x11223344); },
         {{0, 0x44}, {1, 0x33}, {2, 0x22}, {3, 0x11}}},
        {"KeysInUse first", [](MacroTable& t) { t.SetKeyInUse(0, true); }, {{17, 1}}},
        {"KeysInUse last", [](MacroTable& t) { t.SetKeyInUse(719, true); }, {{736, 1}}},
        {"KeysInUse past", [](MacroTable& t) { t.SetKeyInUse(720, true); }, {}},
        {"CaptureOn", [](MacroTable& t) { t.SetCaptureOn(true); }, {{737, 1}}},
        {"CaptureTarget", [](MacroTable& t) { t.SetCaptureTarget(0x0203); }, {{738, 3}, {739, 2}}},
        {"CaptureDoubleAlt", [](MacroTable& t) { t.SetCaptureDoubleAlt(true); }, {{741, 1}}},
        {"MouseHook",
         [](MacroTable& t) { t.SetMouseHook(0x01020304); },
         {{744, 4}, {745, 3}, {746, 2}, {747, 1}}},
        {"KeyboardHook",
         [](MacroTable& t) { t.SetKeyboardHook(0x01020304); },
         {{748, 4}, {749, 3}, {750, 2}, {751, 1}}},
        {"SecondWindow",
         [](MacroTable& t) { t.SetSecondWindow(0x01020304); },
         {{752, 4}, {753, 3}, {754, 2}, {755, 1}}},
        {"SecondWindowOn", [](MacroTable& t) { t.SetSecondWindowOn(true); }, {{756, 1}}},
        {"StopKey",
         [&](MacroTable& t) { t.SetStopKey(key); },
         {{757, 2}, {758, 1}, {759, 4}, {760, 3}, {761, 5}, {762, 6}, {763, 7}, {764, 8}}},
        {"CaptureOwnKey", [](MacroTable& t) { t.SetCaptureOwnKey(true); }, {{766, 1}}},
        {"OwnKey",
         [&](MacroTable& t) { t.SetOwnKey(key); },
         {{767, 2}, {768, 1}, {769, 4}, {770, 3}, {771, 5}, {772, 6}, {773, 7}, {774, 8}}},
        {"CaptureWindowSize", [](MacroTable& t) { t.SetCaptureWindowSize(true); }, {{776, 1}}},
        {"InUse", [](MacroTable& t) { t.SetInUse(true); }, {{777, 1}}},
        {"CaptureKeys", [](MacroTable& t) { t.SetCaptureKeys(true); }, {{778, 1}}},
        {"CaptureMouse", [](MacroTable& t) { t.SetCaptureMouse(true); }, {{779, 1}}},
        {"CaptureToScreen", [](MacroTable& t) { t.SetCaptureToScreen(true); }, {{780, 1}}},
        {"CaptureTiming", [](MacroTable& t) { t.SetCaptureTiming(true); }, {{781, 1}}},
        {"Scopes 1", [](MacroTable& t) { t.SetScope(1, 0x0102); }, {{792, 2}, {793, 1}}},
        {"Scopes 500", [](MacroTable& t) { t.SetScope(500, -1); }, {{1790, 0xFF}, {1791, 0xFF}}},
        {"Scopes 0 and 501", [](MacroTable& t) { t.SetScope(0, 1), t.SetScope(501, 1); }, {}},
        {"ScopeTargets 1", [&](MacroTable& t) { t.SetScopeTarget(1, letters); },
         Text(1792, letters, 20)},
        {"ScopeTargets 500", [](MacroTable& t) { t.SetScopeTarget(500, "x"); },
         Text(1792 + 499 * 21, "x", 1)},
        {"Actives 1", [](MacroTable& t) { t.SetActive(1, 1); }, {{12292, 1}}},
        {"Actives 500", [](MacroTable& t) { t.SetActive(500, 1); }, {{12791, 1}}},
        {"HotKeys 1", [](MacroTable& t) { t.SetHotKey(1, 0x0102); }, {{12792, 2}, {12793, 1}}},
        {"HotKeys 500",
         [](MacroTable& t) { t.SetHotKey(500, 20000); },
         {{13790, 0x20}, {13791, 0x4E}}},
        {"TopMostOnlys 1", [](MacroTable& t) { t.SetTopMostOnly(1, 1); }, {{13792, 1}}},
        {"TopMostOnlys 500", [](MacroTable& t) { t.SetTopMostOnly(500, 1); }, {{14291, 1}}},
        {"IsNT", [](MacroTable& t) { t.SetIsNT(true); }, {{14297, 1}}},
        {"HaveShortKeys", [](MacroTable& t) { t.SetHaveShortKeys(true); }, {{14298, 1}}},
        {"ForegroundProgram", [](MacroTable& t) { t.SetForegroundProgram("NOTEPAD"); },
         Text(14299, "NOTEPAD", 7)},
        {"ProgramCount",
         [](MacroTable& t) { t.SetProgramCount(0x01020304); },
         {{14550, 4}, {14551, 3}, {14552, 2}, {14553, 1}}},
        {"Programs 1", [](MacroTable& t) { t.SetProgram(1, "A"); }, Text(14554, "A", 1)},
        {"Programs 200", [&](MacroTable& t) { t.SetProgram(200, letters); },
         Text(19728, letters, 25)},
        {"Programs 0 and 201",
         [](MacroTable& t) { t.SetProgram(0, "A"), t.SetProgram(201, "A"); },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        MacroTable table;
        c.Set(table);
        Bytes actual;
        for (std::size_t k = 0; k < MacroTableSize; ++k) {
            if (table.Data()[k] != 0) {
                actual[k] = table.Data()[k];
            }
        }
        EXPECT_EQ(actual, c.Expected);
    }
}

TEST(MacroTableTest, CountLiesAtItsOffsetAndMovesWithTheStoreCounter) {
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store(hook, messages);
    store.SetMacroCount(0x1F4);
    EXPECT_EQ(store.Table().Data()[14292], 0xF4);
    EXPECT_EQ(store.Table().Data()[14293], 0x01);
    EXPECT_EQ(store.Table().Count(), 500);
    store.SetMacroCount(9999);
    EXPECT_EQ(store.MacroCount(), 500) << "no count past the table";
    EXPECT_EQ(store.Table().Count(), 500);
}

TEST(MacroTableTest, FlagOffsetsWithoutFieldsOfTheirOwn) {
    namespace Off = MacroTableOffset;
    EXPECT_EQ(Off::InitFlag, 4u);
    EXPECT_EQ(Off::CaptureFlag740, 740u);
    EXPECT_EQ(Off::CaptureFlag765, 765u);
    EXPECT_EQ(Off::CaptureFlag775, 775u);
    EXPECT_EQ(Off::CaptureFlag790, 790u);
    EXPECT_EQ(Off::CaptureFlag791, 791u);
    EXPECT_EQ(Off::InitFlag2, 14296u);
    EXPECT_EQ(MacroTableSize, 19754u);
}

TEST(MacroTableTest, IndicesOutsideTheTableReadAsNothing) {
    MacroTable table;
    table.SetScopeTarget(1, "x");
    for (int index : {0, -1, 501, 100000}) {
        EXPECT_EQ(table.Scope(index), 0);
        EXPECT_EQ(table.ScopeTarget(index), "");
        EXPECT_EQ(table.HotKey(index), 0);
        EXPECT_EQ(table.Active(index), 0);
        EXPECT_EQ(table.TopMostOnly(index), 0);
    }
    EXPECT_EQ(table.Program(201), "");
    EXPECT_FALSE(table.KeyInUse(720));
    EXPECT_FALSE(table.KeyInUse(20000));
}

} // namespace
} // namespace orvane
