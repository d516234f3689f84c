// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFontMetrics>
#include <QString>

namespace orvane {

// Space between a cell's left edge and its text.
inline constexpr int CellTextMargin = 2;

// `text` cut at the last whole character that fits into `width` pixels in `metrics`; no ellipsis
// is added. A character is never split (a surrogate pair stays whole).
QString FitCellText(const QString& text, const QFontMetrics& metrics, int width);

} // namespace orvane
