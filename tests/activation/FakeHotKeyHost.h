// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "activation/HotKeyHost.h"
#include "core/TextCase.h"
#include "platform/fake/EventTrace.h"

#include <map>
#include <string>
#include <vector>

namespace orvane {

// The main window and desktop of dispatch tests: windows with titles and programs, running
// programs, and the state flags; every action is written to the trace ("activate:NOTES",
// "resume", "show-main", "settle", "popup:7").
class FakeHotKeyHost : public HotKeyHost {
public:
    struct Window {
        std::string Title;
        std::string Program;
    };

    explicit FakeHotKeyHost(EventTrace& trace) : trace_(trace) {}

    bool PopupMenuShown() override { return PopupShown; }
    bool PauseActive() override { return Paused; }
    void ResumePause() override { trace_.Add("resume"); }
    void ForgetTrayMacro() override {}
    void ShowMainWindow() override { trace_.Add("show-main"); }
    void StartACapture() override { trace_.Add("capture"); }
    void MenuTopWindow(WindowId) override { trace_.Add("menu-top"); }
    int ShowPopupMenu(int macro, WindowId) override {
        trace_.Add("popup:" + std::to_string(macro));
        return PopupChoice;
    }
    WindowId ForegroundWindow() override { return Foreground; }
    std::string WindowTitle(WindowId window) override {
        const auto found = Windows.find(window);
        return found == Windows.end() ? std::string() : found->second.Title;
    }
    std::string ProgramOfWindow(WindowId window) override {
        const auto found = Windows.find(window);
        return found == Windows.end() ? std::string() : found->second.Program;
    }
    std::vector<std::string> RunningPrograms() override { return Running; }
    std::optional<WindowId> ActivateIt(std::string_view title) override {
        trace_.Add("activate:" + std::string(title));
        for (const auto& [id, window] : Windows) {
            if (UpperCase1252(window.Title).find(UpperCase1252(title)) != std::string::npos) {
                Foreground = id;
                return id;
            }
        }
        return std::nullopt;
    }
    bool ActivateProg(std::string_view name) override {
        trace_.Add("activate-prog:" + std::string(name));
        return true;
    }
    void SettleHeldKeys() override { trace_.Add("settle"); }
    bool ReloadChangedSharedFile() override {
        if (!SharedFileChanged) {
            return false;
        }
        SharedFileChanged = false;
        trace_.Add("reload");
        return true;
    }

    bool PopupShown = false;
    bool Paused = false;
    bool SharedFileChanged = false;
    int PopupChoice = 0;
    WindowId Foreground = 1;
    std::map<WindowId, Window> Windows;
    std::vector<std::string> Running;

private:
    EventTrace& trace_;
};

} // namespace orvane
