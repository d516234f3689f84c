// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/PasteRun.h"

namespace orvane {

std::optional<PasteRun> PasteRunAt(std::string_view text, std::size_t pos, std::size_t pasteAbove) {
    if (pasteAbove == 0 || pos >= text.size()) {
        return std::nullopt;
    }
    std::size_t end = text.find('<', pos);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    // Cheap refusal before copying: even with every CR LF folded, the run is too short.
    if ((end - pos) <= pasteAbove) {
        return std::nullopt;
    }
    PasteRun run;
    run.End = end;
    run.Text.reserve(end - pos);
    for (std::size_t i = pos; i < end; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            if (i + 1 < end && text[i + 1] == '\n') {
                ++i;
            }
            run.Text.push_back('\n');
        } else if (c == '\n' || c == '\t' || (c >= ' ' && c != 0x7F)) {
            run.Text.push_back(static_cast<char>(c));
        } else {
            return std::nullopt;
        }
    }
    run.Characters = run.Text.size();
    if (run.Characters <= pasteAbove) {
        return std::nullopt;
    }
    return run;
}

} // namespace orvane
