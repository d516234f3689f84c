// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// When a macro has finished: the program started with ORVANE_HOOK_TRACE=1 writes "end" to its
// hook trace at each play's end mark. Keys typed before that are the macro's own to the hook and
// never count as typing, so a test strikes the next ShortKey or hot key only after it.

#include "Deadline.h"
#include "VirtualDisplay.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace orvane::e2e {

inline std::filesystem::path HookTracePath(const VirtualDisplay& display) {
    return std::filesystem::path(display.Env().at("XDG_RUNTIME_DIR")) / "orvane" / "hook-trace.txt";
}

// Waits until the program on `display` has ended `count` plays since its start.
inline ::testing::AssertionResult WaitForPlayEnds(const VirtualDisplay& display, int count) {
    int seen = 0;
    const bool reached = WaitFor([&] {
        std::ifstream in(HookTracePath(display));
        seen = 0;
        for (std::string line; std::getline(in, line);) {
            seen += line == "end" ? 1 : 0;
        }
        return seen >= count;
    });
    if (reached) {
        return ::testing::AssertionSuccess();
    }
    std::ifstream in(HookTracePath(display));
    return ::testing::AssertionFailure()
           << "ended " << seen << " plays, not " << count << "; the hook's trace:\n"
           << std::string(std::istreambuf_iterator<char>(in), {}) << display.Logs();
}

} // namespace orvane::e2e
