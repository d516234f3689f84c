# SPDX-License-Identifier: GPL-3.0-or-later
"""Shared file: several programs, each on a display and with a home of its own, share one macro
file in network mode (/N) and add ShortKey copies to it while the others reload it; now and then
the one holding the lock is killed and started again. Every change a program confirmed (its
dialog closed) must be in the file exactly once at the end; a change cut short by the kill may
be there once or not at all."""

import os
import random
import signal
import tempfile
import threading
import time

import harness

CAPTION = "Orvane 98 (Shared)"


class Instance:
    def __init__(self, number, build, file, run):
        self.number = number
        self.build = build
        self.file = file
        self.run = run
        self.display = harness.Display()
        config = self.display.path("config", "orvane")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "ORVAN.INI"), "w") as out:
            out.write("[Network]\nAuto Sync=No\nHeartbeat Seconds=1\n")
        self.program = None
        self.holding = threading.Event()
        self.stop = threading.Event()
        self.lock = threading.Lock()
        self.confirmed = []
        self.uncertain = []
        self.longest_wait = 0.0
        self.frozen = 0
        self.not_driven = 0
        self.killed_while_holding = 0

    def start(self):
        self.program = harness.Program(self.display, os.path.join(self.build, "src", "app",
                                                                 "orvane"),
                                       ["/N", "/F", self.file], self.display.path("orvane.log"))
        return harness.wait_for(lambda: self.display.shown(CAPTION), 30)

    def change(self, name):
        """One ShortKey copy through the Copy Macro dialog; returns True when confirmed."""
        asked = time.monotonic()
        refusals = harness.open_dialog(self.display, CAPTION, "Copy Hot Key", ("alt+m", "o"),
                                       tries=200)
        if refusals is None:
            return None
        self.holding.set()
        self.longest_wait = max(self.longest_wait, time.monotonic() - asked)
        d = self.display
        ok = (d.activate("Copy Hot Key") and d.keys("Tab", "alt+s", "alt+n") and d.type(name) and
              d.keys("Return") and
              harness.wait_for(lambda: not d.shown("Copy Hot Key") or not self.program.running(),
                               30))
        killed = not self.program.running()
        self.holding.clear()
        if killed:
            return "killed"
        return bool(ok)

    def responsive(self):
        """A frozen program's window cannot be brought forward (it answers no ping)."""
        return harness.wait_for(lambda: self.display.shown(CAPTION), 10) and \
            self.display.activate(CAPTION, 10)

    def work(self, changes):
        for n in range(changes):
            if self.stop.is_set():
                return
            name = f"s{'abc'[self.number]}{n}"
            with self.lock:
                outcome = self.change(name)
            if outcome is True:
                self.confirmed.append(name)
            elif outcome == "killed":
                self.uncertain.append(name)
                self.program.wait(30)
                with self.lock:
                    if not self.start():
                        self.frozen += 1
                        return
            else:
                # Not driven: either a dialog the harness missed, or a frozen program.
                self.uncertain.append(name)
                if not self.responsive():
                    self.frozen += 1
                self.not_driven += 1
                self.program.stop()
                self.start()

    def close(self):
        if self.program:
            self.program.stop()
        self.display.close()


def run_shared(build, instances, changes, kills, seed, say):
    rng = random.Random(seed)
    root = tempfile.mkdtemp(prefix="orvane-shared-")
    file = os.path.join(root, "Shared.ORV")
    tool = os.path.join(build, "bench", "reliability", "bench_reliability_file")
    harness.subprocess.run([tool, "write", file, "Ctrl+Alt+Shift+G=greeting"], check=True)
    group = [Instance(i, build, file, None) for i in range(instances)]
    threads = []
    try:
        for instance in group:
            if not instance.start():
                raise RuntimeError("an instance did not start\n" + instance.program.log())
        threads = [threading.Thread(target=i.work, args=(changes,)) for i in group]
        for t in threads:
            t.start()
        killed = 0
        while any(t.is_alive() for t in threads) and killed < kills:
            time.sleep(rng.uniform(0.2, 1.5))
            holders = [i for i in group if i.holding.is_set()]
            if holders:
                victim = rng.choice(holders)
                time.sleep(rng.uniform(0, 0.3))
                if victim.holding.is_set():
                    victim.program.kill(signal.SIGKILL)
                    victim.killed_while_holding += 1
                    killed += 1
        for t in threads:
            t.join()
        counts = {}
        for record in harness.records(file):
            if harness.hot_key(record) == harness.SHORTKEY_HOT_KEY:
                name = _shortkey(record)
                counts[name] = counts.get(name, 0) + 1
        lost = sum(1 for i in group for n in i.confirmed if counts.get(n, 0) != 1)
        doubled = sum(1 for i in group for n in i.uncertain if counts.get(n, 0) > 1)
        result = {
            "instances": instances,
            "confirmed": sum(len(i.confirmed) for i in group),
            "uncertain": sum(len(i.uncertain) for i in group),
            "lost": lost + doubled,
            "longest_wait": max(i.longest_wait for i in group),
            "frozen": sum(i.frozen for i in group),
            "kills": sum(i.killed_while_holding for i in group),
            "not_driven": sum(i.not_driven for i in group),
        }
        say(f"shared file, {instances} instances: {result}")
        return result
    finally:
        for instance in group:
            instance.stop.set()
        for t in threads:
            t.join()
        for instance in group:
            instance.close()
        harness.shutil.rmtree(root, ignore_errors=True)


SHORTKEY_AT = 82


def _shortkey(record):
    """The ShortKey name: a short string, its length byte, then the characters."""
    length = record[SHORTKEY_AT]
    return record[SHORTKEY_AT + 1:SHORTKEY_AT + 1 + length].decode("latin-1")
