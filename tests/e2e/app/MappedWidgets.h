// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Clicking the program's controls where the user sees them: the program, started with
// ORVANE_WIDGET_MAP=1, keeps a map of its shown controls and their places on the screen in its
// runtime folder; these read it.

#include "Deadline.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::e2e {

struct MappedWidget {
    std::string Window;
    std::string Name;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    std::string Value; // a field's text, "checked" or "unchecked"
};

inline std::vector<MappedWidget> ReadWidgetMap(const VirtualDisplay& display) {
    std::ifstream in(std::filesystem::path(display.Env().at("XDG_RUNTIME_DIR")) / "orvane" /
                     "widgets.txt");
    std::vector<MappedWidget> widgets;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            fields.push_back(field);
        }
        // window, name, "x y width height", enabled or disabled, value
        if (fields.size() < 4) {
            continue;
        }
        MappedWidget widget{fields[0], fields[1], 0, 0, 0, 0, {}};
        std::istringstream(fields[2]) >> widget.X >> widget.Y >> widget.Width >> widget.Height;
        widget.Value = fields.size() > 4 ? fields[4] : std::string();
        widgets.push_back(std::move(widget));
    }
    return widgets;
}

// Waits until window `window` shows a control named `name` (whose value is `value`, when one is
// given) and returns it.
inline std::optional<MappedWidget> WaitForWidget(const VirtualDisplay& display,
                                                 const std::string& window, const std::string& name,
                                                 const std::optional<std::string>& value = {}) {
    std::optional<MappedWidget> found;
    WaitFor([&] {
        for (const MappedWidget& widget : ReadWidgetMap(display)) {
            if (widget.Window == window && widget.Name == name &&
                (!value || widget.Value == *value)) {
                found = widget;
                return true;
            }
        }
        return false;
    });
    return found;
}

// Clicks the middle of that control with `button`.
inline ::testing::AssertionResult ClickWidget(const VirtualDisplay& display,
                                              const std::string& window, const std::string& name,
                                              int button = 1) {
    const std::optional<MappedWidget> widget = WaitForWidget(display, window, name);
    if (!widget) {
        return ::testing::AssertionFailure()
               << "no control \"" << name << "\" in \"" << window << "\"";
    }
    return ClickAt(display, widget->X + widget->Width / 2, widget->Y + widget->Height / 2, button);
}

} // namespace orvane::e2e
