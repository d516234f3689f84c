// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageSink.h"

class QWidget;

namespace orvane {

// Shows a dialog's message as a modal message box over the dialog: "Error" with the critical
// icon, "Warning" with the warning icon, other captions as information.
class MessageBoxSink final : public MessageSink {
public:
    explicit MessageBoxSink(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Show(std::string_view caption, std::string_view text) override;

private:
    QWidget* parent_;
};

} // namespace orvane
