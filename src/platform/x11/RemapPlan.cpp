// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/RemapPlan.h"

#include "core/CodePage.h"
#include "platform/linux/KeysymText.h"

#include <X11/keysym.h>
#include <algorithm>
#include <xkbcommon/xkbcommon.h>

namespace orvane {
namespace {

constexpr long RecordFormat = 1;
// A key has at most 4 groups of at most 63 levels; more is not a record of ours.
constexpr std::size_t MostSymsPerKey = 4 * 63;

bool IsKeypadKeysym(Keysym keysym) {
    return keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
}

// Calls `visit(group, level, index)` for every place the snapshot shows of a key whose record
// says `width` levels per group; false when the snapshot's key has another number of groups.
template <typename Visit>
bool ForEachPlace(const KeyEntry& key, const RemappedKey& remapped, Visit visit) {
    if (remapped.Width == 0 || key.Groups.size() * remapped.Width != remapped.Written.size()) {
        return false;
    }
    for (std::size_t g = 0; g < key.Groups.size(); ++g) {
        const std::size_t levels =
            std::min<std::size_t>(key.Groups[g].Levels.size(), remapped.Width);
        for (std::size_t level = 0; level < levels; ++level) {
            visit(g, level, g * remapped.Width + level);
        }
    }
    return true;
}

bool SnapshotHoldsWritten(const KeyEntry& key, const RemappedKey& remapped) {
    bool holds = true;
    const bool shaped =
        ForEachPlace(key, remapped, [&](std::size_t g, std::size_t level, std::size_t index) {
            holds = holds && key.Groups[g].Levels[level] == remapped.Written[index];
        });
    return shaped && holds;
}

} // namespace

char32_t RemapCharacterOfKeysym(Keysym keysym) {
    if (IsKeypadKeysym(keysym)) {
        const char32_t ch = xkb_keysym_to_utf32(keysym);
        return ch >= 0x20 && ch < 0x7F ? ch : 0;
    }
    return CharacterOfKeysym(keysym);
}

Keysym ReplacementKeysym(std::uint8_t replacement) {
    if (replacement == 0) {
        return NoKeysym;
    }
    const char32_t ch = Windows1252ToUnicode(replacement);
    if (ch < 0x20 || (ch >= 0x7F && ch < 0xA0)) {
        return NoKeysym;
    }
    return BindingKeysymOfCharacter(ch);
}

std::vector<RemappedKey> PlanRemap(const KeyRows& base, const SwapTable& swaps,
                                   const std::set<std::uint8_t>& leaveAlone) {
    std::vector<RemappedKey> plan;
    for (const auto& [keycode, row] : base) {
        if (leaveAlone.contains(keycode)) {
            continue;
        }
        std::vector<Keysym> written = row.Syms;
        bool changed = false;
        for (Keysym& keysym : written) {
            const char32_t ch = RemapCharacterOfKeysym(keysym);
            if (ch == 0 || ch > 0x7F) {
                continue;
            }
            const auto index = SwapIndexOf(static_cast<unsigned char>(ch));
            if (!index || swaps.Bytes[*index] == ch) {
                continue;
            }
            keysym = ReplacementKeysym(swaps.Bytes[*index]);
            changed = true;
        }
        if (changed) {
            plan.push_back({keycode, row.Width, row.Syms, std::move(written)});
        }
    }
    return plan;
}

bool HoldsWritten(const KeyRow& row, const RemappedKey& key) {
    return row.Width == key.Width && row.Syms == key.Written;
}

KeyRows RowsBeforeRemap(KeyRows current, std::span<const RemappedKey> remapped) {
    for (const RemappedKey& key : remapped) {
        const auto row = current.find(key.Keycode);
        if (row != current.end() && HoldsWritten(row->second, key)) {
            row->second.Syms = key.Original;
        }
    }
    return current;
}

void PutBackOriginals(KeymapSnapshot& snapshot, std::span<const RemappedKey> remapped) {
    for (const RemappedKey& key : remapped) {
        KeyEntry& entry = snapshot.Keys[key.Keycode];
        if (key.Original.size() != key.Written.size() || !SnapshotHoldsWritten(entry, key)) {
            continue;
        }
        ForEachPlace(entry, key, [&](std::size_t g, std::size_t level, std::size_t index) {
            entry.Groups[g].Levels[level] = key.Original[index];
        });
    }
}

std::vector<std::uint8_t> HideRemappedLevels(KeymapSnapshot& snapshot,
                                             std::span<const RemappedKey> remapped) {
    std::vector<std::uint8_t> keys;
    for (const RemappedKey& key : remapped) {
        KeyEntry& entry = snapshot.Keys[key.Keycode];
        if (key.Original.size() != key.Written.size() || !SnapshotHoldsWritten(entry, key)) {
            continue;
        }
        ForEachPlace(entry, key, [&](std::size_t g, std::size_t level, std::size_t index) {
            if (key.Written[index] != key.Original[index]) {
                entry.Groups[g].Levels[level] = NoKeysym;
            }
        });
        keys.push_back(key.Keycode);
    }
    return keys;
}

std::vector<long> EncodeRemapRecord(const RemapRecord& record) {
    std::vector<long> values = {RecordFormat, record.Pid,
                                static_cast<long>(record.StartTime & 0xFFFFFFFFU),
                                static_cast<long>(record.StartTime >> 32)};
    for (const RemappedKey& key : record.Keys) {
        values.push_back(key.Keycode);
        values.push_back(static_cast<long>(key.Width));
        values.push_back(static_cast<long>(key.Original.size()));
        values.insert(values.end(), key.Original.begin(), key.Original.end());
        values.insert(values.end(), key.Written.begin(), key.Written.end());
    }
    return values;
}

std::optional<RemapRecord> DecodeRemapRecord(std::span<const long> values) {
    if (values.size() < 4 || values[0] != RecordFormat) {
        return std::nullopt;
    }
    // Values of a 32-bit property arrive as longs holding 32 bits.
    const auto bits = [](long value) { return static_cast<std::uint64_t>(value) & 0xFFFFFFFFU; };
    RemapRecord record;
    record.Pid = values[1];
    record.StartTime = bits(values[2]) | (bits(values[3]) << 32);
    std::size_t at = 4;
    while (at < values.size()) {
        if (values.size() - at < 3) {
            return std::nullopt;
        }
        const long keycode = values[at];
        const long width = values[at + 1];
        const long count = values[at + 2];
        at += 3;
        if (keycode < 8 || keycode > 255 || width < 1 || count < 1 ||
            static_cast<std::size_t>(count) > MostSymsPerKey || count % width != 0 ||
            values.size() - at < 2 * static_cast<std::size_t>(count)) {
            return std::nullopt;
        }
        RemappedKey key;
        key.Keycode = static_cast<std::uint8_t>(keycode);
        key.Width = static_cast<unsigned>(width);
        for (long i = 0; i < count; ++i) {
            key.Original.push_back(
                static_cast<Keysym>(bits(values[at + static_cast<std::size_t>(i)])));
        }
        at += static_cast<std::size_t>(count);
        for (long i = 0; i < count; ++i) {
            key.Written.push_back(
                static_cast<Keysym>(bits(values[at + static_cast<std::size_t>(i)])));
        }
        at += static_cast<std::size_t>(count);
        record.Keys.push_back(std::move(key));
    }
    return record;
}

} // namespace orvane
