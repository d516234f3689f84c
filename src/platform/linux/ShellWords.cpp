// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/ShellWords.h"

namespace orvane {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

std::vector<std::string> SplitShellWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c)) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const std::size_t close = text.find('\'', i + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            word.append(text.substr(i + 1, end - i - 1));
            i = end == text.size() ? end : end + 1;
        } else if (c == '"') {
            ++i;
            while (i < text.size() && text[i] != '"') {
                if (text[i] == '\\' && i + 1 < text.size() &&
                    std::string_view("\"\\$`").find(text[i + 1]) != std::string_view::npos) {
                    ++i;
                }
                word.push_back(text[i]);
                ++i;
            }
            if (i < text.size()) {
                ++i; // the closing quote
            }
        } else if (c == '\\' && i + 1 < text.size()) {
            word.push_back(text[i + 1]);
            i += 2;
        } else {
            word.push_back(c);
            ++i;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace orvane
