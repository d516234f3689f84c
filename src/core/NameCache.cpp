// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NameCache.h"

namespace orvane {

std::string_view NameCache::Nickname(int index) const {
    return InRange(index) ? nicknames_[static_cast<std::size_t>(index)].View() : std::string_view{};
}

std::string_view NameCache::ShortKey(int index) const {
    return InRange(index) ? shortKeys_[static_cast<std::size_t>(index)].View() : std::string_view{};
}

void NameCache::SetNickname(int index, std::string_view nickname) {
    if (InRange(index)) {
        nicknames_[static_cast<std::size_t>(index)].Assign(nickname);
    }
}

void NameCache::SetShortKey(int index, std::string_view shortKey) {
    if (InRange(index)) {
        shortKeys_[static_cast<std::size_t>(index)].Assign(shortKey);
    }
}

void NameCache::Clear() {
    nicknames_.fill({});
    shortKeys_.fill({});
}

} // namespace orvane
