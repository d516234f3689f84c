#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Typing speed and exactness of `orvane play` beside xdotool and Actiona.

Starts its own Xvfb and openbox with a probe window (orvane_xprobe, or orvane_qtprobe with
--probe qt), types the same texts with each tool several times, and reports for every tool and
text: characters per second from the first to the last key press the probe saw, and how many
runs arrived exactly. Then measures the CPU time `orvane play` spends inside "<DELAY:05.00>".

With --programs it types instead into real programs (GTK 3, GTK 2, Qt 5 and Qt 6 editors and
xterm), beside `xdotool type`: characters per second of the whole command and the runs whose saved
file was exact (see programs.py).

With --wayland it types the same text into foot under a headless sway, beside `wtype`: the Wayland
row (see wayland.py; `orvane play` is run with ORVANE_BACKEND=wayland).

Usage: bench/typing/typing_bench.py [--build DIR] [--reps N] [--probe x|qt] [--programs|--wayland]
Needs: Xvfb, openbox, xdotool, xprop; actexec (Debian package actiona) is used when present;
sway, foot and wtype for --wayland.
"""

import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from xml.sax.saxutils import escape

import programs
import wayland

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class Probe:
    """A probe window whose output lines are stamped with the moment they arrived."""

    def __init__(self, program, env):
        self.lines = []  # (monotonic time, line)
        self.cond = threading.Condition()
        self.proc = subprocess.Popen([program, "Bench probe"], env=env, stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.proc.stdout:
            stamp = time.monotonic()
            with self.cond:
                self.lines.append((stamp, raw.decode("ascii", "replace").rstrip("\n")))
                self.cond.notify_all()
        with self.cond:
            self.cond.notify_all()

    def wait_for(self, predicate, start=0, timeout=30.0):
        deadline = time.monotonic() + timeout
        with self.cond:
            index = start
            while True:
                while index < len(self.lines):
                    if predicate(self.lines[index][1]):
                        return index
                    index += 1
                left = deadline - time.monotonic()
                if left <= 0 or self.proc.poll() is not None:
                    return None
                self.cond.wait(left)

    def send(self, command):
        self.proc.stdin.write((command + "\n").encode())
        self.proc.stdin.flush()

    def clear(self):
        mark = len(self.lines)
        self.send("CLEAR")
        if self.wait_for(lambda l: l == "TEXT -", mark) is None:
            raise RuntimeError("the probe did not clear its text")
        return len(self.lines)

    def settle(self, mark, expected_hex, quiet=3.0, limit=180.0):
        """Waits until the probe's text is the expected one, or nothing has come for `quiet`
        seconds; returns the lines of the run."""
        deadline = time.monotonic() + limit
        with self.cond:
            while time.monotonic() < deadline:
                texts = [l for _, l in self.lines[mark:] if l.startswith("TEXT ")]
                if texts and texts[-1] == "TEXT " + expected_hex:
                    break
                last = self.lines[-1][0] if len(self.lines) > mark else time.monotonic()
                if len(self.lines) > mark and time.monotonic() - last > quiet:
                    break
                self.cond.wait(0.2)
            return list(self.lines[mark:])

    def stop(self):
        try:
            self.send("QUIT")
            self.proc.wait(5)
        except Exception:
            self.proc.kill()


def start_display():
    read_fd, write_fd = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write_fd,),
                              stderr=subprocess.DEVNULL)
    os.close(write_fd)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_fd, 16)
        if not chunk:
            raise RuntimeError("Xvfb did not start")
        number += chunk
    os.close(read_fd)
    env = dict(os.environ)
    env["DISPLAY"] = ":" + number.decode().strip()
    env["XDG_RUNTIME_DIR"] = tempfile.mkdtemp(prefix="orvane-bench-")
    env.pop("WAYLAND_DISPLAY", None)
    wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
    for _ in range(200):
        out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                             capture_output=True, text=True).stdout
        if "window id" in out:
            break
        time.sleep(0.05)
    return server, wm, env


def stop_display(server, wm, env):
    wm.terminate()
    server.terminate()
    wm.wait()
    server.wait()
    shutil.rmtree(env["XDG_RUNTIME_DIR"], ignore_errors=True)


def texts():
    rng = random.Random(1998)
    # No "$": Actiona takes "$name" for a variable and types nothing at all. No "<" either, so
    # the text holds no macro tag.
    ascii_chars = ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
                   "!\"#%&'()*+,-./:;=>?@[\\]^_`{|}~" + " " * 12)
    plain = "".join(rng.choice(ascii_chars) for _ in range(2000))
    latin = [chr(c) for c in range(0xC0, 0x100)] + [chr(c) for c in range(0xA1, 0xBF)]
    accented = "".join(rng.choice(latin) if i % 5 else " " for i in range(200))
    return [("2000 ASCII", plain), ("200 Latin-1", accented)]


def actiona_script(text, folder):
    path = os.path.join(folder, "write.ascr")
    with open(path, "w", encoding="utf-8") as out:
        out.write(f"""<?xml version="1.0" encoding="UTF-8"?>
<scriptfile>
    <settings program="actiona" version="3.10.1" scriptVersion="1.1.0" os="GNU/Linux"/>
    <actions><action name="ActionWriteText" version="1.0.0"/></actions>
    <parameters/>
    <resources/>
    <script pauseBefore="0" pauseAfter="0">
        <action name="ActionWriteText">
            <exception id="0" action="0" line=""/>
            <exception id="1" action="0" line=""/>
            <exception id="2" action="1" line=""/>
            <parameter name="text"><subParameter name="value" code="0">{escape(text)}</subParameter></parameter>
            <parameter name="pause"><subParameter name="value" code="0">0</subParameter></parameter>
        </action>
    </script>
</scriptfile>
""")
    return path


def measure(probe, command, expected, env):
    mark = probe.clear()
    subprocess.run(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   timeout=300)
    lines = probe.settle(mark, expected.encode().hex())
    presses = [t for t, l in lines if l.startswith("KEY ")]
    texts_seen = [l for _, l in lines if l.startswith("TEXT ")]
    exact = bool(texts_seen) and texts_seen[-1] == "TEXT " + expected.encode().hex()
    span = presses[-1] - presses[0] if len(presses) > 1 else float("nan")
    return len(expected) / span if span and span == span else float("nan"), exact


def delay_cpu(orvane, env):
    """CPU seconds `orvane play` spends between 1 s and 4 s into "<DELAY:05.00>", and in all."""
    proc = subprocess.Popen([orvane, "play", "--text", "<DELAY:05.00>"], env=env,
                            stderr=subprocess.DEVNULL)
    ticks = os.sysconf("SC_CLK_TCK")

    def cpu():
        with open(f"/proc/{proc.pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / ticks

    time.sleep(1.0)
    first = cpu()
    time.sleep(3.0)
    during = cpu() - first
    _, status, usage = os.wait4(proc.pid, 0)
    return during, usage.ru_utime + usage.ru_stime, os.waitstatus_to_exitcode(status)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--reps", type=int, default=5)
    parser.add_argument("--probe", choices=["x", "qt"], default="x")
    parser.add_argument("--programs", action="store_true",
                        help="type into real programs instead of a probe")
    parser.add_argument("--wayland", action="store_true",
                        help="type into foot under a headless sway, beside wtype")
    args = parser.parse_args()

    orvane = os.path.join(args.build, "src", "app", "orvane")
    probe_program = os.path.join(args.build, "tests", "e2e",
                                 "orvane_xprobe" if args.probe == "x" else "orvane_qtprobe")
    for needed in (orvane, probe_program):
        if not os.access(needed, os.X_OK):
            sys.exit(f"missing {needed}: build first (cmake --build {args.build})")

    if args.programs:
        programs.run(orvane, args.reps, start_display, stop_display)
        return
    if args.wayland:
        wayland.run(orvane, args.reps, programs.TEXT)
        return
    server, wm, env = start_display()
    folder = tempfile.mkdtemp(prefix="orvane-bench-texts-")
    probe = Probe(probe_program, env)
    try:
        ready = probe.wait_for(lambda l: l.startswith("READY "))
        if ready is None:
            sys.exit("the probe did not start")
        window = probe.lines[ready][1].split()[1]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], env=env, check=True)
        probe.wait_for(lambda l: l == "FOCUS 1")

        tools = [("orvane play", None), ("xdotool --delay 0", None)]
        if shutil.which("actexec"):
            tools.append(("actiona actexec", None))
        else:
            print("actexec not found (Debian package actiona): Actiona left out")

        results = {}
        for label, text in texts():
            text_file = os.path.join(folder, "text.txt")
            with open(text_file, "w", encoding="utf-8") as out:
                out.write(text)
            commands = {
                "orvane play": [orvane, "play", "--file", text_file],
                "xdotool --delay 0": ["xdotool", "type", "--delay", "0", text],
                "actiona actexec": ["actexec", actiona_script(text, folder)],
            }
            for tool, _ in tools:
                runs = [measure(probe, commands[tool], text, env) for _ in range(args.reps)]
                speeds = [s for s, _ in runs if s == s]
                results[(label, tool)] = (statistics.median(speeds) if speeds else float("nan"),
                                          sum(1 for _, exact in runs if exact))

        print(f"\nprobe: {os.path.basename(probe_program)}, {args.reps} runs each")
        print(f"{'text':<12} {'tool':<20} {'chars/s (median)':>17} {'exact runs':>11}")
        for (label, tool), (speed, exact) in results.items():
            print(f"{label:<12} {tool:<20} {speed:>17.0f} {exact:>7}/{args.reps}")
        for label, _ in texts():
            ours = results[(label, "orvane play")][0]
            for tool, _ in tools[1:]:
                theirs = results[(label, tool)][0]
                print(f"{label}: orvane play / {tool} = {ours / theirs:.2f}")

        during, total, code = delay_cpu(orvane, env)
        print(f'\n"<DELAY:05.00>": {during * 1000:.0f} ms CPU during 3 s of the wait, '
              f"{total * 1000:.0f} ms CPU in all (start-up included), exit {code}")
    finally:
        probe.stop()
        stop_display(server, wm, env)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
