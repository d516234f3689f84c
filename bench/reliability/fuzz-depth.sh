#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzing at depth: every libFuzzer target of tests/fuzz runs from its seed corpus for the given
# time, in a scratch corpus of its own, and the executions are counted. The macro-file target
# gets inputs of three whole records (its records are 5165 bytes, past libFuzzer's default).
# A crash leaves its input in the scratch folder and fails the run.
# Usage: bench/reliability/fuzz-depth.sh <sanitizer build dir> [seconds per target] [scratch dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
build=$(realpath "${1:-build-san}")
seconds=${2:-60}
scratch=${3:-$(mktemp -d)}
total=0
failed=0
echo "| Target | Seconds | Executions | Corpus at the end |"
echo "|---|---|---|---|"
for source in tests/fuzz/*Fuzz.cpp; do
    target=$(sed -n 's/^orvane_fuzz_target(\([a-z_]*\) '"$(basename "$source")"')$/\1/p' \
        tests/fuzz/CMakeLists.txt)
    [[ -n "$target" ]] || continue
    extra=()
    [[ "$target" == fuzz_macro_file ]] && extra=(-max_len=15495)
    mkdir -p "$scratch/$target"
    log="$scratch/$target.log"
    status=ok
    (cd "$scratch/$target" && ASAN_OPTIONS=detect_leaks=1 "$build/tests/fuzz/$target" \
        -max_total_time="$seconds" -print_final_stats=1 "${extra[@]}" \
        "$scratch/$target" "$repo/tests/fuzz/corpus/$target") >"$log" 2>&1 || status=failed
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    corpus=$(find "$scratch/$target" -type f | wc -l)
    if [[ "$status" != ok ]]; then
        failed=1
        runs="${runs:-?} (FAILED, see $log)"
    fi
    echo "| $target | $seconds | ${runs:-0} | $corpus |"
    [[ "${runs%% *}" =~ ^[0-9]+$ ]] && total=$((total + ${runs%% *}))
done
echo
echo "Executions in total: $total (load $(cut -d' ' -f1-3 /proc/loadavg))"
exit "$failed"
