// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/KeyRemapper.h"

#include "platform/x11/ProcessRecords.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <unistd.h>

namespace orvane {
namespace {

// The keys the server's map gives symbols, as XKB stores them.
KeyRows RowsOf(XkbDescPtr xkb) {
    KeyRows rows;
    if (xkb == nullptr || xkb->map == nullptr) {
        return rows;
    }
    for (int kc = xkb->min_key_code; kc <= xkb->max_key_code; ++kc) {
        const int count = XkbKeyNumSyms(xkb, kc);
        if (count <= 0) {
            continue;
        }
        const KeySym* syms = XkbKeySymsPtr(xkb, kc);
        KeyRow row;
        row.Width = static_cast<unsigned>(XkbKeyGroupsWidth(xkb, kc));
        for (int i = 0; i < count; ++i) {
            row.Syms.push_back(static_cast<Keysym>(syms[i]));
        }
        rows[static_cast<std::uint8_t>(kc)] = std::move(row);
    }
    return rows;
}

XkbDescPtr ReadMap(Display* d) {
    XkbDescPtr xkb = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (xkb != nullptr && xkb->map == nullptr) {
        XkbFreeKeyboard(xkb, 0, True);
        return nullptr;
    }
    return xkb;
}

// Puts `syms` on each key of `targets` in `xkb` (keys whose size has changed are skipped) and
// sends the change as one request. Nothing is flushed here.
void SendSyms(Display* d, XkbDescPtr xkb,
              const std::map<std::uint8_t, std::vector<Keysym>>& targets) {
    XkbMapChangesRec changes{};
    int lowest = 256;
    int highest = -1;
    for (const auto& [keycode, syms] : targets) {
        if (keycode < xkb->min_key_code || keycode > xkb->max_key_code ||
            XkbKeyNumSyms(xkb, keycode) != static_cast<int>(syms.size())) {
            continue;
        }
        KeySym* place = XkbKeySymsPtr(xkb, keycode);
        for (std::size_t i = 0; i < syms.size(); ++i) {
            place[i] = syms[i];
        }
        lowest = std::min<int>(lowest, keycode);
        highest = std::max<int>(highest, keycode);
    }
    if (highest < 0) {
        return;
    }
    changes.changed = XkbKeySymsMask;
    changes.first_key_sym = static_cast<KeyCode>(lowest);
    changes.num_key_syms = static_cast<unsigned char>(highest - lowest + 1);
    XkbChangeMap(d, xkb, &changes);
}

} // namespace

KeyRemapper::KeyRemapper(Display* display) : display_(display) {
    root_ = DefaultRootWindow(display_);
    const std::string name = OwnRecordName(RemappedKeysRecordPrefix);
    recordAtom_ = XInternAtom(display_, name.c_str(), False);
}

KeyRemapper::~KeyRemapper() {
    Restore();
}

void KeyRemapper::Apply(const SwapTable& swaps) {
    swaps_ = swaps;
    active_ = SwapsInUse(swaps);
    std::vector<RemappedKey> plan;
    XkbDescPtr xkb = ReadMap(display_);
    if (xkb == nullptr) {
        return;
    }
    const KeyRows current = RowsOf(xkb);
    if (active_) {
        plan = PlanRemap(RowsBeforeRemap(current, remapped_), swaps_, BoundKeycodes(display_));
    }
    std::map<std::uint8_t, std::vector<Keysym>> targets;
    std::set<std::uint8_t> planned;
    for (const RemappedKey& key : plan) {
        planned.insert(key.Keycode);
        const auto row = current.find(key.Keycode);
        if (row == current.end() || row->second.Syms != key.Written) {
            targets[key.Keycode] = key.Written;
        }
    }
    for (const RemappedKey& key : remapped_) {
        const auto row = current.find(key.Keycode);
        if (!planned.contains(key.Keycode) && row != current.end() &&
            HoldsWritten(row->second, key)) {
            targets[key.Keycode] = key.Original;
        }
    }
    if (targets.empty() && plan == remapped_) {
        XkbFreeKeyboard(xkb, 0, True);
        return; // nothing to change, nor to record anew
    }
    if (plan.empty()) {
        XDeleteProperty(display_, root_, recordAtom_);
    } else {
        const std::vector<long> values =
            EncodeRemapRecord({static_cast<long>(getpid()), StartTimeOfThisProcess(), plan});
        XChangeProperty(display_, root_, recordAtom_, XA_INTEGER, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values.data()),
                        static_cast<int>(values.size()));
    }
    SendSyms(display_, xkb, targets);
    XSync(display_, False);
    XkbFreeKeyboard(xkb, 0, True);
    remapped_ = std::move(plan);
}

void KeyRemapper::Restore() {
    if (!active_ && remapped_.empty()) {
        return;
    }
    Apply(IdentitySwaps());
}

void KeyRemapper::KeymapChanged() {
    if (!active_) {
        return;
    }
    XkbDescPtr xkb = ReadMap(display_);
    if (xkb == nullptr) {
        return;
    }
    const KeyRows current = RowsOf(xkb);
    XkbFreeKeyboard(xkb, 0, True);
    const bool intact = std::all_of(remapped_.begin(), remapped_.end(), [&](const auto& key) {
        const auto row = current.find(key.Keycode);
        return row != current.end() && HoldsWritten(row->second, key);
    });
    if (!intact) {
        Apply(swaps_);
    }
}

void KeyRemapper::RepairLeftovers(Display* display) {
    std::vector<RemappedKey> leftovers;
    std::vector<Atom> gone;
    ForEachRecord(display, RemappedKeysRecordPrefix,
                  [&](unsigned long atom, long pid, std::span<const long> values) {
                      const auto record = DecodeRemapRecord(values);
                      if (pid == getpid() || !ProcessEnded(pid, record ? record->StartTime : 0)) {
                          return;
                      }
                      if (record) {
                          leftovers.insert(leftovers.end(), record->Keys.begin(),
                                           record->Keys.end());
                      }
                      gone.push_back(atom);
                  });
    if (gone.empty()) {
        return;
    }
    XkbDescPtr xkb = ReadMap(display);
    if (xkb != nullptr) {
        const KeyRows current = RowsOf(xkb);
        std::map<std::uint8_t, std::vector<Keysym>> targets;
        for (const RemappedKey& key : leftovers) {
            const auto row = current.find(key.Keycode);
            if (row != current.end() && HoldsWritten(row->second, key)) {
                targets[key.Keycode] = key.Original;
            }
        }
        SendSyms(display, xkb, targets);
        XkbFreeKeyboard(xkb, 0, True);
    }
    for (const Atom atom : gone) {
        XDeleteProperty(display, DefaultRootWindow(display), atom);
    }
    XSync(display, False);
}

std::vector<std::uint8_t> KeyRemapper::HideRemappedKeys(Display* display,
                                                        KeymapSnapshot& snapshot) {
    std::vector<std::uint8_t> keys;
    ForEachRecord(
        display, RemappedKeysRecordPrefix, [&](unsigned long, long, std::span<const long> values) {
            if (const auto record = DecodeRemapRecord(values)) {
                const std::vector<std::uint8_t> hidden = HideRemappedLevels(snapshot, record->Keys);
                keys.insert(keys.end(), hidden.begin(), hidden.end());
            }
        });
    return keys;
}

} // namespace orvane
