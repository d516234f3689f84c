// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Readability.h"

#include "ui/WindowTitleFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <cstdio>

namespace orvane {
namespace {

// The longest key name a hot key field shows ("Ctrl+Alt+Shift+F12" is 18 characters) and a
// nickname of ordinary length: the text a user reads in most fields.
constexpr int TypicalCharacters = 20;
// Room the window manager's frame takes beside the title: the icon and three buttons.
constexpr int TitleDecoration = 100; // a little less than the program leaves

QString Name(const QWidget& widget) {
    QString name = widget.objectName();
    if (name.isEmpty()) {
        name = widget.accessibleName();
    }
    return QStringLiteral("%1 \"%2\"")
        .arg(QString::fromLatin1(widget.metaObject()->className()), name);
}

QString Shown(QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text;
}

bool Visible(const QWidget& widget, const QWidget& window) {
    return widget.isVisibleTo(&window) && widget.width() > 0;
}

void CheckLabel(const QLabel& label, QStringList& faults) {
    if (label.wordWrap() || label.text().isEmpty() || label.textFormat() == Qt::RichText ||
        Qt::mightBeRichText(label.text())) {
        return;
    }
    const QStringList lines = Shown(label.text()).split(QLatin1Char('\n'));
    int needed = 0;
    for (const QString& line : lines) {
        needed = std::max(needed, label.fontMetrics().horizontalAdvance(line));
    }
    if (label.contentsRect().width() < needed) {
        faults << QStringLiteral("%1 cut: \"%2\" needs %3 px, has %4")
                      .arg(Name(label), Shown(label.text()))
                      .arg(needed)
                      .arg(label.contentsRect().width());
    }
}

void CheckButton(const QAbstractButton& button, QStringList& faults) {
    if (button.text().isEmpty()) {
        return;
    }
    int needed = button.sizeHint().width();
    if (qobject_cast<const QPushButton*>(&button) != nullptr) {
        // A push button's size hint has a minimum width of the style's; what must fit is its
        // text, icon and margins.
        int text = 0;
        for (const QString& line : Shown(button.text()).split(QLatin1Char('\n'))) {
            text = std::max(text, button.fontMetrics().horizontalAdvance(line));
        }
        const QStyle& style = *button.style();
        needed = text + 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button) + 4 +
                 (button.icon().isNull() ? 0 : button.iconSize().width() + 4);
    }
    if (qobject_cast<const QCheckBox*>(&button) != nullptr ||
        qobject_cast<const QRadioButton*>(&button) != nullptr) {
        // The box or circle, the gap and the text; the size hint adds room the text does not use.
        const bool check = qobject_cast<const QCheckBox*>(&button) != nullptr;
        const QStyle& style = *button.style();
        needed = style.pixelMetric(check ? QStyle::PM_IndicatorWidth
                                         : QStyle::PM_ExclusiveIndicatorWidth,
                                   nullptr, &button) +
                 style.pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing
                                         : QStyle::PM_RadioButtonLabelSpacing,
                                   nullptr, &button) +
                 button.fontMetrics().horizontalAdvance(Shown(button.text()));
    }
    if (button.width() < needed) {
        faults << QStringLiteral("%1 cut: \"%2\" needs %3 px, has %4")
                      .arg(Name(button), Shown(button.text()))
                      .arg(needed)
                      .arg(button.width());
    }
}

void CheckGroup(const QGroupBox& group, QStringList& faults) {
    const int needed = group.fontMetrics().horizontalAdvance(Shown(group.title())) + 16;
    if (!group.title().isEmpty() && group.width() < needed) {
        faults << QStringLiteral("%1 title cut: \"%2\"").arg(Name(group), group.title());
    }
}

// A spin box's editor must show its widest value whole.
void CheckSpinField(const QSpinBox& spin, const QLineEdit& field, QStringList& faults) {
    const QString widest = spin.prefix() + QString::number(spin.maximum()) + spin.suffix();
    const int shown = field.width() - 4;
    const int needed = field.fontMetrics().horizontalAdvance(widest);
    if (shown < needed) {
        faults << QStringLiteral("%1 too narrow: shows %2 px, \"%3\" needs %4")
                      .arg(Name(spin))
                      .arg(shown)
                      .arg(widest)
                      .arg(needed);
    }
}

void CheckField(const QLineEdit& field, QStringList& faults) {
    if (field.isReadOnly() && field.text().isEmpty()) {
        return;
    }
    // A number (seconds, a count, a width) needs room for a few digits, not for a name.
    static const QRegularExpression number(QStringLiteral("^[0-9.:]+$"));
    const bool numeric = number.match(field.text()).hasMatch();
    const int characters = std::min(field.maxLength(), numeric ? 6 : TypicalCharacters);
    // What the field shows: its frame and margins take the difference of the two rectangles.
    const QMargins margins = field.textMargins();
    const int shown = field.width() - 2 * field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) -
                      margins.left() - margins.right() - 4;
    const int needed = std::max(field.fontMetrics().horizontalAdvance(QString(
                                    characters, numeric ? QLatin1Char('0') : QLatin1Char('n'))),
                                field.fontMetrics().horizontalAdvance(field.text()));
    if (shown < needed) {
        faults << QStringLiteral("%1 too narrow: shows %2 px, %3 characters need %4")
                      .arg(Name(field))
                      .arg(shown)
                      .arg(std::max<int>(characters, field.text().size()))
                      .arg(needed);
    }
}

void CheckCombo(const QComboBox& combo, QStringList& faults) {
    if (combo.isEditable() || combo.currentText().isEmpty()) {
        return;
    }
    if (combo.width() + 2 < combo.minimumSizeHint().width() &&
        combo.sizeAdjustPolicy() != QComboBox::AdjustToMinimumContentsLengthWithIcon) {
        faults << QStringLiteral("%1 cut: \"%2\"").arg(Name(combo), combo.currentText());
    }
}

} // namespace

QStringList Unreadable(const QWidget& window) {
    QStringList faults;
    const QString title = window.windowTitle();
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int titleNeeded = QFontMetrics(titleFont).horizontalAdvance(title) + TitleDecoration;
    if (window.isWindow() && !title.isEmpty() && window.width() < titleNeeded) {
        faults << QStringLiteral("window title cut: \"%1\" needs %2 px, the window is %3")
                      .arg(title)
                      .arg(titleNeeded)
                      .arg(window.width());
    }
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!Visible(*widget, window)) {
            continue;
        }
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            CheckLabel(*label, faults);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            CheckButton(*button, faults);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            CheckGroup(*group, faults);
        } else if (const auto* field = qobject_cast<const QLineEdit*>(widget)) {
            // A combo box's own editor is sized by the combo box; a spin box's holds its values.
            if (const auto* spin = qobject_cast<const QSpinBox*>(field->parentWidget())) {
                CheckSpinField(*spin, *field, faults);
            } else if (!qobject_cast<const QComboBox*>(field->parentWidget())) {
                CheckField(*field, faults);
            }
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            CheckCombo(*combo, faults);
        }
    }
    return faults;
}

bool SaveReadable(QWidget& window, const QDir& folder, const QString& name) {
    // As the program does for every window it shows.
    FitWindowToTitle(window);
    window.show();
    QApplication::processEvents();
    const QStringList faults = Unreadable(window);
    for (const QString& fault : faults) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(fault));
    }
    const bool saved = window.grab().save(folder.filePath(name));
    if (!saved) {
        std::fprintf(stderr, "%s: could not be saved in %s\n", qPrintable(name),
                     qPrintable(folder.path()));
    }
    return saved && faults.isEmpty();
}

} // namespace orvane
