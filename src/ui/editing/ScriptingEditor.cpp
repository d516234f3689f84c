// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/ScriptingEditor.h"

#include "ui/editing/EditorWindow.h"
#include "ui/editing/TDoScripting.h"

namespace orvane {

bool ScriptingEditor::Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) {
    // A popup menu holds its member list where a script would be: read as a script and saved,
    // the menu would be lost. Its builder is the one window that changes it.
    if (record.Scope == ScopePopupMenu) {
        return false;
    }
    TDoScripting::Setup setup;
    SetupFromRequest(setup, record, request);
    setup.IconFolder = services_.IconFolder;
    setup.Bounds = services_.Settings != nullptr ? &services_.Settings->ScriptPage : nullptr;
    setup.ShowHelp = services_.ShowHelp;
    TDoScripting editor(record, std::move(setup), dialogs_, *services_.Messages, parent);
    return RunEditorWindow(editor, record);
}

} // namespace orvane
