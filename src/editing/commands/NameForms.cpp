// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/NameForms.h"

#include "editing/LineRules.h"
#include "script/TagLayout.h"

#include <cctype>

namespace orvane {
namespace {

std::string NameOf(std::string_view tag) {
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    const auto* name = made ? std::get_if<NameRecord>(&made->Record) : nullptr;
    return name != nullptr ? name->Name : std::string();
}

} // namespace

SwapForm SwapForm::Load(std::string_view tag) {
    return SwapForm{NameOf(tag)};
}

std::optional<FormRefusal> Check(const SwapForm& form, const PathChecks& paths) {
    const std::string path = Trimmed(form.Path);
    if (path.find('>') != std::string::npos || !paths.FileExists(path)) {
        return FormRefusal{std::string(NoMacroFileText), "ProgPath"};
    }
    return std::nullopt;
}

std::string Build(const SwapForm& form) {
    return WriteTag(Tags::Swap, {Trimmed(form.Path)});
}

TextFileForm TextFileForm::Load(std::string_view tag) {
    return TextFileForm{NameOf(tag), false};
}

std::optional<FormRefusal> Check(const TextFileForm& form, const PathChecks& paths) {
    const std::string path = Trimmed(form.Path);
    if (auto refusal = RefuseTagEnd(path, "ProgPath")) {
        return refusal;
    }
    if (!form.KeepMissing && !paths.FileExists(path)) {
        return FormRefusal{std::string(MissingTextFileQuestion), "ProgPath", "Warning", true};
    }
    return std::nullopt;
}

std::string Build(const TextFileForm& form) {
    return WriteTag(Tags::TextFile, {Trimmed(form.Path)});
}

RemarkForm RemarkForm::Load(std::string_view tag) {
    return RemarkForm{NameOf(tag)};
}

std::optional<FormRefusal> Check(const RemarkForm& form) {
    return RefuseTagEnd(form.Comments, "Comments");
}

std::string Build(const RemarkForm& form) {
    return WriteTag(Tags::Remark, {Trimmed(form.Comments)});
}

WebForm WebForm::Preset(CommandCode code) {
    WebForm form;
    if (code == CommandCode::WebFtp) {
        form.Ftp = true;
        form.Address = "ftp://";
    }
    return form;
}

WebForm WebForm::Load(std::string_view tag) {
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    WebForm form = Preset(made ? made->Code : CommandCode::WebSite);
    if (const auto* name = made ? std::get_if<NameRecord>(&made->Record) : nullptr) {
        form.Address = name->Name;
    }
    return form;
}

std::optional<FormRefusal> Check(const WebForm& form) {
    return RefuseTagEnd(form.Address, "ProgPath");
}

std::string Build(const WebForm& form) {
    std::string address = Trimmed(form.Address);
    if (form.Ftp) {
        return WriteTag(Tags::Ftp, {address});
    }
    if (address.size() >= 3 && std::toupper(static_cast<unsigned char>(address[0])) == 'W' &&
        std::toupper(static_cast<unsigned char>(address[1])) == 'W' &&
        std::toupper(static_cast<unsigned char>(address[2])) == 'W') {
        address.insert(0, "http://");
    }
    return WriteTag(Tags::Http, {address});
}

namespace {

std::optional<CommandRecord> NameRecordOf(const ScriptItem& item, CommandCode) {
    return NameRecord{item.Text};
}

std::string NameDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<NameRecord>(record);
    if (r == nullptr) {
        return {};
    }
    switch (code) {
    case CommandCode::LoadNewMacroFile:
    case CommandCode::LoadTextFile:
        return ": " + std::string(FileNameOf(r->Name));
    case CommandCode::Remark:
        return ": " + (r->Name.size() > 43 ? r->Name.substr(0, 40) + "..." : r->Name);
    default:
        return ": " + r->Name;
    }
}

std::string NameTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<NameRecord>(record);
    return r != nullptr ? WriteCommandTag(code, 0, {r->Name}) : std::string();
}

} // namespace

const LineRules NameLines = {NameRecordOf, NameDetails, NameTag};

} // namespace orvane
