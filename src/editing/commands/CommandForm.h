// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/ScriptLines.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// What the command dialogs share: the refusal a check gives, the command a built tag stands
// for, and the reading rules of their boxes. Every text of a form is Windows-1252, as the box
// holds it; checks and builders trim blanks first.

// Why a form's values cannot be taken: the message and the field (the widget's object name)
// that gets the focus. A question is asked with Yes and No instead of being shown.
struct FormRefusal {
    std::string Text;
    std::string Field;
    std::string Caption = "Error";
    bool Question = false;
    friend bool operator==(const FormRefusal&, const FormRefusal&) = default;
};

// A command line a dialog made: its code (a dialog may offer several commands) and its record.
struct MadeCommand {
    CommandCode Code = CommandCode::Text;
    CommandRecord Record;
    friend bool operator==(const MadeCommand&, const MadeCommand&) = default;
};

// The one command line a tag reads as; nothing when it reads as anything else (plain text, or
// more than one line), which a check should have refused.
std::optional<MadeCommand> CommandOfTag(std::string_view tag);

// `text` without blanks at either end.
std::string Trimmed(std::string_view text);
// The number a box holds when it holds nothing else (trimmed; an optional "-", then digits).
std::optional<long long> WholeNumber(std::string_view text);
// A box read as an integer field is: leading blanks skipped, an optional sign, the digits up
// to the first non-digit (none: 0).
long long LeadingInteger(std::string_view text);
// A decimal number with a point and nothing else (trimmed).
std::optional<double> RealNumber(std::string_view text);
// The value to two decimals, as a tag keeps it.
double Hundredths(double value);

// A free field ends at the first ">", so a ">" typed into one would end the tag early and type
// the rest as text.
inline constexpr std::string_view TagEndText =
    "The character \">\" cannot be used here.  Please correct.";
std::optional<FormRefusal> RefuseTagEnd(std::string_view text, std::string_view field);

// The file system questions the checks ask (paths are Windows-1252, as stored).
class PathChecks {
public:
    virtual ~PathChecks() = default;
    virtual bool FileExists(std::string_view path) const = 0;
    virtual bool FolderExists(std::string_view path) const = 0;
    // A program a launch can start: a file, or a name found in the folders of PATH.
    virtual bool ProgramExists(std::string_view path) const = 0;
};

// The real file system.
class SystemPathChecks final : public PathChecks {
public:
    bool FileExists(std::string_view path) const override;
    bool FolderExists(std::string_view path) const override;
    bool ProgramExists(std::string_view path) const override;
};

} // namespace orvane
