// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageSink.h"

#include <deque>
#include <string>
#include <vector>

namespace orvane {

// Keeps every message shown and every question asked, in order, for tests to read; questions
// take their answers from `Answers`, first to last, and are answered No once it is empty.
class FakeMessageSink : public MessageSink {
public:
    struct Message {
        std::string Caption;
        std::string Text;
        friend bool operator==(const Message&, const Message&) = default;
    };
    std::vector<Message> Shown;
    std::vector<Message> Asked;
    std::deque<bool> Answers;

    void Show(std::string_view caption, std::string_view text) override {
        Shown.push_back({std::string(caption), std::string(text)});
    }
    bool Ask(std::string_view caption, std::string_view text) override {
        Asked.push_back({std::string(caption), std::string(text)});
        if (Answers.empty()) {
            return false;
        }
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

} // namespace orvane
