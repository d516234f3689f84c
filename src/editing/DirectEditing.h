// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptEditing.h"
#include "editing/ScriptLines.h"
#include "script/Commands.h"

#include <array>
#include <string>
#include <string_view>

namespace orvane {

struct MacroRecord;

// What the direct editor does with a macro's raw tag text, apart from showing it.

// The command buttons (and the "&Actions" menu), as the command table places them.
// "SYMBOLS" is the key panel's.
using DirectCommandButton = PlacedCommand;
inline constexpr auto DirectCommandButtons = PlacedCommands<19, &CommandRow::Direct>();

// "&Update": checks the ShortKey name, then stores the text as typed, its tab characters as
// "<TAB>" and cut to 5000 characters, and the form's fields, as the scripting editor's "&Ok"
// does. Tags the reader does not know are kept exactly as typed.
ScriptSaveOutcome SaveDirectText(std::string_view text, const ScriptEditorForm& form, double now,
                                 MacroRecord& record);

// The characters of a typed text (UTF-8) that a macro cannot hold, as UTF-8, each once, in the
// order they first appear; empty when all of it can be stored.
std::string UnstorableCharacters(std::string_view utf8);

inline constexpr std::string_view UnstorableText =
    "The text holds characters a macro cannot store: %1\nThey will be saved as \"?\".  Save "
    "anyway?";

} // namespace orvane
