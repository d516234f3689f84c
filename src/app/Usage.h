// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

namespace orvane {

// The command line summary `orvane --help` shows.
void PrintUsage(std::FILE* out);

} // namespace orvane
