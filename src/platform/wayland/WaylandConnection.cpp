// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/WaylandConnection.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace orvane {

struct WaylandConnection::Output {
    WaylandConnection* Owner = nullptr;
    std::uint32_t Name = 0;
    wl_output* Proxy = nullptr;
    zxdg_output_v1* Logical = nullptr;
    OutputReport Report;
};

struct RegistryEvents {
    static void Global(void* data, wl_registry*, std::uint32_t name, const char* interface,
                       std::uint32_t version) {
        static_cast<WaylandConnection*>(data)->AddGlobal(name, interface, version);
    }
    static void GlobalRemove(void* data, wl_registry*, std::uint32_t name) {
        static_cast<WaylandConnection*>(data)->RemoveGlobal(name);
    }
    static constexpr wl_registry_listener Listener{Global, GlobalRemove};
};

struct OutputEvents {
    using Output = WaylandConnection::Output;
    static void Geometry(void* data, wl_output*, std::int32_t x, std::int32_t y, std::int32_t,
                         std::int32_t, std::int32_t, const char*, const char*,
                         std::int32_t transform) {
        auto* output = static_cast<Output*>(data);
        output->Report.X = x;
        output->Report.Y = y;
        output->Report.Transform = transform;
    }
    static void Mode(void* data, wl_output*, std::uint32_t flags, std::int32_t width,
                     std::int32_t height, std::int32_t) {
        if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
            auto* output = static_cast<Output*>(data);
            output->Report.ModeWidth = width;
            output->Report.ModeHeight = height;
        }
    }
    static void Done(void*, wl_output*) {}
    static void Scale(void* data, wl_output*, std::int32_t factor) {
        static_cast<Output*>(data)->Report.Scale = factor;
    }
    static void Name(void*, wl_output*, const char*) {}
    static void Description(void*, wl_output*, const char*) {}
    static constexpr wl_output_listener Listener{Geometry, Mode, Done, Scale, Name, Description};

    static LayoutBox& Logical(void* data) {
        auto* output = static_cast<Output*>(data);
        if (!output->Report.Logical) {
            output->Report.Logical = LayoutBox{};
        }
        return *output->Report.Logical;
    }
    static void LogicalPosition(void* data, zxdg_output_v1*, std::int32_t x, std::int32_t y) {
        Logical(data).X = x;
        Logical(data).Y = y;
    }
    static void LogicalSize(void* data, zxdg_output_v1*, std::int32_t width, std::int32_t height) {
        Logical(data).Width = width;
        Logical(data).Height = height;
    }
    static void LogicalDone(void*, zxdg_output_v1*) {}
    static void LogicalName(void*, zxdg_output_v1*, const char*) {}
    static void LogicalDescription(void*, zxdg_output_v1*, const char*) {}
    static constexpr zxdg_output_v1_listener LogicalListener{
        LogicalPosition, LogicalSize, LogicalDone, LogicalName, LogicalDescription};
};

std::unique_ptr<WaylandConnection> WaylandConnection::Open(std::string& error) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if ((name == nullptr || *name == '\0') && std::getenv("WAYLAND_SOCKET") == nullptr) {
        error = "no Wayland display: WAYLAND_DISPLAY is not set";
        return nullptr;
    }
    std::unique_ptr<WaylandConnection> connection(new WaylandConnection());
    connection->display_ = wl_display_connect(nullptr);
    if (connection->display_ == nullptr) {
        error = std::string("cannot connect to the Wayland display \"") +
                (name != nullptr ? name : "") + "\": " + std::strerror(errno);
        return nullptr;
    }
    connection->registry_ = wl_display_get_registry(connection->display_);
    wl_registry_add_listener(connection->registry_, &RegistryEvents::Listener, connection.get());
    // The first round trip lists the globals, the second the outputs' places.
    if (!connection->Roundtrip() || !connection->Roundtrip()) {
        error = "the Wayland display stopped answering";
        return nullptr;
    }
    if (connection->seat_ == nullptr) {
        error = "the Wayland compositor offers no seat";
    } else if (connection->keyboardManager_ == nullptr) {
        error = "the Wayland compositor does not offer virtual keyboards "
                "(zwp_virtual_keyboard_manager_v1)";
    } else if (connection->pointerManager_ == nullptr) {
        error = "the Wayland compositor does not offer virtual pointers "
                "(zwlr_virtual_pointer_manager_v1)";
    } else {
        return connection;
    }
    return nullptr;
}

WaylandConnection::~WaylandConnection() {
    if (display_ == nullptr) {
        return;
    }
    for (const auto& output : outputs_) {
        if (output->Logical != nullptr) {
            zxdg_output_v1_destroy(output->Logical);
        }
        wl_output_destroy(output->Proxy);
    }
    if (xdgOutputManager_ != nullptr) {
        zxdg_output_manager_v1_destroy(xdgOutputManager_);
    }
    if (pointerManager_ != nullptr) {
        zwlr_virtual_pointer_manager_v1_destroy(pointerManager_);
    }
    if (keyboardManager_ != nullptr) {
        zwp_virtual_keyboard_manager_v1_destroy(keyboardManager_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    if (registry_ != nullptr) {
        wl_registry_destroy(registry_);
    }
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

void WaylandConnection::AddGlobal(std::uint32_t name, const char* interface,
                                  std::uint32_t version) {
    globals_.push_back({name, interface, version});
    const std::string_view iface(interface);
    auto bind = [&](const wl_interface* type, std::uint32_t most) {
        return wl_registry_bind(registry_, name, type, std::min(version, most));
    };
    if (iface == wl_seat_interface.name && seat_ == nullptr) {
        // The first seat: the one a desktop's keyboard and pointer belong to.
        seat_ = static_cast<wl_seat*>(bind(&wl_seat_interface, 1));
    } else if (iface == zwp_virtual_keyboard_manager_v1_interface.name) {
        keyboardManager_ = static_cast<zwp_virtual_keyboard_manager_v1*>(
            bind(&zwp_virtual_keyboard_manager_v1_interface, 1));
    } else if (iface == zwlr_virtual_pointer_manager_v1_interface.name) {
        pointerManager_ = static_cast<zwlr_virtual_pointer_manager_v1*>(
            bind(&zwlr_virtual_pointer_manager_v1_interface, 1));
    } else if (iface == zxdg_output_manager_v1_interface.name) {
        xdgOutputManager_ =
            static_cast<zxdg_output_manager_v1*>(bind(&zxdg_output_manager_v1_interface, 2));
        for (const auto& output : outputs_) {
            WatchOutput(*output);
        }
    } else if (iface == wl_output_interface.name) {
        auto output = std::make_unique<Output>();
        output->Owner = this;
        output->Name = name;
        output->Proxy = static_cast<wl_output*>(bind(&wl_output_interface, 2));
        wl_output_add_listener(output->Proxy, &OutputEvents::Listener, output.get());
        WatchOutput(*output);
        outputs_.push_back(std::move(output));
    }
}

void WaylandConnection::WatchOutput(Output& output) {
    if (xdgOutputManager_ == nullptr || output.Logical != nullptr) {
        return;
    }
    output.Logical = zxdg_output_manager_v1_get_xdg_output(xdgOutputManager_, output.Proxy);
    zxdg_output_v1_add_listener(output.Logical, &OutputEvents::LogicalListener, &output);
}

void WaylandConnection::RemoveGlobal(std::uint32_t name) {
    std::erase_if(globals_, [&](const Global& g) { return g.Name == name; });
    // An output unplugged; the managers and the seat do not come and go on a running desktop.
    std::erase_if(outputs_, [&](const std::unique_ptr<Output>& output) {
        if (output->Name != name) {
            return false;
        }
        if (output->Logical != nullptr) {
            zxdg_output_v1_destroy(output->Logical);
        }
        wl_output_destroy(output->Proxy);
        return true;
    });
}

std::optional<WaylandConnection::Global>
WaylandConnection::FindGlobal(std::string_view interfaceName) const {
    const auto it = std::find_if(globals_.begin(), globals_.end(),
                                 [&](const Global& g) { return g.Interface == interfaceName; });
    return it != globals_.end() ? std::optional(*it) : std::nullopt;
}

void* WaylandConnection::Bind(const Global& global, const wl_interface* interface,
                              std::uint32_t version) {
    return wl_registry_bind(registry_, global.Name, interface, std::min(version, global.Version));
}

std::vector<LayoutBox> WaylandConnection::Outputs() const {
    std::vector<LayoutBox> boxes;
    for (const auto& output : outputs_) {
        boxes.push_back(BoxOfOutput(output->Report));
    }
    return boxes;
}

LayoutBox WaylandConnection::Layout() const {
    const std::vector<LayoutBox> boxes = Outputs();
    return BoundingBox(boxes);
}

int WaylandConnection::Fd() const {
    return wl_display_get_fd(display_);
}

void WaylandConnection::ServeEvents() {
    if (Broken()) {
        return;
    }
    while (wl_display_prepare_read(display_) != 0) {
        wl_display_dispatch_pending(display_);
    }
    Flush();
    pollfd readable{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&readable, 1, 0) > 0) {
        wl_display_read_events(display_);
    } else {
        wl_display_cancel_read(display_);
    }
    wl_display_dispatch_pending(display_);
}

bool WaylandConnection::Flush() {
    while (wl_display_flush(display_) < 0) {
        if (errno != EAGAIN) {
            return false;
        }
        // The compositor has not read what we sent yet: wait until it has room.
        pollfd writable{wl_display_get_fd(display_), POLLOUT, 0};
        const int ready = poll(&writable, 1, 5000);
        if (ready == 0 || (ready < 0 && errno != EINTR)) {
            return false;
        }
    }
    return !Broken();
}

bool WaylandConnection::Roundtrip() {
    return !Broken() && wl_display_roundtrip(display_) >= 0;
}

bool WaylandConnection::Broken() const {
    return wl_display_get_error(display_) != 0;
}

} // namespace orvane
