// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The virtual display's own keyboard, "Xvfb keyboard", pressed as a person would press it: its
// events come from that device, not from the XTest device xdotool and the program share, so a
// test can tell the two apart exactly as the program must.

#include <memory>
#include <string>

namespace orvane::e2e {

class VirtualDisplay;

class PhysicalKeyboard {
public:
    // Opens the display and its keyboard device; Ready() is false (with Error()) when either
    // cannot be found.
    explicit PhysicalKeyboard(const VirtualDisplay& display);
    ~PhysicalKeyboard();
    PhysicalKeyboard(const PhysicalKeyboard&) = delete;
    PhysicalKeyboard& operator=(const PhysicalKeyboard&) = delete;

    bool Ready() const;
    const std::string& Error() const { return error_; }

    // Presses or releases the key of a keysym name ("a", "Control_L", "Shift_L"); false when
    // the keymap has no such key. Each call reaches the server before it returns.
    bool Press(const std::string& keysymName);
    bool Release(const std::string& keysymName);
    // The same for a key named by its keycode: the key itself, whatever the keymap puts on it.
    bool PressKeycode(unsigned keycode);
    bool ReleaseKeycode(unsigned keycode);

private:
    bool Send(const std::string& keysymName, bool down);
    bool SendKeycode(unsigned keycode, bool down);

    struct Connection;
    std::unique_ptr<Connection> connection_;
    std::string error_;
};

} // namespace orvane::e2e
