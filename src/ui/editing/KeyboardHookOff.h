// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

namespace orvane {

// Keeps the keyboard hook off from construction until On() or destruction, whichever comes first,
// so that keys typed into a text dialog never start macros and the hook comes back however the
// dialog closes. Without a switch (a dialog opened with no hook to mind) it does nothing.
class KeyboardHookOff {
public:
    explicit KeyboardHookOff(std::function<void(bool on)> hook) : hook_(std::move(hook)) {
        if (hook_) {
            hook_(false);
        }
    }
    ~KeyboardHookOff() { On(); }
    KeyboardHookOff(const KeyboardHookOff&) = delete;
    KeyboardHookOff& operator=(const KeyboardHookOff&) = delete;

    void On() {
        if (hook_) {
            std::exchange(hook_, nullptr)(true);
        }
    }

private:
    std::function<void(bool on)> hook_;
};

} // namespace orvane
