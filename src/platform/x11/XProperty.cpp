// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>

namespace orvane {
namespace {

struct XFreeDeleter {
    void operator()(unsigned char* data) const {
        if (data != nullptr) {
            XFree(data);
        }
    }
};
using XData = std::unique_ptr<unsigned char, XFreeDeleter>;

struct Property {
    Atom Type = None;
    int Format = 0;
    unsigned long Count = 0;
    XData Data;
};

std::optional<Property> Read(Display* display, unsigned long window, unsigned long property,
                             unsigned long type, long maxLength) {
    Property read;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, maxLength, False,
                                          type == 0 ? AnyPropertyType : type, &read.Type,
                                          &read.Format, &read.Count, &after, &data);
    read.Data.reset(data);
    if (status != Success || read.Data == nullptr || read.Type == None) {
        return std::nullopt;
    }
    if (type != 0 && read.Type != type) {
        return std::nullopt;
    }
    return read;
}

} // namespace

std::optional<std::vector<unsigned long>> ReadCardinals(Display* display, unsigned long window,
                                                        unsigned long property, unsigned long type,
                                                        long maxItems) {
    const std::optional<Property> read = Read(display, window, property, type, maxItems);
    if (!read || read->Format != 32) {
        return std::nullopt;
    }
    const auto* longs = reinterpret_cast<const unsigned long*>(read->Data.get());
    return std::vector<unsigned long>(longs, longs + read->Count);
}

std::optional<std::string> ReadBytes(Display* display, unsigned long window, unsigned long property,
                                     unsigned long type) {
    // The length is counted in 32-bit units: 16 MB of text at most.
    const std::optional<Property> read = Read(display, window, property, type, 1L << 22);
    if (!read || read->Format != 8) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(read->Data.get()), read->Count);
}

void SendToWindowManager(Display* display, unsigned long root, unsigned long window,
                         unsigned long type, const std::array<long, 5>& data) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    for (std::size_t i = 0; i < data.size(); ++i) {
        event.xclient.data.l[i] = data[i];
    }
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

} // namespace orvane
