// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/BindingRecord.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orvane {

std::string BindingRecord::DefaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') {
        return {};
    }
    return std::string(runtime) + "/orvane/sway-bindings";
}

bool IsPlainCombination(const std::string& line) {
    if (line.empty() || line.size() > 200) {
        return false;
    }
    for (const char c : line) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '_' || c == '+' || c == '-' || c == ' ';
        if (!plain) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> BindingRecord::Read() const {
    std::vector<std::string> lines;
    if (path_.empty()) {
        return lines;
    }
    std::ifstream in(path_);
    for (std::string line; std::getline(in, line);) {
        if (IsPlainCombination(line)) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool BindingRecord::Write(const std::vector<std::string>& lines) const {
    if (path_.empty()) {
        return false;
    }
    std::error_code ignored;
    if (lines.empty()) {
        std::filesystem::remove(path_, ignored);
        return true;
    }
    const std::filesystem::path path(path_);
    std::filesystem::create_directories(path.parent_path(), ignored);
    const std::string aside = path_ + ".new";
    {
        std::ofstream out(aside, std::ios::trunc);
        for (const std::string& line : lines) {
            out << line << '\n';
        }
        out.flush();
        if (!out) {
            std::filesystem::remove(aside, ignored);
            return false;
        }
    }
    return std::rename(aside.c_str(), path_.c_str()) == 0;
}

} // namespace orvane
