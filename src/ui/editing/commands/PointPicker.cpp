// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/commands/PointPicker.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <functional>

namespace orvane {
namespace {

constexpr std::chrono::milliseconds FrameAnimation{250};

bool AnyWindowOnScreen() {
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (window->isExposed()) {
            return true;
        }
    }
    return false;
}

// Calls `changed` after each expose event of any window: that is when a window leaves the
// screen or comes back.
class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(std::function<void()> changed) : changed_(std::move(changed)) {
        qApp->installEventFilter(this);
    }
    ~ExposeWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            // The window's own state follows once the event is delivered.
            QTimer::singleShot(0, this, [this] { changed_(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> changed_;
};

// Serves events until `done` holds, checked after each expose event (the moments a window
// leaves the screen or comes back), or until `limit` passed: a window manager that keeps the
// windows where they are, or none at all, costs no more.
void WaitForExposures(const std::function<bool()>& done, std::chrono::milliseconds settle,
                      std::chrono::milliseconds limit) {
    if (done()) {
        return;
    }
    QEventLoop loop;
    const ExposeWatch watch([&loop, &done, settle] {
        if (done()) {
            QTimer::singleShot(settle, &loop, &QEventLoop::quit);
        }
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
}

// Windows the window manager can minimise: not menus, tool tips or the tray icons' own
// windows, which it does not manage.
bool CanStepAside(const QWidget& window) {
    const Qt::WindowType type = window.windowType();
    return window.isVisible() && !window.isMinimized() &&
           (type == Qt::Window || type == Qt::Dialog) &&
           !window.windowFlags().testFlag(Qt::BypassWindowManagerHint) &&
           window.objectName() != QStringLiteral("PointPicker");
}

} // namespace

PointPicker::PointPicker()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::BypassWindowManagerHint) {
    setObjectName(QStringLiteral("PointPicker"));
    setAccessibleName(QStringLiteral("Click the place to pick, or press Escape"));
    setCursor(Qt::CrossCursor);
    setAttribute(Qt::WA_DeleteOnClose, false);
    // Above the dialog that opened it, which stays modal meanwhile.
    setWindowModality(Qt::ApplicationModal);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        desktop_ = screen->grabWindow(0);
        setGeometry(screen->geometry());
    }
}

std::optional<QPoint> PointPicker::Pick() {
    // The still picture shows what is under the program's windows once they are gone, and
    // once the window manager's frames have shrunk away after them.
    WaitForExposures([] { return !AnyWindowOnScreen(); }, FrameAnimation, std::chrono::seconds(1));
    PointPicker picker;
    QEventLoop loop;
    picker.loop_ = &loop;
    // Given back whichever way the pick ends.
    struct Grabs {
        PointPicker& Picker;
        ~Grabs() {
            Picker.releaseKeyboard();
            Picker.releaseMouse();
            Picker.hide();
        }
    } grabs{picker};
    picker.show();
    picker.raise();
    picker.activateWindow();
    // The picker takes the pointer and keyboard, so the click lands here, not in the window
    // under it.
    picker.grabMouse();
    picker.grabKeyboard();
    const QMetaObject::Connection quitting =
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
    if (!picker.done_) {
        loop.exec();
    }
    QObject::disconnect(quitting);
    picker.loop_ = nullptr;
    return picker.point_;
}

void PointPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), desktop_);
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(rect().adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Click the place for the mouse (Escape cancels)"));
}

void PointPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        Finish(std::nullopt);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    const QPointF global = event->globalPosition() * ratio;
    pressed_ = QPoint(qRound(global.x()), qRound(global.y()));
}

void PointPicker::mouseReleaseEvent(QMouseEvent* event) {
    // The pick ends with the button up, so no half of the click reaches the window below.
    if (event->button() == Qt::LeftButton && pressed_) {
        Finish(pressed_);
    }
}

void PointPicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Finish(std::nullopt);
    }
}

void PointPicker::Finish(std::optional<QPoint> point) {
    point_ = point;
    done_ = true;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

WindowsAside::WindowsAside() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (CanStepAside(*window)) {
            windows_.emplace_back(window);
        }
    }
    // Owners come back before the dialogs they own, so each dialog returns above its owner.
    const auto depth = [](const QWidget* window) {
        int owners = 0;
        for (const QWidget* owner = window->parentWidget(); owner != nullptr;
             owner = owner->parentWidget()) {
            ++owners;
        }
        return owners;
    };
    std::stable_sort(windows_.begin(), windows_.end(),
                     [&depth](const QPointer<QWidget>& a, const QPointer<QWidget>& b) {
                         return depth(a) < depth(b);
                     });
    for (const QPointer<QWidget>& window : windows_) {
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
    }
}

WindowsAside::~WindowsAside() {
    Restore();
}

void WindowsAside::Restore() {
    if (restored_) {
        return;
    }
    restored_ = true;
    for (const QPointer<QWidget>& window : windows_) {
        if (window != nullptr) {
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        }
    }
    // Back on the screen before the caller brings its own window to the front: a window the
    // window manager restores later would come up over it and take the user's next click.
    WaitForExposures(
        [this] {
            return std::all_of(windows_.begin(), windows_.end(), [](const QPointer<QWidget>& w) {
                return w == nullptr || w->windowHandle() == nullptr ||
                       w->windowHandle()->isExposed();
            });
        },
        std::chrono::milliseconds(0), std::chrono::seconds(1));
}

} // namespace orvane
