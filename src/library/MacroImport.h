// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "library/ImportFile.h"
#include "library/MacroList.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class MacroStore;
class MessageSink;

inline constexpr std::string_view NothingFlaggedText =
    "No macros are flagged for import.  Click on the macros you wish to import.";
inline constexpr std::string_view ContinueImportText =
    "One or macro were flagged to be excluded from the import.  Continue import anyway?";

// "A Global Hot Key for <name> already exists.  This macro will not be imported."
std::string HotKeyExistsText(std::uint16_t hotKey);
// "The maximum capacity of macros per file will be exceeded. The last <n> macros selected will
// not be imported."
std::string CapacityExceededText(std::size_t excluded);

// One line of the choosing lists of import and export: the activation, the nickname and the
// scope: "GLOBAL", "POPUP MENU", or the scope target (the 20 characters the list keeps).
// Windows-1252, as stored.
struct ChooserLine {
    std::string Activation;
    std::string Nickname;
    std::string Scope;
};
ChooserLine ChooserLineOf(const ListMacro& macro);
ChooserLine ChooserLineOf(const MacroRecord& record);

enum class ImportStep {
    StayOpen, // refused, declined or failed; the dialog stays open
    Done,     // the chosen macros were imported (or none could be); the dialog closes
};

struct ImportOutcome {
    ImportStep Step = ImportStep::StayOpen;
    int Imported = 0;    // macros appended to the current file
    int FirstRecord = 0; // the record number of the first of them
    bool Timed = false;  // one of them is a timed macro: the schedule must be recomputed
};

// "&Ok" of "Import Macros" over the lines `selected` marks (one flag per entry of `file`, in
// list order; lines this deselects are cleared in it):
//   1. A Global or PopUp Menu hot key macro whose key a macro of the current file already uses
//      (whatever its scope), or a line imported before it in this run, is deselected with
//      HotKeyExistsText ("Warning").
//   2. Nothing selected: NothingFlaggedText ("Error"), stay open. More than the file has room
//      for: CapacityExceededText ("Warning") for the last ones.
//   3. Anything excluded: ContinueImportText ("Warning", Yes/No); No stays open.
//   4. The selected macros that fit are appended in list order in one rewrite of the current
//      file (older records stamped `now`), the hot keys republished.
// A popup menu imported from a macro file keeps those of its members that are imported with it,
// renumbered to their new records; members left behind are dropped, since their numbers would
// name other macros of the current file.
ImportOutcome ImportSelected(MacroStore& store, const ImportFile& file, std::vector<bool>& selected,
                             MessageSink& messages, double now);

} // namespace orvane
