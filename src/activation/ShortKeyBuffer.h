// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/ShortKeyName.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The characters typed since the last separator, as the hook backend reports them. Holds at most
// 20 characters; a word longer than the prefix plus 10 characters keeps only its end, so a
// ShortKey typed at the end of a long run of word characters still matches.
class ShortKeyBuffer {
public:
    static constexpr std::size_t Capacity = 20;
    static constexpr std::size_t ShortKeyLength = 10;

    // Appends a word character and cuts the front so that at most `prefixLength` + 10
    // characters remain (never more than 20).
    void Append(char c, std::size_t prefixLength);
    // Removes the last character, if any.
    void Backspace();
    void Clear() { text_.clear(); }

    std::string_view Text() const { return text_; }
    bool Empty() const { return text_.empty(); }

private:
    std::string text_;
};

} // namespace orvane
