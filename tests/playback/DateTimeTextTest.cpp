// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/DateTimeText.h"
#include "script/ScriptReader.h"

#include <gtest/gtest.h>

#include <string_view>

namespace orvane {
namespace {

int DateIndex(std::string_view name) {
    for (std::size_t i = 0; i < DateFormatNames.size(); ++i) {
        if (DateFormatNames[i] == name) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << "no date format " << name;
    return -1;
}

int TimeIndex(std::string_view name) {
    for (std::size_t i = 0; i < TimeFormatNames.size(); ++i) {
        if (TimeFormatNames[i] == name) {
            return static_cast<int>(i);
        }
    }
    ADD_FAILURE() << "no time format " << name;
    return -1;
}

TEST(DateTimeText, DatesInEveryKindOfFormat) {
    struct Case {
        const char* Format;
        bool LeadingZeros;
        int Offset;
        LocalDateTime Now;
        const char* Expected;
    };
    const LocalDateTime sunday{2024, 1, 7, 14, 3, 9};
    const Case cases[] = {
        {"MM/DD/YY", false, -1, {1998, 3, 5}, "3/4/98"},
        {"MM/DD/YY", true, 0, {1998, 3, 5}, "03/05/98"},
        {"MM/DD/YYYY", true, 0, sunday, "01/07/2024"},
        {"MM/DD/YYYY", false, 0, sunday, "1/7/2024"},
        {"DD.MM.YYYY", true, 0, sunday, "07.01.2024"},
        {"YYYY-MM-DD", true, 0, sunday, "2024-01-07"},
        {"YY.MM.DD", false, 0, sunday, "24.1.7"},
        {"MMM YYYY", true, 0, sunday, "JAN 2024"},
        {"Mmm YYYY", true, 0, sunday, "Jan 2024"},
        {"DD Mmmmm YYYY", true, 0, sunday, "07 January 2024"},
        {"Mmm DD, YY", true, 0, sunday, "Jan 07, 24"},
        {"Mmmmm DD, YYYY", false, 0, sunday, "January 7, 2024"},
        {"MMDDYYYY", true, 0, sunday, "01072024"},
        {"YYMMDD", true, 0, sunday, "240107"},
        {"DD", false, 0, sunday, "7"},
        {"Mmmmm", true, 0, sunday, "January"},
        {"YY", false, 0, {2005, 6, 1}, "05"},
        {"YYYY", true, 0, {987, 6, 1}, "0987"},
        {"YYYY", false, 0, {987, 6, 1}, "987"},
        {"Day of Week 1", true, 0, sunday, "Sun"},
        {"Day of Week 2", true, 0, sunday, "SUN"},
        {"Day of Week 3", true, 1, sunday, "Monday"},
        {"Day of Week 4", true, -1, sunday, "SATURDAY"},
        // Offsets cross month, year and leap-day boundaries.
        {"MM/DD/YY", true, 1, {1999, 12, 31}, "01/01/00"},
        {"MM/DD/YYYY", true, 1, {2024, 2, 28}, "02/29/2024"},
        {"MM/DD/YYYY", true, 365, {2023, 3, 1}, "02/29/2024"},
        {"MM/DD/YYYY", true, -999, {2024, 1, 7}, "04/13/2021"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDate(DateIndex(c.Format), c.LeadingZeros, c.Offset, c.Now), c.Expected)
            << c.Format << " " << c.Offset;
    }
}

TEST(DateTimeText, TimesOnThe24And12HourClocks) {
    struct Case {
        const char* Format;
        bool LeadingZeros;
        int Hour, Minute, Second;
        const char* Expected;
    };
    const Case cases[] = {
        {"hh:mm am", false, 0, 5, 0, "12:05 am"},
        {"hh:mm", true, 9, 5, 0, "09:05"},
        {"hh:mm", false, 9, 5, 0, "9:05"},
        {"hh:mm:ss", true, 14, 3, 9, "14:03:09"},
        {"hhmmss", false, 9, 5, 7, "90507"},
        {"hh", true, 7, 0, 0, "07"},
        {"mm", false, 7, 4, 0, "04"},
        {"ss", false, 7, 4, 3, "03"},
        {"hh:mm am", true, 12, 0, 0, "12:00 pm"},
        {"hh:mm am", true, 11, 59, 0, "11:59 am"},
        {"hh,mm,ss AM", false, 14, 3, 9, "2,03,09 PM"},
        {"hh.mm.ss AM", true, 1, 2, 3, "01.02.03 AM"},
        {"hh.mma", false, 14, 3, 0, "2.03p"},
        {"hh:mma", true, 0, 30, 0, "12:30a"},
        {"hh:mm:ss am", false, 23, 59, 59, "11:59:59 pm"},
    };
    for (const Case& c : cases) {
        const LocalDateTime now{2024, 1, 7, c.Hour, c.Minute, c.Second};
        EXPECT_EQ(FormatTime(TimeIndex(c.Format), c.LeadingZeros, now), c.Expected)
            << c.Format << " " << c.Hour;
    }
}

TEST(DateTimeText, IndexesOutsideTheTablesGiveNothing) {
    EXPECT_EQ(FormatDate(-1, true, 0, {}), "");
    EXPECT_EQ(FormatDate(51, true, 0, {}), "");
    EXPECT_EQ(FormatTime(26, true, {}), "");
}

} // namespace
} // namespace orvane
