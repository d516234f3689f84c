// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/HookedInputSynth.h"

#include "platform/linux/VirtualKeys.h"
#include "platform/x11/X11HookLibrary.h"
#include "platform/x11/X11InputSynth.h"

namespace orvane {

void HookedInputSynth::Starting() {
    // A batch that runs long is cut: until its fence, XTest events of other programs (an
    // on-screen keyboard, xdotool) would be taken for ours, the abort key among them.
    if (announced_ && std::chrono::steady_clock::now() - batchStart_ > MaxBatch) {
        EndOfBatch();
    }
    if (!announced_) {
        announced_ = true;
        batchStart_ = std::chrono::steady_clock::now();
        hook_.OwnInputStarts(synth_.LastFence());
    }
}

void HookedInputSynth::PostKey(std::uint8_t virtualKey, bool up) {
    if (virtualKey == VirtualKeyCode::Execute) {
        // The synthesizer ends the batch on the mark's release; nothing reaches a window.
        synth_.PostKey(virtualKey, up);
        if (up) {
            Ended();
            hook_.EndMark(synth_.LastFence());
        }
        return;
    }
    Starting();
    synth_.PostKey(virtualKey, up);
}

std::optional<KeyScan> HookedInputSynth::ScanCharacter(unsigned char ch) {
    return synth_.ScanCharacter(ch);
}

void HookedInputSynth::TypeCharacter(char32_t ch) {
    Starting();
    synth_.TypeCharacter(ch);
}

void HookedInputSynth::PostAltCode(std::string_view digits) {
    Starting();
    synth_.PostAltCode(digits);
}

void HookedInputSynth::PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                                 std::int32_t data) {
    Starting();
    synth_.PostMouse(flags, dx, dy, data);
}

bool HookedInputSynth::CapsLockOn() {
    return synth_.CapsLockOn();
}

ScreenSize HookedInputSynth::GetScreenSize() {
    return synth_.GetScreenSize();
}

void HookedInputSynth::PrepareCharacters(std::u32string_view text) {
    synth_.PrepareCharacters(text);
}

void HookedInputSynth::Ended() {
    if (announced_) {
        announced_ = false;
        hook_.OwnInputEnds(synth_.LastFence());
    }
}

void HookedInputSynth::EndOfBatch() {
    synth_.EndOfBatch();
    Ended();
}

void HookedInputSynth::EndOfPlayback() {
    synth_.EndOfPlayback();
    Ended();
}

} // namespace orvane
