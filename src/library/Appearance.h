// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsBlock.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// "Appearance": the list's three column widths, the button bar or the letter panel, and working
// copies of the list's two fonts, which reach the settings only when the dialog is confirmed.
struct AppearanceForm {
    std::array<std::string, 3> Widths; // as typed
    bool UseSpeed = false;             // "Speed Buttons"; otherwise "Lettered Buttons"
    FontSettings GridFont;
    FontSettings GridTitleFont;

    bool operator==(const AppearanceForm&) const = default;
};

inline constexpr std::string_view InvalidColumnWidthText = "Invalid width specified.";
// Wider columns than any screen are refused too: the grid adds the widths up in int.
inline constexpr int MaxColumnWidth = 32767;

AppearanceForm AppearanceFormFrom(const SettingsBlock& settings);

// The first width (0..2) that is not a whole number in 1..MaxColumnWidth, with the text to show.
struct AppearanceRefusal {
    std::string Text;
    int Width = 0;
};
std::optional<AppearanceRefusal> CheckAppearance(const AppearanceForm& form);

// Stores a checked form: "Col 1 Width" .. "Col 3 Width", "Use Speed" and both list fonts.
void ApplyAppearance(const AppearanceForm& form, SettingsBlock& settings);

// A width as typed: a whole number, spaces around it allowed; nothing when it is not one or
// does not fit.
std::optional<int> WidthFrom(std::string_view text);

// What a font dialog's choice becomes. The list body font keeps bold only of the styles; the
// print list font drops underline and strike-out (the settings keep neither for it).
FontSettings GridFontChosen(FontSettings chosen);
FontSettings PrintListFontChosen(FontSettings chosen);

} // namespace orvane
