// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QPushButton>
#include <QShortcutEvent>

namespace orvane {

// For an event filter on a window's buttons: a mnemonic clicks its button at once, not after the
// pressed look Qt shows for a moment, and leaves the focus where it was, so keys typed quickly one
// after the other act in the order they were typed. True when `event` was such a mnemonic (then
// taken).
inline bool ClickAtOnce(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Shortcut) {
        return false;
    }
    auto* pressed = qobject_cast<QPushButton*>(watched);
    if (pressed == nullptr || static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        return false;
    }
    if (pressed->isEnabled()) {
        pressed->click();
    }
    return true;
}

} // namespace orvane
