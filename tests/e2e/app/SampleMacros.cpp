// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a macro file of 25 varied macros (every scope, hot keys, ShortKeys, timed macros,
// inactive macros, a long nickname), for screenshots, benchmarks and end-to-end tests.
// Usage: orvane_sample_macros <file.ORV>
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace orvane;

std::uint16_t Code(const char* name) {
    const std::optional<std::uint16_t> code = HotKeyCodeOf(name);
    if (!code) {
        std::fprintf(stderr, "no hot key named %s\n", name);
        std::exit(1);
    }
    return *code;
}

MacroRecord Macro(std::uint16_t hotKey, std::int16_t scope, const std::string& nickname,
                  const std::string& text, const std::string& target = "", bool active = true) {
    MacroRecord record;
    record.Nickname.Assign(nickname);
    record.ScopeTarget.Assign(target);
    record.HotKey = hotKey;
    record.Scope = scope;
    record.Active = active ? 1 : 0;
    record.SetText(text);
    record.Icon.Assign("MAIN");
    record.SchedKind = 3;
    record.SchedDays = {1, 1, 1, 1, 1, 1, 1};
    record.SchedHour = 12;
    record.SchedPM = 1;
    record.SchedMonth = 1;
    record.SchedDay = 1;
    record.SchedYear = 2024;
    record.SchedWeekday = 1;
    record.SchedPastHour = 15;
    record.SchedInterval = 15;
    record.TopMostOnly = scope == 2 || scope == 3 ? 1 : 0;
    record.LastModified = 45000.5;
    return record;
}

MacroRecord ShortKeyMacro(const std::string& shortKey, const std::string& nickname,
                          const std::string& text, bool active = true) {
    MacroRecord record = Macro(HotKeyShortKey, ScopeGlobal, nickname, text, "", active);
    record.ShortKey.Assign(shortKey);
    return record;
}

MacroRecord TimedMacro(const std::string& nickname, std::int16_t kind, bool active = true) {
    MacroRecord record = Macro(HotKeyTimed, ScopeGlobal, nickname, "<BEEP>", "", active);
    record.SchedKind = kind;
    return record;
}

MacroRecord System(char digit, const char* nickname, const char* key) {
    MacroRecord record = Macro(Code(key), ScopeSystem, nickname, "", std::string(1, digit));
    record.Icon.Assign("");
    return record;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file.ORV>\n", argv[0]);
        return 2;
    }
    std::vector<MacroRecord> macros = {
        System('1', "Activate Orvane", "Ctrl+Alt+Shift+W"),
        System('2', "Start / Stop Capture", "Ctrl+Alt+Shift+X"),
        System('3', "Resume Pause", "Ctrl+Alt+Shift+Y"),
        System('4', "Menu of Macros for Top Most Window", "Ctrl+Alt+Shift+Z"),
        Macro(Code("Ctrl+Alt+A"), ScopeGlobal, "Home address", "12 Harbour Road<ENTER>Leith"),
        Macro(Code("Ctrl+Alt+D"), ScopeGlobal, "Today's date", "<DATE>"),
        Macro(Code("Ctrl+Alt+E"), ScopeGlobal, "E-mail address", "me@example.org"),
        Macro(Code("Ctrl+Alt+S"), ScopeGlobal, "Signature block", "Kind regards,<ENTER>Sam"),
        Macro(Code("Ctrl+Shift+F12"), ScopeGlobal,
              "Open the weekly report template and fill in this week's figures", "<LAUNCH:x>"),
        Macro(Code("Alt+Shift+T"), ScopeGlobal, "Terminal here", "<LAUNCH:xterm>", "", false),
        Macro(Code("F9"), ScopeGlobal, "Mute notifications", "<BEEP>"),
        Macro(Code("Ctrl+Alt+1"), ScopeSpecificWindow, "Reply: thanks",
              "Thanks, I will look into it.", "Inbox - Mail"),
        Macro(Code("Ctrl+Alt+2"), ScopeSpecificWindow, "Reply: out of office",
              "I am away until Monday.", "Inbox - Mail", false),
        Macro(Code("Ctrl+Alt+P"), ScopeSpecificWindow, "Print to PDF", "<CTRL>p",
              "Document Viewer - a long window title"),
        Macro(Code("Ctrl+Alt+G"), ScopeSpecificProgram, "Export as PNG", "<CTRL><SHIFT>e", "GIMP"),
        Macro(Code("Ctrl+Alt+F"), ScopeSpecificProgram, "Format paragraph", "<ALT>o",
              "SOFFICE.BIN"),
        Macro(Code("Ctrl+Alt+Shift+M"), ScopePopupMenu, "Letters", ""),
        Macro(Code("Ctrl+Alt+Shift+N"), ScopePopupMenu, "Snippets", "", "", false),
        ShortKeyMacro("sig", "Short signature", "Sam"),
        ShortKeyMacro("addr", "Postal address", "12 Harbour Road"),
        ShortKeyMacro("tyvm", "Thank you very much", "Thank you very much!"),
        ShortKeyMacro("brb", "Be right back", "Be right back.", false),
        TimedMacro("Stretch reminder", 2),
        TimedMacro("Back up the notes folder", 3),
        TimedMacro("Start-up greeting", 0, false),
    };
    // Popup menus: the tray flag, the display mode and the icon size.
    macros[16].ShortKey.Assign("Y32");
    macros[16].SetPopupMembers(std::vector<std::uint16_t>{5, 7, 8});
    macros[17].ShortKey.Assign("N12");
    macros[17].SetPopupMembers(std::vector<std::uint16_t>{19, 20});
    macros[16].Icon.Assign("MENU");
    macros[17].Icon.Assign("MENU");

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (const MacroRecord& record : macros) {
        const MacroRecordBytes bytes = record.ToBytes();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    out.close();
    if (!out) {
        std::fprintf(stderr, "could not write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
