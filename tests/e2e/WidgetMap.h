// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's controls where the user sees them: the program under test keeps the file that
// ORVANE_WIDGET_MAP names up to date (one line per control: window title, name, screen
// rectangle, enabled or not), and the tests click there with xdotool, as a mouse user would.

#include "Deadline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::e2e {

class VirtualDisplay;

struct WidgetRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Enabled = true;
    std::string Value; // a field's text, "checked" or "unchecked"; empty for other controls
    int CenterX() const { return X + Width / 2; }
    int CenterY() const { return Y + Height / 2; }
};

class WidgetMap {
public:
    explicit WidgetMap(std::filesystem::path file) : file_(std::move(file)) {}

    // The environment entry that makes the program keep this map.
    std::pair<std::string, std::string> EnvEntry() const {
        return {"ORVANE_WIDGET_MAP", file_.string()};
    }

    // The control `name` of the window titled `window` as the map holds it now (only while its
    // value is `value`, when one is given).
    std::optional<WidgetRect> Find(const std::string& window, const std::string& name,
                                   const std::optional<std::string>& value = {}) const;
    // Waits until the map has it.
    std::optional<WidgetRect> WaitFor(const std::string& window, const std::string& name,
                                      std::chrono::milliseconds timeout = kDefaultTimeout) const;
    std::optional<WidgetRect> WaitFor(const std::string& window, const std::string& name,
                                      const std::string& value,
                                      std::chrono::milliseconds timeout = kDefaultTimeout) const;

    // Moves the pointer to the middle of the control and clicks (`clicks` times, as a double
    // click when 2); the last press is held `hold` before the release, as a user's finger holds
    // it. Fails with the map's text when the control never showed.
    ::testing::AssertionResult Click(const VirtualDisplay& display, const std::string& window,
                                     const std::string& name, int clicks = 1,
                                     std::chrono::milliseconds hold = {}) const;

    // Turns the mouse wheel over the list `list` until its line `line` shows, then clicks it.
    ::testing::AssertionResult ClickInList(const VirtualDisplay& display, const std::string& window,
                                           const std::string& list, const std::string& line) const;

    std::string Text() const;

private:
    std::filesystem::path file_;
};

} // namespace orvane::e2e
