// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/activation/HotKeyField.h"

#include "activation/HotKeyChoice.h"
#include "activation/KeyPickRelay.h"
#include "core/HotKeyTable.h"
#include "ui/HelpCenter.h"

#include <QKeyEvent>

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

} // namespace

HotKeyField::HotKeyField(KeyPicking picking, QWidget* parent)
    : QLineEdit(parent), services_(picking) {
    setReadOnly(true);
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

void HotKeyField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    StartPicking();
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
            ShowKey(code);
            emit KeyPicked(code);
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
