// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"

namespace orvane {

// The desktop clipboard through Qt: the program owns the clipboard and serves its text to other
// programs from its event loop, for as long as it runs (a clipboard manager keeps it after).
class QtClipboard final : public Clipboard {
public:
    void SetText(std::string_view utf8) override;
};

} // namespace orvane
