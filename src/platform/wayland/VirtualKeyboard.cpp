// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/VirtualKeyboard.h"

#include "platform/wayland/WaylandConnection.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace orvane {

std::uint32_t InputTime() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

VirtualKeyboard::VirtualKeyboard(WaylandConnection& connection) : connection_(connection) {
    keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
        connection.KeyboardManager(), connection.Seat());
}

VirtualKeyboard::~VirtualKeyboard() {
    zwp_virtual_keyboard_v1_destroy(keyboard_);
}

bool VirtualKeyboard::SetKeymap(std::string_view text) {
    // The compositor maps the file: it must hold the text and its terminating zero.
    const int fd = memfd_create("orvane-keymap", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0) {
        return false;
    }
    const std::size_t size = text.size() + 1;
    bool written = ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (written) {
        void* map = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        written = map != MAP_FAILED;
        if (written) {
            std::memcpy(map, text.data(), text.size());
            static_cast<char*>(map)[text.size()] = '\0';
            munmap(map, size);
            // Nobody may change it under the compositor.
            fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL);
        }
    }
    if (written) {
        zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       static_cast<std::uint32_t>(size));
        // The request holds a duplicate of the file: ours can go.
    }
    close(fd);
    return written;
}

void VirtualKeyboard::Key(xkb_keycode_t keycode, bool down) {
    zwp_virtual_keyboard_v1_key(keyboard_, InputTime(), keycode - 8,
                                down ? WL_KEYBOARD_KEY_STATE_PRESSED
                                     : WL_KEYBOARD_KEY_STATE_RELEASED);
}

void VirtualKeyboard::Modifiers(const ModifierState& state) {
    zwp_virtual_keyboard_v1_modifiers(keyboard_, state.Depressed, state.Latched, state.Locked,
                                      state.Layout);
}

} // namespace orvane
