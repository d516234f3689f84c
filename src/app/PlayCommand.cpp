// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayCommand.h"

#include "activation/BringScopeForward.h"
#include "app/DesktopPlayback.h"
#include "app/PlayInput.h"
#include "app/QtEventPump.h"
#include "app/ShellCommands.h"
#include "app/SystemWallClock.h"
#include "app/TerminationSignals.h"
#include "app/Usage.h"
#include "app/desktop/DesktopBackend.h"
#include "core/CodePage.h"
#include "core/MacroRecord.h"
#include "core/WholeFile.h"
#include "library/MacroCatalog.h"
#include "platform/x11/ClipboardKeeper.h"
#include "playback/Player.h"
#include "playback/TypedCharacters.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

namespace orvane {
namespace {

struct PlayArguments {
    std::optional<std::string> Text;
    std::optional<std::string> File;
    std::optional<std::string> Macro;
    std::optional<std::string> MacroFile;
    bool Help = false;
};

std::optional<PlayArguments> ParseArguments(int argc, char** argv) {
    PlayArguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string_view option = argv[i];
        std::optional<std::string>* slot = nullptr;
        if (option == "--help") {
            args.Help = true;
            return args;
        }
        if (option == "--text") {
            slot = &args.Text;
        } else if (option == "--file") {
            slot = &args.File;
        } else if (option == "--macro") {
            slot = &args.Macro;
        } else if (option == "--macro-file") {
            slot = &args.MacroFile;
        } else {
            std::fprintf(stderr, "orvane play: unknown argument \"%s\"\n", argv[i]);
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "orvane play: %s needs a value\n", argv[i]);
            return std::nullopt;
        }
        if (*slot) {
            std::fprintf(stderr, "orvane play: %s given twice\n", argv[i]);
            return std::nullopt;
        }
        *slot = argv[++i];
    }
    const int sources = (args.Text ? 1 : 0) + (args.File ? 1 : 0) + (args.Macro ? 1 : 0);
    if (sources != 1) {
        std::fputs("orvane play: give one of --text TEXT, --file FILE or --macro NAME\n", stderr);
        return std::nullopt;
    }
    if (args.MacroFile && !args.Macro) {
        std::fputs("orvane play: --macro-file goes with --macro\n", stderr);
        return std::nullopt;
    }
    return args;
}

// The stored macro `--macro` names, or nothing after telling the user why not.
std::optional<MacroRecord> StoredMacro(const PlayArguments& args) {
    const std::filesystem::path path =
        args.MacroFile ? std::filesystem::path(*args.MacroFile) : CurrentMacroFile();
    CatalogRead read = ReadMacroCatalog(path);
    if (!read.Catalog) {
        std::fprintf(stderr, "orvane play: %s\n", read.Error.c_str());
        return std::nullopt;
    }
    if (read.Catalog->Warning) {
        std::fprintf(stderr, "orvane play: %s\n", read.Catalog->Warning->c_str());
    }
    const MacroLookup found = FindMacro(read.Catalog->Records, *args.Macro);
    if (found.Number == 0) {
        std::fprintf(stderr, "orvane play: %s: %s\n", path.c_str(), found.Error.c_str());
        return std::nullopt;
    }
    return read.Catalog->Records[static_cast<std::size_t>(found.Number - 1)];
}

// What the macro put on the clipboard stays there after this command ends, as with `xclip -i`:
// a process of our own takes the clipboard over and serves it until another program takes it.
void KeepClipboardAfterExit() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr || !clipboard->ownsClipboard()) {
        return;
    }
    const std::string text = clipboard->text().toStdString();
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !HandClipboardToKeeper(self.string(), ServeClipboardArgument, text)) {
        std::fprintf(stderr, "orvane play: the clipboard could not be kept after the macro; it "
                             "is empty once this command ends.\n");
    }
}

} // namespace

int RunServeClipboard() {
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    return ServeClipboardUntilTaken(text, STDOUT_FILENO);
}

namespace {

// The macro text of `--text` or `--file`, in Windows-1252; nothing when the file cannot be read.
std::optional<std::string> TextFromInput(const PlayArguments& args) {
    std::string bytes;
    if (args.File) {
        auto contents = ReadWholeFile(*args.File);
        if (!contents) {
            std::fprintf(stderr, "orvane play: cannot read \"%s\"\n", args.File->c_str());
            return std::nullopt;
        }
        bytes = std::move(*contents);
    } else {
        bytes = *args.Text;
    }
    PlayInput input = MacroTextFromInput(bytes);
    if (input.Unmappable > 0) {
        std::fprintf(stderr,
                     "orvane play: %zu character(s) have no Windows-1252 form and are typed "
                     "as \"?\"\n",
                     input.Unmappable);
    }
    return std::move(input.MacroText);
}

// A window- or program-specific macro goes where its hot key would send it.
bool BringStoredScopeForward(const MacroRecord& stored, WindowFinder& finder) {
    const ScopeResult scope = BringScopeForward(stored, finder);
    if (scope.Outcome != ScopeOutcome::Ready) {
        std::fprintf(stderr, "orvane play: %s\n",
                     Windows1252ToUtf8(ScopeOutcomeText(scope.Outcome, stored)).c_str());
        return false;
    }
    return true;
}

int PlayOnDesktop(int& argc, char** argv, const std::string& macroText,
                  const std::optional<MacroRecord>& stored) {
    // Our own connection first: without a display Qt would abort with a message of its own.
    std::string notice;
    std::string error;
    const std::unique_ptr<DesktopBackend> desktop =
        OpenDesktopBackend(BackendUse::Play, false, notice, error);
    if (!notice.empty()) {
        std::fprintf(stderr, "orvane play: %s\n", notice.c_str());
    }
    if (!desktop->Live()) {
        std::fprintf(stderr, "orvane play: %s\n", error.c_str());
        return ExitFailed;
    }
    QApplication app(argc, argv);

    // Each wait ends a batch: observers of the input stream learn that our events have passed.
    QtEventPump pump([&desktop] { desktop->EndOfBatch(); }, [&desktop] { desktop->Flush(); });
    QObject context;
    desktop->Listen(context, [&pump](const std::function<bool()>& done,
                                     std::chrono::steady_clock::time_point until) {
        return pump.WaitFor(done, until);
    });
    Prompter messages(nullptr, true);
    // No main window and no macro file here: the prompts hide nothing, "<SWAP:" does nothing.
    std::unique_ptr<DesktopPlayback> playback =
        DesktopPlayback::Open(*desktop, {&pump, &messages, nullptr, {}, {}}, error);
    if (!playback) {
        std::fprintf(stderr, "orvane play: %s\n", error.c_str());
        return ExitFailed;
    }
    if (stored && !BringStoredScopeForward(*stored, playback->Finder())) {
        return ExitFailed;
    }
    SystemWallClock clock;
    InputSynth& synth = desktop->Input();
    Player player(synth, pump, playback->Commands(), playback->Prompts(), clock);

    // Killed in the middle of a macro: keys held and keys bound for the moment go back first.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Requested, [&desktop](int signalNumber) {
        desktop->RestoreKeyboard();
        std::fflush(stderr);
        std::_Exit(128 + signalNumber);
    });

    synth.PrepareCharacters(TypedCharacters(macroText));
    player.Play(macroText, synth.CapsLockOn());
    synth.EndOfPlayback();
    KeepClipboardAfterExit();
    return ExitDone;
}

} // namespace

int RunPlayCommand(int& argc, char** argv) {
    const auto args = ParseArguments(argc, argv);
    if (!args) {
        std::fputc('\n', stderr);
        PrintCommandUsage("play", stderr);
        return ExitBadUsage;
    }
    if (args->Help) {
        PrintCommandUsage("play", stdout);
        return ExitDone;
    }
    std::string macroText;
    std::optional<MacroRecord> stored;
    if (args->Macro) {
        stored = StoredMacro(*args);
        if (!stored) {
            return ExitFailed;
        }
        macroText = stored->Text(); // stored texts are Windows-1252 already
    } else {
        std::optional<std::string> text = TextFromInput(*args);
        if (!text) {
            return ExitFailed;
        }
        macroText = std::move(*text);
    }
    return PlayOnDesktop(argc, argv, macroText, stored);
}

} // namespace orvane
