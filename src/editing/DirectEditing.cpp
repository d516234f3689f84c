// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/DirectEditing.h"

#include "core/CodePage.h"
#include "editing/commands/KeystrokeText.h"

namespace orvane {

ScriptSaveOutcome SaveDirectText(std::string_view text, const ScriptEditorForm& form, double now,
                                 MacroRecord& record) {
    const UpdatedText updated = UpdateKeystrokes(text);
    ScriptSaveOutcome outcome = SaveMacroText(updated.Text, form, now, record);
    outcome.Truncated = !outcome.Refusal && updated.Truncated;
    return outcome;
}

std::string UnstorableCharacters(std::string_view utf8) {
    std::u32string found;
    for (const char32_t c : DecodeUtf8(utf8)) {
        if (!UnicodeToWindows1252(c) && found.find(c) == std::u32string::npos) {
            found += c;
        }
    }
    return EncodeUtf8(found);
}

} // namespace orvane
