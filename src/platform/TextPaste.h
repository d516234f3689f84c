// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// Pastes text into the focused window through the clipboard, leaving the user's clipboard as it
// found it.
class TextPaste {
public:
    virtual ~TextPaste() = default;

    // Reads the clipboard whole (every target it offers, with its bytes), puts `utf8` there in
    // its place, strikes the key the focused window pastes with, waits in the event loop (up to
    // a bound) until that window has asked for the text, and offers the saved clipboard again.
    // False when the clipboard could not be read whole or the text could not be offered:
    // nothing was pasted and the clipboard is as it was; the caller types the text instead.
    virtual bool Paste(std::string_view utf8) = 0;
};

} // namespace orvane
