// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

class QEventLoop;

namespace orvane {

// Lets the user point at a place on the screen and click: a full-screen window shows a still
// picture of the desktop under a cross-hair cursor, so it works with or without a compositor.
// Escape or another button cancels.
class PointPicker : public QWidget {
    Q_OBJECT
public:
    // Runs until the user clicked or cancelled; the point in screen pixels. The pointer and the
    // keyboard are the picker's while it runs and given back on every way out.
    static std::optional<QPoint> Pick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PointPicker();
    void Finish(std::optional<QPoint> point);

    QPixmap desktop_;
    std::optional<QPoint> pressed_;
    std::optional<QPoint> point_;
    bool done_ = false;
    QEventLoop* loop_ = nullptr;
};

// Minimises the program's windows for as long as it lives, so the user sees what lies under
// them, and brings them back as they were. Minimising rather than hiding keeps every open
// dialog running: a dialog hidden from inside its own event loop would end it, and take the
// dialogs below it and the user's edits with it.
class WindowsAside {
public:
    WindowsAside();
    ~WindowsAside();
    WindowsAside(const WindowsAside&) = delete;
    WindowsAside& operator=(const WindowsAside&) = delete;

    // Brings them back and waits (serving events, a second at most) until they are on the
    // screen again; the destructor brings them back without waiting.
    void Restore();

private:
    std::vector<QPointer<QWidget>> windows_;
    bool restored_ = false;
};

} // namespace orvane
