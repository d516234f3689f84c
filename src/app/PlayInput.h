// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// A macro text as `orvane play` received it, made ready for the engine.
struct PlayInput {
    std::string MacroText;      // Windows-1252 bytes, line breaks as carriage return + line feed
    std::size_t Unmappable = 0; // characters Windows-1252 lacks, replaced by "?"
};

// Text from the command line or a file: UTF-8 (a leading byte order mark is dropped) becomes
// Windows-1252; bytes that are not valid UTF-8 are taken as Windows-1252 already. A lone line
// feed, the Linux line break, becomes carriage return + line feed, the line break of macro
// texts (typed as one Enter); carriage returns stay as they are.
PlayInput MacroTextFromInput(std::string_view bytes);

} // namespace orvane
