// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

class QWidget;

namespace orvane {

// What a user cannot read in a shown window at its present size, one line per fault naming the
// widget: a label, button, check box or group title cut short; a text field narrower than its
// typical content (a key name, a 20-character nickname, or its whole length when that is shorter);
// a window narrower than its own title and the frame's buttons. Empty when all reads in full.
QStringList Unreadable(const QWidget& window);

// Shows the window at the size it opens with, saves a picture of it as folder/name and checks it
// with Unreadable, printing every fault to stderr. False when it could not be saved or a fault
// was found.
bool SaveReadable(QWidget& window, const QDir& folder, const QString& name);

} // namespace orvane
