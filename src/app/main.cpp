// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuiMain.h"
#include "app/PlayCommand.h"
#include "app/ShellCommands.h"
#include "app/Usage.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "play") {
        return orvane::RunPlayCommand(argc, argv);
    }
    if (command == orvane::ServeClipboardArgument) {
        return orvane::RunServeClipboard();
    }
    if (command == "list") {
        return orvane::RunListCommand(argc, argv);
    }
    if (command == "show") {
        return orvane::RunShowCommand(argc, argv);
    }
    if (command == "--help" || command == "-h") {
        orvane::PrintUsage(stdout);
        return 0;
    }
    if (command == "--version") {
        orvane::PrintVersion(stdout);
        return 0;
    }
    // Anything else starts the program with its main window; its switches ("/HIDE", "/F" ...)
    // are read there, and unknown ones are ignored.
    return orvane::RunGui(argc, argv);
}
