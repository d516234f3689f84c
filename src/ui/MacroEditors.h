// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ActivationKind.h"
#include "core/MacroRecord.h"

#include <QString>

class QWidget;

namespace orvane {

// What an editor is told besides the record itself.
struct MacroEditRequest {
    // A macro being added: the record holds only its activation (HotKey, ShortKey, Scope for a
    // popup menu) and the editor fills in the rest as for a new macro (empty nickname, Global,
    // TopMostOnly 1, default schedule, icon "MAIN", Active 1).
    bool NewMacro = false;
    ActivationKind Kind = ActivationKind::HotKey; // the editors' activation panel follows it
    // Another Global, PopUp Menu or System macro already uses this hot key: "&Global" must not
    // be chosen (the editor checks "&Window" instead and disables "&Global").
    bool GlobalForbidden = false;
    // The record number the macro has or will have (MacroCount + 1 for a new one).
    int RecordNumber = 0;
    // The hot key's name, or "ShortKey: <name>", for captions that name the activation.
    QString ActivationText;
};

// One window that makes or changes a macro's content: the scripting editor, the direct editor,
// the popup menu builder or the capture dialog. It works on the caller's copy of the record and
// only on that copy: storing it (the file, the shared table, the grabs, the schedule) and raising
// the macro count for a new macro is the caller's business, done after Edit returns true.
class MacroEditor {
public:
    virtual ~MacroEditor() = default;

    // Shows the window modally over `parent` and returns true when the user confirmed it; the
    // record then holds the edited macro. False leaves the record as it was (the editor may
    // have changed ScopeTarget, TopMostOnly or the schedule fields of its own copy only).
    virtual bool Edit(MacroRecord& record, const MacroEditRequest& request, QWidget* parent) = 0;
};

// The editors the program has. A null entry is a window that does not exist yet: the commands
// and buttons that would open it stay disabled. Not owned; they outlive the main window.
struct MacroEditors {
    MacroEditor* Scripting = nullptr;   // "Scripting Editor", "&Scripting Editor", double click
    MacroEditor* Direct = nullptr;      // "Modify Directly", "&Enter Directly"
    MacroEditor* MenuBuilder = nullptr; // "Build Macro Menu" for PopUp Menu macros
    MacroEditor* Capture = nullptr;     // "&Capture Macro"
    // Why there is no capture on this desktop; said by the disabled "&Capture Macro".
    QString CaptureMissing;
};

} // namespace orvane
