// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wayland/OutputLayout.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct wl_display;
struct wl_interface;
struct wl_registry;
struct wl_seat;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_virtual_pointer_manager_v1;
struct zxdg_output_manager_v1;

namespace orvane {

// A connection of our own to the Wayland compositor: its globals, the seat, the outputs and
// where they lie, and the two managers input synthesis needs. Events are read only when asked
// (ServeEvents), so the program's event loop watches Fd() and calls it; nothing blocks but the
// explicit round trip.
class WaylandConnection {
public:
    // Connects to $WAYLAND_DISPLAY (a name in $XDG_RUNTIME_DIR, or a full path) and learns the
    // globals and outputs (two round trips). Null with a message in `error` when there is no
    // Wayland display, it cannot be reached, it has no seat, or it lacks the virtual keyboard
    // or virtual pointer protocol.
    static std::unique_ptr<WaylandConnection> Open(std::string& error);
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* Display() const { return display_; }
    wl_seat* Seat() const { return seat_; }
    zwp_virtual_keyboard_manager_v1* KeyboardManager() const { return keyboardManager_; }
    zwlr_virtual_pointer_manager_v1* PointerManager() const { return pointerManager_; }

    // A global the compositor offers, for parts that bind it themselves (a window list on a
    // compositor without sway's interface). Bind gives a proxy of at most `version` (never more
    // than offered); the caller owns it and sets its listener before the next ServeEvents.
    struct Global {
        std::uint32_t Name = 0;
        std::string Interface;
        std::uint32_t Version = 0;
    };
    std::optional<Global> FindGlobal(std::string_view interfaceName) const;
    void* Bind(const Global& global, const wl_interface* interface, std::uint32_t version);

    // The outputs in layout coordinates, and the box holding them all.
    std::vector<LayoutBox> Outputs() const;
    LayoutBox Layout() const;

    int Fd() const;
    // Reads and dispatches what has arrived, without blocking.
    void ServeEvents();
    // Sends what is queued; waits (blocked on the socket, not spinning) while the compositor's
    // side of the socket is full. False once the connection is broken.
    bool Flush();
    // Sends what is queued and waits until the compositor has handled all of it.
    bool Roundtrip();
    // True once the compositor has gone or refused a request: every later call is ignored.
    bool Broken() const;

private:
    struct Output;

    WaylandConnection() = default;
    void AddGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
    void RemoveGlobal(std::uint32_t name);
    void WatchOutput(Output& output);

    friend struct RegistryEvents;
    friend struct OutputEvents;

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    zwp_virtual_keyboard_manager_v1* keyboardManager_ = nullptr;
    zwlr_virtual_pointer_manager_v1* pointerManager_ = nullptr;
    zxdg_output_manager_v1* xdgOutputManager_ = nullptr;
    std::vector<Global> globals_;
    std::vector<std::unique_ptr<Output>> outputs_;
};

} // namespace orvane
