// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroRecord.h"

#include "core/ByteOrder.h"

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

namespace Off = MacroRecordOffset;

template <std::size_t N>
void LoadField(std::span<const std::uint8_t, MacroRecordSize> bytes, std::size_t offset,
               ShortString<N>& field) {
    field.LoadBytes(bytes.subspan(offset).template first<N + 1>());
}

template <std::size_t N>
void StoreField(std::span<std::uint8_t, MacroRecordSize> bytes, std::size_t offset,
                const ShortString<N>& field) {
    field.StoreBytes(bytes.subspan(offset).template first<N + 1>());
}

template <std::size_t N>
void LoadArray(std::span<const std::uint8_t, MacroRecordSize> bytes, std::size_t offset,
               std::array<std::uint8_t, N>& field) {
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), N, field.begin());
}

template <std::size_t N>
void StoreArray(std::span<std::uint8_t, MacroRecordSize> bytes, std::size_t offset,
                const std::array<std::uint8_t, N>& field) {
    std::copy(field.begin(), field.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

static_assert(Off::Reserved2 + 22 == MacroRecordSize);
static_assert(Off::MacroText + MacroTextSize == Off::Icon);
static_assert(2 + 2 * PopupMemberCapacity <= MacroTextSize);

} // namespace

MacroRecord MacroRecord::FromBytes(std::span<const std::uint8_t, MacroRecordSize> bytes) {
    MacroRecord r;
    LoadField(bytes, Off::Nickname, r.Nickname);
    LoadField(bytes, Off::ScopeTarget, r.ScopeTarget);
    LoadField(bytes, Off::ShortKey, r.ShortKey);
    r.HotKey = LoadU16(bytes, Off::HotKey);
    r.Scope = LoadI16(bytes, Off::Scope);
    r.Active = LoadU8(bytes, Off::Active);
    r.Reserved1 = LoadU16(bytes, Off::Reserved1);
    LoadArray(bytes, Off::MacroText, r.MacroText);
    LoadField(bytes, Off::Icon, r.Icon);
    r.SchedKind = LoadI16(bytes, Off::SchedKind);
    LoadArray(bytes, Off::SchedDays, r.SchedDays);
    r.SchedHour = LoadU8(bytes, Off::SchedHour);
    r.SchedMinute = LoadU8(bytes, Off::SchedMinute);
    r.SchedMonth = LoadU8(bytes, Off::SchedMonth);
    r.SchedDay = LoadU8(bytes, Off::SchedDay);
    r.SchedPastHour = LoadU8(bytes, Off::SchedPastHour);
    r.SchedInterval = LoadU16(bytes, Off::SchedInterval);
    r.SchedWeekday = LoadU8(bytes, Off::SchedWeekday);
    r.SchedYear = LoadU16(bytes, Off::SchedYear);
    r.SchedPM = LoadU8(bytes, Off::SchedPM);
    r.TopMostOnly = LoadU8(bytes, Off::TopMostOnly);
    r.LastModified = LoadF64(bytes, Off::LastModified);
    LoadArray(bytes, Off::Reserved2, r.Reserved2);
    return r;
}

void MacroRecord::ToBytes(std::span<std::uint8_t, MacroRecordSize> bytes) const {
    StoreField(bytes, Off::Nickname, Nickname);
    StoreField(bytes, Off::ScopeTarget, ScopeTarget);
    StoreField(bytes, Off::ShortKey, ShortKey);
    StoreU16(bytes, Off::HotKey, HotKey);
    StoreI16(bytes, Off::Scope, Scope);
    StoreU8(bytes, Off::Active, Active);
    StoreU16(bytes, Off::Reserved1, Reserved1);
    StoreArray(bytes, Off::MacroText, MacroText);
    StoreField(bytes, Off::Icon, Icon);
    StoreI16(bytes, Off::SchedKind, SchedKind);
    StoreArray(bytes, Off::SchedDays, SchedDays);
    StoreU8(bytes, Off::SchedHour, SchedHour);
    StoreU8(bytes, Off::SchedMinute, SchedMinute);
    StoreU8(bytes, Off::SchedMonth, SchedMonth);
    StoreU8(bytes, Off::SchedDay, SchedDay);
    StoreU8(bytes, Off::SchedPastHour, SchedPastHour);
    StoreU16(bytes, Off::SchedInterval, SchedInterval);
    StoreU8(bytes, Off::SchedWeekday, SchedWeekday);
    StoreU16(bytes, Off::SchedYear, SchedYear);
    StoreU8(bytes, Off::SchedPM, SchedPM);
    StoreU8(bytes, Off::TopMostOnly, TopMostOnly);
    StoreF64(bytes, Off::LastModified, LastModified);
    StoreArray(bytes, Off::Reserved2, Reserved2);
}

MacroRecordBytes MacroRecord::ToBytes() const {
    MacroRecordBytes bytes{};
    ToBytes(bytes);
    return bytes;
}

std::string MacroRecord::Text() const {
    const auto* begin = reinterpret_cast<const char*>(MacroText.data());
    const auto* nul = static_cast<const char*>(std::memchr(begin, 0, MacroTextMaxLength));
    return std::string(begin, nul != nullptr ? nul : begin + MacroTextMaxLength);
}

void MacroRecord::SetText(std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), MacroTextMaxLength));
    MacroText.fill(0);
    std::memcpy(MacroText.data(), text.data(), text.size());
}

std::uint16_t MacroRecord::PopupCount() const {
    return LoadU16(MacroText, 0);
}

std::vector<std::uint16_t> MacroRecord::PopupMembers() const {
    const std::size_t count = std::min<std::size_t>(PopupCount(), PopupMemberCapacity);
    std::vector<std::uint16_t> members(count);
    for (std::size_t k = 0; k < count; ++k) {
        members[k] = LoadU16(MacroText, 2 + 2 * k);
    }
    return members;
}

void MacroRecord::SetPopupMembers(std::span<const std::uint16_t> members) {
    const std::size_t count = std::min(members.size(), PopupMemberCapacity);
    MacroText.fill(0);
    StoreU16(MacroText, 0, static_cast<std::uint16_t>(count));
    for (std::size_t k = 0; k < count; ++k) {
        StoreU16(MacroText, 2 + 2 * k, members[k]);
    }
}

} // namespace orvane
