// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/InputSynth.h"

#include <chrono>

namespace orvane {

class X11HookLibrary;
class X11InputSynth;

// The program's input synthesis as the hook backend must see it: before the first event of a
// batch the backend is told that XTEST events are ours until the batch's fence, and the end
// mark (key 43) tells it that playback is over. Everything else is the X11 synthesizer's.
class HookedInputSynth final : public InputSynth {
public:
    // Neither is owned; both outlive this object.
    HookedInputSynth(X11InputSynth& synth, X11HookLibrary& hook) : synth_(synth), hook_(hook) {}

    void PostKey(std::uint8_t virtualKey, bool up) override;
    std::optional<KeyScan> ScanCharacter(unsigned char ch) override;
    void TypeCharacter(char32_t ch) override;
    void PostAltCode(std::string_view digits) override;
    void PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                   std::int32_t data) override;
    bool CapsLockOn() override;
    ScreenSize GetScreenSize() override;
    void PrepareCharacters(std::u32string_view text) override;
    void EndOfBatch() override;
    void EndOfPlayback() override;

private:
    void Starting();
    void Ended();

    X11InputSynth& synth_;
    X11HookLibrary& hook_;
    bool announced_ = false;
    std::chrono::steady_clock::time_point batchStart_{};
    static constexpr std::chrono::milliseconds MaxBatch{25};
};

} // namespace orvane
