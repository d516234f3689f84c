// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptLines.h"
#include "script/Commands.h"
#include "script/ScriptReader.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// How the lines of one form's commands are made from their tags, shown and written back. Each
// form keeps its rules beside it; the command table says which form a command has.
struct LineRules {
    // The record of a tag item of the command; nothing when its values cannot be kept in one.
    std::optional<CommandRecord> (*RecordOf)(const ScriptItem& item, CommandCode code);
    // What the line shows after the command name.
    std::string (*Details)(CommandCode code, const CommandRecord& record);
    // The tag of the record; empty when the record is not of the form's kind.
    std::string (*TagOf)(CommandCode code, const CommandRecord& record);
};

extern const LineRules TextLines;
extern const LineRules DateTimeLines;
extern const LineRules DelayLines;
extern const LineRules PauseLines;
extern const LineRules RepeatLines;
extern const LineRules SpeedLines;
extern const LineRules ActivateLines;
extern const LineRules SoundLines;
extern const LineRules NameLines; // load macro file, load text file, remark, web
extern const LineRules SizeLines;
extern const LineRules SystemLines;
extern const LineRules MouseLines;
extern const LineRules ClipboardLines;
extern const LineRules KeyUpDownLines;
extern const LineRules FilesLines;

const LineRules& LineRulesOf(FormKind form);

template <typename Record> const Record* As(const CommandRecord& record) {
    return std::get_if<Record>(&record);
}

inline std::string Number(long long value) {
    return std::to_string(value);
}

// The tag `index` of the command's tags with these field texts; empty past its last tag.
std::string WriteCommandTag(CommandCode code, std::size_t index,
                            std::initializer_list<std::string_view> fields);

// The number a real field holds when it is a whole one an int can keep.
std::optional<int> WholeValue(double value);

// A window tag's title: the foreground window's mark, or the title.
std::string TitleOrCurrent(const std::string& title, bool current);

// The code `offset` places after `code` in the enum (commands of one family follow each other).
constexpr CommandCode CodeAfter(CommandCode code, int offset) {
    return static_cast<CommandCode>(static_cast<int>(code) + offset);
}

} // namespace orvane
