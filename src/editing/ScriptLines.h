// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/Commands.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orvane {

// A macro text seen as a script: one readable line per command, each owning the record that
// turns back into its tag. Plain characters and key tags gather into Text lines.

// The records lines own, one kind per group of commands. Numbers are as the dialogs keep them.
struct TextRecord {
    std::string Keys; // plain characters and key tags as they stand in the macro text
    friend bool operator==(const TextRecord&, const TextRecord&) = default;
};
struct DateTimeRecord {
    int FormatIndex = 1; // 1-based into the date (51) or time (26) format names
    bool LeadingZeros = true;
    bool Future = true;
    int Days = 0; // 0..999
    friend bool operator==(const DateTimeRecord&, const DateTimeRecord&) = default;
};
struct DelayRecord {
    double Unit = 1.0; // 1.0 seconds, 2.0 milliseconds
    double Amount = 0;
    friend bool operator==(const DelayRecord&, const DelayRecord&) = default;
};
struct PauseRecord {
    int Kind = 1; // 1 basic, 2 complex
    int Left = 0;
    int Top = 0;
    std::string Message;
    friend bool operator==(const PauseRecord&, const PauseRecord&) = default;
};
struct RepeatRecord {
    int Kind = 1;  // 1 repeat start, 2 repeat prompt start, 3 repeat end, 4 repeat counter
    int Value = 0; // the count (kind 1), the width 1..4 (kind 4)
    friend bool operator==(const RepeatRecord&, const RepeatRecord&) = default;
};
struct SpeedRecord {
    int Kind = 1; // 1 keystroke speed, 2 mouse speed, 3 playback speed
    int Milliseconds = 0;
    double Factor = 1.0;
    friend bool operator==(const SpeedRecord&, const SpeedRecord&) = default;
};
struct ProgramRecord {
    int Kind = 1; // 1 activate window, 2 launch program, 3 launch and activate, 4 activate or
                  // launch
    std::string Title;
    std::string Path;
    std::string Parameters;
    int Delay = 0; // seconds, 0..99
    friend bool operator==(const ProgramRecord&, const ProgramRecord&) = default;
};
struct SoundRecord {
    int Kind = 1; // 1 beep, 2 wave file
    std::string File;
    bool Wait = true;
    friend bool operator==(const SoundRecord&, const SoundRecord&) = default;
};
struct NameRecord {
    std::string Name; // macro file, text file, remark, web or ftp address
    friend bool operator==(const NameRecord&, const NameRecord&) = default;
};
struct GeometryRecord {
    std::string Title;
    int Kind = 1; // 1 resize, 2 reposition
    bool Current = false;
    int First = 0;  // width or left
    int Second = 0; // height or top
    friend bool operator==(const GeometryRecord&, const GeometryRecord&) = default;
};
struct WindowRecord {
    std::string Title;
    int Action = 1; // 1 maximize, 2 minimize, 3 restore, 4 close, 5 hide, 6 show, 7 shut down
    bool Current = false;
    friend bool operator==(const WindowRecord&, const WindowRecord&) = default;
};
struct MouseRecord {
    int X = 0;
    int Y = 0;
    int Notches = 0;
    // 1 move; 2..5 left click, double click, down, up; 6..9 right; 10..13 middle; 14 wheel
    // forward, 15 wheel backward.
    int Action = 1;
    bool WindowRelative = true;
    friend bool operator==(const MouseRecord&, const MouseRecord&) = default;
};
struct ClipboardRecord {
    int Kind = 1; // 1 start copy, 2 end copy, 3 file copy, 4 copy, 5 paste
    std::string File;
    friend bool operator==(const ClipboardRecord&, const ClipboardRecord&) = default;
};
struct ModifierRecord {
    int Action = 1; // 1/2 Ctrl down/up, 3/4 Alt, 5/6 Shift, 7/8 Win
    friend bool operator==(const ModifierRecord&, const ModifierRecord&) = default;
};
struct FileRecord {
    int Kind = 1; // 1 change folder, 2 copy, 3 rename, 4 delete
    std::string First;
    std::string Second;
    friend bool operator==(const FileRecord&, const FileRecord&) = default;
};

using CommandRecord =
    std::variant<TextRecord, DateTimeRecord, DelayRecord, PauseRecord, RepeatRecord, SpeedRecord,
                 ProgramRecord, SoundRecord, NameRecord, GeometryRecord, WindowRecord, MouseRecord,
                 ClipboardRecord, ModifierRecord, FileRecord>;

// One line of the script: what the list shows and the record it owns.
struct ScriptLine {
    std::string Text;
    CommandRecord Record;
    friend bool operator==(const ScriptLine&, const ScriptLine&) = default;
};

// The line's command, found as the editor always has: the text without its blanks is compared,
// in code order, with each command name over the name's length. None for a text that starts
// with no command name.
std::optional<CommandCode> CommandCodeOf(std::string_view lineText);

// A line's text as loading shows it: the command name, then the details of the record.
std::string DisplayText(CommandCode code, const CommandRecord& record);

// The lines of a macro text (BuildTheScript). Plain characters and key tags gather into Text
// lines; every other tag becomes a line of its own. A tag whose fields would not be written
// back the way they read (a field past its cap, a free field never closed by ">", a number the
// field cannot hold, an invalid real) stays in a Text line as it stands, so nothing is lost.
// No indentation (SetIndents).
std::vector<ScriptLine> BuildTheScript(std::string_view macroText);

// The tag of a line built from its record; nothing for a line whose text names no command or
// whose record is not that command's kind.
std::string TagOf(const ScriptLine& line);
std::string TagOf(CommandCode code, const CommandRecord& record);

// The macro text of the lines, in order (no limit applied; see MacroTextOfScript).
std::string ScriptText(const std::vector<ScriptLine>& lines);

// Indents the lines by blocks: three blanks per open repeat block, clipboard block and held
// modifier; a closing line steps back before it is shown, never below the margin.
void SetIndents(std::vector<ScriptLine>& lines);

// Fixed examples shown beside each date and time format, in format order.
extern const std::array<std::string_view, 51> DateExamples;
extern const std::array<std::string_view, 26> TimeExamples;

// The part of a path after its last folder separator ("/" or "\").
std::string_view FileNameOf(std::string_view path);

// A real number as lines show it: two decimals, and for a speed factor without a trailing
// ".00" or, else, without a trailing "0" after the point.
std::string TwoDecimals(double value);
std::string SpeedFactorText(double value);

} // namespace orvane
