// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// The desktop clipboard.
class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Makes `utf8` the clipboard's plain text. The program goes on offering it to other programs
    // after the call returns, for as long as it runs or until something else takes the
    // clipboard.
    virtual void SetText(std::string_view utf8) = 0;
};

} // namespace orvane
