// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SwapTable.h"
#include "platform/linux/VirtualKeys.h"
#include "platform/x11/Keymap.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <vector>

namespace orvane {

// The keyboard remapper's decisions, on plain copies of the keyboard map, so that each can be
// tested without an X server.

// One key's symbols as XKB stores them: group after group, `Width` levels each.
struct KeyRow {
    unsigned Width = 0;
    std::vector<Keysym> Syms;
    friend bool operator==(const KeyRow&, const KeyRow&) = default;
};
using KeyRows = std::map<std::uint8_t, KeyRow>;

// A key the remapper changed: what it carried before and what was written over it. A key is
// only ever given back its `Original` while it still holds `Written`: anything else means a
// layout change has replaced it since, and the new layout is the truth.
struct RemappedKey {
    std::uint8_t Keycode = 0;
    unsigned Width = 0;
    std::vector<Keysym> Original;
    std::vector<Keysym> Written;
    friend bool operator==(const RemappedKey&, const RemappedKey&) = default;
};

// The base character a keysym types, as far as remapping is concerned: what CharacterOfKeysym
// says, and the characters of the keypad's digit and operator keys (they type them too).
char32_t RemapCharacterOfKeysym(Keysym keysym);

// The keysym that types a replacement byte (Windows-1252), NoKeysym for 0 ("none") and for the
// bytes that name no printable character (controls, the code page's unassigned codes): such a
// key types nothing.
Keysym ReplacementKeysym(std::uint8_t replacement);

// Every key of `base` (the keyboard as it is without remapping) that has a base character the
// table replaces, with the replacement written at each place the character sits, every group
// and level; other symbols of the key stay. Keys in `leaveAlone` (spare keys another program
// bound for the moment) are left alone.
std::vector<RemappedKey> PlanRemap(const KeyRows& base, const SwapTable& swaps,
                                   const std::set<std::uint8_t>& leaveAlone);

// True while `row` still holds what was written over the key.
bool HoldsWritten(const KeyRow& row, const RemappedKey& key);

// The keyboard as it would be without `remapped`: the keys that still hold what was written get
// their originals; keys since changed by someone else keep what they have now.
KeyRows RowsBeforeRemap(KeyRows current, std::span<const RemappedKey> remapped);

// The same for a character table snapshot (its groups hold only the levels of each key's type).
// Hot keys go by the keys' own characters: Ctrl+A stays on the A key while it types "b".
void PutBackOriginals(KeymapSnapshot& snapshot, std::span<const RemappedKey> remapped);

// For input synthesis: blanks every place of the snapshot where a replacement was written, so
// no character is typed through a remapped place (it would come out as its replacement), and
// returns the remapped keys, which are not spare keys either, even when all their places are
// blank.
std::vector<std::uint8_t> HideRemappedLevels(KeymapSnapshot& snapshot,
                                             std::span<const RemappedKey> remapped);

// The record of a remapping process, kept where a later start finds it after a crash: which
// process made it (its id and start time, so a reused process id is not taken for it) and its
// keys. As 32-bit values: 1 (the format), the process id, the start time (two halves, low
// first), then per key the keycode, the width, the count n and n original and n written
// symbols.
struct RemapRecord {
    long Pid = 0;
    std::uint64_t StartTime = 0;
    std::vector<RemappedKey> Keys;
    friend bool operator==(const RemapRecord&, const RemapRecord&) = default;
};
std::vector<long> EncodeRemapRecord(const RemapRecord& record);
// Nothing for values that are not such a record (a damaged or foreign property).
std::optional<RemapRecord> DecodeRemapRecord(std::span<const long> values);

} // namespace orvane
