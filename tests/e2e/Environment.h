// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

namespace orvane::e2e {

// The environment of a child process, name to value.
using Environment = std::map<std::string, std::string>;

// This process's own environment.
Environment CurrentEnvironment();

// "NAME=value" strings in the form execve() wants (kept alive by the caller).
std::vector<std::string> ToEnvStrings(const Environment& env);

} // namespace orvane::e2e
