// SPDX-License-Identifier: GPL-3.0-or-later
//
// orvane_qtprobe: a Qt 6 window holding one QPlainTextEdit, reporting on standard output what it
// receives, in the protocol described at the top of XProbe.cpp. Qt programs are where characters
// typed during a keyboard-map change get lost first, so typing tests check both probes.
// Usage: orvane_qtprobe [--geometry WxH+X+Y] <title>
//
// Differences from the X probe: KEY/KEYUP carry the Qt key (0x hex), its name (spaces written as
// "_") and the Qt keyboard modifiers; TEXT is the editor's toPlainText(); BUTTON numbers follow X
// (1 left, 2 middle, 3 right, 4/5 wheel up/down, 6/7 wheel left/right) with positions in the
// window's client area.

#include "ProbeHex.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QWheelEvent>
#include <QWindow>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

using orvane::e2e::HexEncode;

void Emit(const QString& line) {
    std::fputs(line.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QString Hex(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    return QString::fromStdString(HexEncode(std::string(utf8.constData(), utf8.size())));
}

QString KeyName(int key) {
    QString name = QKeySequence(key).toString(QKeySequence::PortableText);
    if (name.isEmpty()) {
        name = "-";
    }
    return name.replace(' ', '_');
}

class ProbeWindow : public QPlainTextEdit {
public:
    explicit ProbeWindow(const QString& title) {
        setWindowTitle(title);
        // A context menu opened by a right press would take the release away from the probe.
        setContextMenuPolicy(Qt::NoContextMenu);
        viewport()->installEventFilter(this);
        installEventFilter(this);
        connect(this, &QPlainTextEdit::textChanged, [this] { Emit("TEXT " + Hex(toPlainText())); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (watched == this) {
                auto* key = static_cast<QKeyEvent*>(event);
                bool press = event->type() == QEvent::KeyPress;
                Emit(QString("%1 0x%2 %3 0x%4 %5")
                         .arg(press ? "KEY" : "KEYUP")
                         .arg(key->key(), 0, 16)
                         .arg(KeyName(key->key()))
                         .arg(static_cast<unsigned>(key->modifiers()), 0, 16)
                         .arg(press ? Hex(key->text()) : QString("-")));
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (watched == viewport()) {
                auto* mouse = static_cast<QMouseEvent*>(event);
                int button = mouse->button() == Qt::LeftButton     ? 1
                             : mouse->button() == Qt::MiddleButton ? 2
                             : mouse->button() == Qt::RightButton  ? 3
                                                                   : 8;
                ReportButton(event->type() == QEvent::MouseButtonPress ? "BUTTON" : "BUTTONUP",
                             button, mouse->globalPosition().toPoint());
            }
            break;
        case QEvent::Wheel:
            if (watched == viewport()) {
                auto* wheel = static_cast<QWheelEvent*>(event);
                QPoint delta = wheel->angleDelta();
                int button = delta.y() > 0 ? 4 : delta.y() < 0 ? 5 : delta.x() > 0 ? 6 : 7;
                ReportButton("BUTTON", button, wheel->globalPosition().toPoint());
            }
            break;
        default:
            break;
        }
        return QPlainTextEdit::eventFilter(watched, event);
    }

    bool event(QEvent* event) override {
        switch (event->type()) {
        case QEvent::WindowActivate:
            Emit("FOCUS 1");
            break;
        case QEvent::WindowDeactivate:
            Emit("FOCUS 0");
            break;
        case QEvent::Move:
        case QEvent::Resize:
            ReportGeometry();
            break;
        default:
            break;
        }
        return QPlainTextEdit::event(event);
    }

    void showEvent(QShowEvent* event) override {
        QPlainTextEdit::showEvent(event);
        // READY once the server has mapped the window: Qt reports that by exposing it.
        if (windowHandle() != nullptr && !watchingWindow_) {
            watchingWindow_ = true;
            windowHandle()->installEventFilter(new ExposeWatcher(this));
        }
    }

private:
    class ExposeWatcher : public QObject {
    public:
        explicit ExposeWatcher(ProbeWindow* owner) : QObject(owner), owner_(owner) {}
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Expose && !owner_->readyReported_ &&
                static_cast<QWindow*>(watched)->isExposed()) {
                owner_->readyReported_ = true;
                owner_->ReportGeometry(); // the mapped window's place, before READY
                Emit(QString("READY %1").arg(owner_->winId()));
            }
            return false;
        }

    private:
        ProbeWindow* owner_;
    };

    void ReportButton(const char* kind, int button, QPoint global) {
        QPoint local = global - geometry().topLeft();
        Emit(QString("%1 %2 %3 %4 %5 %6")
                 .arg(kind)
                 .arg(button)
                 .arg(local.x())
                 .arg(local.y())
                 .arg(global.x())
                 .arg(global.y()));
    }

    void ReportGeometry() {
        // Before the window is mapped Qt only knows the requested geometry, not the placement.
        if (!readyReported_) {
            return;
        }
        QRect area = geometry();
        QString text =
            QString("%1 %2 %3 %4").arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
        if (text != geometry_) {
            geometry_ = text;
            Emit("GEOMETRY " + text);
        }
    }

    bool watchingWindow_ = false;
    bool readyReported_ = false;
    QString geometry_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    QString title;
    QString geometry;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--geometry" && i + 1 < args.size()) {
            geometry = args[++i];
        } else {
            title = args[i];
        }
    }
    if (title.isEmpty()) {
        std::fprintf(stderr, "usage: orvane_qtprobe [--geometry WxH+X+Y] <title>\n");
        return 2;
    }
    ProbeWindow window(title);
    window.resize(480, 320);
    if (!geometry.isEmpty()) {
        // WxH+X+Y
        QStringList parts = geometry.split(QRegularExpression("[x+]"));
        if (parts.size() == 4) {
            window.setGeometry(parts[2].toInt(), parts[3].toInt(), parts[0].toInt(),
                               parts[1].toInt());
        }
    }

    QSocketNotifier commands(0, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&commands, &QSocketNotifier::activated, [&] {
        char buffer[256];
        ssize_t got = read(0, buffer, sizeof buffer);
        if (got <= 0) {
            commands.setEnabled(false);
            return;
        }
        pending.append(buffer, got);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line == "QUIT") {
                app.quit();
            } else if (line == "CLEAR") {
                // An empty editor emits no textChanged when cleared: answer in any case.
                bool wasEmpty = window.toPlainText().isEmpty();
                window.clear();
                if (wasEmpty) {
                    Emit("TEXT -");
                }
            }
        }
    });

    window.show();
    window.setFocus();
    return app.exec();
}
