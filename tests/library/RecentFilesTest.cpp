// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/RecentFiles.h"
#include "library/FileChoice.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(RecentFiles, SwitchingFilesUpdatesTheList) {
    struct Row {
        const char* Case;
        RecentFileList Before;
        const char* Previous;
        const char* Opened;
        RecentFileList After;
    };
    const Row rows[] = {
        {"first switch", {}, "/a.ORV", "/b.ORV", {"/a.ORV"}},
        {"the previous file goes on top",
         {"/b.ORV", "/c.ORV"},
         "/a.ORV",
         "/d.ORV",
         {"/a.ORV", "/b.ORV", "/c.ORV"}},
        {"the opened file leaves its place",
         {"/b.ORV", "/c.ORV", "/d.ORV"},
         "/a.ORV",
         "/c.ORV",
         {"/a.ORV", "/b.ORV", "/d.ORV"}},
        {
            "the fifth entry drops off",
            {"/1", "/2", "/3", "/4", "/5"},
            "/a.ORV",
            "/b.ORV",
            {"/a.ORV", "/1", "/2", "/3", "/4"},
        },
        {"a full list keeps its last entry when the opened file leaves",
         {"/1", "/2", "/b.ORV", "/4", "/5"},
         "/a.ORV",
         "/b.ORV",
         {"/a.ORV", "/1", "/2", "/4", "/5"}},
        {"opening the current file again lists it",
         {"/b.ORV"},
         "/a.ORV",
         "/a.ORV",
         {"/a.ORV", "/b.ORV"}},
        {"the previous file is never listed twice",
         {"/a.ORV", "/c.ORV"},
         "/a.ORV",
         "/c.ORV",
         {"/a.ORV"}},
        {"names compare exactly", {"/A.ORV"}, "/x.ORV", "/a.ORV", {"/x.ORV", "/A.ORV"}},
        {"no previous file adds nothing", {"/b.ORV", "/c.ORV"}, "", "/b.ORV", {"/c.ORV"}},
    };
    for (const Row& row : rows) {
        RecentFileList files = row.Before;
        UpdateRecentFiles(files, row.Previous, row.Opened);
        EXPECT_EQ(files, row.After) << row.Case;
    }
}

TEST(RecentFiles, CaptionsAndTheFileType) {
    EXPECT_EQ(RecentFileCaption(0, "/home/u/Work.ORV"), "&1   /home/u/Work.ORV");
    EXPECT_EQ(RecentFileCaption(4, "x"), "&5   x");
    for (const char* name : {"a.ORV", "a.orv", "/d/B.Orv", ".ORV"}) {
        EXPECT_TRUE(HasMacroFileExtension(name)) << name;
    }
    for (const char* name : {"a.ORVX", "a.txt", "ORV", "a.OR", "/d.ORV/x", ""}) {
        EXPECT_FALSE(HasMacroFileExtension(name)) << name;
    }
}

} // namespace
} // namespace orvane
