#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Hot key latency against sxhkd + xdotool (installs sxhkd when it is missing).
# Usage: bench/hotkey/hotkey-latency.sh <build dir> [rounds]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
if ! command -v sxhkd >/dev/null; then
    if [[ $(id -u) -eq 0 ]]; then apt-get install -y sxhkd; else sudo apt-get install -y sxhkd; fi
fi
ninja -C "$build" bench_hotkey_latency orvane >/dev/null
exec "$build/bench/hotkey/bench_hotkey_latency" "$build/src/app/orvane" "${2:-20}"
