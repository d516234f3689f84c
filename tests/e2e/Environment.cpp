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

std::vector<std::string> ToEnvStrings(const Environment& env) {
    std::vector<std::string> out;
    out.reserve(env.size());
    for (const auto& [name, value] : env) {
        out.push_back(name + "=" + value);
    }
    return out;
}

} // namespace orvane::e2e
