// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SwapTable.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/RemapPlan.h"

#include <cstdint>
#include <optional>
#include <vector>

typedef struct _XDisplay Display;

namespace orvane {

// The keyboard remapping on X11: the keys that type a remapped character are given its
// replacement in the server's keyboard map, so every program reads "b" from the A key. Only the
// symbols change (one XKB request for all keys); each key keeps its type, so Shift and Caps Lock
// pick the levels they always did.
//
// A remapped keyboard left behind would outlive the program in every other program, so:
// - The original symbols of every changed key are recorded in a property of the root window,
//   "_ORVANE_REMAPPED_KEYS_<pid>" (RemapRecord), which lives exactly as long as the server's
//   keyboard map. The record and the keyboard change travel in the same flush of requests, so
//   the server has both or neither.
// - Restore (also from the destructor: the program's way out, including SIGTERM, SIGINT and
//   SIGHUP, which end it through its event loop) gives the keys back their symbols and deletes
//   the record. A key is given back only while it still holds what was written over it.
// - RepairLeftovers, first thing at start-up, does the same for the records of processes that
//   are gone (killed, crashed).
// - After a layout change (a new keymap, or keys of ours rewritten by another program) the
//   remapping is worked out again on the new layout.
// Spare keycodes that input synthesizers bound for the moment ("_ORVANE_BOUND_KEYS_<pid>") are
// never remapped.
class KeyRemapper {
public:
    // `display` is not owned and must outlive the remapper.
    explicit KeyRemapper(Display* display);
    ~KeyRemapper();
    KeyRemapper(const KeyRemapper&) = delete;
    KeyRemapper& operator=(const KeyRemapper&) = delete;

    // Remaps the keyboard as `swaps` says, or follows a new table: keys no longer remapped get
    // their symbols back. The identity table restores the keyboard.
    void Apply(const SwapTable& swaps);
    // Every remapped key gets its own symbols back; the record goes. Idempotent.
    void Restore();
    // The keyboard map changed, or another keyboard drives the core one. When keys of ours no
    // longer hold what was written over them (a new layout), the remapping is worked out again
    // on what the keyboard is now; our own changes, and other programs' changes to other keys
    // (spare keys bound for the moment), leave it as it is.
    void KeymapChanged();

    bool Active() const { return active_; }
    const std::vector<RemappedKey>& Remapped() const { return remapped_; }

    // Gives back the keys that processes now gone left remapped, and deletes their records.
    static void RepairLeftovers(Display* display);

    // For input synthesis: blanks the places of `snapshot` that any remapping process (this one
    // included) changed, and returns the remapped keycodes, which are no spare keys.
    static std::vector<std::uint8_t> HideRemappedKeys(Display* display, KeymapSnapshot& snapshot);

private:
    void Write(const std::vector<RemappedKey>& plan);

    Display* display_;
    unsigned long root_ = 0;
    unsigned long recordAtom_ = 0;
    bool active_ = false;
    SwapTable swaps_ = IdentitySwaps();
    std::vector<RemappedKey> remapped_;
};

} // namespace orvane
