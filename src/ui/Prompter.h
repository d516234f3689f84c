// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MessageSink.h"

class QString;
class QWidget;

namespace orvane {

// The program's one way of showing a message box or asking Yes/No: modal, over the open modal
// dialog, else over `parent` (or the active window when it has none). "Error" and "System Error"
// get the critical icon, "Warning" the warning icon, other captions the information icon; questions
// default to No. With `echo`, each message and question is also written to standard error as one
// line ("orvane: <caption>: <text>"), so scripts and tests that start the program see what it told
// the user.
class Prompter final : public MessageSink {
public:
    explicit Prompter(QWidget* parent = nullptr, bool echo = false)
        : parent_(parent), echo_(echo) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Show(std::string_view caption, std::string_view text) override;
    bool Ask(std::string_view caption, std::string_view text) override;
    // The About box: not a message but the program's icon beside rich text, over `parent`.
    static void About(QWidget* parent, const QString& caption, const QString& richText);

private:
    void Echo(std::string_view caption, std::string_view text) const;
    QWidget* Parent() const;

    QWidget* parent_;
    bool echo_;
};

} // namespace orvane
