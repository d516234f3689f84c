// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Usage.h"

namespace orvane {
namespace {

constexpr const char* ListUsage =
    "Usage: orvane list [--json] [--file FILE]\n"
    "\n"
    "Lists the macros of the current macro file, one line each in file order: the macro's\n"
    "number, its activation (hot key, ShortKey or \"Timed Macro\"), its scope and its nickname.\n"
    "\n"
    "  --json       one JSON object for scripts: {\"file\": ..., \"macros\": [...]}\n"
    "  --file FILE  read this macro file instead of the current one\n"
    "  --help       shows this help\n";

constexpr const char* ShowUsage =
    "Usage: orvane show [--file FILE] NICKNAME|NUMBER\n"
    "\n"
    "Shows one macro of the current macro file: its fields and its text. NICKNAME is matched\n"
    "exactly first, then in any case; a NUMBER is the macro's number from \"orvane list\".\n"
    "\n"
    "  --file FILE  read this macro file instead of the current one\n"
    "  --help       shows this help\n";

constexpr const char* PlayUsage =
    "Usage: orvane play --text TEXT\n"
    "       orvane play --file FILE\n"
    "       orvane play --macro NICKNAME|NUMBER [--macro-file FILE]\n"
    "\n"
    "Plays a macro into the window that has the keyboard focus and exits when it is done.\n"
    "\n"
    "  --text TEXT        the macro text itself (UTF-8)\n"
    "  --file FILE        a file holding the macro text (UTF-8, else Windows-1252)\n"
    "  --macro NAME       a macro of the current macro file, by nickname or number, played as\n"
    "                     its hot key plays it: a window- or program-specific macro first\n"
    "                     brings its window to the front\n"
    "  --macro-file FILE  with --macro: read this macro file instead of the current one\n"
    "  --help             shows this help\n";

constexpr const char* ExitStatus = "\n"
                                   "Exit status: 0 done, 1 failed, 2 bad usage.\n";

} // namespace

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: orvane [/F FILE] [/HIDE] [/B | /BA] [/S] [/N] [/SM MINUTES]\n"
               "       orvane list [--json] [--file FILE]\n"
               "       orvane show [--file FILE] NICKNAME|NUMBER\n"
               "       orvane play --text TEXT | --file FILE | --macro NICKNAME|NUMBER\n"
               "       orvane --version | --help | COMMAND --help\n"
               "\n"
               "Keyboard and mouse macros for the Linux desktop.\n"
               "\n"
               "Without a command the program starts (one per user and display):\n"
               "  /F FILE      open this macro file\n"
               "  /HIDE        start hidden (in the system tray)\n"
               "  /B, /BA      lock the commands that change macros (/BA: and more)\n"
               "  /S, /N       turn Auto Sync on; network mode\n"
               "  /SM MINUTES  the sync interval, 1 to 98 minutes\n"
               "\n"
               "Commands, which work from the shell beside the running program:\n"
               "  list     lists the macros of the current macro file\n"
               "  show     shows one macro's fields and text\n"
               "  play     plays a macro text, a text file or a stored macro into the window\n"
               "           that has the keyboard focus\n",
               out);
    std::fputs(ExitStatus, out);
}

void PrintCommandUsage(std::string_view command, std::FILE* out) {
    if (command == "list") {
        std::fputs(ListUsage, out);
    } else if (command == "show") {
        std::fputs(ShowUsage, out);
    } else if (command == "play") {
        std::fputs(PlayUsage, out);
    } else {
        PrintUsage(out);
        return;
    }
    std::fputs(ExitStatus, out);
}

void PrintVersion(std::FILE* out) {
    std::fputs("orvane " ORVANE_VERSION "\n", out);
}

} // namespace orvane
