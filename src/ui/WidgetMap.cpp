// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WidgetMap.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace orvane {
namespace {

QString NameOf(const QWidget& widget) {
    QString name = widget.accessibleName();
    if (name.isEmpty()) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
            name = button->text();
        } else if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
            name = label->text();
        }
        name.remove(QLatin1Char('&'));
    }
    return name.simplified();
}

QString ValueOf(const QWidget& widget) {
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        return field->echoMode() == QLineEdit::Normal ? field->text().simplified() : QString();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget);
        button != nullptr && button->isCheckable()) {
        return button->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    }
    return {};
}

} // namespace

WidgetMap::WidgetMap(QString path, QObject* parent) : QObject(parent), path_(std::move(path)) {
    qApp->installEventFilter(this);
}

bool WidgetMap::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowTitleChange:
    case QEvent::FocusIn:
    case QEvent::Paint: // a field's new text, a ticked option
        if (watched->isWidgetType() && !pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, &WidgetMap::Write);
        }
        break;
    default:
        break;
    }
    return false;
}

void WidgetMap::Write() {
    pending_ = false;
    QString lines;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) {
            continue;
        }
        QString title = window->windowTitle();
        title.replace(QLatin1Char('\t'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            const QString name = NameOf(*widget);
            if (name.isEmpty() || !widget->isVisible()) {
                continue;
            }
            const QPoint at = widget->mapToGlobal(QPoint(0, 0));
            lines += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\n")
                         .arg(title, name)
                         .arg(at.x())
                         .arg(at.y())
                         .arg(widget->width())
                         .arg(widget->height())
                         .arg(ValueOf(*widget));
        }
    }
    if (lines == written_) {
        return;
    }
    written_ = lines;
    const QString partial = path_ + QStringLiteral(".new");
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return;
    }
    file.write(lines.toUtf8());
    file.close();
    // Renamed over the old one, so a reader sees the whole map, never half of it.
    std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(path_).constData());
}

} // namespace orvane
