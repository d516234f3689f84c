// SPDX-License-Identifier: GPL-3.0-or-later
//
// orvane_wlpointer: the test user's mouse on a wlroots compositor. It holds one virtual pointer
// for as long as it runs, so the seat keeps its pointer the whole test: a pointer that comes and
// goes makes clients drop and re-create theirs, and the first click after the return is lost.
//
// Commands on standard input, one a line; each is answered "OK" once the compositor has handled
// it (a round trip), or "ERROR <reason>":
//   move <x> <y> <width> <height>   put the pointer at (x, y) of a layout width x height
//   press <n> / release <n>         button n: 1 left, 2 middle, 3 right
//   wheel <steps>                   vertical wheel steps, positive downwards
// "READY" is printed once the pointer exists. End of input ends the program.
//
// The protocol is small and stable, so its two interfaces are declared here rather than generated:
// the harness builds without the program's own protocol files.

#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <time.h>

namespace {

extern const wl_interface kVirtualPointer;

const wl_interface* kCreateTypes[] = {&wl_seat_interface, &kVirtualPointer};
const wl_interface* kNoTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};

const wl_message kManagerRequests[] = {
    {"create_virtual_pointer", "?on", kCreateTypes},
    {"destroy", "", kNoTypes},
};
const wl_interface kManager = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, kManagerRequests, 0, nullptr};

enum PointerRequest : uint32_t { kMotion, kMotionAbsolute, kButton, kAxis, kFrame, kAxisSource };
const wl_message kPointerRequests[] = {
    {"motion", "uff", kNoTypes},   {"motion_absolute", "uuuuu", kNoTypes},
    {"button", "uuu", kNoTypes},   {"axis", "uuf", kNoTypes},
    {"frame", "", kNoTypes},       {"axis_source", "u", kNoTypes},
    {"axis_stop", "uu", kNoTypes}, {"axis_discrete", "uufi", kNoTypes},
    {"destroy", "", kNoTypes},
};
const wl_interface kVirtualPointer = {"zwlr_virtual_pointer_v1", 1, 9,
                                      kPointerRequests,          0, nullptr};

struct Globals {
    wl_seat* seat = nullptr;
    wl_proxy* manager = nullptr;
};

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && globals->seat == nullptr) {
        globals->seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, kManager.name) == 0) {
        globals->manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &kManager, 1));
    }
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

uint32_t NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

// Linux input event codes of the buttons (BTN_LEFT, BTN_RIGHT, BTN_MIDDLE).
uint32_t ButtonCode(int button) {
    switch (button) {
    case 1:
        return 0x110;
    case 2:
        return 0x112;
    case 3:
        return 0x111;
    default:
        return 0;
    }
}

// Carries out one command; an empty string when it was understood.
std::string Perform(wl_proxy* pointer, const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "move") {
        long x = -1, y = -1, width = 0, height = 0;
        in >> x >> y >> width >> height;
        if (!in || x < 0 || y < 0 || width <= 0 || height <= 0 || x >= width || y >= height) {
            return "move needs x y width height inside the layout";
        }
        wl_proxy_marshal(pointer, kMotionAbsolute, NowMs(), static_cast<uint32_t>(x),
                         static_cast<uint32_t>(y), static_cast<uint32_t>(width),
                         static_cast<uint32_t>(height));
    } else if (verb == "press" || verb == "release") {
        int button = 0;
        in >> button;
        if (ButtonCode(button) == 0) {
            return "buttons are 1, 2 and 3";
        }
        wl_proxy_marshal(pointer, kButton, NowMs(), ButtonCode(button),
                         verb == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                         : WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (verb == "wheel") {
        int steps = 0;
        in >> steps;
        if (!in || steps == 0) {
            return "wheel needs a number of steps";
        }
        wl_proxy_marshal(pointer, kAxisSource, WL_POINTER_AXIS_SOURCE_WHEEL);
        // 15 units a step, as a mouse wheel reports them.
        wl_proxy_marshal(pointer, kAxis, NowMs(), WL_POINTER_AXIS_VERTICAL_SCROLL,
                         wl_fixed_from_int(15 * steps));
    } else {
        return "unknown command: " + verb;
    }
    wl_proxy_marshal(pointer, kFrame);
    return {};
}

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "orvane_wlpointer: cannot connect to the Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.manager == nullptr || globals.seat == nullptr) {
        std::fprintf(stderr, "orvane_wlpointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    wl_proxy* pointer =
        wl_proxy_marshal_constructor(globals.manager, 0, &kVirtualPointer, globals.seat, nullptr);
    if (wl_display_roundtrip(display) < 0) {
        std::fprintf(stderr, "orvane_wlpointer: the compositor refused the pointer\n");
        return 1;
    }
    std::cout << "READY" << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line.empty()) {
            continue;
        }
        std::string error = Perform(pointer, line);
        if (wl_display_roundtrip(display) < 0) {
            std::fprintf(stderr, "orvane_wlpointer: the compositor has gone\n");
            return 1;
        }
        std::cout << (error.empty() ? "OK" : "ERROR " + error) << std::endl;
    }
    wl_display_disconnect(display);
    return 0;
}
