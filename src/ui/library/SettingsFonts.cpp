// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/SettingsFonts.h"

#include "core/CodePage.h"

#include <QFontDialog>
#include <QGroupBox>
#include <cmath>

namespace orvane {

QFont QFontFrom(const FontSettings& settings) {
    QFont font(QString::fromStdString(Windows1252ToUtf8(settings.Name)));
    font.setPointSize(settings.Size > 0 ? settings.Size : 10);
    font.setBold(settings.Bold);
    font.setItalic(settings.Italic);
    font.setUnderline(settings.Underline);
    font.setStrikeOut(settings.Strikeout);
    return font;
}

FontSettings FontSettingsFrom(const QFont& font, std::int32_t color) {
    FontSettings settings;
    settings.Name = Utf8ToWindows1252(font.family().toStdString());
    const double points = font.pointSizeF();
    settings.Size = points > 0 ? static_cast<std::int32_t>(std::lround(points)) : 10;
    settings.Color = color;
    settings.Bold = font.bold();
    settings.Italic = font.italic();
    settings.Underline = font.underline();
    settings.Strikeout = font.strikeOut();
    return settings;
}

QColor QColorFrom(std::int32_t stored) {
    const auto value = static_cast<std::uint32_t>(stored);
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

FontChooser SystemFontChooser() {
    return [](QWidget* parent, const QFont& initial, const QString& title,
              bool effects) -> std::optional<QFont> {
        // Qt's own dialog, so that its effects box can be left out where they do not apply.
        QFontDialog dialog(initial, parent);
        dialog.setWindowTitle(title);
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        if (!effects) {
            for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
                if (box->title().contains(QStringLiteral("Effects"))) {
                    box->hide();
                }
            }
        }
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.selectedFont();
    };
}

} // namespace orvane
