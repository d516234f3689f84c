// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The characters a macro text may type, in the order it names them: its plain characters and
// the characters its Alt codes stand for; tags are skipped. Synthesis binds keys for the
// characters the keyboard lacks from this list before the first key of the playback is sent,
// so that no program reads a key that was bound after it started reading keys.
std::u32string TypedCharacters(std::string_view macroText);

} // namespace orvane
