# SPDX-License-Identifier: GPL-3.0-or-later
"""The pieces every reliability part shares: a virtual display with a window manager and private
folders, the program started and killed on it, xdotool, and the macro file read record by record.
Nothing here sleeps a fixed time to wait for the program: waits poll a condition with a limit."""

import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

RECORD_SIZE = 5165
HOT_KEY_AT = 93
TEXT_AT = 100
SHORTKEY_HOT_KEY = 20000
SYSTEM_SCOPE = 5
SCOPE_AT = 95

OPENBOX_CONFIG = """<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse></focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <keyboard></keyboard>
  <mouse>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
  </mouse>
</openbox_config>
"""


def wait_for(condition, limit=30.0, step=0.02):
    """Polls `condition` until it is true or `limit` seconds have passed; returns its last value."""
    deadline = time.monotonic() + limit
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(step)


class Display:
    """Xvfb (the server picks its number) and openbox without key bindings, with a private home
    and XDG folders for everything started on it."""

    def __init__(self, window_manager=True):
        self.folder = tempfile.mkdtemp(prefix="orvane-reliability-")
        for sub in ("home", "config", "data", "runtime"):
            os.makedirs(os.path.join(self.folder, sub), mode=0o700)
        for _ in range(5):
            if self._start_server():
                break
        else:
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": self.name,
            "HOME": os.path.join(self.folder, "home"),
            "XDG_CONFIG_HOME": os.path.join(self.folder, "config"),
            "XDG_DATA_HOME": os.path.join(self.folder, "data"),
            "XDG_RUNTIME_DIR": os.path.join(self.folder, "runtime"),
            "LC_ALL": "C.UTF-8",
            "ORVANE_HOOK_TRACE": "1",
        })
        self.env.pop("SESSION_MANAGER", None)
        self.wm = None
        self.children = []
        if window_manager:
            config = os.path.join(self.folder, "rc.xml")
            with open(config, "w") as out:
                out.write(OPENBOX_CONFIG)
            self.wm = subprocess.Popen(["openbox", "--sm-disable", "--config-file", config],
                                       env=self.env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, start_new_session=True)
            wait_for(lambda: "_NET_SUPPORTING_WM_CHECK" in self.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]).stdout and "window id" in self.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]).stdout, 20)

    def _start_server(self):
        read, write = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read, 16)
            if not chunk:
                break
            number += chunk
        os.close(read)
        self.name = ":" + number.decode().strip()
        probe_env = dict(os.environ, DISPLAY=self.name)
        if number.endswith(b"\n") and wait_for(lambda: subprocess.run(
                ["xdpyinfo"], env=probe_env, capture_output=True).returncode == 0, 10):
            return True
        self.server.kill()
        self.server.wait()
        return False

    def path(self, *parts):
        return os.path.join(self.folder, *parts)

    def run(self, argv, timeout=30, stdin=None):
        try:
            return subprocess.run(argv, env=self.env, capture_output=True, text=True,
                                  timeout=timeout, input=stdin)
        except subprocess.TimeoutExpired:
            return subprocess.CompletedProcess(argv, 124, "", "timed out")

    def xdotool(self, *args, timeout=30):
        return self.run(["xdotool", *args], timeout=timeout).returncode == 0

    def keys(self, *keys):
        return self.xdotool("key", *keys)

    def type(self, text):
        return self.xdotool("type", "--delay", "12", text)

    def shown(self, title):
        found = self.run(["xdotool", "search", "--onlyvisible", "--name",
                          "^" + _escape(title) + "$"], timeout=10)
        return found.returncode == 0 and found.stdout.strip() != ""

    def activate(self, title, limit=15):
        """Brings the window titled `title` forward; retried while the window manager has not
        taken a window just shown."""
        def once():
            found = self.run(["xdotool", "search", "--onlyvisible", "--name",
                              "^" + _escape(title) + "$"], timeout=10)
            ids = found.stdout.split()
            return bool(ids) and self.xdotool("windowactivate", "--sync", ids[-1], timeout=10)
        return wait_for(once, limit, 0.1)

    def click(self, x, y):
        return self.xdotool("mousemove", "--sync", str(x), str(y), "click", "1")

    def keymap(self):
        return self.run(["xmodmap", "-pke"]).stdout

    def x_clients(self):
        """How many clients the X server has (the X-Resource extension's count)."""
        xres = ctypes.CDLL("libXRes.so.1")
        xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        xres.XResQueryClients.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                          ctypes.POINTER(ctypes.c_void_p)]
        connection = xlib.XOpenDisplay(self.name.encode())
        count = ctypes.c_int(0)
        clients = ctypes.c_void_p()
        xres.XResQueryClients(connection, ctypes.byref(count), ctypes.byref(clients))
        xlib.XCloseDisplay(connection)
        return count.value - 1  # not this connection

    def close(self):
        # Whatever was started on the display and still runs ends with it.
        for process in self.children:
            if process.poll() is None:
                process.kill()
                process.wait()
        for process in (self.wm, self.server):
            if process is not None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


def keymap_changes(before, after):
    """The keycodes whose keys mean something else in `after` ("xmodmap -pke" texts): a keycode
    spare before and bound after, or a key whose first group differs. A client that binds a
    keycode with more keysyms per keycode than the map had makes the server widen every key
    with copies of its first group; that changes what xmodmap prints, not what a key types."""
    def parse(text):
        keys = {}
        for line in text.splitlines():
            left, _, right = line.partition("=")
            if left.startswith("keycode"):
                syms = right.split()
                keys[int(left.split()[1])] = syms[:2] if syms else []
        return keys
    old, new = parse(before), parse(after)
    return [code for code in sorted(set(old) | set(new)) if old.get(code) != new.get(code)]


def recorded_bindings(display):
    """The keycodes the program's records on the root window say it left bound for the moment
    ("_ORVANE_BOUND_KEYS_<pid>", keycode and keysym pairs), which its next start takes over."""
    keycodes = set()
    for line in display.run(["xprop", "-root"]).stdout.splitlines():
        if line.startswith("_ORVANE_BOUND_KEYS_") and "=" in line:
            values = [v.strip() for v in line.split("=", 1)[1].split(",")]
            keycodes |= {int(v) for v in values[0::2] if v.isdigit()}
    return keycodes


def _escape(title):
    out = ""
    for c in title:
        out += "\\" + c if c in "()[].*+?^$|\\{}" else c
    return out


_xlib = None


def keyboard_grab_succeeds(display_name):
    """Takes and gives back an active grab of the whole keyboard: it fails while another client
    (a program left behind) holds one."""
    global _xlib
    if _xlib is None:
        _xlib = ctypes.CDLL("libX11.so.6")
        _xlib.XOpenDisplay.restype = ctypes.c_void_p
        _xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        _xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        _xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        _xlib.XGrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
        _xlib.XUngrabKeyboard.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        _xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        _xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    connection = _xlib.XOpenDisplay(display_name.encode())
    if not connection:
        return False
    root = _xlib.XDefaultRootWindow(connection)
    # A grab of a client that has just ended goes once the server has seen it go.
    result = wait_for(lambda: _xlib.XGrabKeyboard(connection, root, 0, 1, 1, 0) == 0, 3, 0.05)
    _xlib.XUngrabKeyboard(connection, 0)
    _xlib.XSync(connection, 0)
    _xlib.XCloseDisplay(connection)
    return bool(result)


class Program:
    """The program on a display, its standard error kept in a log beside its files."""

    def __init__(self, display, binary, arguments, log):
        self.display = display
        self.log_path = log
        with open(log, "ab") as err:
            self.process = subprocess.Popen([binary, *arguments], env=display.env,
                                            stdout=subprocess.DEVNULL, stderr=err,
                                            start_new_session=True)
        display.children.append(self.process)

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    def kill(self, sig=signal.SIGKILL):
        if self.running():
            os.kill(self.process.pid, sig)

    def wait(self, limit=30):
        try:
            self.process.wait(limit)
            return True
        except subprocess.TimeoutExpired:
            return False

    def stop(self):
        """Ends it as a session does (SIGTERM, which saves); SIGKILL if it does not end."""
        self.kill(signal.SIGTERM)
        if not self.wait(30):
            self.kill(signal.SIGKILL)
            self.wait(10)
            return False
        return True

    def log(self):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def memory_kib(self):
        """PSS and the pages the program alone holds (private, USS). PSS shares each library
        page among the processes mapping it, so it moves when other programs start or end;
        the private pages are what a leak grows."""
        seen = {}
        try:
            with open(f"/proc/{self.pid}/smaps_rollup") as f:
                for line in f:
                    key, _, value = line.partition(":")
                    if key in ("Pss", "Private_Clean", "Private_Dirty"):
                        seen[key] = int(value.split()[0])
        except OSError:
            return None, None
        return seen.get("Pss"), seen.get("Private_Clean", 0) + seen.get("Private_Dirty", 0)

    def open_fds(self):
        try:
            return len(os.listdir(f"/proc/{self.pid}/fd"))
        except OSError:
            return None


def records(path):
    """The macro file's records as bytes, in file order (a partial tail is one short record)."""
    try:
        with open(path, "rb") as f:
            data = f.read()
    except FileNotFoundError:
        return None
    return [data[at:at + RECORD_SIZE] for at in range(0, len(data), RECORD_SIZE)]


def hot_key(record):
    return record[HOT_KEY_AT] | (record[HOT_KEY_AT + 1] << 8)


def text(record):
    end = record.find(b"\0", TEXT_AT)
    return record[TEXT_AT:end if end >= 0 else len(record)]


def is_system(record):
    return record[SCOPE_AT] == SYSTEM_SCOPE


def open_dialog(display, caption, title, keys, tries=40):
    """Opens a dialog by `keys` (or a callable that clicks) in the window `caption` as a user of
    a shared file does: the in-use message (another holder, or a killed holder's lock until its
    heartbeat is stale) and the file-changed notice are closed and the command tried again.
    Returns how many times the
    command was refused, None when the dialog never opened."""
    refusals = 0
    for _ in range(tries):
        if not display.activate(caption):
            return None
        if not (keys() if callable(keys) else display.keys(*keys)):
            return None
        seen = wait_for(lambda: (display.shown(title) and "dialog") or
                        (display.shown("Error") and "Error") or
                        (display.shown("Notice") and "Notice"), 15)
        if seen == "dialog":
            return refusals
        if not seen:
            return None
        refusals += 1
        display.activate(seen)
        display.keys("Return")
        wait_for(lambda: not display.shown(seen), 10)
        time.sleep(0.3)  # the user waits a moment before trying again
    return None


class Control:
    """One line of the program's control map (ORVANE_WIDGET_MAP): where a named control is."""

    def __init__(self, fields):
        self.window, self.name = fields[0], fields[1]
        self.x, self.y, self.width, self.height = (int(v) for v in fields[2].split())
        self.enabled = fields[3] == "enabled"
        self.value = fields[4] if len(fields) > 4 else ""

    def centre(self):
        return self.x + self.width // 2, self.y + self.height // 2


def controls(path, window):
    """The controls of `window` in the map the program keeps at `path` (rewritten whole)."""
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            lines = f.read().splitlines()
    except OSError:
        return []
    return [Control(fields) for fields in (line.split("\t") for line in lines)
            if len(fields) >= 4 and fields[0] == window]


def control(path, window, name, limit=10):
    """The named control of `window` once the map shows it, else None."""
    def find():
        return next((c for c in controls(path, window) if c.name == name), None)
    return wait_for(find, limit)


def trace(display):
    try:
        with open(display.path("runtime", "orvane", "hook-trace.txt")) as f:
            return f.read()
    except OSError:
        return ""


class PlayEnds:
    """Follows the hook trace (ORVANE_HOOK_TRACE=1) for its "end" lines, one per play ended,
    reading only what was added since the last look (a long run's trace grows large). Keys
    typed before a play's end are the macro's own to the program, so a harness strikes the next
    hot key or ShortKey only after it, as the end-to-end tests do."""

    def __init__(self, display):
        self.path = display.path("runtime", "orvane", "hook-trace.txt")
        self.offset = 0
        self.rest = b""
        self.count = 0

    def ended(self):
        try:
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                added = f.read()
        except OSError:
            return self.count
        self.offset += len(added)
        lines = (self.rest + added).split(b"\n")
        self.rest = lines.pop()
        self.count += sum(1 for line in lines if line == b"end")
        return self.count


def trace_count(display, line):
    return sum(1 for seen in trace(display).splitlines() if seen == line)
