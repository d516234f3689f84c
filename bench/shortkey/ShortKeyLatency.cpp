// SPDX-License-Identifier: GPL-3.0-or-later
// Last typed character of an abbreviation to the last character of its 40-character expansion
// in a probe window, for Orvane's ShortKey and for an AutoKey phrase that triggers at once on
// the same abbreviation, in the same run, each on its own virtual display. Orvane's figure is
// also given without the fixed 0.1 s pause it makes between erasing and playing. Then a
// 3000-character expansion in Orvane, typed key by key and pasted through the clipboard
// ("Paste Long Texts"), to its last character. Medians.
// Usage: bench_shortkey_latency <orvane program> [rounds]   (autokey-gtk on the PATH)
#include "ChildProcess.h"
#include "Probe.h"
#include "VirtualDisplay.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"

#include <fcntl.h>
#include <unistd.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace orvane;
using namespace orvane::e2e;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* Abbreviation = "zq";
constexpr const char* Text = "abcdefghijklmnopqrstuvwxyz0123456789ABCD";
constexpr double ErasePauseMs = 100.0;
constexpr int LongTextLength = 3000;
constexpr int LongRounds = 3;

struct Result {
    double Last = -1; // ms, median; -1: never complete
    int Exact = 0;
    int Rounds = 0;
};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Tap(Display* d, KeySym keysym) {
    const KeyCode code = XKeysymToKeycode(d, keysym);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XFlush(d);
}

// Types the abbreviation through XTest and times the probe's text, until it is `text`, from
// the abbreviation's last key.
Result Measure(const VirtualDisplay& display, Probe& probe, int rounds,
               const std::string& text = Text, std::chrono::milliseconds limit = 3000ms) {
    Display* d = XOpenDisplay(display.Name().c_str());
    std::vector<double> lasts;
    Result result;
    result.Rounds = rounds;
    const std::string full = "TEXT " + [&text] {
        std::string hex;
        char digits[3];
        for (const char c : text) {
            std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
            hex += digits;
        }
        return hex;
    }();
    for (int i = 0; i < rounds; ++i) {
        probe.ClearText();
        const std::size_t from = probe.LineCount();
        Tap(d, XK_z);
        std::this_thread::sleep_for(30ms); // a person's pace between the two keys
        const auto start = Clock::now();
        Tap(d, XK_q);
        const auto done = probe.WaitForLine(
            [&full](const std::string& l) { return l.rfind(full, 0) == 0; }, limit, from);
        if (done) {
            lasts.push_back(Ms(Clock::now() - start));
        }
        std::this_thread::sleep_for(300ms); // let the contender settle before the next round
        result.Exact += probe.Text() == text ? 1 : 0;
        if (i == 0 && probe.Text() != text) {
            std::fprintf(stderr, "first round left: %s\n", probe.Describe().c_str());
        }
    }
    XCloseDisplay(d);
    if (!lasts.empty()) {
        std::sort(lasts.begin(), lasts.end());
        result.Last = lasts[lasts.size() / 2];
    }
    return result;
}

// Orvane with `text` behind the abbreviation and `settings` as its settings file.
Result MeasureOrvane(const std::string& program, int rounds, const std::string& text = Text,
                     const std::string& settings = "", std::chrono::milliseconds limit = 3000ms) {
    VirtualDisplay display;
    const fs::path config = fs::path(display.Env().at("XDG_CONFIG_HOME")) / "orvane";
    fs::create_directories(config);
    std::ofstream(config / "ORVAN.INI") << settings;
    const fs::path file = display.Folder() / "Bench.ORV";
    {
        std::ofstream out(file, std::ios::binary);
        MacroRecord r;
        r.Nickname.Assign("bench");
        r.ShortKey.Assign(Abbreviation);
        r.HotKey = HotKeyShortKey;
        r.Scope = ScopeGlobal;
        r.Active = 1;
        r.SetText(text);
        const MacroRecordBytes bytes = r.ToBytes();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    SpawnOptions options;
    options.argv = {program, "/F", file.string()};
    options.env = display.Env();
    ChildProcess orvane(options);
    std::this_thread::sleep_for(2s); // the program's start-up
    Probe probe(display, "Bench Probe");
    if (!probe.WaitForReady()) {
        return {};
    }
    return Measure(display, probe, rounds, text, limit);
}

std::string LongText() {
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < LongTextLength; ++i) {
        text += "word" + std::to_string(i) + " ";
    }
    text.resize(LongTextLength);
    return text;
}

Result MeasureAutoKey(int rounds) {
    VirtualDisplay display;
    const fs::path config = fs::path(display.Env().at("XDG_CONFIG_HOME")) / "autokey";
    // AutoKey's own settings as its first start writes them, so it loads the phrase folder.
    fs::create_directories(config);
    std::ofstream(config / "autokey.json") << R"({"version": "0.95.10", "userCodeDir": null,
 "settings": {"isFirstRun": false, "serviceRunning": true, "menuTakesFocus": false,
  "showTrayIcon": true, "sortByUsageCount": true, "promptToSave": false,
  "enableQT4Workaround": false, "interfaceType": "XRecord", "undoUsingBackspace": true,
  "windowDefaultSize": [600, 400], "hPanePosition": 150, "columnWidths": [150, 50, 100],
  "showToolbar": true, "notificationIcon": "autokey-status",
  "workAroundApps": ".*VirtualBox.*|krdc.Krdc", "triggerItemByInitial": false,
  "disabledModifiers": [], "scriptGlobals": {}},
 "folders": [],
 "toggleServiceHotkey": {"enabled": true, "modifiers": ["<shift>", "<super>"], "hotKey": "k"},
 "configHotkey": {"enabled": true, "modifiers": ["<super>"], "hotKey": "k"}})";
    const fs::path folder = config / "data" / "Bench";
    fs::create_directories(folder);
    std::ofstream(folder / "expansion.txt") << Text;
    std::ofstream(folder / ".expansion.json")
        << R"({"type": "phrase", "description": "expansion", "modes": [1], "usageCount": 0,
 "prompt": false, "omitTrigger": false, "matchCase": false, "showInTrayMenu": false,
 "abbreviation": {"abbreviations": [")"
        << Abbreviation << R"("], "backspace": true, "ignoreCase": false, "immediate": true,
  "triggerInside": false, "wordChars": "[\\w]"},
 "hotkey": {"modifiers": [], "hotKey": null},
 "filter": {"regex": null, "isRecursive": false}, "sendMode": "kb"})";
    SpawnOptions options;
    options.argv = {"/usr/bin/dbus-run-session", "--", "/usr/bin/autokey-gtk"};
    options.env = display.Env();
    const fs::path log = display.Folder() / "autokey.log";
    const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    options.stderrFd = fd;
    options.stdoutFd = fd;
    options.argv.push_back("--verbose");
    ChildProcess autokey(options);
    ::close(fd);
    std::this_thread::sleep_for(8s); // AutoKey's start-up
    Probe probe(display, "Bench Probe");
    if (!probe.WaitForReady()) {
        return {};
    }
    const Result result = Measure(display, probe, rounds);
    if (result.Exact == 0) {
        std::ifstream in(log);
        std::fprintf(stderr, "AutoKey said:\n%s\n",
                     std::string(std::istreambuf_iterator<char>(in), {}).c_str());
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <orvane program> [rounds]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    const Result orvane = MeasureOrvane(argv[1], rounds);
    const std::string longText = LongText();
    const Result typed = MeasureOrvane(argv[1], LongRounds, longText, "", 120s);
    const Result pasted =
        MeasureOrvane(argv[1], LongRounds, longText,
                      "[ShortKeys]\nPaste Long Texts=Yes\nPaste Above=200\n", 120s);
    const Result autokey = MeasureAutoKey(rounds);
    std::printf("orvane   last %7.2f ms  without the 0.1 s pause %6.2f ms  exact %d/%d\n",
                orvane.Last, orvane.Last - ErasePauseMs, orvane.Exact, orvane.Rounds);
    std::printf("autokey  last %7.2f ms  exact %d/%d\n", autokey.Last, autokey.Exact,
                autokey.Rounds);
    if (orvane.Last > 0 && autokey.Last > 0) {
        std::printf("ratio autokey/orvane: whole %.2fx  without the pause %.2fx\n",
                    autokey.Last / orvane.Last, autokey.Last / (orvane.Last - ErasePauseMs));
    }
    std::printf("orvane %d characters typed   last %9.2f ms  exact %d/%d\n", LongTextLength,
                typed.Last, typed.Exact, typed.Rounds);
    std::printf("orvane %d characters pasted  last %9.2f ms  exact %d/%d\n", LongTextLength,
                pasted.Last, pasted.Exact, pasted.Rounds);
    if (typed.Last > 0 && pasted.Last > 0) {
        std::printf("ratio typed/pasted: %.1fx\n", typed.Last / pasted.Last);
    }
    return 0;
}
