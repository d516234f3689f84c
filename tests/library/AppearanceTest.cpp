// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/Appearance.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(Appearance, EachWidthMustBeAWholeNumberAboveZero) {
    struct Case {
        std::array<std::string, 3> Widths;
        std::optional<int> Refused; // the field that gets the focus
    };
    const Case cases[] = {
        {{"112", "168", "132"}, std::nullopt},
        {{" 40 ", "+7", "32767"}, std::nullopt},
        {{"0", "168", "132"}, 0},
        {{"112", "wide", "132"}, 1},
        {{"112", "168", ""}, 2},
        {{"112", "-5", "0"}, 1}, // the first one wrong is named
        {{"12x", "168", "132"}, 0},
        {{"1.5", "168", "132"}, 0},
        {{"112", "168", "32768"}, 2},
        {{"112", "99999999999", "132"}, 1},
    };
    for (const Case& c : cases) {
        AppearanceForm form;
        form.Widths = c.Widths;
        const auto refusal = CheckAppearance(form);
        ASSERT_EQ(refusal.has_value(), c.Refused.has_value()) << c.Widths[0] << c.Widths[1];
        if (refusal) {
            EXPECT_EQ(refusal->Width, *c.Refused);
            EXPECT_EQ(refusal->Text, "Invalid width specified.");
        }
    }
}

TEST(Appearance, ConfirmedFormReachesTheSettings) {
    SettingsBlock settings;
    AppearanceForm form = AppearanceFormFrom(settings);
    EXPECT_EQ(form.Widths, (std::array<std::string, 3>{"112", "168", "132"}));
    EXPECT_FALSE(form.UseSpeed);
    form.Widths = {" 90", "200 ", "+60"};
    form.UseSpeed = true;
    form.GridFont.Name = "DejaVu Sans";
    form.GridTitleFont.Size = 14;
    ApplyAppearance(form, settings);
    EXPECT_EQ(settings.Col1Width, 90);
    EXPECT_EQ(settings.Col2Width, 200);
    EXPECT_EQ(settings.Col3Width, 60);
    EXPECT_TRUE(settings.UseSpeed);
    EXPECT_EQ(settings.GridFont.Name, "DejaVu Sans");
    EXPECT_EQ(settings.GridTitleFont.Size, 14);
}

TEST(Appearance, ChosenFontsKeepTheStylesTheirListUses) {
    const FontSettings all{.Name = "Serif",
                           .Size = 11,
                           .Color = 0x0000FF,
                           .Bold = true,
                           .Italic = true,
                           .Underline = true,
                           .Strikeout = true};
    const FontSettings grid = GridFontChosen(all);
    EXPECT_EQ(grid, (FontSettings{.Name = "Serif", .Size = 11, .Color = 0x0000FF, .Bold = true}));
    const FontSettings print = PrintListFontChosen(all);
    EXPECT_EQ(print,
              (FontSettings{
                  .Name = "Serif", .Size = 11, .Color = 0x0000FF, .Bold = true, .Italic = true}));
}

} // namespace
} // namespace orvane
