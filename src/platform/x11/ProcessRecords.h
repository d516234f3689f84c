// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <span>
#include <string>

typedef struct _XDisplay Display;

namespace orvane {

// What an Orvane process has changed in the server's keyboard map is recorded in a property of
// the root window named after the process ("<prefix><pid>", 32-bit INTEGER values). A record
// lives exactly as long as the keyboard map it speaks of, so a later start finds what a killed
// process left and puts it right. Input synthesis and the remapper read each other's records:
// neither touches a key the other holds.

// Spare keycodes an input synthesizer has bound for the moment: pairs of keycode and keysym.
inline constexpr const char* BoundKeysRecordPrefix = "_ORVANE_BOUND_KEYS_";
// Keys the remapper has given other symbols (RemapRecord).
inline constexpr const char* RemappedKeysRecordPrefix = "_ORVANE_REMAPPED_KEYS_";

// The name of this process's record under `prefix`.
std::string OwnRecordName(const char* prefix);

// Calls `visit(atom, pid, values)` for each root-window record under `prefix`, with its 32-bit
// values (none when they cannot be read as such).
void ForEachRecord(
    Display* display, const char* prefix,
    const std::function<void(unsigned long atom, long pid, std::span<const long> values)>& visit);

// The keycodes every input synthesizer's record names as bound.
std::set<std::uint8_t> BoundKeycodes(Display* display);

// True when no process `pid` exists (an unknown pid, 0 or less, counts as still there).
bool NoSuchProcess(long pid);

// True when process `pid` has ended: no such process, a zombie (killed, not yet reaped by its
// parent), one that started at another time than `startTime` (the id was given to a new
// process; 0: not checked), or a pid of 0 or less.
bool ProcessEnded(long pid, std::uint64_t startTime);

// When this process started, in clock ticks after boot (0 when unknown): with the pid it tells
// this process from a later one given the same id.
std::uint64_t StartTimeOfThisProcess();

} // namespace orvane
