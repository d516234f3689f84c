// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Usage.h"

namespace orvane {

void PrintUsage(std::FILE* out) {
    std::fputs("Usage: orvane [--help]\n"
               "       orvane play --text TEXT\n"
               "       orvane play --file FILE\n"
               "\n"
               "Keyboard and mouse macros for the Linux desktop.\n"
               "\n"
               "  play     plays a macro text into the window that has the keyboard focus and\n"
               "           exits when it is done\n"
               "  --text   the macro text itself (UTF-8)\n"
               "  --file   a file holding the macro text (UTF-8, else Windows-1252)\n"
               "  --help   shows this summary\n",
               out);
}

} // namespace orvane
