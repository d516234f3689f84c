// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace orvane {

// Where code reports what the user must be told (a file that cannot be written, a refused
// entry) and asks the Yes/No questions of its commands. The UI shows message boxes; tests read
// what was shown and script the answers. Caption and text are UTF-8 (text taken from stored
// Windows-1252 bytes is converted by the caller), so the UI can show them as they are.
class MessageSink {
public:
    virtual ~MessageSink() = default;

    // Shows one message and returns once the user has seen it (modal in the UI). The caption is
    // one of "Error", "Warning", "System Error" or another the caller names.
    virtual void Show(std::string_view caption, std::string_view text) = 0;

    // Asks a Yes/No question and returns true for Yes. A sink that cannot ask answers No, so
    // nothing is changed or removed without an answer.
    virtual bool Ask(std::string_view caption, std::string_view text) {
        (void)caption;
        (void)text;
        return false;
    }
};

} // namespace orvane
