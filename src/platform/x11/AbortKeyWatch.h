// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/linux/VirtualKeys.h"

#include <X11/keysym.h>

#include <cstdint>
#include <optional>

namespace orvane {

// The user's abort key while a macro plays: Pause/Break, or Escape struck twice within half a
// second. Times are the X server's milliseconds (they wrap; differences are taken modulo 2^32).
class AbortKeyWatch {
public:
    static constexpr std::uint32_t DoubleEscapeMs = 500;

    // A key the user pressed; true when it asks for the abort.
    bool Pressed(Keysym keysym, std::uint32_t time) {
        if (keysym == XK_Pause || keysym == XK_Break) {
            lastEscape_.reset();
            return true;
        }
        if (keysym != XK_Escape) {
            lastEscape_.reset();
            return false;
        }
        if (lastEscape_ && time - *lastEscape_ <= DoubleEscapeMs) {
            lastEscape_.reset();
            return true;
        }
        lastEscape_ = time;
        return false;
    }

    void Reset() { lastEscape_.reset(); }

private:
    std::optional<std::uint32_t> lastEscape_;
};

} // namespace orvane
