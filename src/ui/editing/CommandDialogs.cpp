// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/CommandDialogs.h"

#include "editing/ScriptEditing.h"

namespace orvane {

bool CommandDialogs::CanAdd(CommandCode code) const {
    return CanEdit(code) || CommandNeedsNoValues(code);
}

std::optional<MadeCommand> CommandDialogs::Add(CommandCode code, QWidget* parent) const {
    if (const auto found = openers_.find(code); found != openers_.end()) {
        return found->second(nullptr, parent);
    }
    if (CommandNeedsNoValues(code)) {
        return MadeCommand{code, RecordWithoutValues(code)};
    }
    return std::nullopt;
}

std::optional<MadeCommand> CommandDialogs::Edit(CommandCode code, const CommandRecord& current,
                                                QWidget* parent) const {
    if (const auto found = openers_.find(code); found != openers_.end()) {
        return found->second(&current, parent);
    }
    return std::nullopt;
}

} // namespace orvane
