// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// A run of a macro's plain text that goes to the target by one paste instead of key by key.
struct PasteRun {
    std::size_t End = 0;        // where the run ends in the macro text: a tag or the text's end
    std::string Text;           // what the paste carries: Windows-1252, line ends as line feeds
    std::size_t Characters = 0; // the characters the target receives
};

// The run of plain text that starts at `pos` (up to the next "<" or the end of `text`), when it
// is longer than `pasteAbove` characters (a line end, CR LF included, counts one) and holds
// only what a paste carries as typing would (printable characters, Tab, line ends); nothing
// otherwise, and nothing when `pasteAbove` is 0 (pasting is off). A run that holds another
// control character is typed: keys like Backspace or Escape act, they are not text.
std::optional<PasteRun> PasteRunAt(std::string_view text, std::size_t pos, std::size_t pasteAbove);

} // namespace orvane
