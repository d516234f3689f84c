// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"
#include "platform/fake/EventTrace.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// One synthesized event as the engine asked for it.
struct SynthEvent {
    enum class Type { KeyDown, KeyUp, Mouse, Character };
    Type Kind = Type::KeyDown;
    std::uint8_t Key = 0; // virtual-key code (decimal) of key events
    std::uint32_t Flags = 0;
    std::int32_t Dx = 0;
    std::int32_t Dy = 0;
    std::int32_t Data = 0;
    char32_t Character = 0; // TypeCharacter

    bool operator==(const SynthEvent&) const = default;
};

// Readable names: "+A" key down, "-A" key up (letters and digits as themselves, other keys by
// name: SHIFT CTRL ALT CAPS ENTER TAB KP0 F5 ... or VK<code>), "LDOWN", "RUP", "WHEEL:120",
// "MOVE:32767,32767" (absolute), "TYPE:U+00A7".
std::string VirtualKeyName(std::uint8_t key);
std::string FormatSynthEvent(const SynthEvent& event);

// Records every event; Caps Lock and the screen size are settable. Its layout is the US one as
// the Windows layout query reports it: letters (Shift for capitals), digits and the US
// punctuation keys with their shifted characters, blank, Tab, Enter for carriage return and
// Ctrl+Enter for line feed, Backspace, Escape, and Ctrl+letter for the other control
// characters 1 to 26. Tests may change `Layout` to model other layouts.
class FakeInputSynth : public InputSynth {
public:
    explicit FakeInputSynth(EventTrace* trace = nullptr);

    void PostKey(std::uint8_t virtualKey, bool up) override;
    std::optional<KeyScan> ScanCharacter(unsigned char ch) override;
    void TypeCharacter(char32_t ch) override;
    // Recorded as the real keystrokes: Alt down, each digit's keypad key down and up, Alt up.
    void PostAltCode(std::string_view digits) override;
    void PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                   std::int32_t data) override;
    bool CapsLockOn() override { return CapsLock; }
    ScreenSize GetScreenSize() override { return Screen; }
    // With `TraceBatchEnds` set, "sync" in the trace: the moment every key sent so far has
    // reached the display server.
    void EndOfBatch() override;

    static std::array<std::optional<KeyScan>, 128> UsLayout();

    std::vector<SynthEvent> Events;
    std::array<std::optional<KeyScan>, 128> Layout;
    bool CapsLock = false;
    ScreenSize Screen{1024, 768};
    bool TraceBatchEnds = false;

private:
    void Record(const SynthEvent& event);

    EventTrace* trace_;
};

} // namespace orvane
