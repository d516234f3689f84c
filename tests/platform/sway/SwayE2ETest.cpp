// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotKeyTable.h"
#include "core/MacroTable.h"
#include "platform/sway/BindingRecord.h"
#include "platform/sway/SwayHotKeys.h"
#include "platform/sway/SwayWindowSystem.h"

#include "Deadline.h"
#include "SwayTest.h"
#include "WaylandTargets.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvane {
namespace {

// The config binds Ctrl+Alt+F10 itself: a hot key on it cannot be had.
constexpr const char* Config = "bindsym Ctrl+Alt+F10 nop config\n";

// Serves `fd` with `process` until `done` holds; false when the default limit passed first.
bool PumpUntil(int fd, const std::function<void()>& process, const std::function<bool()>& done) {
    const e2e::Deadline deadline(e2e::kDefaultTimeout);
    process();
    while (!done()) {
        if (deadline.Passed()) {
            return false;
        }
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, deadline.RemainingMs());
        process();
    }
    return true;
}

class Messages final : public HookMessageReceiver {
public:
    std::vector<HookMessage> Got;
    std::vector<std::string> TraceLines;
    std::string line_;

    void Receive(const HookMessage& message) override {
        if (message.Id != HookMessageId::UM_TRACE) {
            Got.push_back(message);
        } else if (message.LParam == 0) {
            TraceLines.push_back(line_);
            line_.clear();
        } else {
            line_ += static_cast<char>(message.LParam);
        }
    }
    std::size_t Count(HookMessageId id) const {
        return std::count_if(Got.begin(), Got.end(), [&](const auto& m) { return m.Id == id; });
    }
};

class SwayE2E : public e2e::SwayTest {
protected:
    e2e::SwaySessionOptions SessionOptions() const override {
        return {.width = 1280, .height = 720, .extraConfig = Config};
    }

    void SetUp() override {
        SwayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        record_ = (sway->Folder() / "record" / "sway-bindings").string();
        std::string error;
        windows_ = SwayWindowSystem::OpenAt(sway->IpcSocket(), error);
        ASSERT_TRUE(windows_) << error;
    }

    std::unique_ptr<SwayHotKeys> OpenHotKeys() {
        std::string error;
        auto hotKeys = SwayHotKeys::OpenAt(sway->IpcSocket(), record_, true, error);
        EXPECT_TRUE(hotKeys) << error;
        if (hotKeys) {
            hotKeys->SetReceiver(&messages_);
        }
        return hotKeys;
    }

    static std::uint16_t Code(const char* name) { return HotKeyCodeOf(name).value(); }

    // Publishes `names` as the hot keys in use and installs the keyboard hook.
    void UseHotKeys(SwayHotKeys& hotKeys, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            table_.SetKeyInUse(Code(name), true);
        }
        hotKeys.OrvUpKeys(table_);
        EXPECT_NE(hotKeys.OrvHookKeyboard(), 0U);
    }

    bool Strike(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv = {"wtype"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const auto result = e2e::RunCommand(argv, sway->Env());
        EXPECT_TRUE(result.Succeeded()) << result.Describe();
        return result.Succeeded();
    }
    bool StrikeCtrlShiftF9() {
        return Strike({"-M", "ctrl", "-M", "shift", "-k", "F9", "-m", "shift", "-m", "ctrl"});
    }

    bool WaitForMessage(SwayHotKeys& hotKeys, HookMessageId id, std::size_t count = 1) {
        return PumpUntil(
            hotKeys.EventFd(), [&] { hotKeys.ProcessEvents(); },
            [&] { return messages_.Count(id) >= count; });
    }

    // A bound combination is one unbindsym finds (and removes: call it last).
    bool BoundInSway(const std::string& combination) {
        return sway->Swaymsg({"unbindsym", combination}).Succeeded();
    }

    // Serves the window system's connection until `done` holds.
    bool WindowsUntil(const std::function<bool()>& done) {
        return PumpUntil(
            windows_->ConnectionFd(), [&] { windows_->ProcessEvents(); }, done);
    }

    // A foot window titled `title`, with `cat` writing what is typed into its file, once it is
    // listed; NoWindow when it never came.
    WindowId StartFoot(const std::string& title) {
        feet_.push_back(std::make_unique<e2e::FootCat>(*sway, title));
        EXPECT_TRUE(feet_.back()->WaitForReady());
        WindowId found = NoWindow;
        WindowsUntil([&] {
            for (const WindowId id : windows_->TopLevelWindows()) {
                if (windows_->Title(id) == title) {
                    found = id;
                }
            }
            return found != NoWindow;
        });
        return found;
    }

    std::unique_ptr<SwayWindowSystem> windows_;
    std::string record_;
    MacroTable table_;
    Messages messages_;
    std::vector<std::unique_ptr<e2e::FootCat>> feet_;
};

TEST_F(SwayE2E, HotKeyStruckOnAVirtualKeyboardPostsItsCodeAlsoAfterAReload) {
    const WindowId target = StartFoot("target");
    ASSERT_TRUE(windows_->Activate(target));

    auto hotKeys = OpenHotKeys();
    ASSERT_TRUE(hotKeys);
    UseHotKeys(*hotKeys, {"Ctrl+Shift+F9", "Ctrl+Alt+F10"});
    EXPECT_EQ(hotKeys->UnavailableHotKeys(), std::vector<std::uint16_t>{Code("Ctrl+Alt+F10")});
    EXPECT_EQ(hotKeys->BoundCombinations(), std::vector<std::string>{"Ctrl+Shift+F9"});
    EXPECT_EQ(BindingRecord(record_).Read(), std::vector<std::string>{"Ctrl+Shift+F9"});

    ASSERT_TRUE(StrikeCtrlShiftF9());
    ASSERT_TRUE(WaitForMessage(*hotKeys, HookMessageId::UM_HOTKEY));
    EXPECT_EQ(messages_.Got.back().WParam, Code("Ctrl+Shift+F9"));
    EXPECT_EQ(messages_.Got.back().LParam, static_cast<std::int64_t>(target));

    // The reload drops run-time bindings; they are made again once it is announced.
    const std::size_t traced = messages_.TraceLines.size();
    ASSERT_TRUE(sway->Swaymsg({"reload"}).Succeeded());
    ASSERT_TRUE(PumpUntil(
        hotKeys->EventFd(), [&] { hotKeys->ProcessEvents(); },
        [&] {
            const auto& lines = messages_.TraceLines;
            const auto reload = std::find(lines.begin() + traced, lines.end(), "reload");
            return reload != lines.end() &&
                   std::find(reload, lines.end(), "bound 1 unavailable 1") != lines.end();
        }));
    ASSERT_TRUE(StrikeCtrlShiftF9());
    ASSERT_TRUE(WaitForMessage(*hotKeys, HookMessageId::UM_HOTKEY, 2));
    EXPECT_EQ(messages_.Got.back().WParam, Code("Ctrl+Shift+F9"));

    // Going, the object takes its binding and its record with it; the config's stays.
    hotKeys.reset();
    EXPECT_FALSE(std::filesystem::exists(record_));
    EXPECT_FALSE(BoundInSway("Ctrl+Shift+F9"));
    EXPECT_TRUE(BoundInSway("Ctrl+Alt+F10"));
}

TEST_F(SwayE2E, WhileAMacroPlaysItsHotKeyReachesTheWindowAndPauseAborts) {
    ASSERT_TRUE(windows_->Activate(StartFoot("target")));

    auto hotKeys = OpenHotKeys();
    ASSERT_TRUE(hotKeys);
    UseHotKeys(*hotKeys, {"F9"});
    table_.SetInUse(true);
    hotKeys->OrvUpInUse(table_);
    EXPECT_EQ(hotKeys->BoundCombinations(), std::vector<std::string>{"Pause"});

    // The macro types its own hot key: it reaches foot (an escape sequence in the file). Each
    // wtype run is a new keyboard with a new keymap, and foot can drop what comes while it
    // takes the keymap in, so the strike is repeated until a line arrives; every strike must
    // reach foot and none may start the macro.
    const auto arrived = [&] { return feet_.back()->Text().find("\x1b[20~") != std::string::npos; };
    for (int attempt = 0; attempt < 5 && !arrived(); ++attempt) {
        ASSERT_TRUE(Strike({"-k", "Shift_R", "-k", "F9", "-k", "Return"}));
        e2e::WaitFor(arrived, std::chrono::seconds(3));
    }
    ASSERT_TRUE(arrived()) << "F9 never reached the window";
    ASSERT_TRUE(Strike({"-k", "Pause"}));
    ASSERT_TRUE(WaitForMessage(*hotKeys, HookMessageId::UM_ABORT));
    EXPECT_EQ(messages_.Count(HookMessageId::UM_HOTKEY), 0U);

    hotKeys->EndMark();
    EXPECT_EQ(hotKeys->BoundCombinations(), std::vector<std::string>{"F9"});
    ASSERT_TRUE(Strike({"-k", "F9"}));
    ASSERT_TRUE(WaitForMessage(*hotKeys, HookMessageId::UM_HOTKEY));
    EXPECT_EQ(messages_.Got.back().WParam, Code("F9"));
}

TEST_F(SwayE2E, BindingsOfARunThatDiedAreRemovedAtTheNextOpen) {
    // A run that binds and dies without cleaning up.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::string error;
        auto hotKeys = SwayHotKeys::OpenAt(sway->IpcSocket(), record_, false, error);
        MacroTable table;
        table.SetKeyInUse(Code("Ctrl+Shift+F8"), true);
        if (hotKeys) {
            hotKeys->OrvUpKeys(table);
            hotKeys->OrvHookKeyboard();
        }
        _exit(hotKeys && hotKeys->BoundCombinations().size() == 1 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(BindingRecord(record_).Read(), std::vector<std::string>{"Ctrl+Shift+F8"});
    // The record also names a combination the config binds by now: that one is the user's.
    { std::ofstream(record_, std::ios::app) << "Ctrl+Alt+F10\n"; }

    auto hotKeys = OpenHotKeys();
    ASSERT_TRUE(hotKeys);
    EXPECT_FALSE(std::filesystem::exists(record_));
    EXPECT_FALSE(BoundInSway("Ctrl+Shift+F8"));
    EXPECT_TRUE(BoundInSway("Ctrl+Alt+F10"));
}

TEST_F(SwayE2E, WhenSwayEndsTheEventDescriptorFallsQuiet) {
    auto hotKeys = OpenHotKeys();
    ASSERT_TRUE(hotKeys);
    UseHotKeys(*hotKeys, {"Ctrl+Shift+F9"});
    sway->StopCompositor();
    pollfd p{hotKeys->EventFd(), POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, static_cast<int>(e2e::kDefaultTimeout.count())), 1); // the hang-up
    hotKeys->ProcessEvents();
    // An event loop watching it must not wake for ever after.
    EXPECT_EQ(poll(&p, 1, 0), 0);
    EXPECT_FALSE(hotKeys->HasWork());
    // Removing the bindings of a gone session neither hangs nor fails.
    hotKeys.reset();
}

TEST_F(SwayE2E, WindowCommandsOnTwoFootWindows) {
    const WindowId alpha = StartFoot("alpha");
    const WindowId beta = StartFoot("beta");
    ASSERT_NE(alpha, NoWindow);
    ASSERT_NE(beta, NoWindow);
    EXPECT_FALSE(windows_->IsRemote(alpha));
    EXPECT_EQ(windows_->Parent(alpha), NoWindow);

    const std::optional<int> pid = windows_->ProcessOf(alpha);
    ASSERT_TRUE(pid);
    std::ifstream comm("/proc/" + std::to_string(*pid) + "/comm");
    std::string program;
    std::getline(comm, program);
    EXPECT_EQ(program, "foot");

    ASSERT_TRUE(windows_->Activate(alpha));
    EXPECT_EQ(windows_->Foreground(), alpha);
    EXPECT_EQ(windows_->TopLevelWindows().front(), alpha); // topmost first
    ASSERT_TRUE(windows_->Activate(beta));
    EXPECT_EQ(windows_->TopLevelWindows().front(), beta);

    const auto frameBecomes = [&](WindowRect frame) -> testing::AssertionResult {
        if (WindowsUntil([&] { return windows_->FrameRect(alpha) == frame; })) {
            return testing::AssertionSuccess();
        }
        const WindowRect now = windows_->FrameRect(alpha).value_or(WindowRect{});
        return testing::AssertionFailure() << "the frame stays at " << now.Left << "," << now.Top
                                           << " " << now.Width << "x" << now.Height;
    };
    windows_->Move(alpha, 100, 50);
    windows_->Resize(alpha, 400, 300);
    EXPECT_TRUE(frameBecomes({100, 50, 400, 300}));

    windows_->Minimize(beta);
    EXPECT_TRUE(windows_->IsMinimized(beta));
    EXPECT_EQ(windows_->TopLevelWindows().size(), 2U); // still listed
    windows_->Restore(beta);
    EXPECT_FALSE(windows_->IsMinimized(beta));
    windows_->Minimize(beta);
    ASSERT_TRUE(windows_->Activate(beta)); // activating restores
    EXPECT_FALSE(windows_->IsMinimized(beta));

    windows_->Hide(beta);
    EXPECT_FALSE(windows_->IsMinimized(beta));
    EXPECT_EQ(windows_->TopLevelWindows().back(), beta); // hidden, still findable
    EXPECT_NE(windows_->Foreground(), beta);
    windows_->Show(beta);
    EXPECT_EQ(windows_->Foreground(), beta);

    windows_->Maximize(alpha);
    EXPECT_TRUE(frameBecomes({0, 0, 1280, 720}));
    windows_->Restore(alpha);
    EXPECT_TRUE(frameBecomes({100, 50, 400, 300}));

    windows_->Close(alpha);
    EXPECT_TRUE(
        WindowsUntil([&] { return windows_->TopLevelWindows() == std::vector<WindowId>{beta}; }));
    EXPECT_EQ(windows_->Title(alpha), "");
    EXPECT_FALSE(windows_->Activate(alpha));
}

} // namespace
} // namespace orvane
