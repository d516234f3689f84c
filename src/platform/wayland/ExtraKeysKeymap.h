// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/linux/VirtualKeys.h"

#include <xkbcommon/xkbcommon.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

class KeyboardLayout;

// One keysym the layout lacks, put on a keycode that carries nothing.
struct ExtraKey {
    xkb_keycode_t Keycode = 0;
    Keysym Sym = NoKeysym;
};

// Which free keycode carries which missing keysym for the moment. Keys stay where they are
// while they are still wanted, so a character keeps its key across rebindings.
class ExtraKeyAssignment {
public:
    ExtraKeyAssignment() = default;
    explicit ExtraKeyAssignment(std::vector<xkb_keycode_t> free) : free_(std::move(free)) {}

    std::size_t Capacity() const { return free_.size(); }
    const std::vector<ExtraKey>& Keys() const { return keys_; }
    std::optional<xkb_keycode_t> KeycodeOf(Keysym sym) const;

    // Puts the first `Capacity()` distinct keysyms of `wanted` (most wanted first) on keys,
    // moving keysyms not wanted off their keys only as far as room is needed. True when the
    // keys changed.
    bool Bind(const std::vector<Keysym>& wanted);
    // Every key free again; true when any was taken.
    bool Clear();

private:
    std::vector<xkb_keycode_t> free_;
    std::vector<ExtraKey> keys_;
};

// The keymap text of `base` with `extras` added: each on its keycode, the same keysym on both
// levels of the two-level alphabetic type, so that neither Shift nor Caps Lock changes it (Caps
// Lock is consumed by the type, so programs apply no case change of their own). The layout's
// own keys are unchanged. Empty when `base` cannot be written out.
std::string KeymapWithExtraKeys(const KeyboardLayout& base, const std::vector<ExtraKey>& extras);

} // namespace orvane
