# SPDX-License-Identifier: GPL-3.0-or-later
"""Typing into real programs: `orvane play --text` beside `xdotool type`.

Each program (GTK 3, GTK 2, Qt 5, Qt 6 editors and xterm, Debian packages that
tools/install-deps test installs) is started on a file in a private home; the same 86-character
Latin-1 and Windows-1252 text is typed with each tool, saved, and the saved bytes compared. A row
per program and tool: characters per second of the whole command (median) and the runs whose
saved bytes were exact.
"""

import os
import re
import shutil
import statistics
import subprocess
import tempfile
import time

TEXT = ("Café crème, naïve über ½ § € 5 – „Zitat“ … Œuvre™ Ångström ß Ø ñ ¿¡ ‰ Žš «£¥» "
        "©®°±µ¶·÷")

# name, command (the file's path follows unless it saves through a dialog), how it saves, what
# it adds at the end of what it saves
PROGRAMS = [
    ("mousepad (GTK 3)", ["mousepad"], "ctrl+s", ""),
    ("l3afpad (GTK 3)", ["l3afpad"], "ctrl+s", ""),
    ("gmanedit (GTK 2)", ["gmanedit"], "dialog", ""),
    ("featherpad (Qt 5)", ["featherpad"], "ctrl+s", "\n"),
    ("focuswriter (Qt 6)", ["focuswriter"], "ctrl+s", ""),
    # A new `cat` for every run, each writing its own numbered file.
    ("xterm", ["xterm", "-u8", "-e", "/bin/sh", "-c",
               'n=0; while :; do n=$((n+1)); cat > "$0.$n"; done'], "eof", "\n"),
]


def wait_until(condition, timeout=30.0, every=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(every)
    return condition()


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return None


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True)


class Program:
    def __init__(self, name, argv, save, added, env, folder):
        self.name, self.save, self.added, self.env = name, save, added, env
        stem = argv[0]
        self.file = os.path.join(folder, stem + ".txt")
        self.runs = 0
        if save == "ctrl+s":
            open(self.file, "w").close()
            argv = argv + [self.file]
        elif save == "eof":
            argv = argv + [self.file]
        self.proc = subprocess.Popen(argv, env=env, cwd=folder, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL, start_new_session=True)
        title = re.escape(os.path.basename(self.file)) if save == "ctrl+s" else ""
        self.window = None

        def found():
            out = xdotool(env, "search", "--all", "--onlyvisible", "--pid", str(self.proc.pid),
                          "--name", title).stdout.split()
            self.window = out[0] if out else None
            return self.window is not None

        if not wait_until(found):
            raise RuntimeError(f"{name}: no window (tools/install-deps test installs it)")
        xdotool(env, "windowactivate", "--sync", self.window)
        if save != "eof":
            self._until_it_takes_keys()

    def _until_it_takes_keys(self):
        # A window may show a loading screen for seconds (FocusWriter), dropping keys: a key is
        # typed and saved until it arrives, then taken out again.
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            xdotool(self.env, "key", "x")
            self._save()
            if wait_until(lambda: b"x" in (read(self.file) or b""), 2.0):
                break
        self.clear()

    def _save(self):
        xdotool(self.env, "key", "ctrl+s")
        if self.save == "dialog" and not os.path.exists(self.file):
            wait_until(lambda: xdotool(self.env, "search", "--onlyvisible", "--name",
                                       "Saving file").returncode == 0)
            xdotool(self.env, "type", self.file)
            xdotool(self.env, "key", "Return")

    def clear(self):
        if self.save != "eof":
            xdotool(self.env, "key", "ctrl+a", "BackSpace")

    def saved(self, expected):
        """Saves and returns what the program wrote (None when nothing came)."""
        if self.save == "eof":
            self.runs += 1
            xdotool(self.env, "key", "Return", "ctrl+d")
            # The next `cat` has started: this one has written all it got.
            wait_until(lambda: os.path.exists(f"{self.file}.{self.runs + 1}"), 10)
            return read(f"{self.file}.{self.runs}")
        def stamp():
            return os.stat(self.file).st_mtime_ns if os.path.exists(self.file) else 0

        before = stamp()
        self._save()
        if not wait_until(lambda: stamp() != before, 10):
            return None
        # Written; an editor that writes in parts gets a moment to finish.
        wait_until(lambda: read(self.file) == expected, 0.5)
        return read(self.file)

    def stop(self):
        try:
            os.killpg(self.proc.pid, 15)
            self.proc.wait(5)
        except (OSError, subprocess.TimeoutExpired):
            os.killpg(self.proc.pid, 9)


def run(orvane, reps, start_display, stop_display):
    """`start_display()` gives (server, window manager, environment) of a new display, which
    `stop_display` takes down: each program gets its own, because xdotool's typing was seen to
    leave openbox no longer managing new windows."""
    tools = [("orvane play", [orvane, "play", "--text", TEXT]),
             ("xdotool type --delay 0", ["xdotool", "type", "--delay", "0", "--", TEXT])]
    results = []
    for name, argv, save, added in PROGRAMS:
        if not shutil.which(argv[0]):
            print(f"{argv[0]} is not installed (tools/install-deps test): left out")
            continue
        server, wm, display_env = start_display()
        home = tempfile.mkdtemp(prefix="orvane-bench-home-")
        env = dict(display_env, HOME=home, TMPDIR=home, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                   QT_QPA_PLATFORM="xcb")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        try:
            program = Program(name, argv, save, added, env, home)
            try:
                expected = (TEXT + added).encode()
                for tool, command in tools:
                    seconds, exact = [], 0
                    for _ in range(reps):
                        program.clear()
                        start = time.monotonic()
                        subprocess.run(command, env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, timeout=120)
                        seconds.append(time.monotonic() - start)
                        exact += program.saved(expected) == expected
                    results.append((name, tool, statistics.median(seconds), max(seconds), exact))
            finally:
                program.stop()
        finally:
            stop_display(server, wm, display_env)
            shutil.rmtree(home, ignore_errors=True)

    print(f"\n{len(TEXT)} characters typed into real programs, saved and compared, "
          f"{reps} runs each")
    print(f"{'program':<20} {'tool':<24} {'chars/s (median)':>17} {'slowest s':>10} "
          f"{'exact runs':>11}")
    for name, tool, median, slowest, exact in results:
        print(f"{name:<20} {tool:<24} {len(TEXT) / median:>17.0f} {slowest:>10.3f} "
              f"{exact:>7}/{reps}")
