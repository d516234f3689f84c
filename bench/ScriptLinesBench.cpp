// SPDX-License-Identifier: GPL-3.0-or-later
// The scripting editor's own work on a full macro (5000 characters, every command among plain
// text): loading it into script lines when the editor opens, and saving the lines back on "&Ok".
#include "ScriptCorpus.h"
#include "editing/ScriptLines.h"

#include <benchmark/benchmark.h>

namespace {

using namespace orvane;

void LoadFullMacro(benchmark::State& state) {
    const std::string text = corpus::FiveThousandCharacters();
    for (auto _ : state) {
        std::vector<ScriptLine> lines = BuildTheScript(text);
        SetIndents(lines);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(LoadFullMacro)->Unit(benchmark::kMillisecond);

void SaveFullMacro(benchmark::State& state) {
    std::vector<ScriptLine> lines = BuildTheScript(corpus::FiveThousandCharacters());
    SetIndents(lines);
    for (auto _ : state) {
        std::string text = ScriptText(lines);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(SaveFullMacro)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
