// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayInput.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(PlayInput, Utf8BecomesWindows1252WithMacroLineBreaks) {
    const struct {
        const char* Input;
        const char* MacroText;
        std::size_t Unmappable;
    } cases[] = {
        {"plain", "plain", 0},
        {"caf\xc3\xa9 10\xe2\x82\xac", "caf\xe9 10\x80", 0},
        {"\xef\xbb\xbfwith mark", "with mark", 0},
        {"a\nb\r\nc\rd\n", "a\r\nb\r\nc\rd\r\n", 0},
        {"\n\n", "\r\n\r\n", 0},
        {"\xe4\xb8\xad!", "?!", 1},
        // Not UTF-8: taken as Windows-1252 bytes as they stand (line breaks still mended).
        {"caf\xe9\n", "caf\xe9\r\n", 0},
    };
    for (const auto& c : cases) {
        const PlayInput input = MacroTextFromInput(c.Input);
        EXPECT_EQ(input.MacroText, c.MacroText) << c.Input;
        EXPECT_EQ(input.Unmappable, c.Unmappable) << c.Input;
    }
}

} // namespace
} // namespace orvane
