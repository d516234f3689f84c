// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotKeyTable.h"
#include "core/NameCache.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

// The activation table: every macro's activation data plus the capture and window state the
// hook backend needs to decide whether a key or button belongs to a macro. Its 19754-byte
// packed little-endian layout is kept exactly (the backend copies from it at each Orv* call, and
// the layout is what other builds of the hook side expect); the program also reads it as its own
// index of the loaded macros.
inline constexpr std::size_t MacroTableSize = 19754;
inline constexpr int MaxPrograms = 200;

namespace MacroTableOffset {
inline constexpr std::size_t MainWindow = 0;
inline constexpr std::size_t InitFlag = 4; // cleared at start-up
inline constexpr std::size_t KeysInUse = 17;
inline constexpr std::size_t CaptureOn = 737;
inline constexpr std::size_t CaptureTarget = 738;
inline constexpr std::size_t CaptureFlag740 = 740;
inline constexpr std::size_t CaptureDoubleAlt = 741;
inline constexpr std::size_t MouseHook = 744;
inline constexpr std::size_t KeyboardHook = 748;
inline constexpr std::size_t SecondWindow = 752;
inline constexpr std::size_t SecondWindowOn = 756;
inline constexpr std::size_t StopKey = 757; // button word, virtual key word, 4 modifier bytes
inline constexpr std::size_t StopKeyVirtualKey = 759;
inline constexpr std::size_t StopKeyModifiers = 761;
inline constexpr std::size_t CaptureFlag765 = 765;
inline constexpr std::size_t CaptureOwnKey = 766;
inline constexpr std::size_t OwnKey = 767; // laid out like StopKey
inline constexpr std::size_t CaptureFlag775 = 775;
inline constexpr std::size_t CaptureWindowSize = 776;
inline constexpr std::size_t InUse = 777;
inline constexpr std::size_t CaptureKeys = 778;
inline constexpr std::size_t CaptureMouse = 779;
inline constexpr std::size_t CaptureToScreen = 780;
inline constexpr std::size_t CaptureTiming = 781;
inline constexpr std::size_t CaptureFlag790 = 790;
inline constexpr std::size_t CaptureFlag791 = 791;
inline constexpr std::size_t Scopes = 792;         // 500 x signed 16-bit
inline constexpr std::size_t ScopeTargets = 1792;  // 500 x short string of capacity 20
inline constexpr std::size_t Actives = 12292;      // 500 x byte
inline constexpr std::size_t HotKeys = 12792;      // 500 x unsigned 16-bit
inline constexpr std::size_t TopMostOnlys = 13792; // 500 x byte
inline constexpr std::size_t Count = 14292;
inline constexpr std::size_t InitFlag2 = 14296; // cleared at start-up
inline constexpr std::size_t IsNT = 14297;
inline constexpr std::size_t HaveShortKeys = 14298;
inline constexpr std::size_t ForegroundProgram = 14299; // short string of capacity 250
inline constexpr std::size_t ProgramCount = 14550;
inline constexpr std::size_t Programs = 14554; // 200 x short string of capacity 25
} // namespace MacroTableOffset

inline constexpr std::size_t ScopeTargetTableLength = 20;
inline constexpr std::size_t ProgramNameLength = 25;
inline constexpr std::size_t ForegroundProgramLength = 250;

// A hot key as the capture fields hold it (stop key and own key): button and virtual key words,
// then one byte each for Ctrl, Alt, Shift, Win.
struct KeyValues {
    std::uint16_t MouseButton = 0;
    std::uint16_t VirtualKey = 0;
    std::uint8_t Ctrl = 0;
    std::uint8_t Alt = 0;
    std::uint8_t Shift = 0;
    std::uint8_t Win = 0;

    static KeyValues Of(const DecipheredKey& key) {
        return {key.MouseButton, key.VirtualKey, key.Ctrl, key.Alt, key.Shift, key.Win};
    }
    friend bool operator==(const KeyValues&, const KeyValues&) = default;
};

// Typed access to the table's bytes. Per-macro arrays are indexed 1..500 and the program list
// 1..200; an index outside reads as 0 or empty and a write to it is dropped. Hot key codes
// outside 0..719 likewise. Strings are Windows-1252 bytes, cut to their capacity when stored.
// The table starts all zero.
class MacroTable {
public:
    std::span<const std::uint8_t, MacroTableSize> Data() const { return bytes_; }

    // Raw access for the flag bytes that have no meaning of their own to the program.
    std::uint8_t Byte(std::size_t offset) const;
    void SetByte(std::size_t offset, std::uint8_t value);
    void SetWord(std::size_t offset, std::uint16_t value);

    std::uint32_t MainWindow() const;
    void SetMainWindow(std::uint32_t window);

    bool KeyInUse(std::uint32_t code) const;
    void SetKeyInUse(std::uint32_t code, bool inUse);
    void ClearKeysInUse();

    bool CaptureOn() const;
    void SetCaptureOn(bool on);
    std::uint16_t CaptureTarget() const;
    void SetCaptureTarget(std::uint16_t recordNumber);
    bool CaptureDoubleAlt() const;
    void SetCaptureDoubleAlt(bool on);
    bool CaptureOwnKey() const;
    void SetCaptureOwnKey(bool on);
    bool CaptureWindowSize() const;
    void SetCaptureWindowSize(bool on);
    bool CaptureKeys() const;
    void SetCaptureKeys(bool on);
    bool CaptureMouse() const;
    void SetCaptureMouse(bool on);
    bool CaptureToScreen() const;
    void SetCaptureToScreen(bool on);
    bool CaptureTiming() const;
    void SetCaptureTiming(bool on);
    KeyValues StopKey() const;
    void SetStopKey(const KeyValues& key);
    KeyValues OwnKey() const;
    void SetOwnKey(const KeyValues& key);

    std::uint32_t MouseHook() const;
    void SetMouseHook(std::uint32_t handle);
    std::uint32_t KeyboardHook() const;
    void SetKeyboardHook(std::uint32_t handle);

    std::uint32_t SecondWindow() const;
    void SetSecondWindow(std::uint32_t window);
    bool SecondWindowOn() const;
    void SetSecondWindowOn(bool on);

    bool InUse() const;
    void SetInUse(bool inUse);

    std::int16_t Scope(int index) const;
    void SetScope(int index, std::int16_t scope);
    std::string_view ScopeTarget(int index) const;
    void SetScopeTarget(int index, std::string_view target); // keeps the first 20 characters
    std::uint8_t Active(int index) const;
    void SetActive(int index, std::uint8_t active);
    std::uint16_t HotKey(int index) const;
    void SetHotKey(int index, std::uint16_t code);
    std::uint8_t TopMostOnly(int index) const;
    void SetTopMostOnly(int index, std::uint8_t topMostOnly);

    // The stored count, as found (the macro store keeps it within 0..500).
    std::int32_t Count() const;

    bool IsNT() const;
    void SetIsNT(bool nt);
    bool HaveShortKeys() const;
    void SetHaveShortKeys(bool have);

    std::string_view ForegroundProgram() const;
    void SetForegroundProgram(std::string_view name); // cut to 250 characters
    std::int32_t ProgramCount() const;
    void SetProgramCount(std::int32_t count);
    std::string_view Program(int index) const;
    void SetProgram(int index, std::string_view name); // cut to 25 characters

private:
    // The count changes only together with the program's own counter (MacroStore).
    friend class MacroStore;
    void SetCount(std::int32_t count);

    std::array<std::uint8_t, MacroTableSize> bytes_{};
};

} // namespace orvane
