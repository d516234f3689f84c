// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/ClickPick.h"

#include <QLineEdit>
#include <cstdint>

namespace orvane {

class KeyPickRelay;
class MacroStore;

// Where struck hot keys come from while a picking field has the focus: the store publishes the
// field's window as the second window, the relay hands over what the backend reports. Either
// may be null (no hook backend, a test): the field then picks nothing.
struct KeyPicking {
    MacroStore* Store = nullptr;
    KeyPickRelay* Relay = nullptr;
};

// A read-only field that picks a hot key by striking it. While it has the focus its window is
// the second window, so the hook backend reports struck hot keys (KeyPicked) instead of playing
// them; losing the focus or hiding the window ends that. It keeps keys to itself so that a
// struck Alt+letter does not press a button of the dialog: only Tab moves on, Enter and Escape
// reach the dialog's buttons. A mouse button is picked here, from a press on the field itself
// (ClickPickGate): never from the backend, which would report the click that moves on to the
// next control, and never from the click that gives the field the focus.
class HotKeyField : public QLineEdit {
    Q_OBJECT
public:
    explicit HotKeyField(KeyPicking picking, QWidget* parent = nullptr);
    ~HotKeyField() override;

    // Shows the key's name (what a pick shows, and what the dialog sets from its list).
    void ShowKey(std::uint16_t code);
    bool Picking() const { return picking_; }

signals:
    void KeyPicked(std::uint16_t code);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void StartPicking();
    void StopPicking();
    void Picked(std::uint16_t code);
    // True when the press was taken as a pick.
    bool PickClick(const QMouseEvent& event);

    KeyPicking services_;
    ClickPickGate clicks_;
    bool picking_ = false;
    std::uint32_t window_ = 0; // the window published while picking
};

} // namespace orvane
