// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/HotKeyChoice.h"
#include "ui/library/HotKeyField.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>

namespace orvane {

class HotKeyList;
class MessageSink;

// The hot key choice of every dialog that gives a macro its hot key ("Add Macro", "Copy Hot
// Key" / "Move Hot Key", "Capture Complete"): the field the key is struck into (or clicked, a
// mouse button with its modifiers) over the list of all 720 keys and their use. A key picked in
// the field selects its line; a line chosen shows its name in the field.
class HotKeyPanel : public QWidget {
    Q_OBJECT
public:
    struct Captions {
        QString Press;    // the field's label, with its mnemonic
        QString Heading;  // the list's label, with its mnemonic
        QString ListName; // the list's name for screen readers
    };
    HotKeyPanel(const KeyUseCounts& uses, KeyPicking picking, const Captions& captions,
                QWidget* parent = nullptr);

    // "Place cursor in field below and Press the Hot &Key to select" over "Se&lect Hot Key".
    static Captions PlaceCursorCaptions();

    // The selected line's code, if any.
    std::optional<std::uint16_t> SelectedCode() const;
    // Selects the line of `code` and shows its name in the field.
    void SelectCode(std::uint16_t code);

    HotKeyField* Field() const { return field_; }
    HotKeyList* List() const { return list_; }

signals:
    // A key was picked in the field or a line chosen in the list.
    void KeyChosen(std::uint16_t code);

private:
    HotKeyField* field_ = nullptr;
    HotKeyList* list_ = nullptr;
};

// What "&Ok" (or an editor's button) does with the check of a choice: shows its refusal (caption
// "Error") with the focus put on the field it names, or asks its question (caption "Warning").
// True when the choice may be applied.
bool ConfirmChoice(const ChooserCheck& check, MessageSink& messages, HotKeyPanel& keys,
                   QWidget& shortKeyName);

} // namespace orvane
