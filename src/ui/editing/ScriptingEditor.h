// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/SettingsBlock.h"
#include "ui/MacroEditors.h"
#include "ui/editing/CommandDialogs.h"

#include <filesystem>
#include <functional>

namespace orvane {

class MessageSink;

// The scripting editor as one of the program's macro editors: opens "Macro Scripting Editor"
// (TDoScripting) on the caller's record and hands the record back on "&Ok".
class ScriptingEditor final : public MacroEditor {
public:
    struct Services {
        SettingsBlock* Settings = nullptr; // the window's bounds live here; outlives the editor
        std::filesystem::path IconFolder;  // the data folder's "Icons"
        MessageSink* Messages = nullptr;   // outlives the editor
        std::function<void()> ShowHelp;    // may be empty
    };

    explicit ScriptingEditor(Services services) : services_(std::move(services)) {}

    bool Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) override;

    // Where the command dialogs register as they come.
    CommandDialogs& Dialogs() { return dialogs_; }

private:
    Services services_;
    CommandDialogs dialogs_;
};

} // namespace orvane
