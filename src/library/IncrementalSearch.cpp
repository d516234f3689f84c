// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/IncrementalSearch.h"

namespace orvane {
namespace {

char Upper1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 'a' && byte <= 'z') {
        return static_cast<char>(byte - 0x20);
    }
    // à..þ except ÷, and š, œ, ž, ÿ, whose capitals sit elsewhere in the code page.
    if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) {
        return static_cast<char>(byte - 0x20);
    }
    switch (byte) {
    case 0x9A:
        return static_cast<char>(0x8A);
    case 0x9C:
        return static_cast<char>(0x8C);
    case 0x9E:
        return static_cast<char>(0x8E);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return c;
    }
}

} // namespace

std::string UpperCase1252(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = Upper1252(c);
    }
    return upper;
}

IncrementalSearch::Effect IncrementalSearch::Press(Key key, char character) {
    switch (key) {
    case Key::Character:
        buffer_ += Upper1252(character);
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
