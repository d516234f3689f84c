// SPDX-License-Identifier: GPL-3.0-or-later
#include "TrayHost.h"

#include "Deadline.h"
#include "VirtualDisplay.h"
#include "Xdotool.h"

namespace orvane::e2e {

TrayHost::TrayHost(const VirtualDisplay& display) {
    SpawnOptions options;
    options.argv = {"trayer",  "--edge",   "top", "--align",       "left", "--widthtype",
                    "request", "--height", "24",  "--SetDockType", "true", "--SetPartialStrut",
                    "false"};
    options.env = display.Env();
    try {
        process_ = std::make_unique<ChildProcess>(options);
    } catch (const std::exception& e) {
        why_ = std::string("no tray host can run here (trayer: ") + e.what() +
               "); install trayer (tools/install-deps test)";
        return;
    }
    const bool up = WaitFor([&] {
        const CommandResult found = Xdotool(
            display, {"search", "--onlyvisible", "--class", "trayer"}, std::chrono::seconds(5));
        window_ = found.Succeeded() ? found.out.substr(0, found.out.find('\n')) : "";
        return !window_.empty();
    });
    if (!up) {
        why_ = "trayer did not start on the test display: " + display.Logs();
    }
}

} // namespace orvane::e2e
