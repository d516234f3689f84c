// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editing/commands/CommandForm.h"

namespace orvane {

// The dialogs that ask for one name: "Load A New Macro File", "Load Text from a Text File",
// "Remark", and "Internet Web Site" / "Internet FTP".

struct SwapForm {
    std::string Path; // ProgPath
    static SwapForm Load(std::string_view tag);
    friend bool operator==(const SwapForm&, const SwapForm&) = default;
};
inline constexpr std::string_view NoMacroFileText =
    "Specified Macro File does not exist.  Please correct.";
std::optional<FormRefusal> Check(const SwapForm& form, const PathChecks& paths);
std::string Build(const SwapForm& form);

struct TextFileForm {
    std::string Path;         // ProgPath
    bool KeepMissing = false; // the user answered No to correcting a missing file
    static TextFileForm Load(std::string_view tag);
    friend bool operator==(const TextFileForm&, const TextFileForm&) = default;
};
inline constexpr std::string_view MissingTextFileQuestion =
    "Specified Path and Program does not exist.  Do you wish to correct?";
inline constexpr std::string_view CannotOpenTextFileText =
    "Specified Path and Program does not exist.  Unable to open text file.";
// A missing file is a question (caption "Warning"): Yes corrects it, No keeps the name.
std::optional<FormRefusal> Check(const TextFileForm& form, const PathChecks& paths);
std::string Build(const TextFileForm& form);

struct RemarkForm {
    std::string Comments; // at most 240 characters
    static RemarkForm Load(std::string_view tag);
    friend bool operator==(const RemarkForm&, const RemarkForm&) = default;
};
std::optional<FormRefusal> Check(const RemarkForm& form);
std::string Build(const RemarkForm& form);

struct WebForm {
    bool Ftp = false;
    std::string Address = "http://"; // ProgPath
    static WebForm Preset(CommandCode code);
    static WebForm Load(std::string_view tag);
    friend bool operator==(const WebForm&, const WebForm&) = default;
};
std::optional<FormRefusal> Check(const WebForm& form);
// A web address starting with "www" in any case gets "http://" in front.
std::string Build(const WebForm& form);

} // namespace orvane
