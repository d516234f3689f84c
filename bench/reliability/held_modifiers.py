# SPDX-License-Identifier: GPL-3.0-or-later
"""Held modifiers: the display's own keyboard ("Xvfb keyboard", through XTest device events, so
the program sees a person's keys and not the XTest device it types with) strikes a hot key and
lets its modifiers go at random moments while the macro types, sometimes holding them past the
end. After each play, with every key let go: no modifier may stay down in the server, and the
probe window must hold exactly the macro's text once more."""

import collections
import ctypes
import os
import random
import subprocess
import threading
import time

import harness

TEXT = "Held Keys 42, ok."
MODIFIERS = {"Control_L": 37, "Alt_L": 64, "Shift_L": 50}
KEY_G = 42


class DeviceInfo(ctypes.Structure):
    _fields_ = [("id", ctypes.c_ulong), ("type", ctypes.c_ulong), ("name", ctypes.c_char_p),
                ("num_classes", ctypes.c_int), ("use", ctypes.c_int),
                ("inputclassinfo", ctypes.c_void_p)]


class DeviceKeyboard:
    def __init__(self, display):
        self.x = ctypes.CDLL("libX11.so.6")
        self.xi = ctypes.CDLL("libXi.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XQueryKeymap.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
        self.xi.XOpenDevice.restype = ctypes.c_void_p
        self.xi.XOpenDevice.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.xtst.XTestFakeDeviceKeyEvent.argtypes = [
            ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
            ctypes.POINTER(ctypes.c_int), ctypes.c_int, ctypes.c_ulong]
        self.xi.XListInputDevices.restype = ctypes.POINTER(DeviceInfo)
        self.xi.XListInputDevices.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int)]
        self.display = self.x.XOpenDisplay(display.name.encode())
        count = ctypes.c_int(0)
        devices = self.xi.XListInputDevices(self.display, ctypes.byref(count))
        found = [devices[i].id for i in range(count.value)
                 if devices[i].name == b"Xvfb keyboard"]
        if not found:
            raise RuntimeError("no Xvfb keyboard device")
        self.device = self.xi.XOpenDevice(self.display, found[0])
        if not self.display or not self.device:
            raise RuntimeError("cannot open the Xvfb keyboard")

    def send(self, keycode, down):
        self.xtst.XTestFakeDeviceKeyEvent(self.display, self.device, keycode, 1 if down else 0,
                                          None, 0, 0)
        self.x.XSync(self.display, 0)

    def device_count(self):
        count = ctypes.c_int(0)
        self.xi.XListInputDevices(self.display, ctypes.byref(count))
        return count.value

    def down_keys(self):
        """The keycodes the server holds down now, from any device."""
        keys = ctypes.create_string_buffer(32)
        self.x.XQueryKeymap(self.display, keys)
        return [code for code in range(8, 256) if keys.raw[code // 8] & (1 << (code % 8))]


class Probe:
    def __init__(self, display, binary):
        self.process = subprocess.Popen([binary, "Target"], env=display.env,
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                        start_new_session=True)
        self.text = ""
        self.recent = collections.deque(maxlen=80)  # the last events, for a mismatch's report
        self.ready = threading.Event()
        self.changed = threading.Condition()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        for line in self.process.stdout:
            self.recent.append(line.strip())
            parts = line.split()
            if parts and parts[0] == "READY":
                self.ready.set()
            if parts and parts[0] == "TEXT":
                with self.changed:
                    self.text = "" if parts[1] == "-" else bytes.fromhex(parts[1]).decode()
                    self.changed.notify_all()

    def wait_text(self, wanted, limit=20):
        deadline = time.monotonic() + limit
        with self.changed:
            while self.text != wanted:
                left = deadline - time.monotonic()
                if left <= 0 or (wanted and len(self.text) > len(wanted)):
                    return False
                self.changed.wait(left)
        return True

    def clear(self):
        self.process.stdin.write("CLEAR\n")
        self.process.stdin.flush()
        return self.wait_text("")

    def close(self):
        self.process.kill()
        self.process.wait()


def start_with_probe(build, display, name, macros, settings=""):
    """The program on a macro file `name`.ORV of `macros`, with `settings`, and a probe window
    "Target" in front; returns the program, the probe and the display's own keyboard. Both
    processes end with the display."""
    file = display.path("data", name + ".ORV")
    tool = os.path.join(build, "bench", "reliability", "bench_reliability_file")
    display.run([tool, "write", file, *macros])
    config = display.path("config", "orvane")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "ORVAN.INI"), "w") as out:
        out.write(settings)
    program = harness.Program(display, os.path.join(build, "src", "app", "orvane"),
                              ["/F", file], display.path("orvane.log"))
    if not harness.wait_for(lambda: display.shown(f"Orvane 98 ({name})"), 30):
        raise RuntimeError("the program did not start\n" + program.log())
    probe = Probe(display, os.path.join(build, "tests", "e2e", "orvane_xprobe"))
    display.children.append(probe.process)
    if not probe.ready.wait(30) or not display.activate("Target"):
        raise RuntimeError("no probe window")
    return program, probe, DeviceKeyboard(display)


def run_modifiers(build, plays, seed, say):
    rng = random.Random(seed)
    display = harness.Display()
    result = {"plays": 0, "stuck": 0, "lost": 0}
    try:
        program, probe, keyboard = start_with_probe(build, display, "Held",
                                                    [f"Ctrl+Alt+Shift+G={TEXT}"])
        for play in range(1, plays + 1):
            if not probe.clear():
                raise RuntimeError(f"the probe did not clear: {probe.text!r}")
            held = list(MODIFIERS.values())
            for code in held:
                keyboard.send(code, True)
            keyboard.send(KEY_G, True)
            keyboard.send(KEY_G, False)
            # Let go of each modifier at its own random moment: at once, during the typing, or
            # only after the text has arrived.
            rng.shuffle(held)
            late = []
            for code in held:
                moment = rng.choice(["now", "during", "after"])
                if moment == "now":
                    keyboard.send(code, False)
                elif moment == "during":
                    time.sleep(rng.uniform(0, 0.08))
                    keyboard.send(code, False)
                else:
                    late.append(code)
            arrived = probe.wait_text(TEXT)
            for code in late:
                keyboard.send(code, False)
            result["plays"] += 1
            if not arrived:
                result["lost"] += 1
                say(f"held modifiers, play {play}: the probe has {probe.text!r}")
                probe.wait_text(TEXT, 2)
            stuck = harness.wait_for(lambda: not [c for c in keyboard.down_keys()
                                                  if c in MODIFIERS.values()], 2)
            if not stuck:
                result["stuck"] += 1
                say(f"held modifiers, play {play}: keys still down {keyboard.down_keys()}")
                for code in keyboard.down_keys():
                    keyboard.send(code, False)
            if play % 50 == 0:
                say(f"held modifiers: {play}/{plays}, stuck {result['stuck']}, "
                    f"lost {result['lost']}")
        program.stop()
        return result
    finally:
        display.close()
