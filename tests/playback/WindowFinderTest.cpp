// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopFixture.h"

namespace orvane {
namespace {

class WindowFinderTest : public DesktopFixture {
protected:
    // Bottom first, so the last one added is topmost.
    void SetUp() override {
        windows.Add(1, "Terminal", 100);
        windows.Add(2, "", 101);
        windows.Add(3, "notes 2", 102);
        windows.Add(4, "Orvane 98 (Macros)", 103);
        windows.Add(5, "Untitled - Notes", 102);
        windows.Add(6, "Caf\xC3\xA9 Men\xC3\xBC", 104); // UTF-8, as the desktop names it
    }
};

TEST_F(WindowFinderTest, TitlesMatchWholeFirstThenTopmostContainingInAnyCase) {
    struct Case {
        std::string Title; // Windows-1252, as a macro holds it
        std::optional<WindowId> Expected;
    } const cases[] = {
        {"untitled - notes", 5}, // whole title, any case
        {"NOTES", 5},            // contained: the topmost of 5 and 3
        {"notes 2", 3},
        {"otes 2", 3},
        {"Orvane", 4},          // the program's own window takes part
        {"caf\xC9 men\xDC", 6}, // accented capitals in the code page
        {"Nothing here", std::nullopt},
        {"", 6}, // every title contains the empty text; untitled windows are passed over
    };
    for (const Case& c : cases) {
        EXPECT_EQ(finder.GetWinHandle(c.Title), c.Expected) << c.Title;
    }
}

TEST_F(WindowFinderTest, AWholeTitleBeatsAHigherWindowThatOnlyContainsIt) {
    windows.Add(7, "Terminal - logs", 100);
    EXPECT_EQ(finder.GetWinHandle("TERMINAL"), 1U);
}

TEST_F(WindowFinderTest, HiddenWindowsAreFound) {
    windows.Find(3)->Hidden = true;
    EXPECT_EQ(finder.GetWinHandle("notes 2"), 3U);
}

TEST_F(WindowFinderTest, ActivationRestoresAMinimisedWindowAndBringsItToTheFront) {
    windows.Find(3)->Minimized = true;
    trace.Clear();
    EXPECT_EQ(finder.ActivateIt("NOTES 2"), 3U);
    EXPECT_EQ(trace.Text(), "restore:3 front:3");
    EXPECT_EQ(windows.ForegroundWindow, 3U);
    EXPECT_EQ(finder.GetWinHandle("notes"), 3U) << "now the topmost match";
}

TEST_F(WindowFinderTest, AWindowThatRefusesTheFocusStillCountsAsFound) {
    windows.Refusing = {1};
    EXPECT_EQ(finder.ActivateIt("Terminal"), 1U);
}

TEST_F(WindowFinderTest, ProgramsAreMatchedByTheirExecutableNameInCapitals) {
    processes.List = {{100, "xterm"},
                      {101, "helper"},
                      {102, "notes-editor"},
                      {150, "firefox-esr"},
                      {151, "firefox-esr"}};
    windows.Add(8, "Web page", 151);
    struct Case {
        std::string Name;
        std::optional<WindowId> Expected;
    } const cases[] = {
        {"XTERM", 1},   {"NOTES", 5}, // the process's topmost titled window
        {"HELPER", {}},               // its only window has no title
        {"FIREFOX", 8}, // the first process of the program shows no window; the next does
        {"CALC", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(finder.ActivateProg(c.Name), c.Expected) << c.Name;
        if (c.Expected) {
            EXPECT_EQ(windows.ForegroundWindow, *c.Expected) << c.Name;
        }
    }
}

TEST_F(WindowFinderTest, TheTopLevelWindowOfAChildIsItsNearestTopLevelAncestor) {
    const auto child = [this](WindowId id, WindowId parent) {
        FakeWindow window;
        window.Id = id;
        window.Parent = parent;
        windows.Children.push_back(window);
    };
    child(50, 51);
    child(51, 3);
    child(60, 999);
    EXPECT_EQ(finder.MakeSureItsAParent(50), 3U);
    EXPECT_EQ(finder.MakeSureItsAParent(3), 3U);
    EXPECT_EQ(finder.MakeSureItsAParent(60), NoWindow);
    EXPECT_EQ(finder.MakeSureItsAParent(NoWindow), NoWindow);
}

} // namespace
} // namespace orvane
