// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace orvane {

// Widens a window, before it first shows, to the width its title needs in the window manager's
// title bar beside the frame's icon and buttons: a dialog sized by its few controls alone would
// show "Outpu...To File". Nothing else of the window's size is touched.
void FitWindowToTitle(QWidget& window);

// Applies FitWindowToTitle to every window of the program as it is shown.
class WindowTitleFit final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace orvane
