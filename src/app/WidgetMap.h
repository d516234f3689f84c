// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace orvane {

// Where each named control of the program's windows is on the screen, kept up to date in a
// text file for tools that drive the program with the mouse (the end-to-end tests click the
// controls where the user would). One line per control, tab-separated: the window's title; the
// control's name (object name, accessible name or caption; a list's rows as "name#row" and
// each cell as "name:text"; a menu's entries as "menu/entry"); its screen rectangle
// "x y width height"; and "enabled" or "disabled". Written only when ORVANE_WIDGET_MAP names
// the file, and rewritten after the windows change.
class WidgetMap : public QObject {
public:
    explicit WidgetMap(QString file, QObject* parent = nullptr);
    ~WidgetMap() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Write();

    QString file_;
    QTimer due_;
};

} // namespace orvane
