// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/BackendChoice.h"

#include <cstdlib>

namespace orvane {

BackendChoice ChooseBackend(const SessionFacts& facts) {
    BackendChoice choice;
    std::string forced = facts.Forced;
    for (char& c : forced) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (forced == "x11") {
        return choice;
    }
    if (forced == "wayland") {
        choice.First = BackendKind::Wayland;
        return choice;
    }
    if (!forced.empty()) {
        choice.Warning = "ORVANE_BACKEND is \"" + facts.Forced +
                         "\"; it can be \"x11\" or \"wayland\". The session decides instead.";
    }
    if (facts.WaylandSession) {
        choice.First = BackendKind::Wayland;
        choice.X11MayStandIn = facts.X11Display;
    }
    return choice;
}

SessionFacts SessionFactsFromEnvironment() {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    SessionFacts facts;
    facts.Forced = variable("ORVANE_BACKEND");
    facts.WaylandSession =
        !variable("WAYLAND_DISPLAY").empty() || variable("XDG_SESSION_TYPE") == "wayland";
    facts.X11Display = !variable("DISPLAY").empty();
    return facts;
}

} // namespace orvane
