// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace orvane {

// A diagnostic, asked for with ORVANE_WIDGET_MAP=1: where each control of the program's shown
// windows is on the screen, rewritten (whole, by renaming) whenever a window or control appears,
// moves, changes size or goes, so that a script can click a control where the user sees it. One
// line per visible control: the window's title, the control's name (its accessible name, else
// its text without mnemonic marks), its left, top, width and height on the screen, and its value
// (a field's text, "checked" or "unchecked"), separated by tabs. It holds what the windows show,
// in the runtime folder only this user can enter; hidden (password) fields show nothing.
class WidgetMap final : public QObject {
public:
    explicit WidgetMap(QString path, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Write();

    QString path_;
    QString written_;
    bool pending_ = false;
};

} // namespace orvane
