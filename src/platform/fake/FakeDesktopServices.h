// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Clipboard.h"
#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/Sound.h"
#include "platform/fake/EventTrace.h"

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Recording doubles of the small desktop services. Each writes one trace entry per call:
// "terminate:<pid>", "launch:<program>|<parameters>", "open:<address>", "clipboard:<text>",
// "wave:<path>", "beep". Texts are the UTF-8 the services receive.
class FakeTraced {
protected:
    explicit FakeTraced(EventTrace* trace) : trace_(trace) {}
    void Record(std::string entry) {
        if (trace_ != nullptr) {
            trace_->Add(std::move(entry));
        }
    }

private:
    EventTrace* trace_;
};

class FakeProcesses : public Processes, private FakeTraced {
public:
    explicit FakeProcesses(EventTrace* trace = nullptr) : FakeTraced(trace) {}
    std::vector<RunningProcess> Running() override { return List; }
    std::string ExecutableOf(int pid) override {
        for (const RunningProcess& process : List) {
            if (process.Pid == pid) {
                return process.Executable;
            }
        }
        return {};
    }
    void Terminate(int pid) override { Record("terminate:" + std::to_string(pid)); }

    std::vector<RunningProcess> List;
};

class FakeShell : public Shell, private FakeTraced {
public:
    explicit FakeShell(EventTrace* trace = nullptr) : FakeTraced(trace) {}
    void Launch(std::string_view program, std::string_view parameters) override {
        Record("launch:" + std::string(program) + "|" + std::string(parameters));
        if (OnLaunch) {
            OnLaunch(program);
        }
    }
    void OpenAddress(std::string_view address) override { Record("open:" + std::string(address)); }

    // Runs at each launch (a test opens the program's window there).
    std::function<void(std::string_view)> OnLaunch;
};

class FakeClipboard : public Clipboard, private FakeTraced {
public:
    explicit FakeClipboard(EventTrace* trace = nullptr) : FakeTraced(trace) {}
    void SetText(std::string_view utf8) override {
        Text = std::string(utf8);
        Record("clipboard:" + Text);
    }

    std::string Text;
};

class FakeSound : public Sound, private FakeTraced {
public:
    explicit FakeSound(EventTrace* trace = nullptr) : FakeTraced(trace) {}
    std::optional<std::chrono::milliseconds> PlayWave(std::string_view path) override {
        Record("wave:" + std::string(path));
        const auto found = Lengths.find(path);
        if (found == Lengths.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    void Beep() override { Record("beep"); }

    // Wave files that exist, with their lengths.
    std::map<std::string, std::chrono::milliseconds, std::less<>> Lengths;
};

} // namespace orvane
