// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptLines.h"

#include <functional>
#include <map>
#include <optional>

class QWidget;

namespace orvane {

// The dialogs that make and change the record of one command's line. Each command's dialog
// registers here; a command without one can still be added when it holds no values, and its
// lines can always be moved, copied and deleted with their records unchanged.
class CommandDialogs {
public:
    // Shows the dialog modally: `current` is the line's record in edit mode, null in add mode.
    // Returns the record on "&Ok", nothing on "&Cancel".
    using Opener =
        std::function<std::optional<CommandRecord>(const CommandRecord* current, QWidget* parent)>;

    void Register(CommandCode code, Opener opener) { openers_[code] = std::move(opener); }

    // A line of this command can be made (by its dialog, or directly when it holds no values).
    bool CanAdd(CommandCode code) const;
    // A line of this command can be changed: it has a dialog.
    bool CanEdit(CommandCode code) const { return openers_.contains(code); }

    // The record of a new line, or nothing when the user cancelled or the command cannot be
    // made yet.
    std::optional<CommandRecord> Add(CommandCode code, QWidget* parent) const;
    // The changed record of a line, or nothing when cancelled or without a dialog.
    std::optional<CommandRecord> Edit(CommandCode code, const CommandRecord& current,
                                      QWidget* parent) const;

private:
    std::map<CommandCode, Opener> openers_;
};

} // namespace orvane
