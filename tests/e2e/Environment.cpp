// SPDX-License-Identifier: GPL-3.0-or-later
#include "Environment.h"

#include <unistd.h>

namespace orvane::e2e {

Environment CurrentEnvironment() {
    Environment env;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        std::string item(*entry);
        auto eq = item.find('=');
        if (eq == std::string::npos || eq == 0) {
            continue;
        }
        env.emplace(item.substr(0, eq), item.substr(eq + 1));
    }
    return env;
}

Environment PrivateEnvironment(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    Environment env = CurrentEnvironment();
    for (const char* name :
         {"DISPLAY", "WAYLAND_DISPLAY", "SWAYSOCK", "I3SOCK", "XAUTHORITY",
          "DBUS_SESSION_BUS_ADDRESS", "SESSION_MANAGER", "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE",
          "DESKTOP_SESSION", "XMODIFIERS", "QT_IM_MODULE", "GTK_IM_MODULE", "LANGUAGE"}) {
        env.erase(name);
    }
    const struct {
        const char* Name;
        const char* Folder;
    } folders[] = {{"HOME", "home"},
                   {"XDG_CONFIG_HOME", "config"},
                   {"XDG_DATA_HOME", "data"},
                   {"XDG_CACHE_HOME", "cache"},
                   {"XDG_STATE_HOME", "state"},
                   {"XDG_RUNTIME_DIR", "runtime"}};
    for (const auto& [name, sub] : folders) {
        fs::create_directories(folder / sub);
        env[name] = (folder / sub).string();
    }
    fs::permissions(folder / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    env["LC_ALL"] = "C.UTF-8";
    env["NO_AT_BRIDGE"] = "1";
    return env;
}

std::vector<std::string> ToEnvStrings(const Environment& env) {
    std::vector<std::string> out;
    out.reserve(env.size());
    for (const auto& [name, value] : env) {
        out.push_back(name + "=" + value);
    }
    return out;
}

} // namespace orvane::e2e
