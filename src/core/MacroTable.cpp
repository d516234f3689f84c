// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroTable.h"

#include "core/ByteOrder.h"

#include <algorithm>

namespace orvane {
namespace {

namespace Off = MacroTableOffset;

constexpr std::size_t ScopeTargetStride = ScopeTargetTableLength + 1;
constexpr std::size_t ProgramStride = ProgramNameLength + 1;

static_assert(Off::ScopeTargets + MaxMacros * ScopeTargetStride == Off::Actives);
static_assert(Off::Scopes + MaxMacros * 2 == Off::ScopeTargets);
static_assert(Off::Actives + MaxMacros == Off::HotKeys);
static_assert(Off::HotKeys + MaxMacros * 2 == Off::TopMostOnlys);
static_assert(Off::TopMostOnlys + MaxMacros == Off::Count);
static_assert(Off::KeysInUse + HotKeyCount == Off::CaptureOn);
static_assert(Off::ForegroundProgram + ForegroundProgramLength + 1 == Off::ProgramCount);
static_assert(Off::Programs + MaxPrograms * ProgramStride == MacroTableSize);

bool MacroInRange(int index) {
    return index >= 1 && index <= MaxMacros;
}
std::size_t Slot(int index) {
    return static_cast<std::size_t>(index - 1);
}

} // namespace

std::uint8_t MacroTable::Byte(std::size_t offset) const {
    return LoadU8(bytes_, offset);
}
void MacroTable::SetByte(std::size_t offset, std::uint8_t value) {
    StoreU8(bytes_, offset, value);
}
void MacroTable::SetWord(std::size_t offset, std::uint16_t value) {
    StoreU16(bytes_, offset, value);
}

std::uint32_t MacroTable::MainWindow() const {
    return LoadU32(bytes_, Off::MainWindow);
}
void MacroTable::SetMainWindow(std::uint32_t window) {
    StoreU32(bytes_, Off::MainWindow, window);
}

bool MacroTable::KeyInUse(std::uint32_t code) const {
    return code < HotKeyCount && bytes_[Off::KeysInUse + code] != 0;
}
void MacroTable::SetKeyInUse(std::uint32_t code, bool inUse) {
    if (code < HotKeyCount) {
        bytes_[Off::KeysInUse + code] = inUse ? 1 : 0;
    }
}
void MacroTable::ClearKeysInUse() {
    std::fill_n(bytes_.begin() + Off::KeysInUse, HotKeyCount, 0);
}

bool MacroTable::CaptureOn() const {
    return bytes_[Off::CaptureOn] != 0;
}
void MacroTable::SetCaptureOn(bool on) {
    bytes_[Off::CaptureOn] = on ? 1 : 0;
}
std::uint16_t MacroTable::CaptureTarget() const {
    return LoadU16(bytes_, Off::CaptureTarget);
}
void MacroTable::SetCaptureTarget(std::uint16_t recordNumber) {
    StoreU16(bytes_, Off::CaptureTarget, recordNumber);
}
bool MacroTable::CaptureDoubleAlt() const {
    return bytes_[Off::CaptureDoubleAlt] != 0;
}
void MacroTable::SetCaptureDoubleAlt(bool on) {
    bytes_[Off::CaptureDoubleAlt] = on ? 1 : 0;
}
bool MacroTable::CaptureOwnKey() const {
    return bytes_[Off::CaptureOwnKey] != 0;
}
void MacroTable::SetCaptureOwnKey(bool on) {
    bytes_[Off::CaptureOwnKey] = on ? 1 : 0;
}
bool MacroTable::CaptureWindowSize() const {
    return bytes_[Off::CaptureWindowSize] != 0;
}
void MacroTable::SetCaptureWindowSize(bool on) {
    bytes_[Off::CaptureWindowSize] = on ? 1 : 0;
}
bool MacroTable::CaptureKeys() const {
    return bytes_[Off::CaptureKeys] != 0;
}
void MacroTable::SetCaptureKeys(bool on) {
    bytes_[Off::CaptureKeys] = on ? 1 : 0;
}
bool MacroTable::CaptureMouse() const {
    return bytes_[Off::CaptureMouse] != 0;
}
void MacroTable::SetCaptureMouse(bool on) {
    bytes_[Off::CaptureMouse] = on ? 1 : 0;
}
bool MacroTable::CaptureToScreen() const {
    return bytes_[Off::CaptureToScreen] != 0;
}
void MacroTable::SetCaptureToScreen(bool on) {
    bytes_[Off::CaptureToScreen] = on ? 1 : 0;
}
bool MacroTable::CaptureTiming() const {
    return bytes_[Off::CaptureTiming] != 0;
}
void MacroTable::SetCaptureTiming(bool on) {
    bytes_[Off::CaptureTiming] = on ? 1 : 0;
}

namespace {

KeyValues LoadKeyValues(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return {LoadU16(bytes, offset),    LoadU16(bytes, offset + 2), LoadU8(bytes, offset + 4),
            LoadU8(bytes, offset + 5), LoadU8(bytes, offset + 6),  LoadU8(bytes, offset + 7)};
}

void StoreKeyValues(std::span<std::uint8_t> bytes, std::size_t offset, const KeyValues& key) {
    StoreU16(bytes, offset, key.MouseButton);
    StoreU16(bytes, offset + 2, key.VirtualKey);
    StoreU8(bytes, offset + 4, key.Ctrl);
    StoreU8(bytes, offset + 5, key.Alt);
    StoreU8(bytes, offset + 6, key.Shift);
    StoreU8(bytes, offset + 7, key.Win);
}

} // namespace

KeyValues MacroTable::StopKey() const {
    return LoadKeyValues(bytes_, Off::StopKey);
}
void MacroTable::SetStopKey(const KeyValues& key) {
    StoreKeyValues(bytes_, Off::StopKey, key);
}
KeyValues MacroTable::OwnKey() const {
    return LoadKeyValues(bytes_, Off::OwnKey);
}
void MacroTable::SetOwnKey(const KeyValues& key) {
    StoreKeyValues(bytes_, Off::OwnKey, key);
}

std::uint32_t MacroTable::MouseHook() const {
    return LoadU32(bytes_, Off::MouseHook);
}
void MacroTable::SetMouseHook(std::uint32_t handle) {
    StoreU32(bytes_, Off::MouseHook, handle);
}
std::uint32_t MacroTable::KeyboardHook() const {
    return LoadU32(bytes_, Off::KeyboardHook);
}
void MacroTable::SetKeyboardHook(std::uint32_t handle) {
    StoreU32(bytes_, Off::KeyboardHook, handle);
}

std::uint32_t MacroTable::SecondWindow() const {
    return LoadU32(bytes_, Off::SecondWindow);
}
void MacroTable::SetSecondWindow(std::uint32_t window) {
    StoreU32(bytes_, Off::SecondWindow, window);
}
bool MacroTable::SecondWindowOn() const {
    return bytes_[Off::SecondWindowOn] != 0;
}
void MacroTable::SetSecondWindowOn(bool on) {
    bytes_[Off::SecondWindowOn] = on ? 1 : 0;
}

bool MacroTable::InUse() const {
    return bytes_[Off::InUse] != 0;
}
void MacroTable::SetInUse(bool inUse) {
    bytes_[Off::InUse] = inUse ? 1 : 0;
}

std::int16_t MacroTable::Scope(int index) const {
    return MacroInRange(index) ? LoadI16(bytes_, Off::Scopes + 2 * Slot(index)) : 0;
}
void MacroTable::SetScope(int index, std::int16_t scope) {
    if (MacroInRange(index)) {
        StoreI16(bytes_, Off::Scopes + 2 * Slot(index), scope);
    }
}

std::string_view MacroTable::ScopeTarget(int index) const {
    if (!MacroInRange(index)) {
        return {};
    }
    return ReadShortString(std::span(bytes_).subspan(
        Off::ScopeTargets + ScopeTargetStride * Slot(index), ScopeTargetStride));
}
void MacroTable::SetScopeTarget(int index, std::string_view target) {
    if (MacroInRange(index)) {
        WriteShortString(
            std::span(bytes_).subspan(Off::ScopeTargets + ScopeTargetStride * Slot(index),
                                      ScopeTargetStride),
            target);
    }
}

std::uint8_t MacroTable::Active(int index) const {
    return MacroInRange(index) ? bytes_[Off::Actives + Slot(index)] : 0;
}
void MacroTable::SetActive(int index, std::uint8_t active) {
    if (MacroInRange(index)) {
        bytes_[Off::Actives + Slot(index)] = active;
    }
}

std::uint16_t MacroTable::HotKey(int index) const {
    return MacroInRange(index) ? LoadU16(bytes_, Off::HotKeys + 2 * Slot(index)) : 0;
}
void MacroTable::SetHotKey(int index, std::uint16_t code) {
    if (MacroInRange(index)) {
        StoreU16(bytes_, Off::HotKeys + 2 * Slot(index), code);
    }
}

std::uint8_t MacroTable::TopMostOnly(int index) const {
    return MacroInRange(index) ? bytes_[Off::TopMostOnlys + Slot(index)] : 0;
}
void MacroTable::SetTopMostOnly(int index, std::uint8_t topMostOnly) {
    if (MacroInRange(index)) {
        bytes_[Off::TopMostOnlys + Slot(index)] = topMostOnly;
    }
}

std::int32_t MacroTable::Count() const {
    return LoadI32(bytes_, Off::Count);
}
void MacroTable::SetCount(std::int32_t count) {
    StoreI32(bytes_, Off::Count, count);
}

bool MacroTable::IsNT() const {
    return bytes_[Off::IsNT] != 0;
}
void MacroTable::SetIsNT(bool nt) {
    bytes_[Off::IsNT] = nt ? 1 : 0;
}
bool MacroTable::HaveShortKeys() const {
    return bytes_[Off::HaveShortKeys] != 0;
}
void MacroTable::SetHaveShortKeys(bool have) {
    bytes_[Off::HaveShortKeys] = have ? 1 : 0;
}

std::string_view MacroTable::ForegroundProgram() const {
    return ReadShortString(
        std::span(bytes_).subspan(Off::ForegroundProgram, ForegroundProgramLength + 1));
}
void MacroTable::SetForegroundProgram(std::string_view name) {
    WriteShortString(std::span(bytes_).subspan(Off::ForegroundProgram, ForegroundProgramLength + 1),
                     name);
}

std::int32_t MacroTable::ProgramCount() const {
    return LoadI32(bytes_, Off::ProgramCount);
}
void MacroTable::SetProgramCount(std::int32_t count) {
    StoreI32(bytes_, Off::ProgramCount, count);
}

std::string_view MacroTable::Program(int index) const {
    if (index < 1 || index > MaxPrograms) {
        return {};
    }
    return ReadShortString(std::span(bytes_).subspan(
        Off::Programs + ProgramStride * static_cast<std::size_t>(index - 1), ProgramStride));
}
void MacroTable::SetProgram(int index, std::string_view name) {
    if (index >= 1 && index <= MaxPrograms) {
        WriteShortString(
            std::span(bytes_).subspan(
                Off::Programs + ProgramStride * static_cast<std::size_t>(index - 1), ProgramStride),
            name);
    }
}

} // namespace orvane
