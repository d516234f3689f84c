// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ShortString.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace orvane {

inline constexpr int MaxMacros = 500;

// Nicknames and ShortKeys of the loaded macros, so the list and the dialogs need not read the
// file. Indexed by record number 1..500 like the records; slot 0 is never a macro. Text is
// Windows-1252 bytes as stored. Numbers outside 1..500 read as empty and are not stored.
class NameCache {
public:
    std::string_view Nickname(int index) const;
    std::string_view ShortKey(int index) const;
    void SetNickname(int index, std::string_view nickname); // cut to 50 characters
    void SetShortKey(int index, std::string_view shortKey); // cut to 10 characters
    void Clear();

private:
    static bool InRange(int index) { return index >= 1 && index <= MaxMacros; }

    std::array<ShortString<50>, MaxMacros + 1> nicknames_{};
    std::array<ShortString<10>, MaxMacros + 1> shortKeys_{};
};

} // namespace orvane
