// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroRecord.h"
#include "core/DayCount.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace orvane {
namespace {

// A record as another program would have written it, laid down byte by byte. Bytes past each
// short string's length hold junk, which readers must ignore and writers must keep.
MacroRecordBytes HandMadeRecord() {
    MacroRecordBytes b{};
    auto put = [&b](std::size_t offset, std::string_view text) {
        for (std::size_t k = 0; k < text.size(); ++k) {
            b[offset + k] = static_cast<std::uint8_t>(text[k]);
        }
    };
    for (std::size_t k = 0; k < 51; ++k) {
        b[k] = 0xAA;
    }
    b[0] = 5;
    put(1, "Hello");
    b[51] = 7;
    put(52, "NOTEPAD");
    b[82] = 3;
    put(83, "abc");
    b[93] = 0x2C; // HotKey 300
    b[94] = 0x01;
    b[95] = 0xFE; // Scope -2: unknown, carried through
    b[96] = 0xFF;
    b[97] = 1;
    b[98] = 0x34; // Reserved1 0x1234
    b[99] = 0x12;
    put(100, "Hi<TAB>\xE9");
    b[5101] = 8;
    put(5102, "MAIN.ICO");
    b[5114] = 6;
    const std::uint8_t days[7] = {1, 0, 1, 0, 1, 0, 1};
    for (int k = 0; k < 7; ++k) {
        b[5116 + k] = days[k];
    }
    b[5123] = 11;
    b[5124] = 59;
    b[5125] = 12;
    b[5126] = 31;
    b[5127] = 15;
    b[5128] = 0x10; // SchedInterval 10000
    b[5129] = 0x27;
    b[5130] = 7;
    b[5131] = 0xE8; // SchedYear 2024
    b[5132] = 0x07;
    b[5133] = 1;
    b[5134] = 1;
    const std::uint8_t lastModified[8] = {0x00, 0x00, 0x00, 0x00, 0x10, 0xF9, 0xE5, 0x40};
    for (int k = 0; k < 8; ++k) {
        b[5135 + k] = lastModified[k]; // 45000.5: 15 March 2023, noon
    }
    for (std::size_t k = 5143; k < 5165; ++k) {
        b[k] = 0x5A;
    }
    return b;
}

TEST(MacroRecordTest, ReadsEveryFieldOfAHandMadeRecordAndWritesItBackUnchanged) {
    const MacroRecordBytes bytes = HandMadeRecord();
    const MacroRecord r = MacroRecord::FromBytes(bytes);
    EXPECT_EQ(r.Nickname.View(), "Hello");
    EXPECT_EQ(r.ScopeTarget.View(), "NOTEPAD");
    EXPECT_EQ(r.ShortKey.View(), "abc");
    EXPECT_EQ(r.HotKey, 300);
    EXPECT_EQ(r.Scope, -2);
    EXPECT_EQ(r.Active, 1);
    EXPECT_EQ(r.Reserved1, 0x1234);
    EXPECT_EQ(r.Text(), "Hi<TAB>\xE9");
    EXPECT_EQ(r.Icon.View(), "MAIN.ICO");
    EXPECT_EQ(r.SchedKind, 6);
    EXPECT_EQ(r.SchedDays, (std::array<std::uint8_t, 7>{1, 0, 1, 0, 1, 0, 1}));
    EXPECT_EQ(r.SchedHour, 11);
    EXPECT_EQ(r.SchedMinute, 59);
    EXPECT_EQ(r.SchedMonth, 12);
    EXPECT_EQ(r.SchedDay, 31);
    EXPECT_EQ(r.SchedPastHour, 15);
    EXPECT_EQ(r.SchedInterval, 10000);
    EXPECT_EQ(r.SchedWeekday, 7);
    EXPECT_EQ(r.SchedYear, 2024);
    EXPECT_EQ(r.SchedPM, 1);
    EXPECT_EQ(r.TopMostOnly, 1);
    EXPECT_EQ(r.LastModified, 45000.5);
    EXPECT_EQ(DaysToLocalDateTime(r.LastModified), (LocalDateTime{2023, 3, 15, 12, 0, 0, 0}));
    EXPECT_EQ(r.Reserved2[0], 0x5A);
    EXPECT_EQ(r.Reserved2[21], 0x5A);

    EXPECT_EQ(r.ToBytes(), bytes) << "junk past lengths and reserved bytes survive";
}

TEST(MacroRecordTest, WritesEachFieldAtItsOffset) {
    MacroRecord r;
    r.Nickname.Assign("N");
    r.ScopeTarget.Assign("T");
    r.ShortKey.Assign("S");
    r.HotKey = 0x0102;
    r.Scope = 0x0304;
    r.Active = 5;
    r.Reserved1 = 0x0607;
    r.SetText("X");
    r.Icon.Assign("I");
    r.SchedKind = 0x0809;
    r.SchedDays[6] = 10;
    r.SchedHour = 11;
    r.SchedMinute = 12;
    r.SchedMonth = 13;
    r.SchedDay = 14;
    r.SchedPastHour = 15;
    r.SchedInterval = 0x1011;
    r.SchedWeekday = 18;
    r.SchedYear = 0x1213;
    r.SchedPM = 20;
    r.TopMostOnly = 21;
    r.LastModified = 45000.5;
    r.Reserved2[21] = 22;
    const MacroRecordBytes b = r.ToBytes();
    const std::pair<std::size_t, std::uint8_t> expected[] = {
        {0, 1},       {1, 'N'},     {51, 1},      {52, 'T'},    {82, 1},      {83, 'S'},
        {93, 0x02},   {94, 0x01},   {95, 0x04},   {96, 0x03},   {97, 5},      {98, 0x07},
        {99, 0x06},   {100, 'X'},   {101, 0},     {5101, 1},    {5102, 'I'},  {5114, 0x09},
        {5115, 0x08}, {5122, 10},   {5123, 11},   {5124, 12},   {5125, 13},   {5126, 14},
        {5127, 15},   {5128, 0x11}, {5129, 0x10}, {5130, 18},   {5131, 0x13}, {5132, 0x12},
        {5133, 20},   {5134, 21},   {5139, 0x10}, {5142, 0x40}, {5164, 22},
    };
    for (const auto& [offset, value] : expected) {
        EXPECT_EQ(b[offset], value) << "offset " << offset;
    }
}

TEST(MacroRecordTest, LengthBytesBeyondCapacityReadAsTheWholeFieldOnly) {
    MacroRecordBytes b{};
    for (std::size_t k = 0; k < b.size(); ++k) {
        b[k] = 'z';
    }
    for (std::size_t offset : {MacroRecordOffset::Nickname, MacroRecordOffset::ScopeTarget,
                               MacroRecordOffset::ShortKey, MacroRecordOffset::Icon}) {
        b[offset] = 255;
    }
    const MacroRecord r = MacroRecord::FromBytes(b);
    EXPECT_EQ(r.Nickname.View(), std::string(50, 'z'));
    EXPECT_EQ(r.ScopeTarget.View(), std::string(30, 'z'));
    EXPECT_EQ(r.ShortKey.View(), std::string(10, 'z'));
    EXPECT_EQ(r.Icon.View(), std::string(12, 'z'));
    EXPECT_EQ(r.Text(), std::string(5000, 'z')) << "no NUL: cut at 5000";
    EXPECT_EQ(r.ToBytes(), b);
}

TEST(MacroRecordTest, StoringCutsTextsToTheirCapacity) {
    MacroRecord r;
    r.Nickname.Assign(std::string(60, 'n'));
    r.SetText(std::string(6000, 't'));
    EXPECT_EQ(r.Nickname.View(), std::string(50, 'n'));
    EXPECT_EQ(r.Text().size(), 5000u);
    EXPECT_EQ(r.MacroText[5000], 0) << "the closing NUL always fits";
    r.SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(r.Text(), "ab");
}

TEST(MacroRecordTest, PopupMembersStayInsideTheTextField) {
    MacroRecord r;
    const std::uint16_t members[] = {7, 2, 9};
    r.SetPopupMembers(members);
    EXPECT_EQ(r.PopupCount(), 3);
    EXPECT_EQ(r.PopupMembers(), (std::vector<std::uint16_t>{7, 2, 9}));
    EXPECT_EQ(r.ToBytes()[100], 3);
    EXPECT_EQ(r.ToBytes()[102], 7);
    EXPECT_EQ(r.ToBytes()[106], 9);

    // A damaged count claims 65535 members: only the 2499 that fit are read, the last from
    // bytes 5098-5099 of the text, and nothing of the icon beyond it.
    MacroRecordBytes b{};
    b[100] = 0xFF;
    b[101] = 0xFF;
    b[100 + 4998] = 0x34;
    b[100 + 4999] = 0x12;
    b[100 + 5000] = 0x77;
    b[5101] = 0x66;
    const MacroRecord damaged = MacroRecord::FromBytes(b);
    EXPECT_EQ(damaged.PopupCount(), 0xFFFF);
    const auto read = damaged.PopupMembers();
    ASSERT_EQ(read.size(), PopupMemberCapacity);
    EXPECT_EQ(PopupMemberCapacity, 2499u);
    EXPECT_EQ(read.back(), 0x1234);

    std::vector<std::uint16_t> tooMany(3000, 1);
    r.SetPopupMembers(tooMany);
    EXPECT_EQ(r.PopupCount(), 2499);
}

struct DayCase {
    LocalDateTime DateTime;
    double Days;
};

TEST(DayCountTest, ConvertsBothWaysAroundTheEpoch) {
    const DayCase cases[] = {
        {{1899, 12, 30, 0, 0, 0, 0}, 0.0},     {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
        {{2023, 3, 15, 12, 0, 0, 0}, 45000.5}, {{2024, 2, 29, 18, 0, 0, 0}, 45351.75},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25}, // before the epoch the fraction still adds time
        {{1800, 1, 1, 0, 0, 0, 0}, -36522.0},
    };
    for (const DayCase& c : cases) {
        EXPECT_DOUBLE_EQ(LocalDateTimeToDays(c.DateTime), c.Days) << c.Days;
        EXPECT_EQ(DaysToLocalDateTime(c.Days), c.DateTime) << c.Days;
    }
    const LocalDateTime withMs{2031, 7, 4, 23, 59, 59, 999};
    EXPECT_EQ(DaysToLocalDateTime(LocalDateTimeToDays(withMs)), withMs);
}

TEST(DayCountTest, ValuesThatAreNoDateGiveNothing) {
    for (double v : {std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity(), -1e300, 1e18, 3e6}) {
        EXPECT_FALSE(DaysToLocalDateTime(v).has_value()) << v;
    }
}

TEST(DayCountTest, StoredValuesAndMomentsConvertBothWays) {
    const auto moment = DaysToTimePoint(45000.5125);
    ASSERT_TRUE(moment.has_value());
    EXPECT_DOUBLE_EQ(TimePointToDays(*moment), 45000.5125);
    EXPECT_FALSE(DaysToTimePoint(std::numeric_limits<double>::quiet_NaN()).has_value());
}

TEST(DayCountTest, NowIsTodayInLocalTime) {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    ::localtime_r(&t, &local);
    const auto dt = DaysToLocalDateTime(TimePointToDays(now));
    ASSERT_TRUE(dt.has_value());
    EXPECT_EQ(dt->Year, local.tm_year + 1900);
    EXPECT_EQ(dt->Month, local.tm_mon + 1);
    EXPECT_EQ(dt->Day, local.tm_mday);
    EXPECT_EQ(dt->Hour, local.tm_hour);
    EXPECT_EQ(dt->Minute, local.tm_min);
}

} // namespace
} // namespace orvane
