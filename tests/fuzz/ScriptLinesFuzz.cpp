// SPDX-License-Identifier: GPL-3.0-or-later
// Macro text to script lines and back over arbitrary text: nothing crashes, the text the editor
// saves loads again into the very same lines, and saving those gives the same bytes.
#include "editing/ScriptLines.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptLine> lines = BuildTheScript(text);
    SetIndents(lines);
    const std::string saved = ScriptText(lines);
    // Longer texts are cut to 5000 characters when stored, which may cut a tag in two.
    if (saved.size() > 5000) {
        return 0;
    }
    std::vector<ScriptLine> reloaded = BuildTheScript(saved);
    SetIndents(reloaded);
    if (reloaded != lines || ScriptText(reloaded) != saved) {
        std::abort();
    }
    for (const ScriptLine& line : lines) {
        if (!CommandCodeOf(line.Text)) {
            std::abort();
        }
    }
    return 0;
}
