// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace orvane {

// A diagnostic for tools that drive the program with the mouse (the end-to-end tests click the
// controls where the user would): where each named control of the program's windows is on the
// screen, kept up to date in a text file (rewritten whole, by renaming). One line per control and
// name, tab-separated: the window's title; the control's name (its object name, its accessible
// name and its caption each give a line; a list's rows as "name#row" and each cell as
// "name:text"; a menu's entries as "menu/entry"); its screen rectangle "x y width height";
// "enabled" or "disabled"; and its value (a field's text, "checked" or "unchecked"). Written only
// when ORVANE_WIDGET_MAP asks for it: "1" keeps it as widgets.txt in the program's runtime folder
// (only this user may enter it: the file holds what the windows show), any other value names the
// file.
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
