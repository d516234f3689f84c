// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a full macro file (500 macros) and recomputing the hot keys in use over it: the work
// done at start-up, on opening a file, and after every delete and network reload.
#include "core/HookLibrary.h"
#include "core/MacroStore.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace orvane;

// Counts the calls, as a backend copying a few fields per call would cost about as little.
class CountingHookLibrary : public NullHookLibrary {
public:
    void OrvUpKeys(const MacroTable&) override { ++Calls; }
    void OrvUpShort(const MacroTable&) override { ++Calls; }
    void OrvUpItem(const MacroTable&, int) override { ++Calls; }
    void OrvUpNumKeys(const MacroTable&) override { ++Calls; }
    long Calls = 0;
};

class NoMessages : public MessageSink {
public:
    void Show(std::string_view, std::string_view) override {}
};

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvane-bench-" + std::to_string(::getpid()));
    return folder;
}

// A file of the four system macros and 496 others with hot keys, ShortKeys and timed ones.
std::filesystem::path FullFile() {
    static const std::filesystem::path file = [] {
        std::filesystem::create_directories(Folder());
        const auto path = Folder() / "FULL.ORV";
        std::ofstream out(path, std::ios::binary);
        for (int i = 1; i <= MaxMacros; ++i) {
            MacroRecord r;
            if (i <= 4) {
                const SystemMacroKind& kind = SystemMacroKinds[i - 1];
                r.Nickname.Assign(kind.Nickname);
                r.ScopeTarget.Assign(std::string(1, kind.Digit));
                r.HotKey = kind.DefaultHotKey;
                r.Scope = ScopeSystem;
            } else {
                r.Nickname.Assign("Macro number " + std::to_string(i));
                r.HotKey = i % 10 == 0   ? HotKeyShortKey
                           : i % 10 == 1 ? HotKeyTimed
                                         : static_cast<std::uint16_t>(i % HotKeyCount);
                r.Scope = static_cast<std::int16_t>(1 + i % 3);
                r.ScopeTarget.Assign("Some window title " + std::to_string(i));
                r.SetText(std::string(static_cast<std::size_t>(i * 7 % 4000), 'k'));
            }
            r.Active = i % 7 == 0 ? 0 : 1;
            const MacroRecordBytes bytes = r.ToBytes();
            out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        }
        return path;
    }();
    return file;
}

void LoadFullMacroFile(benchmark::State& state) {
    CountingHookLibrary hook;
    NoMessages messages;
    MacroStore store(hook, messages);
    const auto file = FullFile();
    for (auto _ : state) {
        store.LoadMacroFile(file);
        benchmark::DoNotOptimize(store.MacroCount());
    }
    state.SetItemsProcessed(state.iterations() * MaxMacros);
    state.SetBytesProcessed(state.iterations() * MaxMacros *
                            static_cast<std::int64_t>(MacroRecordSize));
}
BENCHMARK(LoadFullMacroFile)->Unit(benchmark::kMicrosecond);

void SetHotKeysOverFullFile(benchmark::State& state) {
    CountingHookLibrary hook;
    NoMessages messages;
    MacroStore store(hook, messages);
    store.LoadMacroFile(FullFile());
    for (auto _ : state) {
        store.SetHotKeys();
        benchmark::DoNotOptimize(store.Table().Data().data());
    }
    state.SetItemsProcessed(state.iterations() * MaxMacros);
}
BENCHMARK(SetHotKeysOverFullFile)->Unit(benchmark::kMicrosecond);

void LoadAndSetHotKeys(benchmark::State& state) {
    CountingHookLibrary hook;
    NoMessages messages;
    MacroStore store(hook, messages);
    const auto file = FullFile();
    for (auto _ : state) {
        store.LoadMacroFile(file);
        store.SetHotKeys();
        benchmark::DoNotOptimize(store.Table().Data().data());
    }
}
BENCHMARK(LoadAndSetHotKeys)->Unit(benchmark::kMicrosecond);

void RemoveScratch() {
    std::filesystem::remove_all(Folder());
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveScratch();
    return 0;
}
