// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsBlock.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace orvane {

// The font object of a stored font: face, size (10 points when the stored size is none) and
// styles.
QFont QFontFrom(const FontSettings& settings);
// A chosen font as the settings keep it; Qt's font dialog offers no colour, so `color` (the
// stored one) is kept.
FontSettings FontSettingsFrom(const QFont& font, std::int32_t color);
// Colours are stored as 0x00BBGGRR.
QColor QColorFrom(std::int32_t stored);

// Asks the user for a font, starting from `initial`; nothing when cancelled. Without `effects`
// the dialog offers no underline or strike-out. Tests put their own chooser in its place.
using FontChooser = std::function<std::optional<QFont>(QWidget* parent, const QFont& initial,
                                                       const QString& title, bool effects)>;
FontChooser SystemFontChooser();

} // namespace orvane
