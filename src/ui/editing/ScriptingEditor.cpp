// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/ScriptingEditor.h"

#include "core/HotKeyTable.h"
#include "ui/activation/QtText.h"
#include "ui/editing/TDoScripting.h"

namespace orvane {

bool ScriptingEditor::Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) {
    // A popup menu holds its member list where a script would be: read as a script and saved,
    // the menu would be lost. Its builder is the one window that changes it.
    if (record.Scope == ScopePopupMenu) {
        return false;
    }
    TDoScripting::Setup setup;
    setup.Kind = static_cast<ActivationKind>(static_cast<int>(request.Kind));
    setup.NewMacro = request.NewMacro;
    setup.GlobalForbidden = request.GlobalForbidden;
    setup.HotKeyName = request.ActivationText;
    if (setup.HotKeyName.isEmpty() && setup.Kind == ActivationKind::HotKey) {
        setup.HotKeyName = Latin(HotKeyName(record.HotKey).value_or(""));
    }
    setup.IconFolder = services_.IconFolder;
    setup.Bounds = services_.Settings != nullptr ? &services_.Settings->ScriptPage : nullptr;
    setup.ShowHelp = services_.ShowHelp;
    TDoScripting editor(record, std::move(setup), dialogs_, *services_.Messages, parent);
    if (editor.exec() != QDialog::Accepted || !editor.Saved()) {
        return false;
    }
    record = editor.Record();
    return true;
}

} // namespace orvane
