// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/HotKeyChoice.h"

#include <QListWidget>
#include <cstdint>
#include <optional>

namespace orvane {

// The 720 hot keys, one line each in code order: the key's name and how many macros use it
// ("Ctrl+A  (2 macros in use)"), drawn in two columns (the name at the left, the use at three
// fifths of the width). Screen readers read the whole line.
class HotKeyList : public QListWidget {
    Q_OBJECT
public:
    HotKeyList(const KeyUseCounts& uses, QWidget* parent = nullptr);

    // The selected line's code, if any.
    std::optional<std::uint16_t> SelectedCode() const;
    // Selects (and scrolls to) the line of `code`.
    void SelectCode(std::uint16_t code);

signals:
    // The user chose a line (click or keys).
    void KeyChosen(std::uint16_t code);
};

} // namespace orvane
