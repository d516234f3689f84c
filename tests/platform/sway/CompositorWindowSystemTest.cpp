// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/CompositorWindowSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvane {
namespace {

// A compositor that keeps the windows' states as the real one would and logs each command.
class FakeCompositor final : public CompositorWindows {
public:
    std::vector<CompositorWindow> List;
    std::vector<std::string> Log;
    bool FocusWorks = true;

    std::vector<CompositorWindow> Windows() override { return List; }
    void Focus(WindowId id) override {
        Log.push_back("focus " + std::to_string(id));
        if (FocusWorks) {
            for (auto& w : List) {
                w.Focused = w.Id == id;
            }
        }
    }
    void SetFullscreen(WindowId id, bool on) override {
        Log.push_back(std::string(on ? "fullscreen " : "windowed ") + std::to_string(id));
        At(id).Fullscreen = on;
    }
    void PutAway(WindowId id) override {
        Log.push_back("away " + std::to_string(id));
        At(id).PutAway = true;
        At(id).Floating = true;
        At(id).Focused = false;
    }
    void BringBack(WindowId id, bool tiled) override {
        Log.push_back(std::string(tiled ? "back tiled " : "back floating ") + std::to_string(id));
        At(id).PutAway = false;
        At(id).Floating = !tiled;
        Focus(id);
    }
    void Close(WindowId id) override { Log.push_back("close " + std::to_string(id)); }
    void SetFrame(WindowId id, const WindowRect& frame) override {
        Log.push_back("frame " + std::to_string(id) + " " + std::to_string(frame.Left) + "," +
                      std::to_string(frame.Top) + " " + std::to_string(frame.Width) + "x" +
                      std::to_string(frame.Height));
        At(id).Frame = frame;
        At(id).Floating = true;
        At(id).Fullscreen = false;
    }
    int ChangeFd() const override { return -1; }
    void ReadChanges() override {}
    void WaitForChange(int) override {}

    CompositorWindow& At(WindowId id) {
        return *std::find_if(List.begin(), List.end(), [&](const auto& w) { return w.Id == id; });
    }
};

struct Fixture {
    FakeCompositor* fake = nullptr;
    std::unique_ptr<CompositorWindowSystem> system;

    Fixture() {
        auto owned = std::make_unique<FakeCompositor>();
        fake = owned.get();
        CompositorWindow tiled;
        tiled.Id = 7;
        tiled.Focused = true;
        CompositorWindow floating;
        floating.Id = 8;
        floating.Floating = true;
        floating.Frame = {10, 20, 300, 200};
        fake->List = {tiled, floating};
        system = std::make_unique<CompositorWindowSystem>(std::move(owned));
        // The program's event loop: asks once more at the deadline, as a real wait would.
        system->SetEventLoopWait([](const std::function<bool()>& done, auto) { return done(); });
    }
};

TEST(CompositorWindowSystem, MinimisedWindowsComeBackAsTheyWere) {
    Fixture f;
    f.system->Minimize(7);
    f.system->Minimize(8);
    EXPECT_TRUE(f.system->IsMinimized(7));
    // Still listed, so a macro can find and restore it.
    EXPECT_EQ(f.system->TopLevelWindows(), (std::vector<WindowId>{7, 8}));
    f.system->Restore(7);
    EXPECT_TRUE(f.system->Activate(8));
    EXPECT_EQ(f.fake->Log, (std::vector<std::string>{"away 7", "away 8", "back tiled 7", "focus 7",
                                                     "back floating 8", "focus 8"}));
    EXPECT_EQ(f.system->Foreground(), 8U);
}

TEST(CompositorWindowSystem, HiddenIsNotMinimisedAndOnlyShowBringsItBack) {
    Fixture f;
    f.system->Hide(8);
    EXPECT_FALSE(f.system->IsMinimized(8));
    f.system->Show(7); // not hidden: nothing to do
    f.system->Show(8);
    f.system->Show(8); // shown already: a second show must not put it away again
    EXPECT_EQ(f.fake->Log, (std::vector<std::string>{"away 8", "back floating 8", "focus 8"}));
}

TEST(CompositorWindowSystem, MaximiseIsFullscreenAndRestoreUndoesIt) {
    Fixture f;
    f.system->Maximize(7);
    f.system->Restore(7);
    f.system->Restore(7); // neither minimised nor maximised: nothing
    // A floating window gets its frame back with the same step that leaves fullscreen.
    f.system->Maximize(8);
    f.system->Restore(8);
    EXPECT_EQ(f.fake->Log, (std::vector<std::string>{"fullscreen 7", "windowed 7", "fullscreen 8",
                                                     "frame 8 10,20 300x200"}));
}

TEST(CompositorWindowSystem, MoveKeepsTheSizeAndResizeTheCorner) {
    Fixture f;
    f.system->Move(8, 50, 60);
    f.system->Resize(8, 640, 480);
    f.system->Resize(8, 0, 480); // no frame of no size
    EXPECT_EQ(f.fake->Log,
              (std::vector<std::string>{"frame 8 50,60 300x200", "frame 8 50,60 640x480"}));
}

TEST(CompositorWindowSystem, GoneWindowsAnswerNothingAndActivateSaysWhenFocusFails) {
    Fixture f;
    for (auto command : {&WindowSystem::Minimize, &WindowSystem::Maximize, &WindowSystem::Close,
                         &WindowSystem::Hide, &WindowSystem::Show, &WindowSystem::Restore}) {
        (f.system.get()->*command)(99);
    }
    f.system->Move(99, 1, 2);
    f.system->Resize(99, 10, 10);
    EXPECT_TRUE(f.fake->Log.empty());
    EXPECT_FALSE(f.system->FrameRect(99));
    EXPECT_FALSE(f.system->ProcessOf(99));
    EXPECT_EQ(f.system->Title(99), "");
    EXPECT_FALSE(f.system->Activate(99));

    f.fake->FocusWorks = false;
    EXPECT_FALSE(f.system->Activate(8));
}

} // namespace
} // namespace orvane
