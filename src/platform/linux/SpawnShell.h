// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Shell.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Starts executables with posix_spawn (no shell in between) and hands everything else to
// xdg-open, the desktop's default handler. Started programs run in a session of their own, so
// they outlive this program and its terminal; they are reaped as they end.
class SpawnShell final : public Shell {
public:
    void Launch(std::string_view program, std::string_view parameters) override;
    void OpenAddress(std::string_view address) override;
};

// The executable `program` names: a path (with a "/") to an executable regular file, or a name
// found in the folders of `searchPath` (PATH). Nothing for anything else.
std::optional<std::string> FindExecutable(std::string_view program, std::string_view searchPath);

} // namespace orvane
