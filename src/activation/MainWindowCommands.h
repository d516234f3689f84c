// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace orvane {

class MacroStore;
class MacroTable;

inline constexpr std::string_view KeyboardHooksCaption = "Keyboard Hooks";
inline constexpr std::string_view KeyboardHooksQuestion =
    "If Orvane 98's hot keys or ShortKeys stopped working (another program may have taken a key "
    "while it ran, or the keyboard was unplugged or changed), this option lets go of the keyboard "
    "and takes it again: the hot keys are grabbed anew and typed keys are watched again for "
    "ShortKeys and captures.  Continue?";
inline constexpr std::string_view MouseHooksCaption = "Mouse Hooks";
inline constexpr std::string_view MouseHooksQuestion =
    "If hot keys on mouse buttons or clicks in a capture stopped working (another program may "
    "have taken a button while it ran, or the mouse was unplugged or changed), this option lets "
    "go of the mouse and takes it again: the mouse buttons are grabbed anew and clicks and "
    "movements are watched again.  Continue?";

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
