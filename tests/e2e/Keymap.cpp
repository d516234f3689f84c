// SPDX-License-Identifier: GPL-3.0-or-later
#include "Keymap.h"

#include "Command.h"
#include "VirtualDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <sstream>

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

::testing::AssertionResult LeaveOneSpareKeycode(const VirtualDisplay& display) {
    const CommandResult keys = RunCommand({"xmodmap", "-pke"}, display.Env());
    std::istringstream lines(keys.out);
    std::string line;
    int empty = 0;
    while (std::getline(lines, line)) {
        int keycode = 0;
        // "keycode  97 =" with nothing after it; 8 is never taken as a spare.
        if (std::sscanf(line.c_str(), "keycode %d =", &keycode) == 1 && keycode > 8 &&
            line.find_first_not_of(' ', line.find('=') + 1) == std::string::npos) {
            ++empty;
        }
    }
    const std::vector<std::string> greek = {
        "Greek_alpha", "Greek_beta", "Greek_gamma", "Greek_delta", "Greek_epsilon",
        "Greek_zeta",  "Greek_eta",  "Greek_theta", "Greek_iota",  "Greek_kappa",
        "Greek_lamda", "Greek_mu",   "Greek_nu",    "Greek_xi",    "Greek_omicron",
        "Greek_pi",    "Greek_rho",  "Greek_sigma", "Greek_tau",   "Greek_upsilon",
        "Greek_phi",   "Greek_chi",  "Greek_psi",   "Greek_omega"};
    if (empty < 1 || empty > static_cast<int>(greek.size()) + 1) {
        return ::testing::AssertionFailure() << empty << " empty keycodes: " << keys.out;
    }
    return BindKeysyms(display, {greek.begin(), greek.begin() + (empty - 1)});
}

} // namespace orvane::e2e
