// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/CellText.h"

namespace orvane {

QString FitCellText(const QString& text, const QFontMetrics& metrics, int width) {
    QString fitted = text;
    while (!fitted.isEmpty() && metrics.horizontalAdvance(fitted) > width) {
        fitted.chop(fitted.size() >= 2 && fitted.back().isLowSurrogate() ? 2 : 1);
    }
    return fitted;
}

} // namespace orvane
