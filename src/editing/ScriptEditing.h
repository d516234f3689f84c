// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActivationKind.h"
#include "editing/ScriptLines.h"
#include "library/ShortKeyName.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct MacroRecord;

// What the scripting editor does with its lines and its fields, apart from showing them.

// Where "&Add", "I&nsert" (above) and "&Insert" (below) put a new line.
enum class Placement { Append = 1, InsertBefore = 2, InsertAfter = 3 };

// The index a new line takes in a list of `count` lines; `remembered` is the selected index when
// the command was given, 0 when nothing was selected.
std::size_t InsertIndex(Placement placement, std::size_t remembered, std::size_t count);
// The line selected after the new one was added; `count` includes it.
std::size_t SelectionAfterAdd(Placement placement, std::size_t remembered, std::size_t count);

// The line buttons: with no selection all off; "&Up" off on the first line, "&Down" on the last.
struct LineButtons {
    bool Up = false;
    bool Down = false;
    bool Edit = false;
    bool Copy = false;
    bool Delete = false;
    friend bool operator==(const LineButtons&, const LineButtons&) = default;
};
LineButtons EnableDisable(std::size_t count, std::optional<std::size_t> selected);

// Line operations on the selected line; each returns the line selected afterwards. Indices
// outside the list change nothing and select nothing.
std::optional<std::size_t> DeleteLine(std::vector<ScriptLine>& lines, std::size_t index);
// A copy goes directly above the line; the copied line, now one lower, stays selected.
std::optional<std::size_t> CopyLine(std::vector<ScriptLine>& lines, std::size_t index);
// Exchanges the line with the one above (or below); at the edge nothing moves.
std::optional<std::size_t> MoveLine(std::vector<ScriptLine>& lines, std::size_t index, bool up);

// A line's text as a command dialog makes it, which differs from loading in two places: a window
// command on the current window ends in " - Current Window", and "Activate or Launch" names both
// the title and the program.
std::string DialogDisplayText(CommandCode code, const CommandRecord& record);

// Commands whose lines hold nothing to choose, so they are added without a dialog.
bool CommandNeedsNoValues(CommandCode code);
// The record such a command's line owns.
CommandRecord RecordWithoutValues(CommandCode code);

inline constexpr std::string_view NoCommandSelectedText =
    "No command selected.  Please select one.";
inline constexpr std::string_view NoItemSelectedText = "No Item Selected.";
inline constexpr std::string_view NoLineSelectedText =
    "No script line selected.  Please select one.";
inline constexpr std::string_view MacroTooLongText =
    "The size of the macro exceeds the 5000 character limit.  The macro will be truncated to "
    "5000 characters.";

// Why a ShortKey name cannot be taken (shown with caption "Error", focus on the name), or
// nothing: the rules of CheckShortKeyName in library/ShortKeyName.h.
std::optional<std::string_view> CheckShortKeyName(std::string_view name);

// The editor's fields besides the script.
struct ScriptEditorForm {
    ActivationKind Kind = ActivationKind::HotKey;
    bool IsNew = false;
    std::string Nickname;     // Windows-1252
    std::int16_t Scope = 1;   // 1 "&Global", 2 "&Window", 3 "&Program"
    std::string Icon;         // at most 12 characters
    std::string ShortKeyName; // the box as typed (ShortKey macros)
};

struct ScriptSaveOutcome {
    // A refused ShortKey name: the message, and the record was not touched.
    std::optional<std::string_view> Refusal;
    // The text was longer than 5000 characters and was cut (MacroTooLongText is shown).
    bool Truncated = false;
};

// Checks the ShortKey name, then writes `text` and the form's fields into the record: the
// common end of the scripting editor's "&Ok" and the direct editor's "&Update".
ScriptSaveOutcome SaveMacroText(std::string_view text, const ScriptEditorForm& form, double now,
                                MacroRecord& record);

// "&Ok": checks the ShortKey name, then writes the lines' macro text and the form's fields into
// the record: `LastModified` (days), the nickname's first 50 characters, the icon, the scope,
// the ShortKey (empty unless a ShortKey macro), `Active` for a new macro, and the text cut to
// 5000 characters. Raising the macro count of a new macro is the store's (it appends).
ScriptSaveOutcome SaveScript(const std::vector<ScriptLine>& lines, const ScriptEditorForm& form,
                             double now, MacroRecord& record);

} // namespace orvane
