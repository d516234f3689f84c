#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reliability runs of the real program on virtual displays, ending with one markdown table.
By hand:  bench/reliability/reliability.py --build build [--kills 1000] [--soak-minutes 60]
Smoke:    bench/reliability/reliability.py --build build --smoke  (each part for a few seconds;
          exits 1 when any figure shows a fault)."""

import argparse
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import kill_consistency  # noqa: E402
import held_modifiers  # noqa: E402
import shared_file  # noqa: E402
import soak  # noqa: E402


def say(text):
    print(time.strftime("%H:%M:%S "), text, flush=True)


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build")
    parser.add_argument("--smoke", action="store_true", help="a few seconds of each part")
    parser.add_argument("--parts", default="kill,shared,modifiers,soak")
    parser.add_argument("--kills", type=int)
    parser.add_argument("--shared-changes", type=int)
    parser.add_argument("--plays", type=int)
    parser.add_argument("--soak-minutes", type=float)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    parts = args.parts.split(",")
    rows = []
    faults = []
    say(f"seed {args.seed}, load {load()}")

    if "kill" in parts:
        kills = args.kills or (6 if args.smoke else 1000)
        started = time.monotonic()
        results, found = kill_consistency.KillRun(build, kills, args.seed, say).run()
        faults += found
        rows.append(("Kill consistency", f"{results['kills']} SIGKILLs "
                     f"({_actions(results['actions'])}), {time.monotonic() - started:.0f} s; "
                     f"found as before {results['before']}, as after {results['after']}; "
                     f"in-use refusals retried {results['lock_refusals']}; "
                     f"changes the harness could not drive {results['not_driven']}",
                     f"macro file neither before nor after: {results['lost_or_corrupted']}; "
                     f"settings not whole: {results['settings_damaged']}; "
                     f"remapping file damaged: {results['remapping_damaged']}; "
                     f"temporary files outliving a restart: {results['temporary_left']}; "
                     f"keymap changed after the end: {results['keyboard_left']} (spare keycodes "
                     f"left bound and recorded for the next start: {results['spare_recorded']})"
                     "; "
                     f"keyboard grabbed after the end: {results['grab_left']}; "
                     f"failed restarts: {results['restart_failed']}"))

    if "shared" in parts:
        changes = args.shared_changes or (3 if args.smoke else 100)
        for instances in (2, 3):
            started = time.monotonic()
            r = shared_file.run_shared(build, instances, changes, max(1, changes // 10),
                                       args.seed, say)
            rows.append((f"Shared file, {instances} instances",
                         f"{changes} changes each ({_actions(r['made'])}), {r['kills']} lock "
                         f"holders killed, {time.monotonic() - started:.0f} s; confirmed "
                         f"{r['confirmed']}, cut short by a kill {r['cut_short']}, not driven "
                         f"{r['not_driven']} ({_actions(r['why_not_driven']) or 'none'})",
                         f"changes lost: {r['lost']}; longest wait for the lock: "
                         f"{r['longest_wait']:.1f} s; frozen instances: {r['frozen']}"))
            if r["lost"] or r["frozen"]:
                faults.append(f"shared file, {instances} instances: {r}")

    if "modifiers" in parts:
        plays = args.plays or (10 if args.smoke else 1000)
        started = time.monotonic()
        r = held_modifiers.run_modifiers(build, plays, args.seed, say)
        rows.append(("Held modifiers", f"{r['plays']} hot key plays with Ctrl+Alt+Shift let go "
                     f"at random moments, {time.monotonic() - started:.0f} s",
                     f"plays leaving a modifier down: {r['stuck']}; plays with characters lost "
                     f"or changed: {r['lost']}"))
        if r["stuck"] or r["lost"]:
            faults.append(f"held modifiers: {r}")

    if "soak" in parts:
        minutes = args.soak_minutes or (0.3 if args.smoke else 60)
        r = soak.run_soak(build, minutes, say)
        samples = "; ".join(f"{when}: PSS {m['pss']} KiB, private {m['private']} KiB, "
                            f"{m['fds']} fds, {m['clients']} X "
                            f"clients, {m['devices']} input devices" for when, m in r["samples"])
        first, last = r["samples"][0][1], r["samples"][-1][1]
        growth = (last["pss"] - first["pss"]) * 100.0 / first["pss"]
        private_growth = (last["private"] - first["private"]) * 100.0 / first["private"]
        rows.append(("Soak", f"{minutes:g} min: {r['hot']} hot key plays, {r['short']} ShortKeys, "
                     f"{r['timed']} timed plays, main window shown {r['window']} times",
                     f"{samples}; PSS change {growth:+.1f}%, private {private_growth:+.1f}%; text not exactly as typed at "
                     f"{r['mismatches']} of {r['short']} checks (ShortKeys the timed macro "
                     f"typed into, left as typed by design: {r['short_into_timed']}); hot key "
                     "strikes that typed "
                     f"nothing: {r['hot_lost']} (and {r['hot_during_timed']} struck while the "
                     "timed macro played, which is not played by design); plays whose end was "
                     f"not marked within 10 s: {r['unended']}"))
        if (r["mismatches"] or r["hot_lost"] or r["unended"] or not r["running"] or
                last["fds"] > first["fds"]):
            faults.append(f"soak: {r}")

    print()
    print(f"Load average at the end: {load()} (2 cores, shared)")
    print()
    print("| Part | Run | Figures |")
    print("|---|---|---|")
    for part, run, figures in rows:
        print(f"| {part} | {run} | {figures} |")
    if faults:
        print()
        print("Faults:")
        for fault in faults:
            print(" -", fault)
    return 1 if faults else 0


def _actions(counts):
    return ", ".join(f"{name} {n}" for name, n in sorted(counts.items()))


if __name__ == "__main__":
    sys.exit(main())
