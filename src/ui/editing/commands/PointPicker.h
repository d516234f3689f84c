// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

namespace orvane {

// Lets the user point at a place on the screen and click: a full-screen window shows a still
// picture of the desktop under a cross-hair cursor, so it works with or without a compositor.
// Escape or the right button cancels.
class PointPicker : public QWidget {
    Q_OBJECT
public:
    // Runs until the user clicked or cancelled; the point in screen pixels.
    static std::optional<QPoint> Pick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PointPicker();
    void Finish(std::optional<QPoint> point);

    QPixmap desktop_;
    std::optional<QPoint> point_;
    bool done_ = false;
};

} // namespace orvane
