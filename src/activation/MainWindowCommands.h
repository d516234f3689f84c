// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace orvane {

class MacroStore;
class MacroTable;

inline constexpr std::string_view NoMacrosText =
    "No hot keys have been added yet.  Please add one first.";
inline constexpr std::string_view NoMacroSelectedText = "No hot key selected.  Please select one.";

inline constexpr std::string_view KeyboardHooksCaption = "Keyboard Hooks";
inline constexpr std::string_view KeyboardHooksQuestion =
    "It is possible for other programs which are run after Orvane 98 to improperly install "
    "themselves into the system wide Windows keyboard hooks.  This causes Orvane 98 to no "
    "longer be able to monitor keystrokes.  This option will reinstall the Windows keyboard "
    "hooks used by Orvane 98 so that Orvane 98 will have the first look at the keystrokes and "
    "will be able to monitor the keystrokes again.  Continue?";
inline constexpr std::string_view MouseHooksCaption = "Mouse Hooks";
inline constexpr std::string_view MouseHooksQuestion =
    "It is possible for other programs which are run after Orvane 98 to improperly install "
    "themselves into the system wide Windows mouse hooks.  This causes Orvane 98 to no longer "
    "be able to monitor mouse movements and clicks.  This option will reinstall the Windows "
    "mouse hooks used by Orvane 98 so that Orvane 98 will have the first look at the mouse "
    "movements and will be able to monitor the mouse again.  Continue?";

// What "Acti&vate Macro" / "Deacti&vate Macro" did.
struct ActivateOutcome {
    std::optional<std::string_view> Error; // shown with caption "Error"; nothing changed
    bool Changed = false;                  // the macro's Active flag was flipped
    bool NowActive = false;
    bool Timed = false; // a timed macro: its due times must be recomputed
};

// Flips macro `selected` (1-based; 0 when no row is selected) between active and inactive:
// the table entry is published, the flag written into the file and the hot keys republished,
// so its grab comes or goes at once. System macros are never changed.
ActivateOutcome DoActivate(MacroStore& store, int selected);

// True when the screen saver must not start: the setting asks for it and at least one active
// macro is a timed one.
bool ScreenSaverRefused(const MacroTable& table, int macroCount, bool disableSetting);

// "Restore &Keyboard Hooks" after Yes: the keyboard hook is removed, installed again and
// published; the remapping hook is reinstalled by the caller when remapping is in use.
void RestoreKeyboardHooks(MacroStore& store);
// Switches the keyboard hook off (while the user types keystrokes into an editor, which must
// not start macros) and on again; the handle is published either way.
void UnHookTheKeyboard(MacroStore& store);
void HookTheKeyboard(MacroStore& store);
// "Restore &Mouse Hooks" after Yes.
void RestoreMouseHooks(MacroStore& store);

} // namespace orvane
