#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time and idle cost of the program: time from start to the main window shown (the
# sample file of 25 macros), then resident memory, CPU time and context switches (wake-ups) of the
# idle program over 60 seconds. Runs on a virtual display with a private home folder.
# Usage: bench/program-idle.sh <build dir> [idle seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
idle=${2:-60}
if [[ -z "${ORVANE_ON_VIRTUAL_DISPLAY:-}" ]]; then
    ORVANE_ON_VIRTUAL_DISPLAY=1 exec tools/with-virtual-display "$0" "$build" "$idle"
fi

home=$(mktemp -d)
program=
cleanup() {
    [[ -s "$home/orvane.log" ]] && sed "s/^/orvane: /" "$home/orvane.log" >&2
    if [[ -n "$program" ]]; then
        kill "$program" 2>/dev/null
        wait "$program" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$home/run" LC_ALL=C.UTF-8
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$build/tests/e2e/app/orvane_sample_macros" "$home/Macros.ORV"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() {
    awk '/^(voluntary|nonvoluntary)_ctxt_switches/ {n += $2} END {print n}' "/proc/$1/status"
}

runs=5
total=0
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    "$build/src/app/orvane" /F "$home/Macros.ORV" 2>>"$home/orvane.log" &
    program=$!
    until xdotool search --onlyvisible --name '^Orvane 98 \(Macros\)$' >/dev/null 2>&1; do
        sleep 0.005
    done
    shown=$(date +%s%N)
    ms=$(((shown - start) / 1000000))
    total=$((total + ms))
    echo "start to main window shown, run $run: $ms ms"
    if ((run < runs)); then
        kill "$program"
        wait "$program" 2>/dev/null || true
    fi
done
echo "start to main window shown, mean of $runs: $((total / runs)) ms"

sleep 2 # let the first paints and the window manager settle
cpu0=$(cpu_ticks "$program")
sw0=$(switches "$program")
sleep "$idle"
cpu1=$(cpu_ticks "$program")
sw1=$(switches "$program")
rss=$(awk '/^VmRSS/ {print $2, $3}' "/proc/$program/status")
echo "idle over $idle s: CPU $(((cpu1 - cpu0) * 1000 / ticks)) ms, context switches $((sw1 - sw0)), resident memory $rss"
