// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ScriptLines.h"

#include "script/ScriptReader.h"
#include "script/TagLayout.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace orvane {

const std::array<std::string_view, CommandCount> CommandNames = {
    "Text",
    "Date",
    "Time",
    "Delay",
    "Pause",
    "Repeat Start",
    "Repeat End",
    "Keystroke Speed",
    "Mouse Speed",
    "Activate Window",
    "Launch Program",
    "Sound Beep",
    "Sound Wave File",
    "Load New Macro File",
    "Load Text File",
    "Resize Window",
    "Reposition Window",
    "Maximize Window",
    "Minimize Window",
    "Restore Window",
    "Close Window",
    "Hide Window",
    "Show Window",
    "Mouse Move",
    "Left Mouse Button",
    "Right Mouse Button",
    "Middle Mouse Button",
    "Mouse Wheel",
    "Remark",
    "Clipboard Copy",
    "Clipboard Paste",
    "Repeat Counter",
    "Activate or Launch",
    "Launch and Activate",
    "Clipboard Start Copy",
    "Clipboard End Copy",
    "Clipboard File Copy",
    "Shut Down Program",
    "Control Key",
    "Alt Key",
    "Shift Key",
    "Win Key",
    "Web Site",
    "Web FTP",
    "Repeat Prompt Start",
    "Change Directory/Folder",
    "Delete File",
    "Copy File",
    "Rename File",
    "Macro Playback Speed",
};

// For 30 March 1998, a Monday, and 15:04:23.
const std::array<std::string_view, 51> DateExamples = {
    "03/30/98",
    "03-30-98",
    "03.30.98",
    "03/30/1998",
    "03-30-1998",
    "03.30.1998",
    "30/03/98",
    "30-03-98",
    "30.03.98",
    "30/03/1998",
    "30-03-1998",
    "30.03.1998",
    "98/03/30",
    "98-03-30",
    "98.03.30",
    "1998/03/30",
    "1998-03-30",
    "1998.03.30",
    "MAR 1998",
    "Mar 1998",
    "30 MAR 98",
    "30 Mar 98",
    "30 MAR 1998",
    "30 Mar 1998",
    "30 March 98",
    "30 March 1998",
    "Mar 30 98",
    "Mar 30, 98",
    "Mar 30 1998",
    "Mar 30, 1998",
    "March 30 98",
    "March 30, 98",
    "March 30 1998",
    "March 30, 1998",
    "033098",
    "03301998",
    "300398",
    "30031998",
    "980330",
    "19980330",
    "30",
    "03",
    "Mar",
    "MAR",
    "March",
    "98",
    "1998",
    "Mon",
    "MON",
    "Monday",
    "MONDAY",
};
const std::array<std::string_view, 26> TimeExamples = {
    "15:04",      "15.04",      "15,04",      "1504",    "15:04:23", "15.04.23", "15,04,23",
    "150423",     "15",         "04",         "23",      "3:04 pm",  "3.04 pm",  "3,04 pm",
    "3:04:23 pm", "3.04.23 pm", "3,04,23 pm", "3:04 PM", "3.04 PM",  "3,04 PM",  "3:04:23 PM",
    "3.04.23 PM", "3,04,23 PM", "3:04p",      "3.04p",   "3,04p",
};

std::string_view CommandName(CommandCode code) {
    return CommandNames[static_cast<std::size_t>(code) - 1];
}

namespace {

using C = CommandCode;
using K = ItemKind;

std::string_view TrimLeadingBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return text;
}

std::string Number(long long value) {
    return std::to_string(value);
}

// Window commands by code, with the action their record keeps and their tag.
struct WindowCommandRow {
    CommandCode Code;
    int Action;
    WindowCommand Command;
    const TagLayout* Layout;
};
constexpr WindowCommandRow WindowCommands[] = {
    {C::MaximizeWindow, 1, WindowCommand::Maximize, &Tags::WindowMaximize},
    {C::MinimizeWindow, 2, WindowCommand::Minimize, &Tags::WindowMinimize},
    {C::RestoreWindow, 3, WindowCommand::Restore, &Tags::WindowRestore},
    {C::CloseWindow, 4, WindowCommand::Close, &Tags::WindowClose},
    {C::HideWindow, 5, WindowCommand::Hide, &Tags::WindowHide},
    {C::ShowWindow, 6, WindowCommand::Show, &Tags::WindowShow},
    {C::ShutDownProgram, 7, WindowCommand::Shut, &Tags::WindowShut},
};

// Mouse button actions 2..13 in record order, with their tags: click, double click, down, up
// for the left, right and middle buttons.
constexpr const TagLayout* ButtonTags[12] = {
    &Tags::LeftClick,   &Tags::LeftDoubleClick,   &Tags::LeftDown,   &Tags::LeftUp,
    &Tags::RightClick,  &Tags::RightDoubleClick,  &Tags::RightDown,  &Tags::RightUp,
    &Tags::MiddleClick, &Tags::MiddleDoubleClick, &Tags::MiddleDown, &Tags::MiddleUp,
};
constexpr std::string_view ButtonEndings[4] = {" Click", " Double Click", " Down", " Up"};

// Modifier actions 1..8 and their tags.
constexpr const TagLayout* ModifierTags[8] = {
    &Tags::CtrlDown,  &Tags::CtrlUp,  &Tags::AltDown, &Tags::AltUp,
    &Tags::ShiftDown, &Tags::ShiftUp, &Tags::WinDown, &Tags::WinUp,
};

struct Command {
    CommandCode Code;
    CommandRecord Record;
    friend bool operator==(const Command&, const Command&) = default;
};

std::optional<int> WholeNumber(double value) {
    if (!std::isfinite(value) || value != std::trunc(value) ||
        std::fabs(value) > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

// The command a tag item stands for, or nothing when the tag is not a command of its own (key
// tags, tags the editor does not list) or its values cannot be kept in a record.
std::optional<Command> CommandOf(const ScriptItem& item) {
    switch (item.Kind) {
    case K::KeyDown:
    case K::KeyUp: {
        const int up = item.Kind == K::KeyUp ? 1 : 0;
        switch (item.Key) {
        case 17:
            return Command{C::ControlKey, ModifierRecord{1 + up}};
        case 18:
            return Command{C::AltKey, ModifierRecord{3 + up}};
        case 16:
            return Command{C::ShiftKey, ModifierRecord{5 + up}};
        case 91:
            return Command{C::WinKey, ModifierRecord{7 + up}};
        default:
            return std::nullopt;
        }
    }
    case K::MouseButton: {
        constexpr int actionOffset[4] = {2, 3, 0, 1}; // Down, Up, Click, DoubleClick
        const int button = static_cast<int>(item.Button);
        MouseRecord mouse;
        mouse.Action = 2 + button * 4 + actionOffset[static_cast<int>(item.Action)];
        const CommandCode codes[3] = {C::LeftMouseButton, C::RightMouseButton,
                                      C::MiddleMouseButton};
        return Command{codes[button], mouse};
    }
    case K::WheelForward:
    case K::WheelBackward: {
        MouseRecord mouse;
        mouse.Action = item.Kind == K::WheelForward ? 14 : 15;
        mouse.Notches = item.Number;
        return Command{C::MouseWheel, mouse};
    }
    case K::MoveScreen:
    case K::MoveWindow: {
        const std::optional<int> x = WholeNumber(item.Real);
        const std::optional<int> y = WholeNumber(item.Real2);
        if (!item.RealValid || !x || !y) {
            return std::nullopt;
        }
        MouseRecord mouse;
        mouse.Action = 1;
        mouse.X = *x;
        mouse.Y = *y;
        mouse.WindowRelative = item.Kind == K::MoveWindow;
        return Command{C::MouseMove, mouse};
    }
    case K::Pause:
        return Command{C::Pause, PauseRecord{1, 0, 0, {}}};
    case K::PauseAt:
        return Command{C::Pause, PauseRecord{2, item.Number2, item.Number, item.Text}};
    case K::Delay:
        if (!item.RealValid) {
            return std::nullopt;
        }
        return Command{C::Delay, DelayRecord{1.0, item.Real}};
    case K::Msd:
        return Command{C::Delay, DelayRecord{2.0, static_cast<double>(item.Number)}};
    case K::Window:
        for (const WindowCommandRow& row : WindowCommands) {
            if (row.Command == item.Command) {
                const bool current = item.Text == CurrentWindowTitle;
                return Command{row.Code, WindowRecord{current ? std::string() : item.Text,
                                                      row.Action, current}};
            }
        }
        return std::nullopt;
    case K::WindowSize:
    case K::WindowPos: {
        const bool size = item.Kind == K::WindowSize;
        const bool current = item.Text == CurrentWindowTitle;
        return Command{size ? C::ResizeWindow : C::RepositionWindow,
                       GeometryRecord{current ? std::string() : item.Text, size ? 1 : 2, current,
                                      item.Number, item.Number2}};
    }
    case K::Counter:
        return Command{C::RepeatCounter, RepeatRecord{4, item.Number}};
    case K::Repeat:
        return Command{C::RepeatStart, RepeatRecord{1, item.Number}};
    case K::PromptRepeat:
        return Command{C::RepeatPromptStart, RepeatRecord{2, 0}};
    case K::EndRepeat:
        return Command{C::RepeatEnd, RepeatRecord{3, 0}};
    case K::BeginClip:
        return Command{C::ClipboardStartCopy, ClipboardRecord{1, {}}};
    case K::EndClip:
        return Command{C::ClipboardEndCopy, ClipboardRecord{2, {}}};
    case K::ClipFile:
        return Command{C::ClipboardFileCopy, ClipboardRecord{3, item.Text}};
    case K::ClipCopy:
        return Command{C::ClipboardCopy, ClipboardRecord{4, {}}};
    case K::ClipPaste:
        return Command{C::ClipboardPaste, ClipboardRecord{5, {}}};
    case K::WaveWait:
    case K::WaveNoWait:
        return Command{C::SoundWaveFile, SoundRecord{2, item.Text, item.Kind == K::WaveWait}};
    case K::Beep:
        return Command{C::SoundBeep, SoundRecord{1, {}, true}};
    case K::Speed:
        if (!item.RealValid) {
            return std::nullopt;
        }
        return Command{C::MacroPlaybackSpeed, SpeedRecord{3, 0, item.Real}};
    case K::KeyDelay:
        return Command{C::KeystrokeSpeed, SpeedRecord{1, item.Number, 1.0}};
    case K::MouseDelay:
        return Command{C::MouseSpeed, SpeedRecord{2, item.Number, 1.0}};
    case K::ChangeDir:
        return Command{C::ChangeDirectory, FileRecord{1, item.Text, {}}};
    case K::DeleteFile:
        return Command{C::DeleteFile, FileRecord{4, item.Text, {}}};
    case K::CopyFile:
        return Command{C::CopyFile, FileRecord{2, item.Text, item.Text2}};
    case K::RenameFile:
        return Command{C::RenameFile, FileRecord{3, item.Text, item.Text2}};
    case K::Swap:
        return Command{C::LoadNewMacroFile, NameRecord{item.Text}};
    case K::TextFile:
        return Command{C::LoadTextFile, NameRecord{item.Text}};
    case K::Remark:
        return Command{C::Remark, NameRecord{item.Text}};
    case K::Http:
        return Command{C::WebSite, NameRecord{item.Text}};
    case K::Ftp:
        return Command{C::WebFtp, NameRecord{item.Text}};
    case K::Activate:
        return Command{C::ActivateWindow, ProgramRecord{1, item.Text, {}, {}, 0}};
    case K::Launch:
    case K::LaunchNo:
    case K::LaunchYes: {
        const LaunchCommand launch = SplitLaunchCommand(item.Text2);
        ProgramRecord program{
            2, {}, std::string(launch.Program), std::string(launch.Parameters), 0};
        CommandCode code = C::LaunchProgram;
        if (item.Kind != K::Launch) {
            program.Kind = item.Kind == K::LaunchNo ? 3 : 4;
            program.Title = item.Text;
            program.Delay = item.Number;
            code = item.Kind == K::LaunchNo ? C::LaunchAndActivate : C::ActivateOrLaunch;
        }
        return Command{code, program};
    }
    case K::Date:
        return Command{C::Date, DateTimeRecord{item.FormatIndex + 1, item.LeadingZeros,
                                               item.DayOffset >= 0, std::abs(item.DayOffset)}};
    case K::Time:
        return Command{C::Time, DateTimeRecord{item.FormatIndex + 1, item.LeadingZeros, true, 0}};
    default:
        return std::nullopt;
    }
}

// Whether the command, written back, reads as the same command and stands alone: only then may
// the tag become a line of its own without changing the macro.
bool WritesBackAlike(const ScriptItem& item, const Command& command) {
    if (item.FieldCut || item.Unclosed) {
        return false;
    }
    const std::string tag = TagOf(command.Code, command.Record);
    if (tag.empty()) {
        return false;
    }
    const ScriptItem again = ReadScriptItem(tag, 0);
    if (again.Length != tag.size() || again.FieldCut || again.Unclosed) {
        return false;
    }
    const std::optional<Command> reread = CommandOf(again);
    return reread && *reread == command;
}

bool KeystrokeTag(ItemKind kind) {
    switch (kind) {
    case K::Key:
    case K::ShiftOneShot:
    case K::CtrlOneShot:
    case K::AltToggle:
    case K::AltCode:
        return true;
    default:
        return false;
    }
}

std::string TitleOrCurrent(const std::string& title, bool current) {
    return current ? std::string(CurrentWindowTitle) : title;
}

std::string ProgramText(const ProgramRecord& program) {
    std::string text = program.Path;
    if (!program.Parameters.empty()) {
        text += LaunchParameterMark;
        text += program.Parameters;
    }
    return text;
}

template <typename Record> const Record* As(const CommandRecord& record) {
    return std::get_if<Record>(&record);
}

std::string TextLineDisplay(const std::string& keys) {
    std::string text = "Text: ";
    text += keys.substr(0, 50);
    if (keys.size() > 53) {
        text += "...";
    }
    return text;
}

} // namespace

std::string_view FileNameOf(std::string_view path) {
    const std::size_t at = path.find_last_of("/\\");
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::string TwoDecimals(double value) {
    return RealFieldText(value, 0);
}

std::string SpeedFactorText(double value) {
    std::string text = TwoDecimals(value);
    if (text.ends_with(".00")) {
        text.resize(text.size() - 3);
    } else if (text.ends_with('0') && text.find('.') != std::string::npos) {
        text.pop_back();
    }
    return text;
}

std::optional<CommandCode> CommandCodeOf(std::string_view lineText) {
    const std::string_view text = TrimLeadingBlanks(lineText);
    for (int i = 0; i < CommandCount; ++i) {
        if (text.starts_with(CommandNames[static_cast<std::size_t>(i)])) {
            return static_cast<CommandCode>(i + 1);
        }
    }
    return std::nullopt;
}

std::string DisplayText(CommandCode code, const CommandRecord& record) {
    std::string text(CommandName(code));
    switch (code) {
    case C::Text:
        if (const auto* r = As<TextRecord>(record)) {
            return TextLineDisplay(r->Keys);
        }
        break;
    case C::Date:
        if (const auto* r = As<DateTimeRecord>(record)) {
            if (r->Days >= 1) {
                text += " (" + Number(r->Days) + (r->Days == 1 ? " day" : " days") +
                        (r->Future ? " in future)" : " in past)");
            }
            if (r->FormatIndex >= 1 && r->FormatIndex <= 51) {
                const auto index = static_cast<std::size_t>(r->FormatIndex - 1);
                text += ": " + std::string(DateFormatNames[index]) + "  (" +
                        std::string(DateExamples[index]) + ")";
            }
        }
        break;
    case C::Time:
        if (const auto* r = As<DateTimeRecord>(record);
            r && r->FormatIndex >= 1 && r->FormatIndex <= 26) {
            const auto index = static_cast<std::size_t>(r->FormatIndex - 1);
            text += ": " + std::string(TimeFormatNames[index]) + "  (" +
                    std::string(TimeExamples[index]) + ")";
        }
        break;
    case C::Delay:
        if (const auto* r = As<DelayRecord>(record)) {
            if (r->Unit == 1.0) {
                text += " " + TwoDecimals(r->Amount) + " Seconds";
            } else {
                text += " " + Number(static_cast<long long>(r->Amount)) + " Milliseconds";
            }
        }
        break;
    case C::Pause:
        if (const auto* r = As<PauseRecord>(record)) {
            text += r->Kind == 2 ? ": Complex" : ": Basic";
        }
        break;
    case C::RepeatStart:
        if (const auto* r = As<RepeatRecord>(record)) {
            text += ": " + Number(r->Value);
        }
        break;
    case C::RepeatPromptStart:
        text += ": (prompt for repeat count at macro play time)";
        break;
    case C::RepeatCounter:
        if (const auto* r = As<RepeatRecord>(record)) {
            text += ": Width " + Number(r->Value);
        }
        break;
    case C::KeystrokeSpeed:
    case C::MouseSpeed:
        if (const auto* r = As<SpeedRecord>(record)) {
            text += ": " + Number(r->Milliseconds) + " Milliseconds";
        }
        break;
    case C::MacroPlaybackSpeed:
        if (const auto* r = As<SpeedRecord>(record)) {
            const double factor = r->Factor;
            if (factor == 0) {
                text += ": No Speed";
            } else if (factor == 1) {
                text += ": Normal Speed";
            } else if (factor > 1) {
                text += ": " + SpeedFactorText(factor) + " Times Slower Than Normal";
            } else {
                text += ": " + SpeedFactorText(1 / factor) + " Times Faster Than Normal";
            }
        }
        break;
    case C::ActivateWindow:
        if (const auto* r = As<ProgramRecord>(record)) {
            text += ": \"" + r->Title + "\"";
        }
        break;
    case C::LaunchProgram:
    case C::LaunchAndActivate:
    case C::ActivateOrLaunch:
        if (const auto* r = As<ProgramRecord>(record)) {
            text += ": " + std::string(FileNameOf(r->Path));
        }
        break;
    case C::SoundWaveFile:
        if (const auto* r = As<SoundRecord>(record)) {
            text += ": " + std::string(FileNameOf(r->File));
        }
        break;
    case C::LoadNewMacroFile:
    case C::LoadTextFile:
        if (const auto* r = As<NameRecord>(record)) {
            text += ": " + std::string(FileNameOf(r->Name));
        }
        break;
    case C::WebSite:
    case C::WebFtp:
        if (const auto* r = As<NameRecord>(record)) {
            text += ": " + r->Name;
        }
        break;
    case C::Remark:
        if (const auto* r = As<NameRecord>(record)) {
            text += ": " + (r->Name.size() > 43 ? r->Name.substr(0, 40) + "..." : r->Name);
        }
        break;
    case C::ResizeWindow:
    case C::RepositionWindow:
        if (const auto* r = As<GeometryRecord>(record)) {
            text += r->Current ? " - Current Win" : " - \"" + r->Title + "\"";
            text += code == C::ResizeWindow
                        ? " (Width: " + Number(r->First) + " Height: " + Number(r->Second) + ")"
                        : " (Left: " + Number(r->First) + " Top: " + Number(r->Second) + ")";
        }
        break;
    case C::MaximizeWindow:
    case C::MinimizeWindow:
    case C::RestoreWindow:
    case C::CloseWindow:
    case C::HideWindow:
    case C::ShowWindow:
    case C::ShutDownProgram:
        if (const auto* r = As<WindowRecord>(record)) {
            text += r->Current ? " - Current Win" : " - Window Title: " + r->Title;
        }
        break;
    case C::MouseMove:
        if (const auto* r = As<MouseRecord>(record)) {
            text +=
                (r->WindowRelative ? " Window " : " Screen ") + Number(r->X) + "," + Number(r->Y);
        }
        break;
    case C::LeftMouseButton:
    case C::RightMouseButton:
    case C::MiddleMouseButton:
        if (const auto* r = As<MouseRecord>(record); r && r->Action >= 2 && r->Action <= 13) {
            text += ButtonEndings[(r->Action - 2) % 4];
        }
        break;
    case C::MouseWheel:
        if (const auto* r = As<MouseRecord>(record)) {
            text += " " + Number(r->Notches) +
                    (r->Action == 14 ? " Clicks Forward" : " Clicks Backward");
        }
        break;
    case C::ClipboardFileCopy:
        if (const auto* r = As<ClipboardRecord>(record)) {
            text += ": " + std::string(FileNameOf(r->File));
        }
        break;
    case C::ControlKey:
    case C::AltKey:
    case C::ShiftKey:
    case C::WinKey:
        if (const auto* r = As<ModifierRecord>(record)) {
            text += r->Action % 2 == 1 ? " Down" : " Up";
        }
        break;
    case C::ChangeDirectory:
        if (const auto* r = As<FileRecord>(record)) {
            text += ": " + r->First;
        }
        break;
    case C::DeleteFile:
    case C::CopyFile:
    case C::RenameFile:
        if (const auto* r = As<FileRecord>(record)) {
            text += ": " + std::string(FileNameOf(r->First));
        }
        break;
    case C::SoundBeep:
    case C::RepeatEnd:
    case C::ClipboardCopy:
    case C::ClipboardPaste:
    case C::ClipboardStartCopy:
    case C::ClipboardEndCopy:
        break;
    }
    return text;
}

std::string TagOf(CommandCode code, const CommandRecord& record) {
    switch (code) {
    case C::Text:
        if (const auto* r = As<TextRecord>(record)) {
            return r->Keys;
        }
        break;
    case C::Date:
        if (const auto* r = As<DateTimeRecord>(record);
            r && r->FormatIndex >= 1 && r->FormatIndex <= 51) {
            return "<" +
                   std::string(DateFormatNames[static_cast<std::size_t>(r->FormatIndex - 1)]) +
                   "{" + (r->LeadingZeros ? "Y" : "N") + (r->Future ? "F" : "P") +
                   IntegerFieldText(r->Days, DateDayCountWidth) + "}>";
        }
        break;
    case C::Time:
        if (const auto* r = As<DateTimeRecord>(record);
            r && r->FormatIndex >= 1 && r->FormatIndex <= 26) {
            return "<" +
                   std::string(TimeFormatNames[static_cast<std::size_t>(r->FormatIndex - 1)]) +
                   (r->LeadingZeros ? "{Y}>" : "{N}>");
        }
        break;
    case C::Delay:
        if (const auto* r = As<DelayRecord>(record)) {
            if (r->Unit == 1.0) {
                return WriteTag(Tags::Delay,
                                {RealFieldText(r->Amount, Tags::Delay.Field(0).Width)});
            }
            return WriteTag(Tags::Msd, {IntegerFieldText(static_cast<long long>(r->Amount),
                                                         Tags::Msd.Field(0).Width)});
        }
        break;
    case C::Pause:
        if (const auto* r = As<PauseRecord>(record)) {
            if (r->Kind != 2) {
                return WriteTag(Tags::Pause, {});
            }
            const TagLayout& l = Tags::PauseAt;
            return WriteTag(l, {IntegerFieldText(r->Top, l.Field(0).Width),
                                IntegerFieldText(r->Left, l.Field(1).Width), r->Message});
        }
        break;
    case C::RepeatStart:
        if (const auto* r = As<RepeatRecord>(record)) {
            return WriteTag(Tags::Repeat,
                            {IntegerFieldText(r->Value, Tags::Repeat.Field(0).Width)});
        }
        break;
    case C::RepeatEnd:
        return WriteTag(Tags::EndRepeat, {});
    case C::RepeatPromptStart:
        return WriteTag(Tags::PromptRepeat, {});
    case C::RepeatCounter:
        if (const auto* r = As<RepeatRecord>(record)) {
            const TagLayout* counters[4] = {&Tags::Counter1, &Tags::Counter2, &Tags::Counter3,
                                            &Tags::Counter4};
            if (r->Value >= 1 && r->Value <= 4) {
                return WriteTag(*counters[r->Value - 1], {});
            }
        }
        break;
    case C::KeystrokeSpeed:
    case C::MouseSpeed:
        if (const auto* r = As<SpeedRecord>(record)) {
            const TagLayout& l = code == C::KeystrokeSpeed ? Tags::KeyDelay : Tags::MouseDelay;
            return WriteTag(l, {IntegerFieldText(r->Milliseconds, l.Field(0).Width)});
        }
        break;
    case C::MacroPlaybackSpeed:
        if (const auto* r = As<SpeedRecord>(record)) {
            return WriteTag(Tags::Speed, {RealFieldText(r->Factor, Tags::Speed.Field(0).Width)});
        }
        break;
    case C::ActivateWindow:
        if (const auto* r = As<ProgramRecord>(record)) {
            return WriteTag(Tags::Activate, {r->Title});
        }
        break;
    case C::LaunchProgram:
        if (const auto* r = As<ProgramRecord>(record)) {
            return WriteTag(Tags::Launch, {ProgramText(*r)});
        }
        break;
    case C::LaunchAndActivate:
    case C::ActivateOrLaunch:
        if (const auto* r = As<ProgramRecord>(record)) {
            const TagLayout& l = code == C::LaunchAndActivate ? Tags::LaunchNo : Tags::LaunchYes;
            return WriteTag(
                l, {IntegerFieldText(r->Delay, l.Field(0).Width), r->Title, ProgramText(*r)});
        }
        break;
    case C::SoundBeep:
        return WriteTag(Tags::Beep, {});
    case C::SoundWaveFile:
        if (const auto* r = As<SoundRecord>(record)) {
            return WriteTag(r->Wait ? Tags::WaveWait : Tags::WaveNoWait, {r->File});
        }
        break;
    case C::LoadNewMacroFile:
    case C::LoadTextFile:
    case C::Remark:
    case C::WebSite:
    case C::WebFtp:
        if (const auto* r = As<NameRecord>(record)) {
            const TagLayout& l = code == C::LoadNewMacroFile ? Tags::Swap
                                 : code == C::LoadTextFile   ? Tags::TextFile
                                 : code == C::Remark         ? Tags::Remark
                                 : code == C::WebSite        ? Tags::Http
                                                             : Tags::Ftp;
            return WriteTag(l, {r->Name});
        }
        break;
    case C::ResizeWindow:
    case C::RepositionWindow:
        if (const auto* r = As<GeometryRecord>(record)) {
            const TagLayout& l = code == C::ResizeWindow ? Tags::WindowSize : Tags::WindowPos;
            return WriteTag(l, {IntegerFieldText(r->First, l.Field(0).Width),
                                IntegerFieldText(r->Second, l.Field(1).Width),
                                TitleOrCurrent(r->Title, r->Current)});
        }
        break;
    case C::MaximizeWindow:
    case C::MinimizeWindow:
    case C::RestoreWindow:
    case C::CloseWindow:
    case C::HideWindow:
    case C::ShowWindow:
    case C::ShutDownProgram:
        if (const auto* r = As<WindowRecord>(record)) {
            for (const WindowCommandRow& row : WindowCommands) {
                if (row.Code == code) {
                    return WriteTag(*row.Layout, {TitleOrCurrent(r->Title, r->Current)});
                }
            }
        }
        break;
    case C::MouseMove:
        if (const auto* r = As<MouseRecord>(record)) {
            const TagLayout& l = r->WindowRelative ? Tags::MoveWindow : Tags::MoveScreen;
            return WriteTag(l, {IntegerFieldText(r->X, l.Field(0).Width),
                                IntegerFieldText(r->Y, l.Field(1).Width)});
        }
        break;
    case C::LeftMouseButton:
    case C::RightMouseButton:
    case C::MiddleMouseButton:
        if (const auto* r = As<MouseRecord>(record); r && r->Action >= 2 && r->Action <= 13) {
            return WriteTag(*ButtonTags[r->Action - 2], {});
        }
        break;
    case C::MouseWheel:
        if (const auto* r = As<MouseRecord>(record)) {
            const TagLayout& l = r->Action == 14 ? Tags::WheelForward : Tags::WheelBackward;
            return WriteTag(l, {IntegerFieldText(r->Notches, l.Field(0).Width)});
        }
        break;
    case C::ClipboardCopy:
        return WriteTag(Tags::ClipCopy, {});
    case C::ClipboardPaste:
        return WriteTag(Tags::ClipPaste, {});
    case C::ClipboardStartCopy:
        return WriteTag(Tags::BeginClip, {});
    case C::ClipboardEndCopy:
        return WriteTag(Tags::EndClip, {});
    case C::ClipboardFileCopy:
        if (const auto* r = As<ClipboardRecord>(record)) {
            return WriteTag(Tags::ClipFile, {r->File});
        }
        break;
    case C::ControlKey:
    case C::AltKey:
    case C::ShiftKey:
    case C::WinKey:
        if (const auto* r = As<ModifierRecord>(record); r && r->Action >= 1 && r->Action <= 8) {
            return WriteTag(*ModifierTags[r->Action - 1], {});
        }
        break;
    case C::ChangeDirectory:
        if (const auto* r = As<FileRecord>(record)) {
            return WriteTag(Tags::ChangeDir, {r->First});
        }
        break;
    case C::DeleteFile:
        if (const auto* r = As<FileRecord>(record)) {
            return WriteTag(Tags::DeleteFile, {r->First});
        }
        break;
    case C::CopyFile:
    case C::RenameFile:
        if (const auto* r = As<FileRecord>(record)) {
            return WriteTag(code == C::CopyFile ? Tags::CopyFile : Tags::RenameFile,
                            {r->First + ";" + r->Second});
        }
        break;
    }
    return {};
}

std::string TagOf(const ScriptLine& line) {
    const std::optional<CommandCode> code = CommandCodeOf(line.Text);
    return code ? TagOf(*code, line.Record) : std::string();
}

std::string ScriptText(const std::vector<ScriptLine>& lines) {
    std::string text;
    for (const ScriptLine& line : lines) {
        text += TagOf(line);
    }
    return text;
}

namespace {

// Whether `run`, kept as text, still reads as text up to its end when the tag `written` follows it
// once saved. A tag-like beginning at the run's end ("<MMS:") that the written tag completes
// ("<MMS:<COPYFILE:;>") would read back as another item, so the saved script would not load as
// the lines it was saved from.
bool KeepsItsEnd(std::string_view run, std::string_view written) {
    const std::string joined = std::string(run) + std::string(written);
    std::size_t pos = 0;
    while (pos < run.size()) {
        if (joined[pos] != '<') {
            ++pos;
            continue;
        }
        const ScriptItem item = ReadScriptItem(joined, pos);
        pos += item.Kind == K::Character ? 1 : item.Length;
    }
    return pos == run.size();
}

} // namespace

std::vector<ScriptLine> BuildTheScript(std::string_view macroText) {
    std::vector<ScriptLine> lines;
    std::string run;
    const auto closeRun = [&] {
        if (!run.empty()) {
            lines.push_back({TextLineDisplay(run), TextRecord{std::move(run)}});
            run.clear();
        }
    };
    std::size_t pos = 0;
    while (pos < macroText.size()) {
        if (macroText[pos] != '<') {
            run += macroText[pos++];
            continue;
        }
        const ScriptItem item = ReadScriptItem(macroText, pos);
        if (item.Kind == K::Character) {
            run += '<';
            ++pos;
            continue;
        }
        std::optional<Command> command;
        if (!KeystrokeTag(item.Kind)) {
            command = CommandOf(item);
        }
        std::optional<ScriptLine> line;
        if (command && WritesBackAlike(item, *command)) {
            line =
                ScriptLine{DisplayText(command->Code, command->Record), std::move(command->Record)};
        }
        // A command whose saved tag would join the text before it into another item stays text,
        // exactly as typed.
        if (line && (run.empty() || KeepsItsEnd(run, TagOf(*line)))) {
            closeRun();
            lines.push_back(std::move(*line));
        } else {
            run.append(macroText.substr(pos, item.Length));
        }
        pos += item.Length;
    }
    closeRun();
    return lines;
}

void SetIndents(std::vector<ScriptLine>& lines) {
    constexpr std::string_view closers[] = {"Repeat End", "Clipboard End Copy", "Control Key Up",
                                            "Alt Key Up", "Shift Key Up",       "Win Key Up"};
    constexpr std::string_view openers[] = {"Clipboard Start Copy", "Repeat Start",
                                            "Repeat Prompt Start"};
    constexpr std::string_view holders[] = {"Control Key Down", "Alt Key Down", "Shift Key Down",
                                            "Win Key Down"};
    int indent = 0;
    for (ScriptLine& line : lines) {
        const std::string trimmed(TrimLeadingBlanks(line.Text));
        for (const std::string_view closer : closers) {
            if (trimmed.starts_with(closer)) {
                indent -= 3;
            }
        }
        indent = std::max(indent, 0);
        line.Text = std::string(static_cast<std::size_t>(indent), ' ') + trimmed;
        for (const std::string_view opener : openers) {
            if (trimmed.starts_with(opener)) {
                indent += 3;
                break;
            }
        }
        for (const std::string_view holder : holders) {
            if (trimmed.starts_with(holder)) {
                indent += 3;
                break;
            }
        }
    }
}

} // namespace orvane
