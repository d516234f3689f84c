// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptLines.h"
#include "editing/commands/CommandForm.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

class QWidget;

namespace orvane {

// The dialogs that make and change the record of one command's line. Each command's dialog
// registers here; a command without one can still be added when it holds no values, and its
// lines can always be moved, copied and deleted with their records unchanged.
class CommandDialogs {
public:
    // Shows the dialog modally: `current` is the line's record in edit mode, null in add mode.
    // Returns the command made on "&Ok" (a dialog may offer other commands than the one it was
    // opened for), nothing on "&Cancel".
    using Opener =
        std::function<std::optional<MadeCommand>(const CommandRecord* current, QWidget* parent)>;

    // The window title or program a macro belongs to, as "Set Title" / "Set Program" choose it.
    struct ScopeChoice {
        std::string Name; // Windows-1252
        bool TopMost = true;
    };
    using ScopeChooser = std::function<std::optional<ScopeChoice>(
        bool program, const std::string& current, bool topMost, QWidget* parent)>;

    void Register(CommandCode code, Opener opener) { openers_[code] = std::move(opener); }

    // A line of this command can be made (by its dialog, or directly when it holds no values).
    bool CanAdd(CommandCode code) const;
    // A line of this command can be changed: it has a dialog.
    bool CanEdit(CommandCode code) const { return openers_.contains(code); }

    // The new line's command, or nothing when the user cancelled or the command cannot be
    // made yet.
    std::optional<MadeCommand> Add(CommandCode code, QWidget* parent) const;
    // The changed command of a line, or nothing when cancelled or without a dialog.
    std::optional<MadeCommand> Edit(CommandCode code, const CommandRecord& current,
                                    QWidget* parent) const;

    void SetScopeChooser(ScopeChooser chooser) { scopeChooser_ = std::move(chooser); }
    const ScopeChooser& Scope() const { return scopeChooser_; }

private:
    std::map<CommandCode, Opener> openers_;
    ScopeChooser scopeChooser_;
};

} // namespace orvane
