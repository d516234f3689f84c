// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShortString.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// One macro as a macro file stores it: 5165 bytes, packed, little-endian, records back to back
// with no header. Record numbers are 1-based: record i starts at byte (i - 1) * 5165.
inline constexpr std::size_t MacroRecordSize = 5165;
using MacroRecordBytes = std::array<std::uint8_t, MacroRecordSize>;

// `HotKey` values beside the 720 key codes.
inline constexpr std::uint16_t HotKeyTimed = 10000;
inline constexpr std::uint16_t HotKeyShortKey = 20000;

// `Scope` values. Others can be found in files; they are carried through unchanged and match
// nothing.
inline constexpr std::int16_t ScopeGlobal = 1;
inline constexpr std::int16_t ScopeSpecificWindow = 2;
inline constexpr std::int16_t ScopeSpecificProgram = 3;
inline constexpr std::int16_t ScopePopupMenu = 4;
inline constexpr std::int16_t ScopeSystem = 5;

// Byte offsets of the fields inside a record; the file format, so binding.
namespace MacroRecordOffset {
inline constexpr std::size_t Nickname = 0;
inline constexpr std::size_t ScopeTarget = 51;
inline constexpr std::size_t ShortKey = 82;
inline constexpr std::size_t HotKey = 93;
inline constexpr std::size_t Scope = 95;
inline constexpr std::size_t Active = 97;
inline constexpr std::size_t Reserved1 = 98;
inline constexpr std::size_t MacroText = 100;
inline constexpr std::size_t Icon = 5101;
inline constexpr std::size_t SchedKind = 5114;
inline constexpr std::size_t SchedDays = 5116;
inline constexpr std::size_t SchedHour = 5123;
inline constexpr std::size_t SchedMinute = 5124;
inline constexpr std::size_t SchedMonth = 5125;
inline constexpr std::size_t SchedDay = 5126;
inline constexpr std::size_t SchedPastHour = 5127;
inline constexpr std::size_t SchedInterval = 5128;
inline constexpr std::size_t SchedWeekday = 5130;
inline constexpr std::size_t SchedYear = 5131;
inline constexpr std::size_t SchedPM = 5133;
inline constexpr std::size_t TopMostOnly = 5134;
inline constexpr std::size_t LastModified = 5135;
inline constexpr std::size_t Reserved2 = 5143;
} // namespace MacroRecordOffset

inline constexpr std::size_t MacroTextSize = 5001; // 5000 characters and the closing NUL
inline constexpr std::size_t MacroTextMaxLength = 5000;
// A popup menu's count word and members must stay inside `MacroText`: 2 + 2 * 2499 <= 5001.
inline constexpr std::size_t PopupMemberCapacity = (MacroTextSize - 2) / 2;

// The record as plain fields. FromBytes and ToBytes are exact inverses: every byte, including
// reserved ones, bytes past a short string's length and out-of-range values, survives a read
// and write unchanged.
struct MacroRecord {
    ShortString<50> Nickname;
    ShortString<30> ScopeTarget; // window title part, program name part, or "1".."4" for System
    ShortString<10> ShortKey;    // ShortKey text; for popup menus three option characters
    std::uint16_t HotKey = 0;    // 0..719 key code, HotKeyTimed or HotKeyShortKey
    std::int16_t Scope = 0;
    std::uint8_t Active = 0;
    std::uint16_t Reserved1 = 0;
    std::array<std::uint8_t, MacroTextSize> MacroText{};
    ShortString<12> Icon;
    std::int16_t SchedKind = 0;
    std::array<std::uint8_t, 7> SchedDays{}; // Monday first
    std::uint8_t SchedHour = 0;              // 1..12
    std::uint8_t SchedMinute = 0;
    std::uint8_t SchedMonth = 0;
    std::uint8_t SchedDay = 0;
    std::uint8_t SchedPastHour = 0;
    std::uint16_t SchedInterval = 0;
    std::uint8_t SchedWeekday = 0; // 1 = Sunday
    std::uint16_t SchedYear = 0;
    std::uint8_t SchedPM = 0;
    std::uint8_t TopMostOnly = 0;
    double LastModified = 0.0; // days since 30 December 1899 (DayCount.h)
    std::array<std::uint8_t, 22> Reserved2{};

    static MacroRecord FromBytes(std::span<const std::uint8_t, MacroRecordSize> bytes);
    MacroRecordBytes ToBytes() const;
    void ToBytes(std::span<std::uint8_t, MacroRecordSize> bytes) const;

    // The script: the characters before the first NUL, at most 5000.
    std::string Text() const;
    // Stores a script cut to 5000 characters (and at an embedded NUL); the rest is cleared.
    void SetText(std::string_view text);

    // Popup-menu records (Scope 4) hold a count word and that many record numbers in
    // `MacroText`. The stored count as found, which may claim more than fits:
    std::uint16_t PopupCount() const;
    // The member record numbers in menu order, as many as the count names and the field holds
    // (at most PopupMemberCapacity). Members are not checked against the file; callers skip
    // numbers that name no macro.
    std::vector<std::uint16_t> PopupMembers() const;
    // Stores the members (cut to PopupMemberCapacity) and their count; the rest is cleared.
    void SetPopupMembers(std::span<const std::uint16_t> members);

    friend bool operator==(const MacroRecord& a, const MacroRecord& b) {
        return a.ToBytes() == b.ToBytes();
    }
};

} // namespace orvane
