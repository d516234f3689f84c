// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/HotKeyChoice.h"
#include "ui/library/HotKeyField.h"

#include <QDialog>
#include <array>
#include <functional>

class QPushButton;
class QRadioButton;

namespace orvane {

class MessageSink;

// "System Hot Keys": the keys of the four built-in commands, each picked by striking it in its
// field, and what the macro popup menus show. A struck key that a Global, PopUp Menu or System
// macro already has is refused at once; "&Ok" refuses two commands on one key. Accepted, Form()
// holds the keys and the choice; writing them is the caller's.
class SystemKeysDialog : public QDialog {
    Q_OBJECT
public:
    struct Services {
        KeyPicking Picking;
        MessageSink* Messages = nullptr; // must outlive the dialog
        std::function<void()> Help;      // opens the manual at this dialog's topic
    };
    // `focusKind` 1..4: the command whose field gets the focus.
    SystemKeysDialog(const SystemKeysForm& form, const KeyFlags& globalKeys, int focusKind,
                     Services services, QWidget* parent = nullptr);

    const SystemKeysForm& Form() const { return form_; }
    // A key reported for field `kind` (0..3): refused, or shown and kept.
    void KeyPicked(std::size_t kind, std::uint16_t code);
    void OkClick();

    HotKeyField* KeyField(std::size_t kind) const { return fields_[kind]; }
    QRadioButton* PopupChoice(int shows) const {
        return shows_[static_cast<std::size_t>(shows - 1)];
    }
    QPushButton* OkButton() const { return ok_; }

private:
    SystemKeysForm form_;
    KeyFlags globalKeys_;
    Services services_;
    std::array<HotKeyField*, 4> fields_{};
    std::array<QRadioButton*, 3> shows_{};
    QPushButton* ok_ = nullptr;
};

} // namespace orvane
