// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One running program for the window tests: its settings, a macro store over the fake hook, the
// messages it shows, and the main window with every command group, as the program builds it.

#include "app/CommandGroups.h"
#include "core/MacroStore.h"
#include "core/SettingsBlock.h"
#include "platform/fake/FakeHookLibrary.h"
#include "platform/fake/FakeMessageSink.h"
#include "ui/library/TMainWin.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

struct MainWindowProgram {
    SettingsBlock settings;
    FakeHookLibrary hook;
    FakeMessageSink messages;
    MacroStore store{hook, messages};
    int saves = 0;
    std::unique_ptr<TMainWin> window;

    // Loads `file` with its hot keys and opens the window on it; `services` may add to the
    // settings, the store and the messages, which it is given here.
    void Open(const std::filesystem::path& file, TMainWin::Services services = {}) {
        store.LoadMacroFile(file);
        store.SetHotKeys();
        services.Settings = &settings;
        services.SaveSettings = [this] { ++saves; };
        services.Store = &store;
        services.Messages = &messages;
        window = std::make_unique<TMainWin>(services);
        BuildCommandGroups(*window);
        window->RefreshFromStore();
    }

    // Every message shown, as "Caption: text".
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages.Shown) {
            texts.push_back(message.Caption + ": " + message.Text);
        }
        return texts;
    }
};

} // namespace orvane
