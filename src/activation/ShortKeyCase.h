// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The case an abbreviation was typed in, as the text it expands to takes it on.
enum class LetterCase {
    AsStored,   // "sig": the text as it is stored
    FirstUpper, // "Sig" (or a one-letter "S"): the text's first letter upper-case
    AllUpper,   // "SIG": every letter upper-case
};

// The case of `typed`, the ShortKey as the user typed it (Windows-1252; the word characters are
// ASCII): every letter upper-case, two letters or more, is AllUpper; a first letter upper-case
// is FirstUpper; anything else, and a word without letters, AsStored.
LetterCase CaseOfTyped(std::string_view typed);

// `macroText` with the letters of its plain text in `letterCase`. Only a-z and the accented
// Latin-1 letters change; letters past Latin-1 (š, œ, ž, ÿ ...) and ß keep their case, and
// tags are copied as they are, with their fields and the body of a clipboard block. The first
// letter is the first letter of the plain text, wherever it stands.
std::string FollowCase(std::string_view macroText, LetterCase letterCase);

} // namespace orvane
