// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/commands/FilesForm.h"

#include "editing/LineRules.h"
#include "editing/commands/ClipboardForm.h"
#include "script/TagLayout.h"

#include <algorithm>

namespace orvane {
namespace {

// The folder as it is checked and written: without a trailing separator, "/" alone kept.
std::string FolderText(std::string_view path) {
    std::string folder = Trimmed(path);
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    return folder;
}

constexpr CommandCode Codes[4] = {CommandCode::ChangeDirectory, CommandCode::CopyFile,
                                  CommandCode::RenameFile, CommandCode::DeleteFile};

} // namespace

FilesForm FilesForm::Preset(CommandCode code) {
    FilesForm form;
    for (int i = 0; i < 4; ++i) {
        if (Codes[i] == code) {
            form.Kind = i + 1;
        }
    }
    return form;
}

FilesForm FilesForm::Load(std::string_view tag) {
    FilesForm form;
    const std::optional<MadeCommand> made = CommandOfTag(tag);
    if (const auto* file = made ? std::get_if<FileRecord>(&made->Record) : nullptr) {
        form.Kind = file->Kind;
        form.Path = file->First;
        form.NewName = file->Second;
    }
    return form;
}

std::optional<FormRefusal> Check(const FilesForm& form, const PathChecks& paths) {
    const bool twoNames = form.Kind == FilesForm::Copy || form.Kind == FilesForm::Rename;
    if (twoNames) {
        if (Trimmed(form.NewName).empty()) {
            return FormRefusal{std::string(NoNewNameText), "NewName"};
        }
        if (auto refusal = RefuseTagEnd(form.NewName, "NewName")) {
            return refusal;
        }
    }
    if (form.Kind == FilesForm::ChangeDir) {
        const std::string folder = FolderText(form.Path);
        if (folder.find('>') != std::string::npos || !paths.FolderExists(folder)) {
            return FormRefusal{std::string(NoFolderText), "ProgPath"};
        }
        return std::nullopt;
    }
    const std::string path = Trimmed(form.Path);
    if (path.find('>') != std::string::npos || !paths.FileExists(path)) {
        return FormRefusal{std::string(NoTextFileText), "ProgPath"};
    }
    if (twoNames && path.find(';') != std::string::npos) {
        return FormRefusal{std::string(NameSeparatorText), "ProgPath"};
    }
    return std::nullopt;
}

std::string Build(const FilesForm& form) {
    const int kind = std::clamp(form.Kind, 1, 4);
    FileRecord record{
        kind, kind == FilesForm::ChangeDir ? FolderText(form.Path) : Trimmed(form.Path), {}};
    if (kind == FilesForm::Copy || kind == FilesForm::Rename) {
        record.Second = Trimmed(form.NewName);
    }
    return TagOf(Codes[kind - 1], record);
}

namespace {

std::optional<CommandRecord> FileRecordOf(const ScriptItem& item, CommandCode code) {
    switch (code) {
    case CommandCode::ChangeDirectory:
        return FileRecord{1, item.Text, {}};
    case CommandCode::CopyFile:
        return FileRecord{2, item.Text, item.Text2};
    case CommandCode::RenameFile:
        return FileRecord{3, item.Text, item.Text2};
    default:
        return FileRecord{4, item.Text, {}};
    }
}

std::string FileDetails(CommandCode code, const CommandRecord& record) {
    const auto* r = As<FileRecord>(record);
    if (r == nullptr) {
        return {};
    }
    return code == CommandCode::ChangeDirectory ? ": " + r->First
                                                : ": " + std::string(FileNameOf(r->First));
}

std::string FileTag(CommandCode code, const CommandRecord& record) {
    const auto* r = As<FileRecord>(record);
    if (r == nullptr) {
        return {};
    }
    const bool twoNames = code == CommandCode::CopyFile || code == CommandCode::RenameFile;
    return WriteCommandTag(code, 0, {twoNames ? r->First + ";" + r->Second : r->First});
}

} // namespace

const LineRules FilesLines = {FileRecordOf, FileDetails, FileTag};

} // namespace orvane
