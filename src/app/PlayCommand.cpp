// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayCommand.h"

#include "app/DesktopPlayback.h"
#include "app/PlayInput.h"
#include "app/QtEventPump.h"
#include "app/SystemWallClock.h"
#include "app/TerminationSignals.h"
#include "app/Usage.h"
#include "core/CodePage.h"
#include "platform/x11/X11InputSynth.h"
#include "playback/Player.h"
#include "ui/Prompter.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {
namespace {

struct PlayArguments {
    std::optional<std::string> Text;
    std::optional<std::string> File;
};

std::optional<PlayArguments> ParseArguments(int argc, char** argv) {
    PlayArguments args;
    for (int i = 2; i < argc; ++i) {
        const std::string_view option = argv[i];
        if ((option == "--text" || option == "--file") && i + 1 < argc) {
            auto& slot = option == "--text" ? args.Text : args.File;
            if (slot) {
                std::fprintf(stderr, "orvane play: %s given twice\n", argv[i]);
                return std::nullopt;
            }
            slot = argv[++i];
        } else if (option == "--text" || option == "--file") {
            std::fprintf(stderr, "orvane play: %s needs a value\n", argv[i]);
            return std::nullopt;
        } else {
            std::fprintf(stderr, "orvane play: unknown argument \"%s\"\n", argv[i]);
            return std::nullopt;
        }
    }
    if (args.Text.has_value() == args.File.has_value()) {
        std::fputs("orvane play: give either --text TEXT or --file FILE\n", stderr);
        return std::nullopt;
    }
    return args;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string contents((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return contents;
}

std::u32string Characters(std::string_view macroText) {
    std::u32string characters;
    characters.reserve(macroText.size());
    for (char c : macroText) {
        characters.push_back(Windows1252ToUnicode(static_cast<unsigned char>(c)));
    }
    return characters;
}

} // namespace

int RunPlayCommand(int& argc, char** argv) {
    const auto args = ParseArguments(argc, argv);
    if (!args) {
        std::fputc('\n', stderr);
        PrintUsage(stderr);
        return 2;
    }
    std::string bytes;
    if (args->File) {
        auto contents = ReadWholeFile(*args->File);
        if (!contents) {
            std::fprintf(stderr, "orvane play: cannot read \"%s\"\n", args->File->c_str());
            return 1;
        }
        bytes = std::move(*contents);
    } else {
        bytes = *args->Text;
    }
    const PlayInput input = MacroTextFromInput(bytes);
    if (input.Unmappable > 0) {
        std::fprintf(stderr,
                     "orvane play: %zu character(s) have no Windows-1252 form and are typed "
                     "as \"?\"\n",
                     input.Unmappable);
    }

    // Our own connection first: without a display Qt would abort with a message of its own.
    std::string error;
    std::unique_ptr<X11InputSynth> synth = X11InputSynth::Open(nullptr, error);
    if (!synth) {
        std::fprintf(stderr, "orvane play: %s\n", error.c_str());
        return 1;
    }
    QApplication app(argc, argv);

    // Each wait ends a batch: observers of the input stream learn that our events have passed.
    QtEventPump pump([&synth] { synth->EndOfBatch(); });
    Prompter messages(nullptr, true);
    // No main window and no macro file here: the prompts hide nothing, "<SWAP:" does nothing.
    std::unique_ptr<DesktopPlayback> desktop =
        DesktopPlayback::Open(nullptr, {&pump, &messages, nullptr, {}, {}}, error);
    if (!desktop) {
        std::fprintf(stderr, "orvane play: %s\n", error.c_str());
        return 1;
    }
    SystemWallClock clock;
    Player player(*synth, pump, desktop->Commands(), desktop->Prompts(), clock);

    // Killed in the middle of a macro: keys held and keys bound for the moment go back first.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::Requested, [&synth](int signalNumber) {
        synth->RestoreKeyboard();
        std::fflush(stderr);
        std::_Exit(128 + signalNumber);
    });

    synth->PrepareCharacters(Characters(input.MacroText));
    player.Play(input.MacroText, synth->CapsLockOn());
    synth->EndOfPlayback();
    return 0;
}

} // namespace orvane
