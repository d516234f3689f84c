// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/linux/VirtualKeys.h"

namespace orvane {

// The character a key with this keysym types, or 0 when it types none (function, modifier and
// keypad keys included: the backend never types text through the keypad, whose meaning
// depends on Num Lock). Legacy and Unicode keysyms of one character give the same result:
// EuroSign and U+20AC both give the euro sign. The control keys give their control characters
// (Return a carriage return, Tab, BackSpace, Escape, Delete), except Linefeed, which
// applications do not take for a line break.
char32_t CharacterOfKeysym(Keysym keysym);

// The keysym to bind to a spare key for typing `ch`: the legacy keysym where one exists (the
// form keymaps and older clients know best), else the Unicode keysym. A line feed is the
// Return key. NoKeysym for characters that are not typed at all: other control characters,
// U+0000, noncharacters.
Keysym KeysymOfCharacter(char32_t ch);

// The keysym a spare keycode is bound to for typing `ch`: the character's own keysym in Latin-1,
// its Unicode keysym beyond (which every toolkit reads as the character). NoKeysym as above.
Keysym BindingKeysymOfCharacter(char32_t ch);

} // namespace orvane
