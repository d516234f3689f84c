// SPDX-License-Identifier: GPL-3.0-or-later
// The Wayland input backend against a real compositor: sway, headless, with foot running
// `cat > file` and the Qt probe running natively on Wayland as the programs typed into.
#include "platform/wayland/WaylandInputSynth.h"
#include "platform/linux/VirtualKeys.h"

#include "ChildProcess.h"
#include "Deadline.h"
#include "SwayTest.h"
#include "WaylandTargets.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace orvane {
namespace {

constexpr std::uint8_t VkShift = VirtualKeyCode::Shift;
constexpr std::uint8_t VkControl = VirtualKeyCode::Control;
constexpr std::uint8_t VkReturn = VirtualKeyCode::Return;
constexpr std::uint8_t VkBack = 8;

std::string Utf8(std::u32string_view text) {
    std::string out;
    for (const char32_t ch : text) {
        const auto c = static_cast<std::uint32_t>(ch);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The Windows-1252 byte of a character, or 0.
unsigned char Windows1252Of(char32_t ch) {
    static constexpr char32_t High[32] = {U'€', 0,    U'‚', U'ƒ', U'„', U'…', U'†', U'‡',
                                          U'ˆ', U'‰', U'Š', U'‹', U'Œ', 0,    U'Ž', 0,
                                          0,    U'‘', U'’', U'“', U'”', U'•', U'–', U'—',
                                          U'˜', U'™', U'š', U'›', U'œ', 0,    U'ž', U'Ÿ'};
    if (ch >= 0xA0 && ch <= 0xFF) {
        return static_cast<unsigned char>(ch);
    }
    for (unsigned i = 0; i < 32; ++i) {
        if (High[i] != 0 && High[i] == ch) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return 0;
}

void Key(InputSynth& synth, std::uint8_t vk) {
    synth.PostKey(vk, false);
    synth.PostKey(vk, true);
}

// Types as playback does: ASCII by its key with Shift pressed as a key, Windows-1252 by its
// Alt code, anything else as a character.
void TypeLikePlayback(InputSynth& synth, std::u32string_view text) {
    synth.PrepareCharacters(text);
    for (const char32_t ch : text) {
        if (ch < 0x80) {
            if (const auto scan = synth.ScanCharacter(static_cast<unsigned char>(ch));
                scan && (scan->ShiftState & ~1U) == 0) {
                if (scan->ShiftState != 0) {
                    synth.PostKey(VkShift, false);
                }
                Key(synth, scan->VirtualKey);
                if (scan->ShiftState != 0) {
                    synth.PostKey(VkShift, true);
                }
                continue;
            }
        } else if (const unsigned char byte = Windows1252Of(ch)) {
            synth.PostAltCode("0" + std::to_string(byte));
            continue;
        }
        synth.TypeCharacter(ch);
    }
}

// Every printable character Latin-1 and Windows-1252 add to ASCII, a tab, and beyond.
std::u32string ExactText() {
    std::u32string text = U"Exact typing:\t€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ";
    for (char32_t ch = 0xA0; ch <= 0xFF; ++ch) {
        text += ch;
    }
    return text + U" Ω日本✓😀 (end)";
}

// The focused window, if any.
std::optional<e2e::SwayWindow> FocusedWindow(const e2e::SwaySession& sway) {
    for (const e2e::SwayWindow& window : sway.Windows()) {
        if (window.focused) {
            return window;
        }
    }
    return std::nullopt;
}

// Waits until the window of `appId` has the focus and, when `width` is not 0, sway has given its
// surface that size.
bool WaitForFocus(const e2e::SwaySession& sway, const std::string& appId, int width = 0,
                  int height = 0) {
    return e2e::WaitFor(
        [&] {
            const auto window = FocusedWindow(sway);
            return window && window->appId == appId &&
                   (width == 0 ||
                    (window->content.width == width && window->content.height == height));
        },
        e2e::kDefaultTimeout, std::chrono::milliseconds(50));
}

class WaylandInputSynthTest : public e2e::SwayTest {
protected:
    // One 1024x768 output and no borders, so that a window alone fills the output.
    e2e::SwaySessionOptions SessionOptions() const override {
        e2e::SwaySessionOptions options;
        options.width = 1024;
        options.height = 768;
        options.borders = false;
        return options;
    }

    void SetUp() override {
        SwayTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        setenv("WAYLAND_DISPLAY", sway->WaylandDisplay().c_str(), 1);
        std::string error;
        synth_ = WaylandInputSynth::Open(error);
        ASSERT_TRUE(synth_) << error;
    }
    void TearDown() override {
        synth_.reset();
        unsetenv("WAYLAND_DISPLAY");
    }

    // What foot running `cat > file` receives while `type` types, then Return and Ctrl+D (which
    // ends cat, and with it the terminal).
    std::string TypedIntoTerminal(const std::function<void()>& type) {
        const std::filesystem::path out = sway->Folder() / "typed.txt";
        auto foot = e2e::StartLogged({"foot", "sh", "-c", "cat > '" + out.string() + "'"},
                                     sway->Env(), sway->Folder() / "foot.log");
        EXPECT_TRUE(WaitForFocus(*sway, "foot"));
        type();
        Key(*synth_, VkReturn);
        synth_->PostKey(VkControl, false);
        Key(*synth_, 'D');
        synth_->PostKey(VkControl, true);
        synth_->EndOfPlayback();
        EXPECT_TRUE(foot->WaitForExit(e2e::kDefaultTimeout)) << "cat did not see the end of input";
        std::ifstream file(out, std::ios::binary);
        std::stringstream typed;
        typed << file.rdbuf();
        return typed.str();
    }

    std::unique_ptr<WaylandInputSynth> synth_;
};

TEST_F(WaylandInputSynthTest, TypesLatin1Windows1252AndBeyondExactlyIntoATerminal) {
    const std::u32string text = ExactText();
    // The keypad's digits are digits whatever Num Lock says.
    EXPECT_EQ(TypedIntoTerminal([&] {
                  TypeLikePlayback(*synth_, text);
                  Key(*synth_, VirtualKeyCode::Numpad0 + 1);
                  Key(*synth_, VirtualKeyCode::Numpad9);
              }),
              Utf8(text) + "19\n");
}

TEST_F(WaylandInputSynthTest, AnotherLayoutTypesOnItsOwnLevelsAndKeys) {
    synth_.reset();
    std::string error;
    synth_ = WaylandInputSynth::Open(error, KeymapNames{.Layout = "de"});
    ASSERT_TRUE(synth_) << error;
    // AltGr levels (@ € { ~), the keys that swap places with US (z y), its own letters (ü ß).
    const std::u32string text = U"z@y€{~}üß|µ Ω";
    EXPECT_EQ(TypedIntoTerminal([&] { TypeLikePlayback(*synth_, text); }), Utf8(text) + "\n");
}

TEST_F(WaylandInputSynthTest, MoreCharactersThanFreeKeysAreTypedThroughChangingKeymaps) {
    // More distinct characters than the layout has free keycodes, twice over, unannounced the
    // second time: the keymap changes while the terminal is still reading earlier keys.
    std::u32string text;
    for (char32_t ch = 0x4E00; ch < 0x4E00 + 400; ++ch) {
        text += ch;
    }
    EXPECT_EQ(TypedIntoTerminal([&] {
                  TypeLikePlayback(*synth_, text);
                  for (const char32_t ch : text) {
                      synth_->TypeCharacter(ch);
                  }
              }),
              Utf8(text + text) + "\n");
}

TEST_F(WaylandInputSynthTest, TypesIntoAQtWindowWhereCtrlAAndBackSpaceEmptyTheField) {
    e2e::WaylandProbe probe(*sway, "wayland probe");
    ASSERT_TRUE(probe.WaitForReady());
    const std::u32string text = U"Grüße, Ω€ 日本 ✓😀";
    TypeLikePlayback(*synth_, text);
    synth_->EndOfPlayback();
    ASSERT_TRUE(probe.WaitForText(Utf8(text)));
    // After the keymap with the extra characters has been handed back, the layout's own keys
    // still make the combinations.
    synth_->PostKey(VkControl, false);
    Key(*synth_, 'A');
    synth_->PostKey(VkControl, true);
    Key(*synth_, VkBack);
    synth_->EndOfBatch();
    EXPECT_TRUE(probe.WaitForText(""));
}

// A line starting with `prefix` from line `from` on.
bool WaitForLineFrom(e2e::WaylandProbe& probe, std::size_t from, const std::string& prefix) {
    return probe
        .WaitForLine([&](const std::string& line) { return line.starts_with(prefix); },
                     e2e::kDefaultTimeout, from)
        .has_value();
}

// Waits for the probe's first left click and checks where in its window, and so where in the
// layout (by sway's place for the window), it landed.
void ExpectClickAt(e2e::WaylandProbe& probe, int x, int y, int layoutX) {
    ASSERT_TRUE(WaitForLineFrom(probe, 0, "BUTTON 1 ")) << probe.Describe();
    const e2e::ProbeButton click = probe.Clicks().front();
    EXPECT_EQ(click.x, x) << probe.Describe();
    EXPECT_EQ(click.y, y) << probe.Describe();
    EXPECT_EQ(click.rootX, layoutX) << probe.Describe();
    EXPECT_EQ(click.rootY, y) << probe.Describe();
}

// Waits until the probe has reported its window at that size, whenever that was.
bool WaitForSize(e2e::WaylandProbe& probe, int width, int height) {
    return WaitForLineFrom(probe, 0,
                           "GEOMETRY 0 0 " + std::to_string(width) + " " + std::to_string(height));
}

TEST_F(WaylandInputSynthTest, AClickLandsWhereItIsAimedAndTheWheelRollsBothWays) {
    e2e::WaylandProbe probe(*sway, "wayland probe");
    // The window fills the output, so its surface starts at the layout's origin; clicks wait
    // until both sway and the probe have the window at that size.
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(WaitForFocus(*sway, "orvane_qtprobe", 1024, 768));
    ASSERT_TRUE(WaitForSize(probe, 1024, 768)) << probe.Describe();
    const ScreenSize screen = synth_->GetScreenSize();
    ASSERT_EQ(screen.Width, 1024);
    ASSERT_EQ(screen.Height, 768);
    synth_->PostMouse(MouseFlag::Move | MouseFlag::Absolute, 300 * 65535 / 1024, 200 * 65535 / 768,
                      0);
    synth_->PostMouse(MouseFlag::LeftDown, 0, 0, 0);
    synth_->PostMouse(MouseFlag::LeftUp, 0, 0, 0);
    synth_->EndOfBatch();
    ExpectClickAt(probe, 300, 200, 300);
    // Forward (positive data) is up: the probe's button 4, as X numbers the wheel.
    std::size_t from = probe.LineCount();
    synth_->PostMouse(MouseFlag::Wheel, 0, 0, 120);
    synth_->EndOfBatch();
    EXPECT_TRUE(WaitForLineFrom(probe, from, "BUTTON 4 ")) << probe.Describe();
    from = probe.LineCount();
    synth_->PostMouse(MouseFlag::Wheel, 0, 0, -120);
    synth_->EndOfBatch();
    EXPECT_TRUE(WaitForLineFrom(probe, from, "BUTTON 5 ")) << probe.Describe();
}

TEST_F(WaylandInputSynthTest, AbsoluteMovesSpanEveryOutput) {
    // A second output to the right of the first, smaller, and the probe's window on it.
    for (const std::string command :
         {"create_output", "output HEADLESS-2 resolution 800x600 position 1024 0",
          "focus output HEADLESS-2"}) {
        const e2e::CommandResult done = sway->Swaymsg({command});
        ASSERT_TRUE(done.Succeeded()) << done.Describe();
    }
    ASSERT_TRUE(e2e::WaitFor([&] {
        synth_->ServeEvents();
        const ScreenSize screen = synth_->GetScreenSize();
        return screen.Width == 1824 && screen.Height == 768;
    })) << "the layout of both outputs never showed";
    e2e::WaylandProbe probe(*sway, "wayland probe");
    ASSERT_TRUE(probe.WaitForReady());
    ASSERT_TRUE(WaitForFocus(*sway, "orvane_qtprobe", 800, 600));
    ASSERT_TRUE(WaitForSize(probe, 800, 600)) << probe.Describe();
    ASSERT_EQ(FocusedWindow(*sway)->content.x, 1024);
    synth_->PostMouse(MouseFlag::Move | MouseFlag::Absolute, (1024 + 300) * 65535 / 1824,
                      200 * 65535 / 768, 0);
    synth_->PostMouse(MouseFlag::LeftDown | MouseFlag::LeftUp, 0, 0, 0);
    synth_->EndOfBatch();
    ExpectClickAt(probe, 300, 200, 1024 + 300);
}

} // namespace
} // namespace orvane
