// SPDX-License-Identifier: GPL-3.0-or-later
#include "activation/ShortKeyBuffer.h"

#include <algorithm>

namespace orvane {

void ShortKeyBuffer::Append(char c, std::size_t prefixLength) {
    text_.push_back(c);
    const std::size_t limit = std::min(Capacity, prefixLength + ShortKeyLength);
    if (text_.size() > limit) {
        text_.erase(0, text_.size() - limit);
    }
}

void ShortKeyBuffer::Backspace() {
    if (!text_.empty()) {
        text_.pop_back();
    }
}

} // namespace orvane
