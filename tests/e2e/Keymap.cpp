// SPDX-License-Identifier: GPL-3.0-or-later
#include "Keymap.h"

#include "VirtualDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace orvane::e2e {

::testing::AssertionResult BindKeysyms(const VirtualDisplay& display,
                                       const std::vector<std::string>& keysymNames) {
    ::Display* connection = XOpenDisplay(display.Name().c_str());
    if (connection == nullptr) {
        return ::testing::AssertionFailure() << "cannot connect to " << display.Name();
    }
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(connection, &minCode, &maxCode);
    int perCode = 0;
    KeySym* map = XGetKeyboardMapping(connection, static_cast<KeyCode>(minCode),
                                      maxCode - minCode + 1, &perCode);
    auto result = ::testing::AssertionSuccess();
    auto present = [&](KeySym keysym) {
        for (int i = 0; i < (maxCode - minCode + 1) * perCode; ++i) {
            if (map[i] == keysym) {
                return true;
            }
        }
        return false;
    };
    auto emptyCode = [&](int code) {
        for (int level = 0; level < perCode; ++level) {
            if (map[(code - minCode) * perCode + level] != NoSymbol) {
                return false;
            }
        }
        return true;
    };
    // Searched from the top: the low keycodes are the ones real keyboards have.
    int next = maxCode;
    for (const std::string& name : keysymNames) {
        KeySym keysym = XStringToKeysym(name.c_str());
        if (keysym == NoSymbol) {
            result = ::testing::AssertionFailure() << "unknown keysym " << name;
            break;
        }
        if (present(keysym)) {
            continue;
        }
        while (next >= minCode && !emptyCode(next)) {
            --next;
        }
        if (next < minCode) {
            result = ::testing::AssertionFailure() << "no free keycode for " << name;
            break;
        }
        KeySym lower = NoSymbol;
        KeySym upper = NoSymbol;
        XConvertCase(keysym, &lower, &upper);
        KeySym entry[2] = {lower, upper};
        XChangeKeyboardMapping(connection, next, 2, entry, 1);
        // Keep our copy in step so the next name neither finds this code free nor misses it.
        map[(next - minCode) * perCode] = lower;
        if (perCode > 1) {
            map[(next - minCode) * perCode + 1] = upper;
        }
        --next;
    }
    XSync(connection, False);
    XFree(map);
    XCloseDisplay(connection);
    return result;
}

} // namespace orvane::e2e
