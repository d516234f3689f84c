// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string_view>

namespace orvane {

// The command line summary `orvane --help` shows.
void PrintUsage(std::FILE* out);

// The help of one shell command ("list", "show", "play"), for `orvane COMMAND --help`.
void PrintCommandUsage(std::string_view command, std::FILE* out);

// `orvane --version`.
void PrintVersion(std::FILE* out);

} // namespace orvane
