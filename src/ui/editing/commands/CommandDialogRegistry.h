// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/editing/commands/CommandDialog.h"

namespace orvane {

class CommandDialogs;

// Registers the dialog of every command that takes values, and "Set Title" / "Set Program" as
// the scope chooser. `services` must outlive `dialogs`' use.
void RegisterCommandDialogs(CommandDialogs& dialogs, const CommandDialogServices& services);

// The dialog a command's line opens, filled from `current` (edit) or preset for `code` (add);
// the command made on "&Ok". Tests and the direct editor open dialogs through this too.
std::optional<MadeCommand> OpenCommandDialog(CommandCode code, const CommandRecord* current,
                                             const CommandDialogServices& services,
                                             QWidget* parent);

// The dialog itself, not yet shown, for the same `code` and `current`: for tests and pictures.
std::unique_ptr<QDialog> MakeCommandDialog(CommandCode code, const CommandRecord* current,
                                           const CommandDialogServices& services, QWidget* parent);

} // namespace orvane
