// SPDX-License-Identifier: GPL-3.0-or-later
// The script reader over arbitrary text: every item lies inside the text, free-text fields keep
// their cap, and reading from every position terminates.
#include "script/ScriptReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const ScriptItem item = ReadScriptItem(text, pos);
        if (item.Length == 0 || item.Length > text.size() - pos ||
            item.Text.size() > MaxFieldText || item.Text2.size() > MaxFieldText ||
            (item.Kind == ItemKind::Character && item.Length != 1) ||
            (item.Kind != ItemKind::Character && text[pos] != '<')) {
            std::abort();
        }
        if (item.Kind == ItemKind::LaunchNo || item.Kind == ItemKind::Launch) {
            const LaunchCommand command = SplitLaunchCommand(item.Text2);
            if (command.Program.size() + command.Parameters.size() > item.Text2.size()) {
                std::abort();
            }
        }
    }
    (void)ConvertRealField(text.substr(0, 5));
    return 0;
}
