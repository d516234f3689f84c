// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RawInputObserver.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <cstring>

namespace orvane {

std::optional<RawInputObserver> RawInputObserver::Open(Display* display, unsigned long root,
                                                       std::string& error) {
    int opcode = 0;
    int eventBase = 0;
    int errorBase = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &eventBase, &errorBase)) {
        error = "the X server does not offer the XInputExtension";
        return std::nullopt;
    }
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 2)) {
        error = "the X server does not offer XInput 2.2";
        return std::nullopt;
    }
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    XISetMask(mask, XI_RawButtonPress);
    XISetMask(mask, XI_RawButtonRelease); // the recorder's: a drag ends elsewhere
    XISetMask(mask, XI_HierarchyChanged);
    XIEventMask events{XIAllDevices, sizeof(mask), mask};
    XISelectEvents(display, root, &events, 1);
    RawInputObserver observer(display, opcode);
    observer.FindXtestDevices();
    return observer;
}

void RawInputObserver::FindXtestDevices() {
    xtestDevices_.clear();
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display_, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (std::strstr(devices[i].name, "XTEST") != nullptr) {
            xtestDevices_.insert(devices[i].deviceid);
        }
    }
    if (devices != nullptr) {
        XIFreeDeviceInfo(devices);
    }
}

std::optional<RawInput> RawInputObserver::Read(XEvent& event) {
    if (event.type != GenericEvent || event.xcookie.extension != opcode_ ||
        !XGetEventData(display_, &event.xcookie)) {
        return std::nullopt;
    }
    std::optional<RawInput> input;
    const int type = event.xcookie.evtype;
    if (type == XI_HierarchyChanged) {
        FindXtestDevices();
    } else if (type == XI_RawKeyPress || type == XI_RawKeyRelease || type == XI_RawButtonPress ||
               type == XI_RawButtonRelease) {
        const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
        if (raw->deviceid == raw->sourceid && raw->detail >= 0 && raw->detail <= 255) {
            input = RawInput{type == XI_RawKeyPress      ? RawInput::Kind::KeyDown
                             : type == XI_RawKeyRelease  ? RawInput::Kind::KeyUp
                             : type == XI_RawButtonPress ? RawInput::Kind::ButtonDown
                                                         : RawInput::Kind::ButtonUp,
                             raw->detail,
                             raw->sourceid,
                             xtestDevices_.contains(raw->sourceid),
                             raw->time,
                             (raw->flags & XIKeyRepeat) != 0};
        }
    }
    XFreeEventData(display_, &event.xcookie);
    return input;
}

} // namespace orvane
