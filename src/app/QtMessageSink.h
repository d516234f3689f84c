// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageSink.h"

namespace orvane {

// Shows core messages as modal message boxes. Each message is also written to standard error
// as one line ("orvane: <caption>: <text>"), so scripts and tests that start the program can
// see what it told the user.
class QtMessageSink : public MessageSink {
public:
    void Show(std::string_view caption, std::string_view text) override;
};

} // namespace orvane
