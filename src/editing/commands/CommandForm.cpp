// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/CommandForm.h"

#include "core/Paths.h"
#include "core/Text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orvane {

std::optional<MadeCommand> CommandOfTag(std::string_view tag) {
    std::vector<ScriptLine> lines = BuildTheScript(tag);
    if (lines.size() != 1) {
        return std::nullopt;
    }
    const std::optional<CommandCode> code = CommandCodeOf(lines.front().Text);
    if (!code || *code == CommandCode::Text) {
        return std::nullopt;
    }
    return MadeCommand{*code, std::move(lines.front().Record)};
}

std::string Trimmed(std::string_view text) {
    return std::string(Trim(text, " \t"));
}

std::optional<long long> WholeNumber(std::string_view text) {
    const std::string trimmed = Trimmed(text);
    long long value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, ec] = std::from_chars(trimmed.data(), end, value);
    if (trimmed.empty() || ec != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

long long LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < 100000000000LL) {
            value = value * 10 + (text[i] - '0');
        }
    }
    return negative ? -value : value;
}

std::optional<double> RealNumber(std::string_view text) {
    const std::string trimmed = Trimmed(text);
    double value = 0;
    const char* end = trimmed.data() + trimmed.size();
    const auto [stop, ec] = std::from_chars(trimmed.data(), end, value, std::chars_format::fixed);
    if (trimmed.empty() || ec != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double Hundredths(double value) {
    return std::round(value * 100) / 100;
}

std::optional<FormRefusal> RefuseTagEnd(std::string_view text, std::string_view field) {
    if (text.find('>') != std::string_view::npos) {
        return FormRefusal{std::string(TagEndText), std::string(field)};
    }
    return std::nullopt;
}

bool SystemPathChecks::FileExists(std::string_view path) const {
    std::error_code ignored;
    const std::string trimmed = Trimmed(path);
    return !trimmed.empty() && std::filesystem::is_regular_file(PathFromStored(trimmed), ignored);
}

bool SystemPathChecks::FolderExists(std::string_view path) const {
    std::error_code ignored;
    const std::string trimmed = Trimmed(path);
    return !trimmed.empty() && std::filesystem::is_directory(PathFromStored(trimmed), ignored);
}

bool SystemPathChecks::ProgramExists(std::string_view path) const {
    const std::string trimmed = Trimmed(path);
    if (trimmed.empty()) {
        return false;
    }
    if (trimmed.find('/') != std::string::npos) {
        return FileExists(trimmed);
    }
    // A bare name is started from PATH, as a shell would.
    const char* variable = std::getenv("PATH");
    const std::string_view search = variable != nullptr ? variable : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= search.size()) {
        std::size_t stop = search.find(':', start);
        if (stop == std::string_view::npos) {
            stop = search.size();
        }
        std::filesystem::path folder(std::string(search.substr(start, stop - start)));
        std::error_code ignored;
        if (std::filesystem::is_regular_file(
                (folder.empty() ? std::filesystem::path(".") : folder) / PathFromStored(trimmed),
                ignored)) {
            return true;
        }
        start = stop + 1;
    }
    return false;
}

} // namespace orvane
