// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HotKeyTable.h"
#include "ui/MacroEditors.h"
#include "ui/QtText.h"

#include <QDialog>

namespace orvane {

// What the scripting editor and the direct editor take from an edit request alike: the kind of
// activation, whether the macro is new, whether "&Global" is forbidden, and the name of the hot
// key (the record's own when the caller named none).
template <typename Setup>
void SetupFromRequest(Setup& setup, const MacroRecord& record, const MacroEditRequest& request) {
    setup.Kind = request.Kind;
    setup.NewMacro = request.NewMacro;
    setup.GlobalForbidden = request.GlobalForbidden;
    setup.HotKeyName = request.ActivationText;
    if (setup.HotKeyName.isEmpty() && setup.Kind == ActivationKind::HotKey) {
        setup.HotKeyName = Latin(HotKeyName(record.HotKey).value_or(""));
    }
}

// Runs an editor window modally; when the user saved, the caller's record takes the edited one.
template <typename Window> bool RunEditorWindow(Window& window, MacroRecord& record) {
    if (window.exec() != QDialog::Accepted || !window.Saved()) {
        return false;
    }
    record = window.Record();
    return true;
}

} // namespace orvane
