# SPDX-License-Identifier: GPL-3.0-or-later
"""Kill consistency: the program is killed (SIGKILL) at a random moment of a change a user makes
through its menus, dialogs and hot keys, restarted, and its files and the keyboard are checked:
the macro file holds exactly the records of before or of after the change, the settings and
remapping files are whole, no temporary file outlives the restart, and the keyboard is neither
remapped nor grabbed once the program has ended."""

import glob
import os
import random
import signal
import threading
import time

import harness

LETTERS = "bcdefhijklmnopqruv"  # Ctrl+Alt+Shift with these: free for copies and captures
CAPTION = "Orvane 98 (Kill)"


class KillRun:
    def __init__(self, build, kills, seed, say):
        self.build = build
        self.kills = kills
        self.random = random.Random(seed)
        self.say = say
        self.tool = os.path.join(build, "bench", "reliability", "bench_reliability_file")
        self.binary = os.path.join(build, "src", "app", "orvane")
        self.display = harness.Display()
        self.data = self.display.path("data")
        self.file = os.path.join(self.data, "Kill.ORV")
        self.settings = self.display.path("config", "orvane", "ORVAN.INI")
        self.remapping = os.path.join(self.data, "Kill.OVS")
        self.log = self.display.path("orvane.log")
        self.program = None
        self.results = {"kills": 0, "lost_or_corrupted": 0, "settings_damaged": 0,
                        "remapping_damaged": 0, "temporary_left": 0, "keyboard_left": 0,
                        "grab_left": 0, "restart_failed": 0, "lock_refusals": 0, "before": 0, "after": 0, "not_driven": 0, "spare_recorded": 0, "actions": {}}
        self.faults = []
        self.imports = 0
        self.failed_step = ""
        self.before_commit = None
        # Ctrl+Alt+Shift+T types characters no key of the keymap has: each is typed through a
        # spare keycode bound for the moment, which a kill must not leave bound.
        macros = ["Ctrl+Alt+Shift+G=greeting", "Ctrl+Alt+Shift+A=address", ":sig=signature",
                  "Ctrl+Alt+Shift+T=" + "\u00e9\u00f1\u00fc\u00e5\u00f8\u00df\u00e7" * 6]
        self.check(self.display.run([self.tool, "write", self.file, *macros]).returncode == 0,
                   "could not write the first macro file")
        # A killed holder's lock is taken over once its heartbeat is two beats old.
        os.makedirs(os.path.dirname(self.settings), exist_ok=True)
        with open(self.settings, "w") as out:
            out.write("[Network]\nAuto Sync=No\nHeartbeat Seconds=1\n")
        self.baseline_keymap = self.display.keymap()

    def baseline_spare(self, keycode):
        for line in self.baseline_keymap.splitlines():
            left, _, right = line.partition("=")
            if left.startswith("keycode") and int(left.split()[1]) == keycode:
                return right.strip() == ""
        return False

    def check(self, ok, what):
        if not ok:
            raise RuntimeError(what)

    # --- the program -------------------------------------------------------------------
    def start(self):
        self.program = harness.Program(self.display, self.binary, ["/N", "/F", self.file],
                                       self.log)
        return harness.wait_for(lambda: self.display.shown(CAPTION), 30)

    def menu(self, *keys):
        return self.display.activate(CAPTION) and self.display.keys(*keys)

    def open_dialog(self, title, *keys):
        refusals = harness.open_dialog(self.display, CAPTION, title, keys)
        if refusals is None:
            self.failed_step = f"no \"{title}\" window"
            return False
        self.results["lock_refusals"] += refusals
        return True

    def wait_shown(self, title, limit=15):
        if harness.wait_for(lambda: self.display.shown(title), limit):
            return True
        self.failed_step = f"no \"{title}\" window"
        return False

    def free_letter(self, records):
        used = {harness.hot_key(r) for r in records if len(r) == harness.RECORD_SIZE}
        letters = list(LETTERS)
        self.random.shuffle(letters)
        for letter in letters:
            if self.code(letter) not in used:
                return letter
        return None

    _codes = {}

    def code(self, letter):
        if letter not in self._codes:
            out = self.display.run([self.tool, "code", f"Ctrl+Alt+Shift+{letter.upper()}"])
            self._codes[letter] = int(out.stdout)
        return self._codes[letter]

    def pick(self, keys, nth, code):
        """Strikes `keys` into a key field once the program picks keys for the nth time, and
        waits until the field has it."""
        if not harness.wait_for(lambda: harness.trace_count(self.display, "keypick on") >= nth,
                                15):
            self.failed_step = "the key field did not pick keys"
            return False
        picked = harness.trace_count(self.display, f"keypick {code}")
        if not self.display.keys(keys) or not harness.wait_for(
                lambda: harness.trace_count(self.display, f"keypick {code}") > picked, 15):
            self.failed_step = "the key field did not take the key"
            return False
        return True

    # --- the changes: each runs up to its last keystroke and returns the rest -----------
    # A change returns (name, expected, commit): `commit` sends the keystroke that makes the
    # change; `expected` tells whether a macro file's records are the change done.
    def copy(self, before):
        letter = self.free_letter(before)
        picks = harness.trace_count(self.display, "keypick on")
        if letter is None or not self.open_dialog("Copy Hot Key", "alt+m", "o"):
            return None
        if not self.pick(f"ctrl+alt+shift+{letter}", picks + 1, self.code(letter)):
            return None
        code = self.code(letter)
        texts = {harness.text(r) for r in before}

        def expected(now):
            added = _difference(now, before)
            return (len(added) == 1 and not _difference(before, now) and
                    harness.hot_key(added[0]) == code and harness.text(added[0]) in texts)
        return "copy", expected, lambda: self.display.keys("Return")

    def remove(self, before):
        if not self.open_dialog("Delete", "alt+m", "e"):
            return None

        def expected(now):
            gone = _difference(before, now)
            return (len(gone) == 1 and not _difference(now, before) and
                    not harness.is_system(gone[0]))
        return "remove", expected, lambda: self.display.keys("y")

    def import_macros(self, before):
        self.imports += 1
        source = os.path.join(self.data, "Source.ORV")
        names = [f"imp{self.imports}a", f"imp{self.imports}b"]
        if self.display.run([self.tool, "write", source, *[f":{n}=text of {n}" for n in names]]
                            ).returncode != 0:
            return None
        if not self.open_dialog("Import Macros", "alt+f", "i"):
            return None
        steps = [
            ("activate Import Macros", lambda: self.display.activate("Import Macros")),
            ("Open File", lambda: self.display.keys("alt+f")),
            ("file dialog", lambda: self.wait_shown("Import Orvane Files")),
            ("activate file dialog", lambda: self.display.activate("Import Orvane Files")),
            ("type the path", lambda: self.display.keys("ctrl+a") and self.display.type(source)),
            ("Return", lambda: self.display.keys("Return")),
            ("file dialog closes", lambda: harness.wait_for(
                lambda: not self.display.shown("Import Orvane Files"), 15)),
            ("activate Import Macros again", lambda: self.display.activate("Import Macros")),
            ("choose all", lambda: self.display.keys("alt+a")),
        ]
        for step, do in steps:
            if not do():
                self.failed_step = self.failed_step or step
                return None
        wanted = {f"text of {n}".encode() for n in names}

        def expected(now):
            added = _difference(now, before)
            # The import source's system macros are never imported.
            return (not _difference(before, now) and len(added) == 2 and
                    {harness.text(r) for r in added} == wanted)
        return "import", expected, lambda: self.display.keys("alt+o")

    def capture(self, before):
        letter = self.free_letter(before)
        ons = harness.trace_count(self.display, "capture on")
        picks = harness.trace_count(self.display, "keypick on")
        if letter is None or not self.display.activate(CAPTION):
            return None
        if not (self.open_dialog("Start Capture", "ctrl+alt+shift+x") and
                self.display.activate("Start Capture") and self.display.keys("Return") and
                harness.wait_for(lambda: harness.trace_count(self.display, "capture on") > ons,
                                 15) and self.display.keys("Shift_L")):
            return None
        code = self.code(letter)
        # Starting by the hot key has already added the placeholder macro ("capture"): the
        # change under test starts from the file as it is now.
        started = harness.records(self.file)
        self.before_commit = started

        def replaced(now, check):
            added, gone = _difference(now, started), _difference(started, now)
            return (len(added) == 1 and len(gone) == 1 and
                    harness.hot_key(gone[0]) == harness.SHORTKEY_HOT_KEY and check(added[0]))
        if self.random.random() < 0.3:
            # Killed while the capture ends: the placeholder may have taken the text.
            return "capture", lambda now: replaced(
                now, lambda r: harness.hot_key(r) == harness.SHORTKEY_HOT_KEY), \
                lambda: self.display.keys("ctrl+alt+shift+x")
        if not (self.display.keys("ctrl+alt+shift+x") and self.wait_shown("Capture Complete") and
                self.pick(f"ctrl+alt+shift+{letter}", picks + 1, self.code(letter))):
            return None
        started = harness.records(self.file)
        self.before_commit = started

        def expected(now):
            return replaced(now, lambda r: harness.hot_key(r) == code)
        return "capture", expected, lambda: self.display.keys("Return")

    def remap(self, before):
        if not self.open_dialog("Keyboard Remapper", "alt+o", "r"):
            return None
        if not (self.display.keys("alt+l", "Return") and self.wait_shown("Select Character") and
                self.display.keys("Right", "Return") and
                harness.wait_for(lambda: not self.display.shown("Select Character"), 15)):
            return None
        return "remap", lambda now: False, lambda: self.display.keys("alt+o")

    def play(self, before):
        # Killed while it types through spare keycodes.
        if not self.display.activate(CAPTION):
            return None
        return "play", lambda now: False, lambda: self.display.keys("ctrl+alt+shift+t")

    def settings_write(self, before):
        # A session ending: SIGTERM makes the program save its settings on the way out.
        return "settings", lambda now: False, lambda: self.program.kill(signal.SIGTERM) or True

    # --- one kill ------------------------------------------------------------------------
    def leftovers(self):
        found = []
        for folder in (self.data, os.path.dirname(self.settings)):
            found += [p for p in glob.glob(os.path.join(folder, ".*")) if os.path.isfile(p)]
        return found

    def one(self, number):
        before = harness.records(self.file)
        before_remapping = _read(self.remapping)
        count = len([r for r in before if not harness.is_system(r)])
        choices = [self.copy, self.remove, self.import_macros, self.capture, self.remap,
                   self.settings_write, self.play]
        free = self.free_letter(before) is not None
        hot_keys = len([r for r in before if harness.hot_key(r) < 720 and not harness.is_system(r)])
        weights = [3 if free else 0, 3 if count > 3 else 0, 2 if count < 30 else 0,
                   2 if free else 0, 1, 1, 1]
        if hot_keys > len(LETTERS) // 2:
            weights[1] = 8  # keep keys free for copies and captures
        action = self.random.choices(choices, weights)[0]
        self.failed_step = ""
        self.before_commit = None
        change = action(before)
        if change is None:
            # A step the harness could not drive (a dialog it missed under load) is no fault of
            # the program; it is counted and the program restarted for the next change.
            self.results["not_driven"] += 1
            self.say(f"kill {number}: {action.__name__} could not be driven ({self.failed_step})")
            shots = os.environ.get("ORVANE_RELIABILITY_SHOTS")
            if shots:
                self.display.run(["import", "-window", "root",
                                  os.path.join(shots, f"kill-{number}-{action.__name__}.png")])
            self.program.stop()
            self.close_boxes()
            return
        name, expected, commit = change
        before = self.before_commit or before
        self.results["actions"][name] = self.results["actions"].get(name, 0) + 1
        delay = self.random.choice([0.0, self.random.uniform(0, 0.25), self.random.uniform(0, 1.0)])
        killer = threading.Timer(delay, lambda: self.program.kill(signal.SIGKILL))
        commit()
        killer.start()
        killer.join()
        self.program.wait(30)
        self.results["kills"] += 1

        # Restart: the program recovers what the kill left (a held lock, the keyboard).
        started = self.start()
        if not started:
            self.results["restart_failed"] += 1
            self.fault(number, f"{name}: no main window after the restart\n{self.program.log()[-800:]}")
        now = harness.records(self.file)
        if now is not None and sorted(now) == sorted(before):
            self.results["before"] += 1
        elif now is not None and expected(now):
            self.results["after"] += 1
        if now is None or (now != before and not (expected(now))):
            if now is None or sorted(now) != sorted(before):
                self.results["lost_or_corrupted"] += 1
                self.fault(number, f"{name} killed after {delay:.3f}s: the macro file is neither "
                           f"before ({len(before)} records) nor after ({len(now or [])} records): "
                           f"added {_describe(_difference(now or [], before))}, "
                           f"gone {_describe(_difference(before, now or []))}")
        remapping = _read(self.remapping)
        if remapping is not None and len(remapping) != 93:
            self.results["remapping_damaged"] += 1
            self.fault(number, f"{name}: remapping file of {len(remapping)} bytes")
        if name != "remap" and remapping != before_remapping:
            self.results["remapping_damaged"] += 1
            self.fault(number, f"{name}: the remapping file changed")
        old = [p for p in self.leftovers() if time.time() - os.path.getmtime(p) > 70]
        if old:
            self.results["temporary_left"] += len(old)
            self.fault(number, f"{name}: left after the restart: {old}")
            for p in old:
                os.unlink(p)
        stopped = self.program.stop()
        settings = _read(self.settings)
        if not stopped or settings is None or not _whole_settings(settings):
            self.results["settings_damaged"] += 1
            self.fault(number, f"{name}: settings file not whole after a clean end")
        # A spare keycode may stay bound after the end when the window in front could not
        # prove it had read its keys (it is recorded, and the next start takes it over);
        # any other change to the keymap is a fault, and so is an unrecorded binding.
        changed = harness.keymap_changes(self.baseline_keymap, self.display.keymap())
        spare = {code for code in changed if self.baseline_spare(code)}
        recorded = harness.recorded_bindings(self.display)
        if changed and (set(changed) - spare or spare - recorded):
            self.results["keyboard_left"] += 1
            self.fault(number, f"{name}: keycodes {changed} differ after the program ended "
                       f"(recorded as bound for the moment: {sorted(recorded)})")
        elif spare:
            self.results["spare_recorded"] += 1
        if not harness.keyboard_grab_succeeds(self.display.name):
            self.results["grab_left"] += 1
            self.fault(number, f"{name}: the keyboard is grabbed after the program ended")
        self.start()

    def close_boxes(self):
        self.start()

    def fault(self, number, text):
        self.faults.append(f"kill {number}: {text}")
        self.say(f"FAULT kill {number}: {text}")

    def run(self):
        try:
            self.check(self.start(), "the program did not start\n" + _read_text(self.log))
            for number in range(1, self.kills + 1):
                self.one(number)
                if number % 10 == 0:
                    self.say(f"kill consistency: {number}/{self.kills}, "
                             f"{self.results['lost_or_corrupted']} lost or corrupted")
        finally:
            if self.program:
                self.program.stop()
            self.results["leftovers_at_end"] = len(self.leftovers())
            self.display.close()
        return self.results, self.faults


def _difference(a, b):
    """The records of `a` that `b` lacks, counting repeats."""
    rest = list(b)
    out = []
    for record in a:
        if record in rest:
            rest.remove(record)
        else:
            out.append(record)
    return out


def _describe(records):
    return [(harness.hot_key(r), harness.text(r)[:40]) for r in records]


def _read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def _read_text(path):
    data = _read(path)
    return data.decode(errors="replace") if data else ""


def _whole_settings(data):
    """Whole: every line is a section, a key=value pair or empty, and the last one ends."""
    text = data.decode("latin-1")
    if not text.endswith("\n") or "[" not in text:
        return False
    for line in text.replace("\r\n", "\n").split("\n"):
        if line and not (line.startswith("[") and line.endswith("]")) and "=" not in line:
            return False
    return True
