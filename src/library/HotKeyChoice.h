// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotKeyTable.h"
#include "core/LocalMoment.h"
#include "core/MacroRecord.h"
#include "library/ShortKeyName.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

class MacroStore;
class MacroTable;
struct SettingsBlock;

// Publishes `window` as the second window with its flag (SetSecWind): while it is on, the hook
// backend reports struck hot keys to that window as UM_KEYPICK instead of playing them.
void SetSecWind(MacroStore& store, std::uint32_t window, bool on);

// How many of the loaded macros (any scope, active or not) use each hot key code.
using KeyUseCounts = std::array<int, HotKeyCount>;
KeyUseCounts CountKeyUses(const MacroTable& table, int macroCount);

// Codes used by at least one loaded macro of the given scopes.
using KeyFlags = std::array<bool, HotKeyCount>;
KeyFlags KeysUsedByScopes(const MacroTable& table, int macroCount,
                          std::initializer_list<std::int16_t> scopes);
// The chooser's taken keys: used by a Global or PopUp Menu macro.
KeyFlags TakenKeys(const MacroTable& table, int macroCount);
// A dialog's global keys: used by a Global, PopUp Menu or System macro.
KeyFlags GlobalKeys(const MacroTable& table, int macroCount);

// One line of a key list: the key's name, then "  (Not in Use)", "  (1 macro in use)" or
// "  (n macros in use)".
std::string KeyListLine(std::uint16_t code, int uses);

// Keys the desktop may keep for itself: choosing one asks first.
inline constexpr std::array<std::uint16_t, 10> ReservedHotKeys = {89,  185, 233, 590, 557,
                                                                  558, 559, 566, 571, 607};
bool IsReservedHotKey(std::uint16_t code);
// "<name> may be used internally by Windows 95, 98 or NT.  This may cause the hot key not to
// function correctly. Would you still like to use <name>?" (caption "Warning", Yes/No).
std::string ReservedKeyQuestion(std::uint16_t code);
// The question to ask before `code` becomes the hot key of a macro of `scope`: the reserved-key
// question, or for a plain "LMouse" or "RMouse" what it does to every click (PlainClickQuestion).
std::optional<std::string> HotKeyQuestion(std::uint16_t code, std::int16_t scope);
inline constexpr std::string_view WarningCaption = "Warning";
inline constexpr std::string_view ErrorCaption = "Error";

inline constexpr std::string_view NoHotKeySelectedText = "No hot key selected.  Please select one.";
inline constexpr std::string_view NoMacrosForMenuText =
    "No macros have been defined yet.  A popup menu is created with existing macros.";
inline constexpr std::string_view KeyAlreadyGlobalText =
    "Selected Hot Key is already either a GLOBAL or Popup Menu Hot Key.  Hot Key cannot be added.";
inline constexpr std::string_view SameSystemKeyText =
    "The same hot key has been assigned to more than one system command.";

// Which field a refusal puts the focus on.
enum class ChoiceField { HotKey, ShortKey };

// ---- The activation chooser of "Copy Macro" and "Rename Macro" ----

enum class ChooserMode { Copy, Move };
enum class ActivationChoice { HotKey, ShortKey, Timed };

struct ChooserForm {
    ActivationChoice Choice = ActivationChoice::HotKey;
    std::optional<std::uint16_t> Code; // the selected line of the key list
    std::string ShortKeyName;          // as entered, Windows-1252
};

// A popup menu keeps its display options where a ShortKey name would be, and is shown by its
// hot key: copied or moved, it goes onto another hot key only.
inline constexpr std::string_view MenuNeedsHotKeyText =
    "A popup menu is shown by its hot key.  Please select a hot key for it.";

// The keys the chooser refuses for `working`: for a popup menu every key a Global, PopUp Menu
// or System macro uses (as "Add Macro" checks a new menu's key), else TakenKeys.
KeyFlags ChooserTakenKeys(const MacroTable& table, int macroCount, const MacroRecord& working);

// "COPY " / "MOVE " + the macro's activation + " TO"; a ShortKey is cut to 15 characters.
std::string ChooserLabel(ChooserMode mode, const MacroRecord& record);
inline constexpr std::string_view CopyCaption = "Copy Hot Key";
inline constexpr std::string_view MoveCaption = "Move Hot Key";

// The "A "GLOBAL" or "POPUP MENU" hot key already exists for this selection. The "COPY" did not
// take place." refusal, with MOVE in move mode.
std::string TakenKeyText(ChooserMode mode);

// What a check found: a refusal (caption "Error", the focus on `Field`, the dialog stays open),
// a question to ask first (caption "Warning", Yes/No; No keeps the dialog open and changes
// nothing), or neither.
struct ChooserCheck {
    std::optional<std::string> Refusal;
    ChoiceField Field = ChoiceField::HotKey;
    std::optional<std::string> Question;
    std::string ShortKeyName; // the checked name for a ShortKey choice
};
// "&Ok": the first refusal, or the question for a hot key choice (HotKeyQuestion, for the
// working macro's scope). A Global macro or a popup menu may not go onto a taken key; a popup
// menu may not become a ShortKey or timed macro.
ChooserCheck CheckChooser(const ChooserForm& form, ChooserMode mode, const MacroRecord& working,
                          const KeyFlags& taken);

// Stores the checked choice into the working record: a hot key code, a ShortKey (HotKey 20000
// and the name) or a timed macro (HotKey 10000 and, when it was not timed before, the default
// schedule of `today`). True when the schedule dialog is to be shown next (a timed choice).
bool ApplyChooser(const ChooserForm& form, const ChooserCheck& check, MacroRecord& working,
                  LocalMoment today);

// ---- "Add Macro" ----

enum class NewMacroType { HotKey, ShortKey, Timed, PopupMenu };

struct AddMacroForm {
    NewMacroType Type = NewMacroType::HotKey;
    std::optional<std::uint16_t> Code;
    std::string ShortKeyName;
};

// The checks before an editor opens. `userMacros`: some macro other than the four system
// macros exists (a popup menu needs members).
ChooserCheck CheckAddMacro(const AddMacroForm& form, const KeyFlags& globalKeys, bool userMacros);

// The new macro's activation as the checked form gives it: HotKey (the code, 10000 or 20000),
// ShortKey, and Scope 4 for a popup menu; everything else is left to the editor.
MacroRecord NewMacroRecord(const AddMacroForm& form, const ChooserCheck& check);

// ---- "System Hot Keys" ----

struct SystemKeysForm {
    std::array<std::uint16_t, 4> Keys{}; // "1".."4": Activate Program, Start/Stop Capture, Resume
                                         // Pause, Display Menu of all Hot Keys...
    int PopupShows = 1;                  // "What To Show On Popup Menu" 1..3
};

// "The hot key "<name>" is already in use by a macro.  If you wish to use this hot key
// combination, you will first need to either remove or move the macro which is assigned to it."
std::string KeyInUseText(std::uint16_t code);
// A struck key for a system command: refused when a Global, PopUp Menu or System macro has it
// (the command's own key included), or when it is a plain "LMouse" or "RMouse".
std::optional<std::string> CheckSystemKeyPick(std::uint16_t code, const KeyFlags& globalKeys);
// "&Ok": refused when two commands have the same key.
std::optional<std::string_view> CheckSystemKeys(const SystemKeysForm& form);

// The four keys as the system macros hold them (0 for a kind without one) and the popup choice.
SystemKeysForm SystemKeysFormFrom(const MacroStore& store, const SettingsBlock& settings);
// Writes each system macro whose key changed (read from the file, given the new code, written
// back) and then stores the popup choice; the caller saves the settings. False when a macro could
// not be written (the store has said so): the ones written before it keep their new keys, and
// the popup choice is left as it was.
bool ApplySystemKeys(const SystemKeysForm& form, MacroStore& store, SettingsBlock& settings);

} // namespace orvane
