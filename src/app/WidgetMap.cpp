// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WidgetMap.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSaveFile>
#include <QTextStream>
#include <QWidget>
#include <functional>

namespace orvane {
namespace {

QString OneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

// A caption without its mnemonic marks.
QString Plain(QString caption) {
    caption.remove(QLatin1Char('&'));
    return OneLine(caption);
}

// Every name a script may know a control by: its object name, its accessible name and its
// caption (without mnemonic marks), each once.
QStringList NamesOf(const QWidget& widget) {
    QStringList names;
    const auto add = [&names](const QString& name) {
        if (!name.isEmpty() && !names.contains(name)) {
            names << name;
        }
    };
    if (!widget.objectName().startsWith(QLatin1String("qt_"))) {
        add(widget.objectName());
    }
    add(Plain(widget.accessibleName()).simplified());
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        add(Plain(button->text()).simplified());
    } else if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        add(Plain(label->text()).simplified());
    }
    return names;
}

// What the control shows that a script waits for: a field's text (nothing for a hidden
// password), or whether an option is ticked.
QString ValueOf(const QWidget& widget) {
    if (const auto* field = qobject_cast<const QLineEdit*>(&widget)) {
        return field->echoMode() == QLineEdit::Normal ? OneLine(field->text()).simplified()
                                                      : QString();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget);
        button != nullptr && button->isCheckable()) {
        return button->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
    }
    return {};
}

void Line(QTextStream& out, const QString& window, const QString& name, const QRect& at,
          bool enabled = true, const QString& value = {}) {
    out << window << '\t' << name << '\t' << at.x() << ' ' << at.y() << ' ' << at.width() << ' '
        << at.height() << '\t' << (enabled ? "enabled" : "disabled") << '\t' << value << '\n';
}

QRect OnScreen(const QWidget& widget, const QRect& local) {
    return QRect(widget.mapToGlobal(local.topLeft()), local.size());
}

void Actions(QTextStream& out, const QString& window, const QString& name, const QWidget& owner,
             const QList<QAction*>& actions, const std::function<QRect(QAction*)>& geometry) {
    for (QAction* action : actions) {
        if (action->isVisible() && !action->isSeparator() && !action->text().isEmpty()) {
            Line(out, window, name + QLatin1Char('/') + Plain(action->text()),
                 OnScreen(owner, geometry(action)), action->isEnabled());
        }
    }
}

void Rows(QTextStream& out, const QString& window, const QString& name,
          const QAbstractItemView& view) {
    const QAbstractItemModel* model = view.model();
    if (model == nullptr) {
        return;
    }
    const QRect shown = view.viewport()->rect();
    for (int row = 0; row < model->rowCount(); ++row) {
        bool named = false;
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const QRect at = view.visualRect(index).intersected(shown);
            if (at.isEmpty()) {
                continue;
            }
            const QRect screen = OnScreen(*view.viewport(), at);
            if (!named) {
                Line(out, window, name + QLatin1Char('#') + QString::number(row), screen);
                named = true;
            }
            Line(out, window, name + QLatin1Char(':') + Plain(index.data().toString()), screen);
        }
    }
}

} // namespace

WidgetMap::WidgetMap(QString file, QObject* parent) : QObject(parent), file_(std::move(file)) {
    due_.setSingleShot(true);
    due_.setInterval(0);
    connect(&due_, &QTimer::timeout, this, &WidgetMap::Write);
    qApp->installEventFilter(this);
}

WidgetMap::~WidgetMap() {
    qApp->removeEventFilter(this);
}

bool WidgetMap::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowTitleChange:
    case QEvent::WindowStateChange:
    case QEvent::LayoutRequest:
    case QEvent::Paint:
        if (!due_.isActive()) {
            due_.start();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void WidgetMap::Write() {
    QSaveFile file(file_);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return;
    }
    QTextStream out(&file);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->isMinimized()) {
            continue;
        }
        if (const auto* menu = qobject_cast<QMenu*>(window)) {
            // Menus are found by their entries, whatever window opened them.
            Actions(out, QString(), QStringLiteral("menu"), *menu, menu->actions(),
                    [menu](QAction* a) { return menu->actionGeometry(a); });
            continue;
        }
        const QString title = OneLine(window->windowTitle());
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* widget : widgets) {
            // Dialogs owned by the window are windows of their own.
            if (widget->window() != window || !widget->isVisibleTo(window) ||
                widget->width() <= 0) {
                continue;
            }
            if (const auto* bar = qobject_cast<QMenuBar*>(widget)) {
                Actions(out, title, QStringLiteral("menubar"), *bar, bar->actions(),
                        [bar](QAction* a) { return bar->actionGeometry(a); });
                continue;
            }
            const QStringList names = NamesOf(*widget);
            for (const QString& name : names) {
                Line(out, title, name, OnScreen(*widget, widget->rect()), widget->isEnabled(),
                     ValueOf(*widget));
            }
            if (const auto* view = qobject_cast<QAbstractItemView*>(widget);
                view != nullptr && !names.isEmpty()) {
                Rows(out, title, names.front(), *view);
            }
        }
    }
    out.flush();
    file.commit();
}

} // namespace orvane
