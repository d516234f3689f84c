// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/Appearance.h"

#include "core/Text.h"

#include <charconv>

namespace orvane {

AppearanceForm AppearanceFormFrom(const SettingsBlock& settings) {
    AppearanceForm form;
    form.Widths = {std::to_string(settings.Col1Width), std::to_string(settings.Col2Width),
                   std::to_string(settings.Col3Width)};
    form.UseSpeed = settings.UseSpeed;
    form.GridFont = settings.GridFont;
    form.GridTitleFont = settings.GridTitleFont;
    return form;
}

std::optional<int> WidthFrom(std::string_view text) {
    text = Trim(text, " ");
    if (text.empty()) {
        return std::nullopt;
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<AppearanceRefusal> CheckAppearance(const AppearanceForm& form) {
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> width = WidthFrom(form.Widths[static_cast<std::size_t>(i)]);
        if (!width || *width <= 0 || *width > MaxColumnWidth) {
            return AppearanceRefusal{std::string(InvalidColumnWidthText), i};
        }
    }
    return std::nullopt;
}

void ApplyAppearance(const AppearanceForm& form, SettingsBlock& settings) {
    settings.Col1Width = WidthFrom(form.Widths[0]).value_or(settings.Col1Width);
    settings.Col2Width = WidthFrom(form.Widths[1]).value_or(settings.Col2Width);
    settings.Col3Width = WidthFrom(form.Widths[2]).value_or(settings.Col3Width);
    settings.UseSpeed = form.UseSpeed;
    settings.GridFont = form.GridFont;
    settings.GridTitleFont = form.GridTitleFont;
}

FontSettings GridFontChosen(FontSettings chosen) {
    chosen.Italic = false;
    chosen.Underline = false;
    chosen.Strikeout = false;
    return chosen;
}

FontSettings PrintListFontChosen(FontSettings chosen) {
    chosen.Underline = false;
    chosen.Strikeout = false;
    return chosen;
}

} // namespace orvane
