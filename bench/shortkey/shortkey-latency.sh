#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ShortKey latency against AutoKey (installs autokey-gtk when it is missing).
# Usage: bench/shortkey/shortkey-latency.sh <build dir> [rounds]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
if ! command -v autokey-gtk >/dev/null; then
    if [[ $(id -u) -eq 0 ]]; then apt-get install -y autokey-gtk; else sudo apt-get install -y autokey-gtk; fi
fi
ninja -C "$build" bench_shortkey_latency orvane >/dev/null
exec "$build/bench/shortkey/bench_shortkey_latency" "$build/src/app/orvane" "${2:-20}"
