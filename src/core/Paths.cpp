// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Paths.h"

#include "core/CodePage.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orvane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFolderName = "orvane";

std::optional<fs::path> AbsoluteVariable(const EnvironmentLookup& environment,
                                         std::string_view name) {
    const std::optional<std::string> value = environment(name);
    if (!value || value->empty() || value->front() != '/') {
        return std::nullopt;
    }
    return fs::path(*value);
}

fs::path XdgFolder(const EnvironmentLookup& environment, std::string_view variable,
                   std::string_view homeRelative) {
    if (const std::optional<fs::path> base = AbsoluteVariable(environment, variable)) {
        return *base / kFolderName;
    }
    if (const std::optional<fs::path> home = AbsoluteVariable(environment, "HOME")) {
        return *home / homeRelative / kFolderName;
    }
    return {};
}

std::optional<std::string> HomeFromPasswordDatabase() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) != 0 ||
        result == nullptr || result->pw_dir == nullptr) {
        return std::nullopt;
    }
    return std::string(result->pw_dir);
}

} // namespace

EnvironmentLookup ProcessEnvironment() {
    return [](std::string_view name) -> std::optional<std::string> {
        const std::string key(name);
        const char* value = std::getenv(key.c_str());
        if (value != nullptr && (*value != '\0' || key != "HOME")) {
            return std::string(value);
        }
        if (key == "HOME") {
            return HomeFromPasswordDatabase();
        }
        return std::nullopt;
    };
}

fs::path DataFolder(const EnvironmentLookup& environment) {
    return XdgFolder(environment, "XDG_DATA_HOME", ".local/share");
}

fs::path ConfigFolder(const EnvironmentLookup& environment) {
    return XdgFolder(environment, "XDG_CONFIG_HOME", ".config");
}

fs::path SettingsFilePath(const EnvironmentLookup& environment) {
    const fs::path folder = ConfigFolder(environment);
    return folder.empty() ? fs::path() : folder / kSettingsFileName;
}

fs::path RuntimeFolder(const EnvironmentLookup& environment, unsigned userId) {
    if (const std::optional<fs::path> base = AbsoluteVariable(environment, "XDG_RUNTIME_DIR")) {
        return *base / kFolderName;
    }
    return fs::path("/tmp") / (std::string(kFolderName) + "-" + std::to_string(userId));
}

fs::path DefaultMacroFile(const fs::path& dataFolder) {
    return dataFolder / "ORVAN.ORV";
}

bool CreateFolderIfMissing(const fs::path& folder) {
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    if (fs::is_directory(folder, error)) {
        return true;
    }
    // Parents first, one component at a time, so that each new folder gets 0700 and not the
    // umask's idea of a default.
    fs::path partial;
    for (const fs::path& part : folder) {
        partial /= part;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    return fs::is_directory(folder, error);
}

bool PrepareRuntimeFolder(const fs::path& folder) {
    if (!CreateFolderIfMissing(folder.parent_path())) {
        return false;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return false;
    }
    if ((info.st_mode & 07777) != 0700 && ::chmod(folder.c_str(), 0700) != 0) {
        return false;
    }
    return true;
}

fs::path PathFromStored(std::string_view windows1252) {
    return fs::path(Windows1252ToUtf8(windows1252));
}

std::string StoredFromPath(const fs::path& path) {
    return Utf8ToWindows1252(path.string());
}

} // namespace orvane
