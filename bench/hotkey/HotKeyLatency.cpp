// SPDX-License-Identifier: GPL-3.0-or-later
// Strike of a hot key to the first and to the last character of a 40-character macro in a probe
// window, for Orvane and for sxhkd running `xdotool type --delay 0` on the same key, in the same
// run on one virtual display each: the key tapped (press and release within a fraction of a
// millisecond) and held for about 40 ms, as a person holds it. Medians over the rounds.
// Usage: bench_hotkey_latency <orvane program> [rounds]   (sxhkd and xdotool on the PATH)
#include "ChildProcess.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace orvane;
using namespace orvane::e2e;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* Text = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";

struct Sample {
    double First = -1; // ms; -1: never arrived
    double Last = -1;
    bool Exact = false;
};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Strikes F9 through XTest (as xdotool would) and times the probe's text.
Sample Strike(Display* d, Probe& probe, std::chrono::milliseconds hold) {
    probe.ClearText();
    const KeyCode f9 = XKeysymToKeycode(d, XK_F9);
    const std::size_t from = probe.LineCount();
    const auto start = Clock::now();
    XTestFakeKeyEvent(d, f9, True, CurrentTime);
    XFlush(d);
    std::thread release([d, f9, hold] {
        std::this_thread::sleep_for(hold);
        XTestFakeKeyEvent(d, f9, False, CurrentTime);
        XFlush(d);
    });
    Sample sample;
    const auto first = probe.WaitForLine(
        [](const std::string& l) { return l.rfind("TEXT ", 0) == 0 && l.size() > 5; }, 3000ms,
        from);
    if (first) {
        sample.First = Ms(Clock::now() - start);
        const auto full = probe.WaitForLine(
            [](const std::string& l) { return l.rfind("TEXT ", 0) == 0 && l.size() >= 5 + 80; },
            3000ms, from);
        if (full) {
            sample.Last = Ms(Clock::now() - start);
        }
    }
    release.join();
    XSync(d, False);
    std::this_thread::sleep_for(200ms); // let the contender settle before the next round
    sample.Exact = probe.Text() == Text;
    return sample;
}

double Median(std::vector<double> values) {
    values.erase(std::remove(values.begin(), values.end(), -1.0), values.end());
    if (values.empty()) {
        return -1;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Result {
    double First = -1;
    double Last = -1;
    int Exact = 0;
    int Rounds = 0;
};

Result Measure(const VirtualDisplay& display, Probe& probe, std::chrono::milliseconds hold,
               int rounds) {
    Display* d = XOpenDisplay(display.Name().c_str());
    std::vector<double> firsts;
    std::vector<double> lasts;
    Result result;
    result.Rounds = rounds;
    for (int i = 0; i < rounds; ++i) {
        const Sample s = Strike(d, probe, hold);
        firsts.push_back(s.First);
        lasts.push_back(s.Last);
        result.Exact += s.Exact ? 1 : 0;
    }
    XCloseDisplay(d);
    result.First = Median(firsts);
    result.Last = Median(lasts);
    return result;
}

void Print(const char* who, const char* how, const Result& r) {
    std::printf("%-8s %-10s first %7.2f ms  last %7.2f ms  exact %d/%d\n", who, how, r.First,
                r.Last, r.Exact, r.Rounds);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <orvane program> [rounds]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1];
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;

    Result orvaneTap;
    Result orvaneHeld;
    {
        VirtualDisplay display;
        const auto file = display.Folder() / "Bench.ORV";
        {
            std::ofstream out(file, std::ios::binary);
            MacroRecord r;
            r.Nickname.Assign("bench");
            r.HotKey = *HotKeyCodeOf("F9");
            r.Scope = ScopeGlobal;
            r.Active = 1;
            r.SetText(Text);
            const MacroRecordBytes bytes = r.ToBytes();
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        }
        SpawnOptions options;
        options.argv = {program, "/F", file.string()};
        options.env = display.Env();
        ChildProcess orvane(options);
        Probe probe(display, "Bench Probe");
        std::this_thread::sleep_for(2s); // the program's start-up
        if (!probe.WaitForReady()) {
            return 1;
        }
        orvaneTap = Measure(display, probe, 0ms, rounds);
        orvaneHeld = Measure(display, probe, 40ms, rounds);
    }
    Result sxhkdTap;
    Result sxhkdHeld;
    {
        VirtualDisplay display;
        const auto config = display.Folder() / "sxhkdrc";
        std::ofstream(config) << "F9\n    xdotool type --delay 0 '" << Text << "'\n";
        SpawnOptions options;
        options.argv = {"sxhkd", "-c", config.string()};
        options.env = display.Env();
        ChildProcess sxhkd(options);
        Probe probe(display, "Bench Probe");
        std::this_thread::sleep_for(1s);
        if (!probe.WaitForReady()) {
            return 1;
        }
        sxhkdTap = Measure(display, probe, 0ms, rounds);
        sxhkdHeld = Measure(display, probe, 40ms, rounds);
    }
    Print("orvane", "tap", orvaneTap);
    Print("orvane", "held 40ms", orvaneHeld);
    Print("sxhkd", "tap", sxhkdTap);
    Print("sxhkd", "held 40ms", sxhkdHeld);
    if (orvaneTap.Last > 0 && sxhkdTap.Last > 0) {
        std::printf("ratio sxhkd/orvane (tap): first %.1fx  last %.1fx\n",
                    sxhkdTap.First / orvaneTap.First, sxhkdTap.Last / orvaneTap.Last);
    }
    if (orvaneHeld.Last > 0 && sxhkdHeld.Last > 0) {
        std::printf("ratio sxhkd/orvane (held): first %.1fx  last %.1fx\n",
                    sxhkdHeld.First / orvaneHeld.First, sxhkdHeld.Last / orvaneHeld.Last);
    }
    return 0;
}
