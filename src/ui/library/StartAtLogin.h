// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QMenu;
class QWidget;

namespace orvane {

// Adds "Start at &Login" to `menu`: a check mark that shows whether the autostart entry exists
// (looked at again each time the menu opens, as the entry is an ordinary file the user may
// remove), and that writes or removes the entry when chosen. Failures are told in a message box
// over `parent`.
QAction* AddStartAtLogin(QMenu* menu, QWidget* parent);

} // namespace orvane
