// SPDX-License-Identifier: GPL-3.0-or-later
#include "Xdotool.h"

#include "VirtualDisplay.h"

#include <cstring>

namespace orvane::e2e {
namespace {

::testing::AssertionResult Outcome(const CommandResult& result) {
    if (result.Succeeded()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << result.Describe();
}

} // namespace

CommandResult Xdotool(const VirtualDisplay& display, const std::vector<std::string>& args,
                      std::chrono::milliseconds timeout) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, display.Env(), timeout);
}

std::string ExactTitlePattern(const std::string& text) {
    std::string pattern = "^";
    for (char c : text) {
        if (std::strchr(".^$*+?()[]{}|\\", c) != nullptr) {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "$";
}

::testing::AssertionResult ActivateWindowByTitle(const VirtualDisplay& display,
                                                 const std::string& title,
                                                 std::chrono::milliseconds timeout) {
    // --onlyvisible: toolkits keep hidden helper windows with the same title, which cannot be
    // activated.
    return Outcome(Xdotool(display,
                           {"search", "--sync", "--onlyvisible", "--name", ExactTitlePattern(title),
                            "windowactivate", "--sync", "%1"},
                           timeout));
}

::testing::AssertionResult ActivateWindow(const VirtualDisplay& display, unsigned long window,
                                          std::chrono::milliseconds timeout) {
    return Outcome(Xdotool(display, {"windowactivate", "--sync", std::to_string(window)}, timeout));
}

::testing::AssertionResult TypeText(const VirtualDisplay& display, const std::string& text,
                                    int delayMs) {
    return Outcome(Xdotool(display, {"type", "--delay", std::to_string(delayMs), "--", text}));
}

::testing::AssertionResult PressKeys(const VirtualDisplay& display,
                                     const std::vector<std::string>& keys) {
    std::vector<std::string> args = {"key", "--"};
    args.insert(args.end(), keys.begin(), keys.end());
    return Outcome(Xdotool(display, args));
}

::testing::AssertionResult ClickAt(const VirtualDisplay& display, int x, int y, int button) {
    return Outcome(Xdotool(display, {"mousemove", "--sync", std::to_string(x), std::to_string(y),
                                     "click", std::to_string(button)}));
}

::testing::AssertionResult TakeScreenshot(const VirtualDisplay& display,
                                          const std::filesystem::path& png) {
    try {
        return Outcome(RunCommand(
            {"import", "-display", display.Name(), "-window", "root", "png:" + png.string()},
            display.Env()));
    } catch (const std::exception& error) {
        return ::testing::AssertionFailure() << error.what() << " (ImageMagick is needed)";
    }
}

} // namespace orvane::e2e
