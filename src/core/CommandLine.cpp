// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orvane {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The whole text as a decimal number, or -1.
int NumberOf(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty() ? value : -1;
}

} // namespace

std::vector<CommandLineAction> ParseCommandLine(const std::vector<std::string>& parameters) {
    std::vector<CommandLineAction> actions;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const std::string word = Upper(parameters[i]);
        const bool hasNext = i + 1 < parameters.size();
        if (word == "/HIDE") {
            actions.emplace_back(HideAtStart{});
        } else if (word == "/B") {
            actions.emplace_back(RestrictCommands{1});
        } else if (word == "/BA") {
            actions.emplace_back(RestrictCommands{2});
        } else if (word == "/S") {
            actions.emplace_back(AutoSyncOn{});
        } else if (word == "/N") {
            actions.emplace_back(NetworkModeOn{});
        } else if (word == "/SM" && hasNext) {
            const int minutes = NumberOf(parameters[i + 1]);
            if (minutes >= 1 && minutes <= 98) {
                actions.emplace_back(SetSyncMinutes{minutes});
            }
        } else if (word == "/F" && hasNext && !parameters[i + 1].empty()) {
            actions.emplace_back(OpenMacroFile{parameters[i + 1]});
        }
    }
    return actions;
}

} // namespace orvane
