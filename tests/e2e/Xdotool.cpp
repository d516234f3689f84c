// SPDX-License-Identifier: GPL-3.0-or-later
#include "Xdotool.h"

#include "VirtualDisplay.h"

#include <cstring>
#include <sstream>
#include <thread>

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

unsigned long WaitForWindowByTitle(const VirtualDisplay& display, const std::string& title,
                                   std::chrono::milliseconds timeout) {
    // `xdotool search --sync` is no wait to rely on: it exits at once with an X error when any
    // window it walks past is destroyed meanwhile (menus, tooltips, a closing dialog). Each pass
    // here is one plain search; a failed pass is simply asked again until the limit.
    // --onlyvisible: toolkits keep hidden helper windows with the same title, which cannot be
    // activated.
    const Deadline deadline(timeout);
    for (;;) {
        const CommandResult found =
            Xdotool(display, {"search", "--onlyvisible", "--name", ExactTitlePattern(title)},
                    std::chrono::milliseconds(std::max(deadline.RemainingMs(), 1000)));
        if (found.Succeeded()) {
            std::istringstream ids(found.out);
            unsigned long id = 0;
            if (ids >> id && id != 0) {
                return id;
            }
        }
        if (deadline.Passed()) {
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
    }
}

::testing::AssertionResult ActivateWindowByTitle(const VirtualDisplay& display,
                                                 const std::string& title,
                                                 std::chrono::milliseconds timeout) {
    const unsigned long window = WaitForWindowByTitle(display, title, timeout);
    if (window == 0) {
        return ::testing::AssertionFailure() << "no visible window titled \"" << title << "\"";
    }
    return ActivateWindow(display, window, timeout);
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
