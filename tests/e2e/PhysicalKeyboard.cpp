// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhysicalKeyboard.h"

#include "VirtualDisplay.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace orvane::e2e {

struct PhysicalKeyboard::Connection {
    Display* display = nullptr;
    XDevice* device = nullptr;

    ~Connection() {
        if (device != nullptr) {
            XCloseDevice(display, device);
        }
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
};

PhysicalKeyboard::PhysicalKeyboard(const VirtualDisplay& display)
    : connection_(std::make_unique<Connection>()) {
    connection_->display = XOpenDisplay(display.Name().c_str());
    if (connection_->display == nullptr) {
        error_ = "cannot open display " + display.Name();
        return;
    }
    int count = 0;
    XDeviceInfo* devices = XListInputDevices(connection_->display, &count);
    for (int i = 0; devices != nullptr && i < count; ++i) {
        if (devices[i].use == IsXExtensionKeyboard && devices[i].name != nullptr &&
            std::strstr(devices[i].name, "XTEST") == nullptr &&
            std::strstr(devices[i].name, "keyboard") != nullptr) {
            connection_->device = XOpenDevice(connection_->display, devices[i].id);
            break;
        }
    }
    if (devices != nullptr) {
        XFreeDeviceList(devices);
    }
    if (connection_->device == nullptr) {
        error_ = "no keyboard device other than XTest's on " + display.Name();
    }
}

PhysicalKeyboard::~PhysicalKeyboard() = default;

bool PhysicalKeyboard::Ready() const {
    return connection_->device != nullptr;
}

bool PhysicalKeyboard::Press(const std::string& keysymName) {
    return Send(keysymName, true);
}

bool PhysicalKeyboard::Release(const std::string& keysymName) {
    return Send(keysymName, false);
}

bool PhysicalKeyboard::PressKeycode(unsigned keycode) {
    return SendKeycode(keycode, true);
}

bool PhysicalKeyboard::ReleaseKeycode(unsigned keycode) {
    return SendKeycode(keycode, false);
}

bool PhysicalKeyboard::Send(const std::string& keysymName, bool down) {
    if (!Ready()) {
        return false;
    }
    const KeySym keysym = XStringToKeysym(keysymName.c_str());
    const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(connection_->display, keysym);
    return keycode != 0 && SendKeycode(keycode, down);
}

bool PhysicalKeyboard::SendKeycode(unsigned keycode, bool down) {
    if (!Ready() || keycode < 8 || keycode > 255) {
        return false;
    }
    XTestFakeDeviceKeyEvent(connection_->display, connection_->device, keycode, down ? True : False,
                            nullptr, 0, CurrentTime);
    XSync(connection_->display, False);
    return true;
}

} // namespace orvane::e2e
