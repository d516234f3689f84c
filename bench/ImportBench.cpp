// SPDX-License-Identifier: GPL-3.0-or-later
// Importing a whole older hot key file of 500 macros into a macro file that holds the four
// system macros: listing the file, and "&Ok" with every line chosen (the last four do not fit,
// the user says Yes). The "rewrites" counter is how often the macro file was replaced during one
// import, counted by the kernel (inotify renames into the folder), not by the program.
#include "core/HookLibrary.h"
#include "core/MacroStore.h"
#include "library/ImportFile.h"
#include "library/MacroImport.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

using namespace orvane;
namespace fs = std::filesystem;

// Says Yes to the question about the macros that do not fit.
class YesMessages : public MessageSink {
public:
    void Show(std::string_view, std::string_view) override {}
    bool Ask(std::string_view, std::string_view) override { return true; }
};

const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path f =
            fs::temp_directory_path() / ("orvane-import-bench-" + std::to_string(::getpid()));
        fs::create_directories(f);
        return f;
    }();
    return folder;
}

// 500 older records, each with its own key or the timed code, a name and a short text, laid
// out as the older program wrote them.
fs::path OldFile() {
    static const fs::path path = [] {
        const fs::path p = Folder() / "OFFICE.KE2";
        std::ofstream out(p, std::ios::binary);
        for (int i = 0; i < 500; ++i) {
            std::string b(OldHotKeyRecordSize, '\0');
            const std::string name = "Macro number " + std::to_string(i);
            b[0] = static_cast<char>(name.size());
            b.replace(1, name.size(), name);
            const unsigned code = i < 250 ? static_cast<unsigned>(i) : HotKeyTimed;
            b[82] = static_cast<char>(code & 0xFF);
            b[83] = static_cast<char>(code >> 8);
            b[84] = 1;
            b[86] = 1;
            b[87] = static_cast<char>(i % 2);
            const std::string text(static_cast<std::size_t>(100 + i * 7), 't');
            b.replace(90, text.size(), text);
            out << b;
        }
        return p;
    }();
    return path;
}

void ListOldHotKeyFile(benchmark::State& state) {
    for (auto _ : state) {
        const ImportRead read = ReadImportFile(OldFile(), 45000.0);
        benchmark::DoNotOptimize(read.File->Entries.size());
    }
}
BENCHMARK(ListOldHotKeyFile)->Unit(benchmark::kMillisecond);

void ImportFiveHundred(benchmark::State& state) {
    NullHookLibrary hook;
    YesMessages messages;
    MacroStore store(hook, messages);
    const fs::path current = Folder() / "Current.ORV";
    const ImportFile file = *ReadImportFile(OldFile(), 45000.0).File;
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ::inotify_add_watch(watch, Folder().c_str(), IN_MOVED_TO);
    std::int64_t rewrites = 0;
    std::int64_t imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(current);
        store.LoadMacroFile(current); // the four system macros
        alignas(inotify_event) char events[8192];
        while (::read(watch, events, sizeof events) > 0) {
        }
        std::vector<bool> chosen(file.Entries.size(), true);
        state.ResumeTiming();

        imported += ImportSelected(store, file, chosen, messages, 45000.0).Imported;

        state.PauseTiming();
        for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;) {
            for (char* at = events; at < events + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                rewrites += event->len > 0 && std::string(event->name) == "Current.ORV" ? 1 : 0;
                at += sizeof(inotify_event) + event->len;
            }
        }
        state.ResumeTiming();
    }
    ::close(watch);
    state.counters["imported"] =
        benchmark::Counter(static_cast<double>(imported), benchmark::Counter::kAvgIterations);
    state.counters["rewrites"] =
        benchmark::Counter(static_cast<double>(rewrites), benchmark::Counter::kAvgIterations);
}
BENCHMARK(ImportFiveHundred)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(Folder());
    return 0;
}
