# SPDX-License-Identifier: GPL-3.0-or-later
"""Soak: the program runs for a long time while a hot key is struck every 100 ms (or as soon as
the play before has ended, when that takes longer), a ShortKey is typed every second, a timed macro plays every minute and the main window is shown and minimised
now and then. Its proportional memory (PSS), open descriptors, the X clients and the input
devices are taken at the start, after ten minutes (half the run in a short one) and at the end,
each right after the main window was shown and put away, so that every sample holds the same
windows; the probe window must hold exactly what every macro typed."""

import time

import harness
from held_modifiers import start_with_probe

HOT_TEXT = "h"
SHORT_TYPED = ";sk"
SHORT_TEXT = "[s]"
TIMED_TEXT = "T"


def short_key_arrived(text, before):
    """The probe holds `before` and the ShortKey typed after it as it should be: replaced by its
    text, or left as typed when the timed macro typed into it or right after it (a macro's text
    ends the word being typed, and a ShortKey completed while another macro plays plays
    nothing). The timed macro's text is left out of the comparison."""
    plain = text.replace(TIMED_TEXT, "")
    if plain == before + SHORT_TEXT:
        return True
    return plain == before + SHORT_TYPED and TIMED_TEXT in text[text.rfind(SHORT_TYPED[0]):]


def measure(program, display, keyboard):
    pss, private = program.memory_kib()
    return {"pss": pss, "private": private, "fds": program.open_fds(),
            "clients": display.x_clients(), "devices": keyboard.device_count()}


def cycle_window(display):
    """The main window shown by its hot key and put away again; True when it showed."""
    display.keys("ctrl+alt+shift+w")
    shown = harness.wait_for(lambda: display.shown("Orvane 98 (Soak)"), 10)
    display.xdotool("search", "--name", "^Orvane 98 \\(Soak\\)$", "windowminimize")
    display.activate("Target")
    return shown


def run_soak(build, minutes, say):
    display = harness.Display()
    result = {"ticks": 0, "hot": 0, "hot_lost": 0, "hot_during_timed": 0, "short": 0,
              "short_into_timed": 0,
              "timed": 0, "window": 0, "mismatches": 0, "unended": 0, "samples": [],
              "private_series": []}
    try:
        program, probe, keyboard = start_with_probe(
            build, display, "Soak", [f"Ctrl+Alt+Shift+G={HOT_TEXT}", f":{SHORT_TYPED[1:]}={SHORT_TEXT}",
                                     f"@Target={TIMED_TEXT}"],
            f"[ShortKeys]\nPrefix Keys={SHORT_TYPED[0]}\n[Scheduler]\nTimer Seconds=1\n")
        ends = harness.PlayEnds(display)
        started = time.monotonic()
        end = started + minutes * 60
        middle = started + (10.0 if minutes > 10 else minutes / 2) * 60
        result["window"] += cycle_window(display)
        result["samples"].append(("start", measure(program, display, keyboard)))
        middle_taken = False
        expected = ""
        tick = 0
        while time.monotonic() < end:
            tick += 1
            at = time.monotonic()
            # A strike while another macro plays (the timed one) is not played, by design:
            # it is told apart from a lost one by the timed macro's text arriving meanwhile.
            hits, timed = probe.text.count(HOT_TEXT), probe.text.count(TIMED_TEXT)
            ended = ends.ended()
            display.keys("ctrl+alt+shift+g")
            result["hot"] += 1
            if harness.wait_for(lambda: probe.text.count(HOT_TEXT) > hits, 5):
                expected += HOT_TEXT
                if not harness.wait_for(lambda: ends.ended() > ended, 10):
                    result["unended"] += 1
            elif probe.text.count(TIMED_TEXT) > timed:
                result["hot_during_timed"] += 1
            else:
                result["hot_lost"] += 1
                say(f"soak: a hot key strike typed nothing; the probe has {probe.text[-30:]!r}")
            if tick % 10 == 0:
                ended = ends.ended()
                display.type(SHORT_TYPED)
                result["short"] += 1
                # Everything typed so far has arrived exactly (timed macros aside, counted).
                if not harness.wait_for(lambda: short_key_arrived(probe.text, expected), 20):
                    result["mismatches"] += 1
                    say(f"soak: expected {(expected + SHORT_TEXT)[-30:]!r}, the probe has "
                        f"{probe.text[-30:]!r}; its last events: " + " | ".join(probe.recent))
                elif probe.text.replace(TIMED_TEXT, "") != expected + SHORT_TEXT:
                    result["short_into_timed"] += 1
                    say(f"soak: the timed macro typed into the ShortKey: {probe.text[-30:]!r}")
                elif not harness.wait_for(lambda: ends.ended() > ended, 10):
                    result["unended"] += 1
                result["timed"] += probe.text.count(TIMED_TEXT)
                probe.clear()
                expected = ""
            middle_due = not middle_taken and time.monotonic() >= middle
            if tick % 300 == 0 or middle_due:
                result["window"] += cycle_window(display)
                result["private_series"].append(program.memory_kib()[1])
            if middle_due:
                middle_taken = True
                result["samples"].append((f"{(time.monotonic() - started) / 60:.1f} min",
                                          measure(program, display, keyboard)))
            if tick % 600 == 0:
                say(f"soak: {(time.monotonic() - started) / 60:.1f} min, "
                    f"{result['mismatches']} mismatches")
            left = 0.1 - (time.monotonic() - at)
            if left > 0:
                time.sleep(left)  # the user's rhythm: a strike every 100 ms
        harness.wait_for(lambda: probe.text.replace(TIMED_TEXT, "") == expected, 20)
        result["timed"] += probe.text.count(TIMED_TEXT)
        result["window"] += cycle_window(display)
        result["samples"].append(("end", measure(program, display, keyboard)))
        say("soak: private memory (KiB) at each showing of the main window: " +
            " ".join(str(kib) for kib in result["private_series"]))
        result["ticks"] = tick
        result["running"] = program.running()
        program.stop()
        return result
    finally:
        display.close()
