// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/IncrementalSearch.h"

#include "core/TextCase.h"

namespace orvane {
IncrementalSearch::Effect IncrementalSearch::Press(Key key, char character) {
    switch (key) {
    case Key::Character:
        buffer_ += UpperCase1252(character);
        return Effect::Search;
    case Key::Backspace:
        if (buffer_.empty()) {
            return Effect::Ignore;
        }
        buffer_.pop_back();
        return Effect::Search;
    case Key::Tab:
    case Key::LineFeed:
    case Key::Enter:
    case Key::Escape:
        buffer_.clear();
        return Effect::Swallow;
    case Key::Control:
    case Key::Alt:
    case Key::Navigation:
        buffer_.clear();
        return Effect::PassOn;
    case Key::Other:
        break;
    }
    return Effect::Ignore;
}

int IncrementalSearch::FindRow(int rowCount,
                               const std::function<std::string(int row)>& activationOfRow) const {
    for (int row = 1; row <= rowCount; ++row) {
        if (UpperCase1252(activationOfRow(row)).starts_with(buffer_)) {
            return row;
        }
    }
    return 0;
}

} // namespace orvane
