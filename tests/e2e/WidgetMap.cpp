// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetMap.h"

#include "Xdotool.h"

#include <fstream>
#include <sstream>

namespace orvane::e2e {

std::string WidgetMap::Text() const {
    std::ifstream in(file_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<WidgetRect> WidgetMap::Find(const std::string& window, const std::string& name,
                                          const std::optional<std::string>& value) const {
    std::istringstream lines(Text());
    for (std::string line; std::getline(lines, line);) {
        // window, name, "x y width height", enabled or disabled, value
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) {
            fields.push_back(field);
        }
        if (fields.size() < 4 || fields[0] != window || fields[1] != name) {
            continue;
        }
        WidgetRect rect;
        rect.Enabled = fields[3] == "enabled";
        rect.Value = fields.size() > 4 ? fields[4] : std::string();
        if (std::istringstream(fields[2]) >> rect.X >> rect.Y >> rect.Width >> rect.Height &&
            rect.Width > 0 && rect.Height > 0 && (!value || rect.Value == *value)) {
            return rect;
        }
    }
    return std::nullopt;
}

std::optional<WidgetRect> WidgetMap::WaitFor(const std::string& window, const std::string& name,
                                             std::chrono::milliseconds timeout) const {
    std::optional<WidgetRect> found;
    e2e::WaitFor([&] { return (found = Find(window, name)).has_value(); }, timeout);
    return found;
}

std::optional<WidgetRect> WidgetMap::WaitFor(const std::string& window, const std::string& name,
                                             const std::string& value,
                                             std::chrono::milliseconds timeout) const {
    std::optional<WidgetRect> found;
    e2e::WaitFor([&] { return (found = Find(window, name, value)).has_value(); }, timeout);
    return found;
}

::testing::AssertionResult WidgetMap::Click(const VirtualDisplay& display,
                                            const std::string& window, const std::string& name,
                                            int clicks, std::chrono::milliseconds hold) const {
    const std::optional<WidgetRect> at = WaitFor(window, name);
    if (!at) {
        return ::testing::AssertionFailure()
               << "no \"" << name << "\" in \"" << window << "\"; the map:\n"
               << Text();
    }
    // No --sync: it waits for a motion, and none comes when the pointer is there already. The
    // server takes the move and the presses in order anyway.
    std::vector<std::string> args = {"mousemove", std::to_string(at->CenterX()),
                                     std::to_string(at->CenterY())};
    for (int click = 1; click < clicks; ++click) {
        args.insert(args.end(), {"click", "1", "sleep", "0.08"});
    }
    const std::string held = std::to_string(static_cast<double>(hold.count()) / 1000.0);
    args.insert(args.end(), {"mousedown", "1", "sleep", held, "mouseup", "1"});
    const CommandResult result = Xdotool(display, args);
    if (!result.Succeeded()) {
        return ::testing::AssertionFailure() << "xdotool: " << result.err;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult WidgetMap::ClickInList(const VirtualDisplay& display,
                                                  const std::string& window,
                                                  const std::string& list,
                                                  const std::string& line) const {
    const std::optional<WidgetRect> at = WaitFor(window, list);
    if (!at) {
        return ::testing::AssertionFailure() << "no list \"" << list << "\"\n" << Text();
    }
    const std::string name = list + ":" + line;
    // Each turn moves the list a few lines; the map follows once the list has repainted.
    if (!Find(window, name) && !Xdotool(display, {"mousemove", std::to_string(at->CenterX()),
                                                  std::to_string(at->CenterY())})
                                    .Succeeded()) {
        return ::testing::AssertionFailure() << "xdotool could not move the pointer";
    }
    for (int turn = 0; turn < 100 && !Find(window, name); ++turn) {
        if (!Xdotool(display, {"click", "5"}).Succeeded()) {
            return ::testing::AssertionFailure() << "xdotool could not turn the wheel";
        }
        WaitFor(window, name, std::chrono::milliseconds(300));
    }
    return Click(display, window, name);
}

} // namespace orvane::e2e
