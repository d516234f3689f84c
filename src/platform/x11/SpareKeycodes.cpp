// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/SpareKeycodes.h"

#include "platform/linux/KeysymText.h"
#include "platform/x11/FocusClientSync.h"
#include "platform/x11/ProcessRecords.h"
#include "platform/x11/XkbKeymapReader.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <thread>
#include <unistd.h>

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

// How long clients that do not answer pings get to take in a keyboard mapping change before a
// key just typed through is bound anew (see the class comment). 20 ms was measured to suffice
// for an idle client; the margin is for clients on a loaded machine.
constexpr auto SettleTime = std::chrono::milliseconds(50);

// Groups a spare keycode is bound with: all an XKB key may have.
constexpr unsigned SpareGroups = XkbNumKbdGroups;

bool AllBlank(const std::vector<Keysym>& row) {
    return std::all_of(row.begin(), row.end(), [](Keysym k) { return k == NoKeysym; });
}

} // namespace

SpareKeycodes::SpareKeycodes(Display* display, const std::array<bool, 256>& held,
                             FocusClientSync& focus)
    : display_(display), held_(held), focus_(focus), root_(DefaultRootWindow(display)) {
    recordAtom_ = XInternAtom(display_, OwnRecordName(BoundKeysRecordPrefix).c_str(), False);
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display_, &minKeycode, &maxKeycode);
    KeySym* row =
        XGetKeyboardMapping(display_, static_cast<KeyCode>(minKeycode), 1, &keysymsPerKeycode_);
    if (row != nullptr) {
        XFree(row);
    }
    keysymsPerKeycode_ = std::max(keysymsPerKeycode_, 2);
}

void SpareKeycodes::ForgetUndone(KeymapSnapshot& snapshot) {
    for (auto it = bound_.begin(); it != bound_.end();) {
        const KeyEntry& key = snapshot.Keys[it->second.Keycode];
        const Slot& slot = it->second;
        const bool stillOurs = slot.Group < key.Groups.size() &&
                               slot.Level < key.Groups[slot.Group].Levels.size() &&
                               key.Groups[slot.Group].Levels[slot.Level] == it->first;
        if (stillOurs) {
            ++it;
            continue;
        }
        auto row = rows_.find(slot.Keycode);
        if (row != rows_.end() && RowIndex(slot) < row->second.size()) {
            row->second[RowIndex(slot)] = NoKeysym;
        }
        it = bound_.erase(it);
    }
    std::erase_if(rows_, [](const auto& row) { return AllBlank(row.second); });
    for (const auto& [keycode, row] : rows_) {
        snapshot.Keys[keycode].Groups.clear();
    }
}

void SpareKeycodes::Use(std::vector<std::uint8_t> empty, std::span<const std::uint8_t> remapped,
                        const SpareKeyType& type) {
    // Highest first, as other XTest typists do; the lowest keycode (8, "reserved" in the evdev
    // numbering) is left alone: a key event on it was seen to reach an Xlib client as NoSymbol
    // after a rebinding.
    spares_ = std::move(empty);
    std::erase_if(spares_, [&](std::uint8_t kc) {
        return kc <= XkbMinLegalKeyCode ||
               std::find(remapped.begin(), remapped.end(), kc) != remapped.end();
    });
    std::reverse(spares_.begin(), spares_.end());
    // Bindings made with an earlier type keep their keycodes until they are restored; only new
    // ones take this one.
    type_ = type;
}

std::optional<SpareKeycodes::Slot> SpareKeycodes::SlotFor(Keysym keysym, bool mayBind) {
    if (keysym == NoKeysym) {
        return std::nullopt;
    }
    if (!bound_.contains(keysym)) {
        if (!mayBind) {
            return std::nullopt;
        }
        Rebind(plan_.ChunkFor(keysym, Capacity()));
    }
    const auto it = bound_.find(keysym);
    if (it == bound_.end()) {
        return std::nullopt; // every spare keycode is held down: nothing to bind
    }
    plan_.Consume(keysym);
    lastUse_ = Clock::now();
    return it->second;
}

void SpareKeycodes::Prepare(std::vector<Keysym> missing) {
    if (missing.empty()) {
        plan_.Announce({});
        return;
    }
    const Keysym first = missing.front();
    plan_.Announce(std::move(missing));
    // All that fits now, in one rebinding; the rest follows chunk by chunk as typing gets there.
    Rebind(plan_.ChunkFor(first, Capacity()));
}

bool SpareKeycodes::RowOfOtherType(std::uint8_t keycode) const {
    const auto row = rows_.find(keycode);
    return row != rows_.end() && row->second.size() != SlotsPerKey() && !AllBlank(row->second);
}

std::size_t SpareKeycodes::Capacity() const {
    const auto free = static_cast<std::size_t>(
        std::count_if(spares_.begin(), spares_.end(), [&](std::uint8_t kc) { return !held_[kc]; }));
    return free * SlotsPerKey();
}

std::size_t SpareKeycodes::SlotsPerKey() const {
    return type_.LevelMods.size() * SpareGroups;
}

std::size_t SpareKeycodes::RowIndex(const Slot& slot) const {
    return slot.Group * type_.LevelMods.size() + slot.Level;
}

std::vector<SpareKeycodes::Slot> SpareKeycodes::FreeSlots() const {
    const std::size_t levels = type_.LevelMods.size();
    const std::size_t slots = SlotsPerKey();
    auto slotAt = [&](std::uint8_t keycode, std::size_t index) {
        return Slot{keycode, static_cast<unsigned>(index % levels),
                    static_cast<unsigned>(index / levels)};
    };
    std::vector<Slot> available;
    for (std::uint8_t kc : spares_) {
        if (held_[kc]) {
            continue;
        }
        const auto row = rows_.find(kc);
        if (row == rows_.end()) {
            for (std::size_t index = 0; index < slots; ++index) {
                available.push_back(slotAt(kc, index));
            }
        } else if (row->second.size() == slots) {
            for (std::size_t index = 0; index < slots; ++index) {
                if (row->second[index] == NoKeysym) {
                    available.push_back(slotAt(kc, index));
                }
            }
        }
    }
    return available;
}

bool SpareKeycodes::FreeUnwanted(const std::vector<Keysym>& chunk, std::vector<Slot>& available,
                                 std::set<std::uint8_t>& changed) {
    const std::set<Keysym> wanted(chunk.begin(), chunk.end());
    std::size_t missing = 0;
    for (Keysym keysym : chunk) {
        missing += bound_.contains(keysym) ? 0 : 1;
    }
    bool released = false;
    for (auto it = bound_.begin(); it != bound_.end() && available.size() < missing;) {
        if (!wanted.contains(it->first) && !held_[it->second.Keycode]) {
            // A keycode bound with another type than today's is freed whole.
            available.push_back(it->second);
            rows_[it->second.Keycode][RowIndex(it->second)] = NoKeysym;
            changed.insert(it->second.Keycode);
            released = true;
            it = bound_.erase(it);
        } else {
            ++it;
        }
    }
    return released;
}

void SpareKeycodes::Rebind(const std::vector<Keysym>& chunk) {
    // Free places first: a binding stays until its place is needed for something else, since
    // every change of a keycode that was typed through means waiting for the programs.
    std::vector<Slot> available = FreeSlots();
    std::set<std::uint8_t> changed;
    if (FreeUnwanted(chunk, available, changed)) {
        // Programs must have taken in what was typed through these keys before they change.
        Settle();
    }
    const std::size_t levels = type_.LevelMods.size();
    const std::size_t slots = SlotsPerKey();
    std::vector<bool> used(available.size(), false);
    for (Keysym keysym : chunk) {
        if (bound_.contains(keysym)) {
            continue;
        }
        // A named key (F24, a media key) goes on a first level: a level's Shift or AltGr would
        // turn a combination the macro spells into another one. A keycode still bound with an
        // earlier key type (before a layout change) takes nothing new until it is free.
        const bool plainLevel = CharacterOfKeysym(keysym) == 0;
        std::size_t pick = 0;
        while (pick < available.size() && (used[pick] || available[pick].Level >= levels ||
                                           available[pick].Group >= SpareGroups ||
                                           (plainLevel && available[pick].Level != 0) ||
                                           RowOfOtherType(available[pick].Keycode))) {
            ++pick;
        }
        if (pick == available.size()) {
            continue;
        }
        used[pick] = true;
        const Slot slot = available[pick];
        std::vector<Keysym>& row = rows_[slot.Keycode];
        if (row.size() != slots) {
            row.assign(slots, NoKeysym);
        }
        row[RowIndex(slot)] = keysym;
        bound_[keysym] = slot;
        changed.insert(slot.Keycode);
    }
    if (!changed.empty()) {
        WriteRows({changed.begin(), changed.end()});
        Record();
        // Only our own request queue needs to be through; programs read the notice before any
        // key that follows.
        XSync(display_, False);
        lastUse_ = Clock::now();
    }
}

void SpareKeycodes::WriteRows(const std::vector<std::uint8_t>& keycodes) {
    Display* d = display_;
    // One XKB request for the whole set: every change makes every client reload its keymap (a
    // Qt client takes milliseconds for that), so keys written one by one cost a reload each.
    XkbDescPtr xkb = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    auto rowOf = [&](std::uint8_t keycode) {
        const auto it = rows_.find(keycode);
        const bool empty = it == rows_.end() || AllBlank(it->second);
        return empty ? std::vector<Keysym>{} : it->second;
    };
    if (xkb == nullptr) {
        for (std::uint8_t keycode : keycodes) {
            const std::vector<Keysym> row = rowOf(keycode);
            WriteKeycode(keycode, row.empty() ? NoKeysym : row.front());
        }
        return;
    }
    XkbMapChangesRec changes{};
    int lowest = 255;
    int highest = 0;
    for (std::uint8_t keycode : keycodes) {
        const std::vector<Keysym> row = rowOf(keycode);
        if (row.empty()) {
            rows_.erase(keycode);
            int types[XkbNumKbdGroups] = {XkbOneLevelIndex};
            XkbChangeTypesOfKey(xkb, keycode, 0, XkbGroup1Mask, types, &changes);
        } else {
            // The same type in every group: a level is reached the same way in each.
            const int groups = static_cast<int>(row.size() / type_.LevelMods.size());
            int types[XkbNumKbdGroups] = {};
            for (int& type : types) {
                type = static_cast<int>(type_.TypeIndex);
            }
            if (XkbChangeTypesOfKey(xkb, keycode, groups, XkbAllGroupsMask, types, &changes) ==
                Success) {
                if (KeySym* syms = XkbResizeKeySyms(xkb, keycode, static_cast<int>(row.size()))) {
                    for (std::size_t level = 0; level < row.size(); ++level) {
                        syms[level] = row[level];
                    }
                }
            }
        }
        lowest = std::min<int>(lowest, keycode);
        highest = std::max<int>(highest, keycode);
    }
    changes.changed |= XkbKeySymsMask;
    changes.first_key_sym = static_cast<KeyCode>(lowest);
    changes.num_key_syms = static_cast<unsigned char>(highest - lowest + 1);
    XkbChangeMap(d, xkb, &changes);
    XkbFreeKeyboard(xkb, 0, True);
}

void SpareKeycodes::WriteKeycode(std::uint8_t keycode, Keysym keysym) {
    std::vector<KeySym> row(static_cast<std::size_t>(keysymsPerKeycode_), NoSymbol);
    row[0] = keysym;
    row[1] = keysym;
    XChangeKeyboardMapping(display_, keycode, keysymsPerKeycode_, row.data(), 1);
}

void SpareKeycodes::Settle() {
    if (focus_.WaitForFocusClient(FocusClientSync::Wait::InEventLoop)) {
        return;
    }
    const auto until = lastUse_ + SettleTime;
    if (Clock::now() < until) {
        XSync(display_, False);
        if (wait_) {
            wait_([] { return false; }, until);
        } else {
            std::this_thread::sleep_until(until);
        }
    }
}

void SpareKeycodes::UnbindAll() {
    if (bound_.empty()) {
        return;
    }
    std::set<std::uint8_t> changed;
    for (auto it = bound_.begin(); it != bound_.end();) {
        if (held_[it->second.Keycode]) {
            ++it; // a key a macro still holds keeps its meaning until released
            continue;
        }
        rows_[it->second.Keycode][RowIndex(it->second)] = NoKeysym;
        changed.insert(it->second.Keycode);
        it = bound_.erase(it);
    }
    if (!changed.empty()) {
        WriteRows({changed.begin(), changed.end()});
    }
    Record();
    XSync(display_, False);
}

void SpareKeycodes::Release() {
    if (bound_.empty()) {
        return;
    }
    if (focus_.WaitForFocusClient(FocusClientSync::Wait::Here)) {
        UnbindAll();
    } else {
        Record();
    }
}

void SpareKeycodes::Record() {
    if (bound_.empty()) {
        XDeleteProperty(display_, root_, recordAtom_);
        return;
    }
    std::vector<long> pairs;
    for (const auto& [keysym, slot] : bound_) {
        pairs.push_back(slot.Keycode);
        pairs.push_back(static_cast<long>(keysym));
    }
    XChangeProperty(display_, root_, recordAtom_, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(pairs.data()),
                    static_cast<int>(pairs.size()));
}

bool SpareKeycodes::AdoptLeftovers() {
    std::vector<std::pair<std::uint8_t, Keysym>> left;
    std::vector<unsigned long> gone;
    ForEachRecord(display_, BoundKeysRecordPrefix,
                  [&](unsigned long atom, long pid, std::span<const long> values) {
                      if (pid == getpid() || !NoSuchProcess(pid)) {
                          return;
                      }
                      for (std::size_t p = 0; p + 1 < values.size(); p += 2) {
                          left.emplace_back(static_cast<std::uint8_t>(values[p]),
                                            static_cast<Keysym>(values[p + 1]));
                      }
                      gone.push_back(atom);
                  });
    for (const unsigned long atom : gone) {
        XDeleteProperty(display_, root_, atom);
    }
    if (left.empty()) {
        return false;
    }
    Adopt(left);
    return true;
}

void SpareKeycodes::Adopt(const std::vector<std::pair<std::uint8_t, Keysym>>& left) {
    // Keys an earlier process bound and left (a play command that ended while a program was
    // still reading its keys, or one that was killed) are taken over as they stand when they
    // still look as it left them: changing them now could change keys a program has yet to
    // read. Anything else of theirs that still carries their keysym is blanked.
    const KeymapSnapshot server = ReadXkbKeymap(display_);
    const std::size_t levels = type_.LevelMods.size();
    std::set<std::uint8_t> blank;
    for (const auto& [keycode, keysym] : left) {
        const KeyEntry& key = server.Keys[keycode];
        const bool carries = std::any_of(key.Groups.begin(), key.Groups.end(), [&](const auto& g) {
            return std::find(g.Levels.begin(), g.Levels.end(), keysym) != g.Levels.end();
        });
        if (!carries) {
            continue;
        }
        const bool adoptable =
            key.Groups.size() == SpareGroups && key.ModMap == 0 &&
            std::all_of(key.Groups.begin(), key.Groups.end(), [&](const auto& g) {
                return g.Type == type_.TypeIndex && g.Levels.size() == levels;
            });
        if (!adoptable) {
            blank.insert(keycode);
            continue;
        }
        std::vector<Keysym>& row = rows_[keycode];
        row.clear();
        for (unsigned group = 0; group < SpareGroups; ++group) {
            for (unsigned level = 0; level < levels; ++level) {
                const Keysym sym = key.Groups[group].Levels[level];
                row.push_back(sym);
                if (sym != NoKeysym && !bound_.contains(sym)) {
                    bound_[sym] = {keycode, level, group};
                }
            }
        }
    }
    for (const std::uint8_t keycode : blank) {
        WriteKeycode(keycode, NoKeysym);
    }
    Record();
    XSync(display_, False);
}

} // namespace orvane
