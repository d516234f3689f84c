// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace orvane::e2e {

// The environment of a child process, name to value.
using Environment = std::map<std::string, std::string>;

// This process's own environment.
Environment CurrentEnvironment();

// This process's environment without anything of the user's desktop session (display, session
// bus, input methods), with HOME, the XDG folders and XDG_RUNTIME_DIR in `folder` (its "home",
// "config", "data", "cache", "state" and "runtime", made here; "runtime" 0700), LC_ALL=C.UTF-8
// and no accessibility bridge: for programs that must neither see nor change the user's files.
Environment PrivateEnvironment(const std::filesystem::path& folder);

// "NAME=value" strings in the form execve() wants (kept alive by the caller).
std::vector<std::string> ToEnvStrings(const Environment& env);

} // namespace orvane::e2e
