// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventLoopWait.h"
#include "platform/x11/Keymap.h"
#include "platform/x11/SpareKeyType.h"
#include "platform/x11/SparePlan.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <utility>
#include <vector>

typedef struct _XDisplay Display;

namespace orvane {

class FocusClientSync;

// Characters the keymap lacks, typed through spare keycodes (keycodes that carry nothing) bound
// to them with one XKB request. A spare keycode carries a character on each level its key type
// has (SpareKeyType) in each of the four groups a key may have, so 19 empty keycodes hold 304
// characters.
//
// A keycode that was typed through is never bound anew, nor restored, before the program with
// the focus has worked through every event sent so far (FocusClientSync); programs that do not
// answer pings get a pause instead. Bindings outlive a playback, and are recorded on the root
// window (BoundKeysRecordPrefix, pairs of keycode and keysym); a later start takes over what
// an ended or killed process left bound, as it stands, and blanks only what it cannot take over.
class SpareKeycodes {
public:
    // A place for one character on a spare keycode: a level of one of its groups.
    struct Slot {
        std::uint8_t Keycode = 0;
        unsigned Level = 0;
        unsigned Group = 0;
    };

    // `held` says which keycodes the synthesizer holds down now (they keep their meaning until
    // released). None of the three is owned; all must outlive this object.
    SpareKeycodes(Display* display, const std::array<bool, 256>& held, FocusClientSync& focus);

    // Where the settling pause waits: in the program's event loop; without one, the thread
    // sleeps through it.
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }

    // A new keymap, before it becomes the synthesizer's: bindings it no longer shows were
    // undone by someone else (a layout switch) and are forgotten; the keycodes still bound
    // are blanked in `snapshot`, as they are no characters of the layout.
    void ForgetUndone(KeymapSnapshot& snapshot);
    // The keycodes free to bind (`empty` of the new keymap but `remapped`) and the key type
    // new bindings take.
    void Use(std::vector<std::uint8_t> empty, std::span<const std::uint8_t> remapped,
             const SpareKeyType& type);

    // The slot `keysym` is bound to, binding it (with the keysyms the plan needs next) when
    // `mayBind`. Nothing when it is not bound and cannot be.
    std::optional<Slot> SlotFor(Keysym keysym, bool mayBind);
    // The modifiers that reach a slot's level.
    unsigned ModsOf(const Slot& slot) const { return type_.LevelMods[slot.Level]; }

    // The keysyms a playback will need in order, one per occurrence (none: the playback is
    // over): binds as many as fit at once.
    void Prepare(std::vector<Keysym> missing);

    // Takes over what processes now gone left bound (see the class comment). True when they
    // left any: the caller then reads the keymap anew, as adopted keys are no characters of
    // the layout.
    bool AdoptLeftovers();
    // The way out: bound keycodes go back once the program with the focus has proven it has
    // read every key typed through them; otherwise they stay, recorded, for the next start.
    void Release();

private:
    std::size_t RowIndex(const Slot& slot) const;
    std::size_t SlotsPerKey() const;
    std::size_t Capacity() const;
    bool RowOfOtherType(std::uint8_t keycode) const;
    std::vector<Slot> FreeSlots() const;
    bool FreeUnwanted(const std::vector<Keysym>& chunk, std::vector<Slot>& available,
                      std::set<std::uint8_t>& changed);
    void Rebind(const std::vector<Keysym>& chunk);
    void WriteKeycode(std::uint8_t keycode, Keysym keysym);
    void WriteRows(const std::vector<std::uint8_t>& keycodes);
    void Settle();
    void UnbindAll();
    void Record();
    void Adopt(const std::vector<std::pair<std::uint8_t, Keysym>>& left);

    Display* display_;
    const std::array<bool, 256>& held_;
    FocusClientSync& focus_;
    EventLoopWait wait_;
    unsigned long root_ = 0;
    unsigned long recordAtom_ = 0;
    int keysymsPerKeycode_ = 2;
    std::vector<std::uint8_t> spares_;
    SpareKeyType type_;
    std::map<Keysym, Slot> bound_;
    std::map<std::uint8_t, std::vector<Keysym>> rows_; // keysym per slot of bound keycodes
    SparePlan plan_;
    std::chrono::steady_clock::time_point lastUse_{};
};

} // namespace orvane
