// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/HotKeyTable.h"

#include <span>
#include <string>

namespace orvane {
namespace {

// The table is a list of rows; each row is a list of keys, each key taken with every prefix of
// the row's combination list in turn (key-major). A row such as "Ctrl+ and the base set" is the
// base keys with the single combination Ctrl+.

constexpr std::size_t MaxNameLength = 24;

struct Key {
    std::string_view Name;
    // Keypad keys are spelt "KeyPad" alone or with Shift, and "Keypad" once Ctrl or Alt is part
    // of the entry ("Shift+KeyPad /" but "Ctrl+Shift+Keypad /").
    std::string_view NameWithCtrlOrAlt;
    std::uint8_t VirtualKey;
    std::uint8_t MouseButton;
};

struct Combo {
    std::string_view Prefix;
    bool Ctrl;
    bool Alt;
    bool Shift;
    bool Win;
};

struct Row {
    std::span<const Key> Keys;
    std::span<const Combo> Combos;
};

constexpr Key K(std::string_view name, std::uint8_t vk) {
    return {name, name, vk, 0};
}
constexpr Key Pad(std::string_view plain, std::string_view modified, std::uint8_t vk) {
    return {plain, modified, vk, 0};
}
constexpr Key Mouse(std::string_view name, std::uint8_t button) {
    return {name, name, 0, button};
}

constexpr Key BaseSet[] = {
    K("A", 0x41),  K("B", 0x42),  K("C", 0x43),  K("D", 0x44),   K("E", 0x45),   K("F", 0x46),
    K("G", 0x47),  K("H", 0x48),  K("I", 0x49),  K("J", 0x4A),   K("K", 0x4B),   K("L", 0x4C),
    K("M", 0x4D),  K("N", 0x4E),  K("O", 0x4F),  K("P", 0x50),   K("Q", 0x51),   K("R", 0x52),
    K("S", 0x53),  K("T", 0x54),  K("U", 0x55),  K("V", 0x56),   K("W", 0x57),   K("X", 0x58),
    K("Y", 0x59),  K("Z", 0x5A),  K("0", 0x30),  K("1", 0x31),   K("2", 0x32),   K("3", 0x33),
    K("4", 0x34),  K("5", 0x35),  K("6", 0x36),  K("7", 0x37),   K("8", 0x38),   K("9", 0x39),
    K("F1", 0x70), K("F2", 0x71), K("F3", 0x72), K("F4", 0x73),  K("F5", 0x74),  K("F6", 0x75),
    K("F7", 0x76), K("F8", 0x77), K("F9", 0x78), K("F10", 0x79), K("F11", 0x7A), K("F12", 0x7B),
};
constexpr std::span<const Key> FunctionKeys = std::span(BaseSet).subspan(36);

constexpr Key Enter[] = {K("Enter", 13)};
constexpr Key Tab[] = {K("Tab", 9)};
constexpr Key Backspace[] = {K("Backspace", 8)};
constexpr Key Space[] = {K("Space", 32)};
constexpr Key Insert[] = {K("Insert", 45)};
constexpr Key Delete[] = {K("Delete", 46)};
constexpr Key Home[] = {K("Home", 36)};
constexpr Key End[] = {K("End", 35)};
constexpr Key Esc[] = {K("ESC", 27)};

constexpr Key Punctuation[] = {
    K(".", 190), K(",", 188), K("/", 191), K(";", 186), K("'", 222), K("\\", 220),
    K("[", 219), K("]", 221), K("-", 189), K("=", 187), K("`", 192),
};

constexpr Key KeypadOperators[] = {
    Pad("KeyPad /", "Keypad /", 111),
    Pad("KeyPad *", "Keypad *", 106),
    Pad("KeyPad -", "Keypad -", 109),
    Pad("KeyPad +", "Keypad +", 107),
};

constexpr Key Navigation[] = {
    K("Insert", 45),   K("Delete", 46),     K("Home", 36),       K("End", 35),
    K("Page Up", 33),  K("Page Down", 34),  K("Left Arrow", 37), K("Right Arrow", 39),
    K("Up Arrow", 38), K("Down Arrow", 40),
};
constexpr std::span<const Key> PagesAndArrows = std::span(Navigation).subspan(4);

constexpr Key KeypadDigits[] = {
    Pad("KeyPad 0", "Keypad 0", 96),  Pad("KeyPad 1", "Keypad 1", 97),
    Pad("KeyPad 2", "Keypad 2", 98),  Pad("KeyPad 3", "Keypad 3", 99),
    Pad("KeyPad 4", "Keypad 4", 100), Pad("KeyPad 5", "Keypad 5", 101),
    Pad("KeyPad 6", "Keypad 6", 102), Pad("KeyPad 7", "Keypad 7", 103),
    Pad("KeyPad 8", "Keypad 8", 104), Pad("KeyPad 9", "Keypad 9", 105),
};

constexpr Key MouseButtons[] = {Mouse("LMouse", 1), Mouse("RMouse", 2), Mouse("MMouse", 3)};

// Prefix text, then the flags Ctrl, Alt, Shift, Win.
constexpr Combo Plain{"", false, false, false, false};
constexpr Combo C{"Ctrl+", true, false, false, false};
constexpr Combo A{"Alt+", false, true, false, false};
constexpr Combo S{"Shift+", false, false, true, false};
constexpr Combo CS{"Ctrl+Shift+", true, false, true, false};
constexpr Combo AS{"Alt+Shift+", false, true, true, false};
constexpr Combo CA{"Ctrl+Alt+", true, true, false, false};
constexpr Combo CAS{"Ctrl+Alt+Shift+", true, true, true, false};
constexpr Combo W{"Win+", false, false, false, true};
constexpr Combo WC{"Win+Ctrl+", true, false, false, true};
constexpr Combo WA{"Win+Alt+", false, true, false, true};
// The mouse entries name Shift before Alt.
constexpr Combo SA{"Shift+Alt+", false, true, true, false};

constexpr Combo OnlyPlain[] = {Plain};
constexpr Combo OnlyC[] = {C};
constexpr Combo OnlyA[] = {A};
constexpr Combo OnlyS[] = {S};
constexpr Combo OnlyCS[] = {CS};
constexpr Combo OnlyCA[] = {CA};
constexpr Combo OnlyAS[] = {AS};
constexpr Combo OnlyCAS[] = {CAS};
constexpr Combo OnlyW[] = {W};
constexpr Combo OnlyWC[] = {WC};
constexpr Combo OnlyWA[] = {WA};
constexpr Combo Seven[] = {C, A, S, CS, AS, CA, CAS};
constexpr Combo TabCombos[] = {C, S, CS, CA, CAS};
constexpr Combo DeleteCombos[] = {C, A, S, CS, AS};
constexpr Combo PunctuationCombos[] = {C, A, CS, AS, CA, CAS};
constexpr Combo KeypadOperatorCombos[] = {Plain, C, A, S, CS, AS, CA, CAS};
constexpr Combo KeypadDigitCombos[] = {Plain, C, A, CA};
constexpr Combo MouseCombos[] = {Plain, S, C, A, CS, CA, SA};

constexpr Row Rows[] = {
    {BaseSet, OnlyC},                        //   0-47
    {BaseSet, OnlyA},                        //  48-95
    {BaseSet, OnlyCS},                       //  96-143
    {BaseSet, OnlyCA},                       // 144-191
    {BaseSet, OnlyAS},                       // 192-239
    {BaseSet, OnlyCAS},                      // 240-287
    {FunctionKeys, OnlyPlain},               // 288-299
    {FunctionKeys, OnlyS},                   // 300-311
    {Enter, Seven},                          // 312-318
    {Tab, TabCombos},                        // 319-323
    {Backspace, Seven},                      // 324-330
    {Space, Seven},                          // 331-337
    {Insert, Seven},                         // 338-344
    {Delete, DeleteCombos},                  // 345-349
    {Home, Seven},                           // 350-356
    {End, Seven},                            // 357-363
    {Punctuation, PunctuationCombos},        // 364-429
    {KeypadOperators, KeypadOperatorCombos}, // 430-461
    {Navigation, OnlyPlain},                 // 462-471
    {PagesAndArrows, Seven},                 // 472-513
    {KeypadDigits, KeypadDigitCombos},       // 514-553
    {BaseSet, OnlyW},                        // 554-601
    {BaseSet, OnlyWC},                       // 602-649
    {BaseSet, OnlyWA},                       // 650-697
    {Esc, OnlyPlain},                        // 698
    {MouseButtons, MouseCombos},             // 699-719
};

constexpr std::size_t CountEntries() {
    std::size_t total = 0;
    for (const Row& row : Rows) {
        total += row.Keys.size() * row.Combos.size();
    }
    return total;
}
static_assert(CountEntries() == HotKeyCount, "the hot key rows must give exactly 720 codes");

struct BuiltTable {
    std::array<std::string, HotKeyCount> Names;
    std::array<HotKeyEntry, HotKeyCount> Entries;

    BuiltTable() {
        std::size_t code = 0;
        for (const Row& row : Rows) {
            for (const Key& key : row.Keys) {
                for (const Combo& combo : row.Combos) {
                    const std::string_view keyName =
                        combo.Ctrl || combo.Alt ? key.NameWithCtrlOrAlt : key.Name;
                    std::string name = std::string(combo.Prefix) + std::string(keyName);
                    name.resize(std::min(name.size(), MaxNameLength));
                    Names[code] = std::move(name);
                    Entries[code].Key = {key.VirtualKey, key.MouseButton, combo.Ctrl,
                                         combo.Alt,      combo.Shift,     combo.Win};
                    ++code;
                }
            }
        }
        for (std::size_t k = 0; k < HotKeyCount; ++k) {
            Entries[k].Name = Names[k];
        }
    }
};

} // namespace

const std::array<HotKeyEntry, HotKeyCount>& HotKeyTable() {
    static const BuiltTable table;
    return table.Entries;
}

std::optional<std::string_view> HotKeyName(std::uint32_t code) {
    if (code >= HotKeyCount) {
        return std::nullopt;
    }
    return HotKeyTable()[code].Name;
}

DecipheredKey DecipherKey(std::uint32_t code) {
    if (code >= HotKeyCount) {
        return {};
    }
    return HotKeyTable()[code].Key;
}

std::optional<std::uint16_t> HotKeyCodeOf(std::string_view name) {
    const auto& table = HotKeyTable();
    for (std::size_t k = 0; k < HotKeyCount; ++k) {
        if (table[k].Name == name) {
            return static_cast<std::uint16_t>(k);
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> HotKeyCodeOfKey(const DecipheredKey& key) {
    const auto& table = HotKeyTable();
    for (std::size_t k = 0; k < HotKeyCount; ++k) {
        if (table[k].Key == key) {
            return static_cast<std::uint16_t>(k);
        }
    }
    return std::nullopt;
}

bool IsPlainClickKey(std::uint32_t code) {
    const DecipheredKey key = DecipherKey(code);
    return (key.MouseButton == 1 || key.MouseButton == 2) && !key.Ctrl && !key.Alt && !key.Shift &&
           !key.Win;
}

} // namespace orvane
