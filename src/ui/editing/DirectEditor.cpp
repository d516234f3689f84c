// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/DirectEditor.h"

#include "ui/editing/EditorWindow.h"
#include "ui/editing/TModHotKeys.h"

namespace orvane {

bool DirectEditor::Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) {
    TModHotKeys::Setup setup;
    SetupFromRequest(setup, record, request);
    setup.IconFolder = services_.IconFolder;
    setup.Scope = services_.Scope;
    setup.ShowHelp = services_.ShowHelp;
    TModHotKeys editor(record, std::move(setup), *services_.Dialogs, parent);
    return RunEditorWindow(editor, record);
}

} // namespace orvane
