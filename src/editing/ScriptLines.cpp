// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/ScriptLines.h"

#include "editing/LineRules.h"
#include "script/ScriptReader.h"
#include "script/TagLayout.h"

#include <algorithm>
#include <utility>

namespace orvane {

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

namespace {

using K = ItemKind;

std::string_view TrimLeadingBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    return text;
}

struct Command {
    CommandCode Code;
    CommandRecord Record;
    friend bool operator==(const Command&, const Command&) = default;
};

// The command a tag item stands for, or nothing when the tag is not a command of its own (key
// tags, tags the editor does not list) or its values cannot be kept in a record.
std::optional<Command> CommandOf(const ScriptItem& item) {
    const CommandRow* row = CommandOfItem(item);
    if (row == nullptr) {
        return std::nullopt;
    }
    std::optional<CommandRecord> record = LineRulesOf(row->Form).RecordOf(item, row->Code);
    if (!record) {
        return std::nullopt;
    }
    return Command{row->Code, std::move(*record)};
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
    for (const CommandRow& row : Commands) {
        if (text.starts_with(row.Name)) {
            return row.Code;
        }
    }
    return std::nullopt;
}

std::string DisplayText(CommandCode code, const CommandRecord& record) {
    return std::string(CommandName(code)) +
           LineRulesOf(CommandRowOf(code).Form).Details(code, record);
}

std::string TagOf(CommandCode code, const CommandRecord& record) {
    return LineRulesOf(CommandRowOf(code).Form).TagOf(code, record);
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
            TextRecord text{std::move(run)};
            lines.push_back({DisplayText(CommandCode::Text, text), std::move(text)});
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
        std::optional<Command> command = CommandOf(item);
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
