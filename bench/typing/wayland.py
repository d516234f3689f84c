# SPDX-License-Identifier: GPL-3.0-or-later
"""Typing on Wayland: `orvane play --text` beside `wtype`, into foot under a headless sway.

sway runs headless as the unprivileged user orvane-sway (made when missing; sway refuses root),
or as the caller when that is not root. A virtual keyboard (`wtype -` reading nothing) stays in
the seat for the whole run, as a user's keyboard would, so that foot keeps its keyboard between
the tools' own. foot runs a new `cat` for every run, each writing its own numbered file; the text
is typed, then Return and Ctrl+D end that `cat`, and the file's bytes are compared. A row per
tool: characters per second of the whole command (median), the slowest run, and the runs whose
file was exact.
"""

import os
import pwd
import shutil
import statistics
import subprocess
import tempfile
import time

from programs import read, wait_until

USER = "orvane-sway"
TITLE = "Bench foot"
NEEDED = ("sway", "swaymsg", "foot", "wtype")


class Sway:
    """A headless sway and the environment for programs run against it."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="orvane-bench-sway-")
        os.chmod(self.folder, 0o711)
        self.runtime = os.path.join(self.folder, "sway-runtime")
        os.mkdir(self.runtime, 0o700)
        argv = ["sway", "-c", self._config()]
        if os.geteuid() == 0:
            try:
                pwd.getpwnam(USER)
            except KeyError:
                subprocess.run(["useradd", "--system", "--create-home", "--shell",
                                "/usr/sbin/nologin", USER], check=False)
            user = pwd.getpwnam(USER)
            os.chown(self.runtime, user.pw_uid, user.pw_gid)
            argv = ["runuser", "-u", USER, "--"] + argv
        self.log = open(os.path.join(self.folder, "sway.log"), "wb")
        self.proc = subprocess.Popen(argv, env={
            "PATH": "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin", "HOME": self.runtime,
            "XDG_RUNTIME_DIR": self.runtime, "WLR_BACKENDS": "headless",
            "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman", "LC_ALL": "C.UTF-8"},
            stdout=subprocess.DEVNULL, stderr=self.log, start_new_session=True)
        sockets = {}

        def up():
            for name in os.listdir(self.runtime):
                path = os.path.join(self.runtime, name)
                if name.startswith("wayland-") and not name.endswith(".lock"):
                    sockets["display"] = path
                elif name.startswith("sway-ipc."):
                    sockets["ipc"] = path
            return len(sockets) == 2 or self.proc.poll() is not None

        if not wait_until(up) or len(sockets) != 2:
            raise RuntimeError("sway did not start:\n" +
                               (read(os.path.join(self.folder, "sway.log")) or b"").decode())
        home = os.path.join(self.folder, "home")
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(home)
        os.mkdir(runtime, 0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS")}
        self.env.update(WAYLAND_DISPLAY=sockets["display"], SWAYSOCK=sockets["ipc"],
                        XDG_SESSION_TYPE="wayland", XDG_RUNTIME_DIR=runtime, HOME=home,
                        TMPDIR=home, LC_ALL="C.UTF-8", LANG="C.UTF-8", QT_QPA_PLATFORM="wayland",
                        ORVANE_BACKEND="wayland")
        if not wait_until(lambda: self.swaymsg("-t", "get_version").returncode == 0):
            raise RuntimeError("sway does not answer on its IPC socket")
        # The user's keyboard, there for the whole run.
        self.keyboard = subprocess.Popen(["wtype", "-"], env=self.env, stdin=subprocess.PIPE,
                                         stderr=subprocess.DEVNULL, start_new_session=True)
        if not wait_until(lambda: '"keyboard"' in self.swaymsg("-t", "get_inputs", "-r").stdout):
            raise RuntimeError("wtype's keyboard did not join the seat")

    def _config(self):
        path = os.path.join(self.folder, "sway.conf")
        with open(path, "w") as out:
            out.write("xwayland disable\noutput HEADLESS-1 resolution 1280x800\n"
                      "default_border normal\nfocus_follows_mouse no\n")
        os.chmod(path, 0o644)
        return path

    def swaymsg(self, *args):
        return subprocess.run(["swaymsg", *args], env=self.env, capture_output=True, text=True)

    def focused(self, title):
        return f'"name": "{title}"' in self.swaymsg("-t", "get_tree", "-r").stdout and \
            self.swaymsg(f'[title="^{title}$"]', "focus").returncode == 0

    def stop(self):
        for proc in (self.keyboard, self.proc):
            try:
                os.killpg(proc.pid, 15)
                proc.wait(5)
            except (OSError, subprocess.TimeoutExpired):
                os.killpg(proc.pid, 9)
                proc.wait()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)


def run(orvane, reps, text):
    missing = [tool for tool in NEEDED if not shutil.which(tool)]
    if missing:
        print(f"Wayland row left out: {', '.join(missing)} missing (tools/install-deps test)")
        return
    sway = Sway()
    foot = None
    try:
        stem = os.path.join(sway.folder, "typed")
        foot = subprocess.Popen(["foot", "--title", TITLE, "sh", "-c",
                                 'n=0; while :; do n=$((n+1)); cat > "$0.$n"; done', stem],
                                env=sway.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)
        if not wait_until(lambda: os.path.exists(stem + ".1") and sway.focused(TITLE)):
            raise RuntimeError("foot did not show its window")
        tools = [("orvane play", [orvane, "play", "--text", text]),
                 ("wtype", ["wtype", "--", text])]
        expected = (text + "\n").encode()
        count = 0
        results = []
        for tool, command in tools:
            seconds, exact, failure = [], 0, ""
            for _ in range(reps):
                count += 1
                start = time.monotonic()
                try:
                    done = subprocess.run(command, env=sway.env, capture_output=True,
                                          timeout=120)
                    if done.returncode == 0:
                        seconds.append(time.monotonic() - start)
                    elif not failure:
                        said = done.stderr.decode(errors="replace").strip().splitlines()
                        failure = f"exit {done.returncode}: {said[-1] if said else ''}"
                except subprocess.TimeoutExpired:
                    failure = failure or "did not end within 120 s"
                # Ends this run's `cat`; the next one starting shows it has written all it got.
                subprocess.run(["wtype", "-k", "Return", "-M", "ctrl", "-k", "d", "-m", "ctrl"],
                               env=sway.env)
                wait_until(lambda: os.path.exists(f"{stem}.{count + 1}"), 10)
                exact += read(f"{stem}.{count}") == expected
            # A command that failed typed nothing: its time says nothing about speed.
            speed = f"{len(text) / statistics.median(seconds):.0f}" if seconds else "-"
            slowest = f"{max(seconds):.3f}" if seconds else "-"
            results.append((tool, speed, slowest, exact, failure))
    finally:
        if foot is not None:
            os.killpg(foot.pid, 15)
            foot.wait()
        sway.stop()

    print(f"\nWayland (sway headless, foot): {len(text)} characters, {reps} runs each")
    print(f"{'tool':<14} {'chars/s (median)':>17} {'slowest s':>10} {'exact runs':>11}")
    for tool, speed, slowest, exact, failure in results:
        print(f"{tool:<14} {speed:>17} {slowest:>10} {exact:>7}/{reps}"
              + (f"   ({failure})" if failure else ""))
