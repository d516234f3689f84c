// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/editing/DirectEditor.h"

#include "core/HotKeyTable.h"
#include "ui/activation/QtText.h"
#include "ui/editing/TModHotKeys.h"

namespace orvane {

bool DirectEditor::Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) {
    TModHotKeys::Setup setup;
    setup.Kind = static_cast<ActivationKind>(static_cast<int>(request.Kind));
    setup.NewMacro = request.NewMacro;
    setup.GlobalForbidden = request.GlobalForbidden;
    setup.HotKeyName = request.ActivationText;
    if (setup.HotKeyName.isEmpty() && setup.Kind == ActivationKind::HotKey) {
        setup.HotKeyName = Latin(HotKeyName(record.HotKey).value_or(""));
    }
    setup.IconFolder = services_.IconFolder;
    setup.Scope = services_.Scope;
    setup.ShowHelp = services_.ShowHelp;
    TModHotKeys editor(record, std::move(setup), *services_.Dialogs, parent);
    if (editor.exec() != QDialog::Accepted || !editor.Saved()) {
        return false;
    }
    record = editor.Record();
    return true;
}

} // namespace orvane
