// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a macro file for the reliability runs: the macros named on the command line, then the
// four system macros. A macro is KEY=TEXT, where KEY is a hot key name ("Ctrl+Alt+Shift+J"),
// ":name" for a ShortKey, or "@window" for a macro timed every minute into that window. Also prints
// the hot key code of a name, for the scripts' own reading. Usage: bench_reliability_file write
// <file.ORV> [KEY=TEXT]...
//        bench_reliability_file code <hot key name>
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"
#include "support/MacroFiles.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace orvane;

bool Parse(const std::string& argument, MacroRecord& record) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
        return false;
    }
    const std::string key = argument.substr(0, equals);
    const std::string text = argument.substr(equals + 1);
    record.Scope = ScopeGlobal;
    record.Active = 1;
    record.SetText(text);
    if (key[0] == '@') {
        record.HotKey = HotKeyTimed;
        record.Scope = ScopeSpecificWindow;
        record.ScopeTarget.Assign(key.substr(1));
        record.SchedKind = 6; // every n minutes
        record.SchedInterval = 1;
        record.Nickname.Assign("every minute");
        return true;
    }
    if (key[0] == ':') {
        record.HotKey = HotKeyShortKey;
        record.ShortKey.Assign(key.substr(1));
        record.Nickname.Assign(key.substr(1));
        return true;
    }
    const std::optional<std::uint16_t> code = HotKeyCodeOf(key);
    if (!code) {
        return false;
    }
    record.HotKey = *code;
    record.Nickname.Assign(text.substr(0, 50));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "code" && argc == 3) {
        const std::optional<std::uint16_t> code = HotKeyCodeOf(argv[2]);
        if (!code) {
            return 1;
        }
        std::printf("%u\n", *code);
        return 0;
    }
    if (command != "write" || argc < 3) {
        std::fprintf(stderr, "usage: %s write <file.ORV> [KEY=TEXT]... | code <hot key>\n",
                     argv[0]);
        return 2;
    }
    std::vector<MacroRecord> all;
    for (int i = 3; i < argc; ++i) {
        MacroRecord record;
        if (!Parse(argv[i], record)) {
            std::fprintf(stderr, "not a macro: %s\n", argv[i]);
            return 2;
        }
        all.push_back(record);
    }
    try {
        WriteMacroFile(argv[2], WithDefaultSystemMacros(std::move(all)));
    } catch (const std::exception&) {
        return 1;
    }
    return 0;
}
