// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/PointPicker.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace orvane {

PointPicker::PointPicker()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::BypassWindowManagerHint) {
    setObjectName(QStringLiteral("PointPicker"));
    setAccessibleName(QStringLiteral("Click the place to pick, or press Escape"));
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_DeleteOnClose, false);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        desktop_ = screen->grabWindow(0);
        setGeometry(screen->geometry());
    }
}

std::optional<QPoint> PointPicker::Pick() {
    PointPicker picker;
    picker.show();
    picker.raise();
    picker.activateWindow();
    // The picker takes the pointer and keyboard, so the click lands here, not in the window
    // under it.
    picker.grabMouse();
    picker.grabKeyboard();
    QEventLoop loop;
    while (!picker.done_) {
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    picker.releaseKeyboard();
    picker.releaseMouse();
    picker.hide();
    return picker.point_;
}

void PointPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), desktop_);
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(rect().adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Click the place for the mouse (Escape cancels)"));
}

void PointPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const qreal ratio = devicePixelRatioF();
        const QPointF global = event->globalPosition() * ratio;
        Finish(QPoint(qRound(global.x()), qRound(global.y())));
    } else {
        Finish(std::nullopt);
    }
}

void PointPicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Finish(std::nullopt);
    }
}

void PointPicker::Finish(std::optional<QPoint> point) {
    point_ = point;
    done_ = true;
}

} // namespace orvane
