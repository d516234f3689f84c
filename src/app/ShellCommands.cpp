// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ShellCommands.h"

#include "app/Usage.h"
#include "core/Paths.h"
#include "core/ProgramLifecycle.h"
#include "core/SettingsFile.h"
#include "library/MacroCatalog.h"

#include <cstdio>
#include <string_view>
#include <unistd.h>

namespace orvane {
namespace {

struct CatalogOptions {
    std::optional<std::string> File;
    bool Json = false;
    std::optional<std::string> Macro; // `show`'s NICKNAME|NUMBER
};

int BadUsage(std::string_view command, const std::string& message) {
    std::fprintf(stderr, "orvane %.*s: %s\n\n", static_cast<int>(command.size()), command.data(),
                 message.c_str());
    PrintCommandUsage(command, stderr);
    return ExitBadUsage;
}

// Parses the arguments after the command name; `takesMacro` for `show`, `takesJson` for
// `list`. Returns the exit status when the command ends here (help, bad usage).
std::optional<int> ParseOptions(std::string_view command, int argc, char** argv, bool takesMacro,
                                bool takesJson, CatalogOptions& options) {
    bool endOfOptions = false;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!endOfOptions && arg == "--help") {
            PrintCommandUsage(command, stdout);
            return ExitDone;
        }
        if (!endOfOptions && arg == "--") {
            endOfOptions = true;
        } else if (!endOfOptions && arg == "--file") {
            if (i + 1 >= argc) {
                return BadUsage(command, "--file needs a file name");
            }
            if (options.File) {
                return BadUsage(command, "--file given twice");
            }
            options.File = argv[++i];
        } else if (!endOfOptions && takesJson && arg == "--json") {
            options.Json = true;
        } else if (!endOfOptions && arg.size() > 1 && arg.front() == '-') {
            return BadUsage(command, "unknown option \"" + std::string(arg) + "\"");
        } else if (takesMacro && !options.Macro) {
            options.Macro = std::string(arg);
        } else {
            return BadUsage(command, "unexpected argument \"" + std::string(arg) + "\"");
        }
    }
    if (takesMacro && !options.Macro) {
        return BadUsage(command, "give the macro's nickname or number");
    }
    return std::nullopt;
}

// Reads the catalog, telling the user on standard error what the program would tell them.
std::optional<MacroCatalog> ReadCatalog(std::string_view command,
                                        const std::optional<std::string>& file) {
    const std::filesystem::path path = file ? std::filesystem::path(*file) : CurrentMacroFile();
    CatalogRead read = ReadMacroCatalog(path);
    if (!read.Catalog) {
        std::fprintf(stderr, "orvane %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                     read.Error.c_str());
        return std::nullopt;
    }
    if (read.Catalog->Warning) {
        std::fprintf(stderr, "orvane %.*s: %s\n", static_cast<int>(command.size()), command.data(),
                     read.Catalog->Warning->c_str());
    }
    return std::move(read.Catalog);
}

int Finish() {
    // A full disk or a closed pipe must not pass for success.
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? ExitDone : ExitFailed;
}

} // namespace

std::filesystem::path CurrentMacroFile() {
    const ProgramFolders folders = ProgramFoldersFrom(ProcessEnvironment(), ::getuid());
    const SettingsBlock settings =
        LoadSettings(folders.SettingsFile, SettingsContext{folders.Data, {}});
    return PathFromStored(settings.CurrentFile);
}

int RunListCommand(int argc, char** argv) {
    CatalogOptions options;
    if (const auto status = ParseOptions("list", argc, argv, false, true, options)) {
        return *status;
    }
    const std::optional<MacroCatalog> catalog = ReadCatalog("list", options.File);
    if (!catalog) {
        return ExitFailed;
    }
    if (options.Json) {
        std::fputs(ListingJson(*catalog).c_str(), stdout);
    } else {
        for (const std::string& line : ListingLines(*catalog)) {
            std::fputs(line.c_str(), stdout);
            std::fputc('\n', stdout);
        }
    }
    return Finish();
}

int RunShowCommand(int argc, char** argv) {
    CatalogOptions options;
    if (const auto status = ParseOptions("show", argc, argv, true, false, options)) {
        return *status;
    }
    const std::optional<MacroCatalog> catalog = ReadCatalog("show", options.File);
    if (!catalog) {
        return ExitFailed;
    }
    const MacroLookup found = FindMacro(catalog->Records, *options.Macro);
    if (found.Number == 0) {
        std::fprintf(stderr, "orvane show: %s: %s\n", catalog->Path.c_str(), found.Error.c_str());
        return ExitFailed;
    }
    const std::string details =
        MacroDetails(catalog->Records[static_cast<std::size_t>(found.Number - 1)], found.Number);
    std::fputs(details.c_str(), stdout);
    return Finish();
}

} // namespace orvane
