// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/HotKeyField.h"

#include "core/HotKeyTable.h"
#include "library/HotKeyChoice.h"
#include "library/KeyPickRelay.h"
#include "ui/HelpCenter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace orvane {
namespace {

bool PassesThrough(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods =
        key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods != Qt::NoModifier) {
        return false;
    }
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

ClickPickGate::FocusCause CauseOf(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return ClickPickGate::FocusCause::Keys;
    case Qt::MouseFocusReason:
        return ClickPickGate::FocusCause::Pointer;
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
        return ClickPickGate::FocusCause::Window;
    default:
        return ClickPickGate::FocusCause::Program;
    }
}

// The key table numbers the buttons 1 left, 2 right, 3 middle.
int TableButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 3;
    default:
        return 0;
    }
}

} // namespace

HotKeyField::HotKeyField(KeyPicking picking, QWidget* parent)
    : QLineEdit(parent), services_(picking) {
    setReadOnly(true);
    // A right click may be the pick; a menu would take it. Moves without a button tell the
    // field that the click which brought it the focus is over.
    setContextMenuPolicy(Qt::PreventContextMenu);
    setMouseTracking(true);
}

HotKeyField::~HotKeyField() {
    StopPicking();
}

void HotKeyField::ShowKey(std::uint16_t code) {
    const auto name = HotKeyName(code);
    setText(name ? QString::fromLatin1(name->data(), static_cast<qsizetype>(name->size()))
                 : QString());
}

bool HotKeyField::event(QEvent* event) {
    // A combination struck to be picked must not work a mnemonic or shortcut of the dialog.
    if (event->type() == QEvent::ShortcutOverride &&
        !PassesThrough(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void HotKeyField::keyPressEvent(QKeyEvent* event) {
    if (PassesThrough(*event)) {
        event->ignore(); // the dialog's default and cancel buttons
        if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }
    event->accept();
}

bool HotKeyField::PickClick(const QMouseEvent& event) {
    if (!picking_ || !clicks_.Press(rect().contains(event.position().toPoint()))) {
        return false;
    }
    const Qt::KeyboardModifiers mods = event.modifiers();
    if (const auto code =
            ClickHotKey(TableButton(event.button()), mods.testFlag(Qt::ControlModifier),
                        mods.testFlag(Qt::AltModifier), mods.testFlag(Qt::ShiftModifier),
                        mods.testFlag(Qt::MetaModifier))) {
        Picked(*code);
    }
    return true; // a combination the table lacks picks nothing, and selects nothing either
}

void HotKeyField::mousePressEvent(QMouseEvent* event) {
    if (PickClick(*event)) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void HotKeyField::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a quick pair comes as a double click.
    if (PickClick(*event)) {
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void HotKeyField::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        clicks_.ButtonsUp();
    }
    QLineEdit::mouseMoveEvent(event);
}

void HotKeyField::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        clicks_.ButtonsUp();
    }
    QLineEdit::mouseReleaseEvent(event);
}

void HotKeyField::focusInEvent(QFocusEvent* event) {
    clicks_.FocusGained(CauseOf(event->reason()), QGuiApplication::mouseButtons() != Qt::NoButton);
    QLineEdit::focusInEvent(event);
    StartPicking();
}

void HotKeyField::Picked(std::uint16_t code) {
    ShowKey(code);
    emit KeyPicked(code);
}

void HotKeyField::focusOutEvent(QFocusEvent* event) {
    StopPicking();
    QLineEdit::focusOutEvent(event);
}

void HotKeyField::hideEvent(QHideEvent* event) {
    StopPicking();
    QLineEdit::hideEvent(event);
}

void HotKeyField::StartPicking() {
    if (picking_ || services_.Store == nullptr) {
        return;
    }
    picking_ = true;
    // F1 struck here is a hot key being picked, not a request for help.
    setProperty(TakesHelpKeyProperty, true);
    if (services_.Relay != nullptr) {
        services_.Relay->SetTarget([this](std::uint16_t code) {
            if (DecipherKey(code).MouseButton == 0) { // clicks are read here, not reported
                Picked(code);
            }
        });
    }
    window_ = static_cast<std::uint32_t>(window()->winId());
    SetSecWind(*services_.Store, window_, true);
}

void HotKeyField::StopPicking() {
    if (!picking_) {
        return;
    }
    picking_ = false;
    setProperty(TakesHelpKeyProperty, false);
    if (services_.Relay != nullptr) {
        services_.Relay->SetTarget({});
    }
    SetSecWind(*services_.Store, window_, false);
}

} // namespace orvane
