// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fake/EventTrace.h"

namespace orvane {

std::string EventTrace::Text() const {
    std::string text;
    for (const std::string& entry : entries_) {
        if (!text.empty()) {
            text += ' ';
        }
        text += entry;
    }
    return text;
}

} // namespace orvane
