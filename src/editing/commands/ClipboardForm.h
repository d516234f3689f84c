// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// "Clipboard": the start and end of a block for the clipboard, a text file onto it, and the
// copy and paste keys.
struct ClipboardForm {
    enum Kinds { StartCopy = 1, EndCopy = 2, FileCopy = 3, Copy = 4, Paste = 5 };
    int Kind = StartCopy;
    std::string File; // ProgPath

    static ClipboardForm Preset(CommandCode code);
    static ClipboardForm Load(std::string_view tag);
    friend bool operator==(const ClipboardForm&, const ClipboardForm&) = default;
};

inline constexpr std::string_view NoTextFileText =
    "Specified Text File does not exist.  Please correct.";

std::optional<FormRefusal> Check(const ClipboardForm& form, const PathChecks& paths);
std::string Build(const ClipboardForm& form);

// "Keys Up Or Down": Ctrl, Alt, Shift or the Windows key held down or let go.
struct KeyUpDownForm {
    int Action = 1; // 1 CtrlDown, 2 CtrlUp, 3 AltDown, 4 AltUp, 5 ShiftDown, 6 ShiftUp, 7 WinDown,
                    // 8 WinUp

    static KeyUpDownForm Preset(CommandCode code);
    static KeyUpDownForm Load(std::string_view tag);
    friend bool operator==(const KeyUpDownForm&, const KeyUpDownForm&) = default;
};

std::string Build(const KeyUpDownForm& form);

} // namespace orvane
