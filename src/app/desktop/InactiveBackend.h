// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop/DesktopBackend.h"

#include <cstdlib>

namespace orvane {

// A desktop the program could not reach: it watches nothing, types nothing and finds no
// window. The program runs on it without hot keys and says why.
class InactiveBackend final : public DesktopBackend {
public:
    explicit InactiveBackend(BackendKind kind) : kind_(kind) {}

    BackendKind Kind() const override { return kind_; }
    DesktopAbilities Abilities() const override { return {false, false, false}; }
    bool Live() const override { return false; }
    HookLibrary& Hook() override { return hook_; }
    // Never asked: the program asks only a live backend for input.
    InputSynth& Input() override { std::abort(); }
    void Listen(QObject&, const EventLoopWait&) override {}
    void EndOfBatch() override {}
    void Flush() override {}
    void SettleHeldKeys(std::chrono::milliseconds) override {}
    std::vector<std::uint16_t> UnavailableHotKeys() const override { return {}; }
    std::unique_ptr<TextPaste> OpenPaste(QObject&, const EventLoopWait&) override {
        return nullptr;
    }
    std::unique_ptr<ScreenSaver> OpenScreenSaver() override { return nullptr; }
    std::unique_ptr<DesktopWindows> OpenWindows(const EventLoopWait*, std::string& error) override {
        if (error.empty()) {
            error = "no desktop to reach";
        }
        return nullptr;
    }

private:
    BackendKind kind_;
    NullHookLibrary hook_;
};

} // namespace orvane
