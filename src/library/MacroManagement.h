// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class MacroStore;
class MacroTable;
class MessageSink;

inline constexpr int MaxMacroCount = 500;
inline constexpr std::string_view MaxMacrosText =
    "Maximum number of hot keys has been reached.  Add not allowed.";
inline constexpr std::string_view RemoveCaption = "Delete";
inline constexpr std::string_view NoMacrosText =
    "No hot keys have been added yet.  Please add one first.";
inline constexpr std::string_view NoMacroSelectedText = "No hot key selected.  Please select one.";

enum class MacroCommandKind { Add, Copy, Rename, Modify, Remove };

// The opening steps of a command, in order: an empty list, no selected row (`selected` is 0),
// a full file for copying (and for adding, which has no selection). The text to show with
// caption "Error", or nothing when the command may go on. `fileFull` is true when the file
// holds records past those loaded.
std::optional<std::string_view> OpeningRefusal(MacroCommandKind kind, int macroCount, int selected,
                                               bool fileFull = false);

// Opens a command on the selected macro: the plain refusals of OpeningRefusal first (shown with
// caption "Error"), and only when none applies the shared file's lock (`fileInUse`, true when
// the command must stop; it has said why), so a command refused for a reason of its own never
// touches the sync file. True when the command may go on.
bool OpenCommand(MacroCommandKind kind, int macroCount, int selected, bool fileFull,
                 MessageSink& messages, const std::function<bool()>& fileInUse);

// The activation as the list shows it: "Timed Macro", the ShortKey, or the hot key's name.
std::string ActivationText(std::uint16_t hotKey, std::string_view shortKey);

// "Are you sure you want to remove "<activation>"?" ("... remove the ShortKey "<name>"?" for a
// ShortKey macro), caption "Delete".
std::string RemoveQuestion(std::uint16_t hotKey, std::string_view shortKey);
// The second question when popup menus list the macro, caption "Delete".
std::string RemoveFromMenuQuestion(std::uint16_t hotKey, std::string_view shortKey);

// A popup menu's members once record `removed` is gone: its entries leave the list and every
// later record number moves down by one.
std::vector<std::uint16_t> MembersWithout(std::span<const std::uint16_t> members, int removed);

// Whether a macro other than `except` whose scope is Global, PopUp Menu or System uses `code`.
bool KeyUsedByOtherGlobal(const MacroTable& table, int macroCount, std::uint16_t code, int except);

// Reads record `record` into `working` for a command to work on. A file that cannot be read any
// more says so ("Error", naming the file) and returns false.
bool ReadWorkingMacro(MacroStore& store, int record, MacroRecord& working, MessageSink& messages);

// What storing a macro did.
struct StoredMacro {
    bool Stored = false;
    int Record = 0;         // the record the list selects next
    bool Timed = false;     // the schedule must be recomputed
    bool PopupMenu = false; // the popup-menu tray icons must be rebuilt
};

// A new record after the file's others (copy, add): the count is raised and published, the
// record written and the hot keys republished. A file that became full is refused with
// MaxMacrosText ("Error"); a failed write has been reported by the store. Either way the file
// and the table are as they were.
StoredMacro StoreNewMacro(MacroStore& store, const MacroRecord& record, MessageSink& messages);

// The macro `record` re-bound or edited: written in place and the hot keys republished. Timed
// when it was or now is a timed macro.
StoredMacro StoreChangedMacro(MacroStore& store, int record, const MacroRecord& before,
                              const MacroRecord& after);

// "Remove Macro" on record `record`: both questions (the second only when a popup menu lists
// it), the menus' members fixed up, the record removed, the file reloaded and the hot keys
// republished. Nothing changes when the user says No. Should a write fail, the menus already
// changed are written back as they were and "Saving of keystrokes failed." is shown.
StoredMacro RemoveMacro(MacroStore& store, int record, MessageSink& messages);

} // namespace orvane
