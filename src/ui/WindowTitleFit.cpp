// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowTitleFit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QWidget>

namespace orvane {
namespace {

// The frame's icon, three buttons and the title's margins: what openbox and the common themes
// of other window managers put beside the title, at the default font.
constexpr int TitleDecoration = 110;

} // namespace

void FitWindowToTitle(QWidget& window) {
    if (!window.isWindow() || window.windowTitle().isEmpty() ||
        (window.windowFlags() & Qt::FramelessWindowHint) != 0) {
        return;
    }
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + TitleDecoration;
    if (window.width() >= needed) {
        return;
    }
    // A window of a fixed width (the icons of "Choose A Macro") grows too: its controls keep
    // their places and the frame gets the room.
    window.setMaximumWidth(std::max(window.maximumWidth(), needed));
    window.setMinimumWidth(std::max(window.minimumWidth(), needed));
    window.resize(needed, window.height());
}

bool WindowTitleFit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        FitWindowToTitle(*static_cast<QWidget*>(watched));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvane
