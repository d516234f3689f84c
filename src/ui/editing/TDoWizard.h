// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptLines.h"

#include <QDialog>
#include <functional>
#include <string_view>

class QPushButton;

namespace orvane {

class MessageSink;
class TDoScripting;

// "Scripting Wizard": a menu of common tasks over the scripting editor. Each task runs the
// editor's add operation for one command, appending its line at the end of the script; the
// wizard holds nothing of its own, and what it added is saved only with the editor's "&Ok".
class TDoWizard : public QDialog {
    Q_OBJECT
public:
    // `editor` and `messages` must outlive the wizard; `showHelp` may be empty (no "&Help").
    TDoWizard(TDoScripting& editor, MessageSink& messages, std::function<void()> showHelp);

    QPushButton* Button(std::string_view name) const;

    // A task's button: its dialog, then, when a line was added, "Continue with wizard?".
    void TaskClick(CommandCode code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TDoScripting& editor_;
    MessageSink& messages_;
};

} // namespace orvane
