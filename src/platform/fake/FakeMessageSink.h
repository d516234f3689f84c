// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageSink.h"

#include <string>
#include <vector>

namespace orvane {

// Keeps every message shown, in order, for tests to read.
class FakeMessageSink : public MessageSink {
public:
    struct Message {
        std::string Caption;
        std::string Text;
        friend bool operator==(const Message&, const Message&) = default;
    };
    std::vector<Message> Shown;

    void Show(std::string_view caption, std::string_view text) override {
        Shown.push_back({std::string(caption), std::string(text)});
    }
};

} // namespace orvane
