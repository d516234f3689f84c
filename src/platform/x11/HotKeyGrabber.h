// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroTable.h"
#include "platform/x11/HotKeyGrabs.h"

#include <array>
#include <cstdint>
#include <vector>

typedef struct _XDisplay Display;

namespace orvane {

// What the hot keys ask to grab: the codes in use (KeysInUse bytes) on a keymap and group, keys
// only while the keyboard is hooked and buttons only while the mouse is.
struct GrabRequest {
    const std::array<std::uint8_t, HotKeyCount>& KeysInUse;
    const HookKeymap& Keymap;
    unsigned Group = 0;
    bool Keyboard = false;
    bool Mouse = false;
};

// The hot keys' passive grabs on the root window: each code's key or button with its modifiers,
// once with every combination of the lock modifiers. The grabs are synchronous (a struck key
// freezes the keyboard until the backend decides), so the backend must read its connection
// promptly. Each code's grab is checked: a combination another program holds makes the code
// unavailable, and its other combinations are let go (a key is grabbed whole or not at all).
// Ungrabbing a combination this program does not hold changes nothing, so Release goes over
// every target tried. The grabs are let go when the grabber goes.
class HotKeyGrabber {
public:
    // Neither is owned; the connection must outlive the grabber.
    HotKeyGrabber(Display* display, unsigned long root) : display_(display), root_(root) {}
    ~HotKeyGrabber();
    HotKeyGrabber(const HotKeyGrabber&) = delete;
    HotKeyGrabber& operator=(const HotKeyGrabber&) = delete;

    // Lets go of every grab, then grabs what `request` asks for.
    void Grab(const GrabRequest& request);
    // Whether Grab would grab anything else than what is grabbed now: between letting go and
    // grabbing again a struck hot key would reach the window, so grabs are redone only then.
    bool Differs(const GrabRequest& request) const;
    void Release();

    std::size_t Count() const { return grabbed_.Targets.size(); }
    // Hot keys whose combination another program holds: they cannot work.
    const std::vector<std::uint16_t>& Unavailable() const { return unavailable_; }

private:
    struct GrabSet {
        std::vector<GrabTarget> Targets;
        std::vector<unsigned> Locks; // the lock combinations each target is grabbed with
        friend bool operator==(const GrabSet&, const GrabSet&) = default;
    };
    static GrabSet Wanted(const GrabRequest& request);

    Display* display_;
    unsigned long root_;
    GrabSet grabbed_;
    std::vector<std::uint16_t> unavailable_;
};

} // namespace orvane
