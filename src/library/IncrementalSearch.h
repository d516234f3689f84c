// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orvane {

// Typing into the macro list jumps to the first row (in display order) whose activation text
// starts with what has been typed since the buffer was last cleared. Case does not matter.
class IncrementalSearch {
public:
    // What a key did to the buffer, so the grid knows whether to search and whether the key is
    // used up.
    enum class Effect {
        Search,  // the buffer changed: look for the row (the key is used up)
        Swallow, // Tab, line feed, Enter, Escape: buffer cleared, nothing else happens
        PassOn,  // navigation, Ctrl or Alt: buffer cleared, the key does its usual work
        Ignore,  // nothing to do with the search
    };

    enum class Key {
        Character,
        Backspace,
        Tab,
        LineFeed,
        Enter,
        Escape,
        Control,
        Alt,
        Navigation,
        Other
    };

    // Feeds one key; `character` (a Windows-1252 byte) only matters for Key::Character.
    Effect Press(Key key, char character = '\0');

    const std::string& Buffer() const { return buffer_; }
    void Clear() { buffer_.clear(); }

    // The first row 1..rowCount whose activation text (as `activationOfRow` gives it) starts
    // with the buffer, or 0 when none does.
    int FindRow(int rowCount, const std::function<std::string(int row)>& activationOfRow) const;

private:
    std::string buffer_;
};

} // namespace orvane
