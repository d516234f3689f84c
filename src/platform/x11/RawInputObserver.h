// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <set>
#include <string>

typedef struct _XDisplay Display;
union _XEvent;

namespace orvane {

// One key or button of any keyboard or pointer, as the hook backend observes typing.
struct RawInput {
    enum class Kind { KeyDown, KeyUp, ButtonDown, ButtonUp };
    Kind Type = Kind::KeyDown;
    int Detail = 0;         // the keycode, or the button (4 and above: the wheel)
    int SourceDevice = 0;   // the slave device it came from
    bool FromXtest = false; // one of the XTEST devices every synthesizing program shares
    unsigned long Time = 0; // server time, milliseconds
    bool Repeat = false;    // a key's autorepeat, where the server reports it
};

// Keyboard and button input of every device through XInput 2 raw events selected on the root
// window. They arrive whatever client grabs the keyboard, but carry no modifier state (the
// backend follows the modifiers itself). Each event comes once from its slave device and once
// more from the master device it drives; only the slave's copy is reported. The XTEST devices
// are looked up again whenever devices come and go.
class RawInputObserver {
public:
    // Checks for XInput 2.2 and selects the raw events on `root`; nothing, with the reason in
    // `error`, when the server lacks it. The connection must outlive the observer.
    static std::optional<RawInputObserver> Open(Display* display, unsigned long root,
                                                std::string& error);

    // The raw input `event` carries; nothing for other events (a change of the device list is
    // taken in here and gives nothing either).
    std::optional<RawInput> Read(::_XEvent& event);

private:
    RawInputObserver(Display* display, int opcode) : display_(display), opcode_(opcode) {}
    void FindXtestDevices();

    Display* display_;
    int opcode_;
    std::set<int> xtestDevices_;
};

} // namespace orvane
