# SPDX-License-Identifier: GPL-3.0-or-later
"""Shared file: several programs, each on a display and with a home of its own, share one macro
file in network mode (/N) and change it while the others reload it: a ShortKey macro added
(Copy Macro), one of its own re-bound to another ShortKey (Rename Macro) or removed (Remove
Macro), all through the dialogs as a user makes them, with the mouse. Now and then the program holding the lock
is killed and started again. At the end every change a program confirmed (its dialog closed)
must show in the file exactly: an added or re-bound name once, a removed or re-bound-away name
not at all; a change cut short by the kill may show or not, but never twice.

The harness checks what it drives before it commits to it, so that a keystroke gone astray
under load is counted as not driven instead of as a lost change: the name field must hold the
typed name before Ok is pressed (read from the program's control map), the Rename dialog must
name the macro meant, and the Remove question must ask about it."""

import os
import random
import signal
import tempfile
import threading
import time

import harness

CAPTION = "Orvane 98 (Shared)"
KEEP = 6  # live macros per instance: more and the choice leans to re-binding and removing


class Expected:
    """What the file must show of one instance's names at the end."""

    def __init__(self):
        self.present = []     # confirmed there, exactly once
        self.gone = set()     # confirmed removed or re-bound away: not there
        self.maybe = set()    # cut short by a kill: there once or not at all
        self.either = []      # a re-binding cut short: exactly one of (old, new)

    def lost(self, counts):
        return (sum(1 for n in self.present if counts.get(n, 0) != 1) +
                sum(1 for n in self.gone if counts.get(n, 0) != 0) +
                sum(1 for n in self.maybe if counts.get(n, 0) > 1) +
                sum(1 for old, new in self.either if counts.get(old, 0) + counts.get(new, 0) != 1))


class Instance:
    def __init__(self, number, build, file, rng):
        self.number = number
        self.letter = "abc"[number]
        self.build = build
        self.file = file
        self.rng = rng
        self.display = harness.Display()
        config = self.display.path("config", "orvane")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "ORVAN.INI"), "w") as out:
            out.write("[Network]\nAuto Sync=No\nHeartbeat Seconds=1\n")
        self.map = self.display.path("widgets.txt")
        self.display.env["ORVANE_WIDGET_MAP"] = self.map
        self.program = None
        self.holding = threading.Event()
        self.stop = threading.Event()
        self.lock = threading.Lock()
        self.expected = Expected()
        self.confirmed = 0
        self.cut_short = 0
        self.counts = {"add": 0, "rename": 0, "remove": 0}
        self.longest_wait = 0.0
        self.frozen = 0
        self.not_driven = 0
        self.killed_while_holding = 0
        self.serial = 0
        self.why = {}

    def start(self):
        self.program = harness.Program(self.display, os.path.join(self.build, "src", "app",
                                                                 "orvane"),
                                       ["/N", "/F", self.file], self.display.path("orvane.log"))
        return harness.wait_for(lambda: self.display.shown(CAPTION), 30)

    def name(self, kind):
        self.serial += 1
        return f"{kind}{self.letter}{self.serial:03d}"

    # Driving the dialogs -------------------------------------------------------------------

    def click(self, window, name):
        found = harness.control(self.map, window, name)
        return bool(found) and self.display.click(*found.centre())

    def enter_name(self, window, name):
        """The ShortKey choice and its name, checked in the control map before going on."""
        d = self.display
        for _ in range(3):
            if not (self.click(window, "ShortKey") and self.click(window, "shortKeyName") and
                    d.keys("ctrl+a", "BackSpace") and d.type(name)):
                return False
            field = harness.wait_for(
                lambda: (c := harness.control(self.map, window, "shortKeyName", 1)) and
                c.value == name and c, 5)
            if field:
                return True
        return False

    def open(self, title, button):
        """The dialog opened by a click on its button of the letter panel (menu keys typed
        while the menu is still opening reach the list instead, under load)."""
        asked = time.monotonic()
        refusals = harness.open_dialog(self.display, CAPTION, title,
                                       lambda: self.click(CAPTION, button), tries=200)
        if refusals is None:
            return False
        self.holding.set()
        self.longest_wait = max(self.longest_wait, time.monotonic() - asked)
        return True

    def select(self, name):
        """The macro's row chosen as a keyboard user does: the list searched by typing (Home
        empties what an earlier search typed)."""
        d = self.display
        if not d.activate(CAPTION):
            return False
        cell = harness.control(self.map, CAPTION, f"Macros:{name}", 2)
        if cell:
            return d.click(*cell.centre())
        first = harness.control(self.map, CAPTION, "Macros#0")
        return bool(first) and d.click(*first.centre()) and d.keys("Home") and d.type(name)

    def finish(self, title, confirm):
        """Confirms the open dialog; "done", "killed", or None when it would not close."""
        d = self.display
        ok = confirm() and harness.wait_for(
            lambda: not d.shown(title) or not self.program.running(), 30)
        killed = not self.program.running()
        self.holding.clear()
        if killed:
            return "killed"
        if not ok:
            self.why["would not close"] = self.why.get("would not close", 0) + 1
        return "done" if ok else None

    def cancel(self, title, why):
        if not self.program.running():
            self.holding.clear()
            return "killed"
        self.why[why] = self.why.get(why, 0) + 1
        d = self.display
        if os.environ.get("ORVANE_SHARED_DEBUG"):
            labels = [c.name for c in harness.controls(self.map, title)][:3]
            log = self.program.log().strip().splitlines()[-2:]
            print(f"{self.letter}: {why} in {title}: {labels} {log}", flush=True)
        for _ in range(3):
            if self.click(title, "No" if title == "Delete" else "Cancel") and \
                    harness.wait_for(lambda: not d.shown(title), 10):
                break
        self.holding.clear()
        return "not driven" if not d.shown(title) else None

    def unopened(self, why):
        if not self.program.running():
            self.holding.clear()
            return "killed"
        self.why[why] = self.why.get(why, 0) + 1
        if os.environ.get("ORVANE_SHARED_DEBUG"):
            shown = self.display.run(["xdotool", "search", "--onlyvisible", "--name", "."])
            names = [self.display.run(["xdotool", "getwindowname", w]).stdout.strip()
                     for w in shown.stdout.split()]
            print(f"{self.letter}: {why}; windows shown: {names}", flush=True)
        return "not driven"

    def add(self, name):
        if not self.open("Copy Hot Key", "letterCopy"):
            return self.unopened("dialog not opened")
        if not self.enter_name("Copy Hot Key", name):
            return self.cancel("Copy Hot Key", "name field")
        return self.finish("Copy Hot Key", lambda: self.click("Copy Hot Key", "Ok"))

    def rename(self, old, new):
        if not self.select(old):
            return self.unopened("row not chosen")
        if not self.open("Move Hot Key", "letterRename"):
            return self.unopened("dialog not opened")
        if not harness.control(self.map, "Move Hot Key", f"MOVE {old} TO", 5):
            return self.cancel("Move Hot Key", "another macro selected")
        if not self.enter_name("Move Hot Key", new):
            return self.cancel("Move Hot Key", "name field")
        return self.finish("Move Hot Key", lambda: self.click("Move Hot Key", "Ok"))

    def remove(self, old):
        if not self.select(old):
            return self.unopened("row not chosen")
        if not self.open("Delete", "letterDelete"):
            return self.unopened("dialog not opened")
        if not harness.wait_for(lambda: any(c.name.startswith("Are you sure you want to remove")
                                            and c.name.endswith(f'"{old}"?')
                                            for c in harness.controls(self.map, "Delete")), 5):
            return self.cancel("Delete", "another macro selected")
        return self.finish("Delete", lambda: self.click("Delete", "Yes"))

    # One change and its bookkeeping --------------------------------------------------------

    def change(self):
        e = self.expected
        live = len(e.present)
        roll = self.rng.random()
        if live < 2 or (live < KEEP and roll < 0.5):
            kind, name = "add", self.name("s")
            outcome = self.add(name)
            if outcome == "done":
                e.present.append(name)
            elif outcome == "killed":
                e.maybe.add(name)
            return kind, outcome
        old = self.rng.choice(e.present)
        if roll < 0.75:
            kind, new = "rename", self.name("r")
            outcome = self.rename(old, new)
            if outcome == "done":
                e.present.remove(old)
                e.gone.add(old)
                e.present.append(new)
            elif outcome == "killed":
                e.present.remove(old)
                e.either.append((old, new))
            return kind, outcome
        kind = "remove"
        outcome = self.remove(old)
        if outcome == "done":
            e.present.remove(old)
            e.gone.add(old)
        elif outcome == "killed":
            e.present.remove(old)
            e.maybe.add(old)
        return kind, outcome

    def responsive(self):
        """A frozen program's window cannot be brought forward (it answers no ping)."""
        return harness.wait_for(lambda: self.display.shown(CAPTION), 10) and \
            self.display.activate(CAPTION, 10)

    def work(self, changes):
        for _ in range(changes):
            if self.stop.is_set():
                return
            with self.lock:
                kind, outcome = self.change()
            self.counts[kind] += 1
            # The user looks at what they did before the next change; without the pause one
            # instance would take the lock again at once, and the others' waits would measure
            # that rhythm instead of the program.
            time.sleep(self.rng.uniform(0.5, 2.0))
            if outcome == "done":
                self.confirmed += 1
            elif outcome == "killed":
                self.cut_short += 1
                self.program.wait(30)
                with self.lock:
                    if not self.start():
                        self.frozen += 1
                        return
            else:
                # Not driven: a dialog the harness could not drive (it was cancelled, so the
                # file must not show the change), or one that would not close: then the
                # program must still answer, and is started afresh.
                self.not_driven += 1
                if outcome is None:
                    if not self.responsive():
                        self.frozen += 1
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
    group = [Instance(i, build, file, random.Random(rng.random())) for i in range(instances)]
    threads = []
    try:
        for instance in group:
            if not instance.start():
                raise RuntimeError("an instance did not start\n" + instance.program.log())
        threads = [threading.Thread(target=i.work, args=(changes,)) for i in group]
        for t in threads:
            t.start()
        killed = set()  # each program once: its holder keeps the flag until it notices
        while any(t.is_alive() for t in threads) and len(killed) < kills:
            time.sleep(rng.uniform(0.2, 1.5))
            holders = [i for i in group if i.holding.is_set() and i.program.pid not in killed]
            if holders:
                victim = rng.choice(holders)
                time.sleep(rng.uniform(0, 0.3))
                program = victim.program
                if victim.holding.is_set() and program.pid not in killed:
                    program.kill(signal.SIGKILL)
                    killed.add(program.pid)
                    victim.killed_while_holding += 1
        for t in threads:
            t.join()
        counts = {}
        for record in harness.records(file):
            if harness.hot_key(record) == harness.SHORTKEY_HOT_KEY:
                name = _shortkey(record)
                counts[name] = counts.get(name, 0) + 1
        result = {
            "instances": instances,
            "made": {k: sum(i.counts[k] for i in group) for k in ("add", "rename", "remove")},
            "confirmed": sum(i.confirmed for i in group),
            "cut_short": sum(i.cut_short for i in group),
            "lost": sum(i.expected.lost(counts) for i in group),
            "longest_wait": max(i.longest_wait for i in group),
            "frozen": sum(i.frozen for i in group),
            "kills": sum(i.killed_while_holding for i in group),
            "not_driven": sum(i.not_driven for i in group),
            "why_not_driven": _summed([i.why for i in group]),
        }
        say(f"shared file, {instances} instances: {result}")
        if result["lost"]:
            say("file holds: " + ", ".join(f"{n}×{c}" for n, c in sorted(counts.items())))
            for i in group:
                e = i.expected
                say(f"instance {i.letter}: present {e.present}, gone {sorted(e.gone)}, "
                    f"maybe {sorted(e.maybe)}, either {e.either}")
        return result
    finally:
        for instance in group:
            instance.stop.set()
        for t in threads:
            t.join()
        for instance in group:
            instance.close()
        harness.shutil.rmtree(root, ignore_errors=True)


def _summed(tallies):
    total = {}
    for tally in tallies:
        for key, n in tally.items():
            total[key] = total.get(key, 0) + n
    return total


SHORTKEY_AT = 82


def _shortkey(record):
    """The ShortKey name: a short string, its length byte, then the characters."""
    length = record[SHORTKEY_AT]
    return record[SHORTKEY_AT + 1:SHORTKEY_AT + 1 + length].decode("latin-1")
