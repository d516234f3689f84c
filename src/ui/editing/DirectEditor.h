// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MacroEditors.h"
#include "ui/editing/CommandDialogs.h"

#include <filesystem>
#include <functional>

namespace orvane {

struct CommandDialogServices;

// The direct editor as one of the program's macro editors: opens "Modify Hot Key" (TModHotKeys)
// on the caller's record and hands the record back on "&Update".
class DirectEditor final : public MacroEditor {
public:
    struct Services {
        const CommandDialogServices* Dialogs = nullptr; // messages, dialogs, hook; outlives this
        CommandDialogs::ScopeChooser Scope;             // "Select"
        std::filesystem::path IconFolder;               // the data folder's "Icons"
        std::function<void()> ShowHelp;                 // may be empty
    };

    explicit DirectEditor(Services services) : services_(std::move(services)) {}

    bool Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) override;

private:
    Services services_;
};

} // namespace orvane
