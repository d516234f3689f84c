// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayInput.h"

#include "core/CodePage.h"

namespace orvane {

PlayInput MacroTextFromInput(std::string_view bytes) {
    PlayInput result;
    std::string text;
    if (IsValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        for (char32_t ch : DecodeUtf8(bytes)) {
            if (const auto byte = UnicodeToWindows1252(ch)) {
                text.push_back(static_cast<char>(*byte));
            } else {
                text.push_back('?');
                ++result.Unmappable;
            }
        }
    } else {
        text.assign(bytes);
    }
    result.MacroText.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            result.MacroText.push_back('\r');
        }
        result.MacroText.push_back(text[i]);
    }
    return result;
}

} // namespace orvane
