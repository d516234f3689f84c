// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/MacroStore.h"

#include "core/CodePage.h"
#include "core/DayCount.h"
#include "core/HookLibrary.h"
#include "core/HotKeyTable.h"
#include "core/MacroFile.h"
#include "core/MacroFileCheck.h"
#include "core/TextCase.h"

#include <algorithm>
#include <string>
#include <vector>

namespace orvane {
namespace {

constexpr std::string_view ErrorCaption = "Error";
constexpr std::string_view WarningCaption = "Warning";

// Stored text of an executable name: Windows-1252 like the scope targets it is compared with.
std::string ProgramText(std::string_view utf8Name) {
    return UpperCase1252(Utf8ToWindows1252(utf8Name));
}

} // namespace

std::string NotMacroFileText(const std::filesystem::path& path) {
    return "\"" + path.string() +
           "\" is not an Orvane macro file. It was not loaded, and it was left as it is.";
}

std::string MacroFileCannotOpenText(const std::filesystem::path& path) {
    return "The macro file \"" + path.string() +
           "\" could not be opened. Nothing was loaded, and the file was left as it is.";
}

std::string MacroFileOversizedText(const std::filesystem::path& path, std::size_t records) {
    return "The macro file \"" + path.string() + "\" holds " + std::to_string(records) +
           " macros, more than the " + std::to_string(MaxMacros) + " a file can hold. The first " +
           std::to_string(MaxMacros) +
           " are loaded; the others stay in the file unchanged. No macro can be added to this "
           "file.";
}

MacroStore::MacroStore(HookLibrary& hook, MessageSink& messages)
    : hook_(hook), messages_(messages) {}

void MacroStore::SetMacroCount(int count) {
    macroCount_ = std::clamp(count, 0, MaxMacros);
    table_.SetCount(macroCount_);
}

bool MacroStore::CanAppend() const {
    return macroCount_ < MaxMacros && !unloadedRecords_;
}

bool MacroStore::LoadMacroFile(const std::filesystem::path& path) {
    // Decided before anything is cleared or written: a file that is refused leaves the macros
    // in memory and the current file as they were, so the program goes on with what it had and
    // no later write can reach the refused file.
    const MacroFileCheck check = CheckMacroFile(path);
    switch (check.Kind) {
    case MacroFileKind::MacroFile:
    case MacroFileKind::Missing:
        break;
    case MacroFileKind::Unreadable:
        messages_.Show(ErrorCaption, MacroFileCannotOpenText(path));
        return false;
    case MacroFileKind::NotAFile:
    case MacroFileKind::NoWholeRecord:
    case MacroFileKind::ForeignRecord:
        messages_.Show(ErrorCaption, NotMacroFileText(path));
        return false;
    }

    const MacroFileContents contents = ReadMacroFileRecords(path, MaxMacros);
    if (contents.Status == MacroFileStatus::Unreadable) {
        messages_.Show(ErrorCaption, MacroFileCannotOpenText(path));
        return false;
    }
    // A file that changed between the check and the read is judged again on what was read.
    if (contents.Status == MacroFileStatus::Ok &&
        ((contents.RecordsInFile == 0 && contents.TailBytes > 0) ||
         CheckMacroFileBytes(contents.Records).Kind != MacroFileKind::MacroFile)) {
        messages_.Show(ErrorCaption, NotMacroFileText(path));
        return false;
    }

    SetMacroCount(0);
    for (int i = 1; i <= MaxMacros; ++i) {
        RefreshItem(i, MacroRecord{}); // publishes nothing past Count; clears stale entries
    }
    names_.Clear();
    currentPath_ = path;
    unloadedRecords_ = false;

    if (contents.Status == MacroFileStatus::Missing) {
        if (!CreateEmptyMacroFile(path)) {
            messages_.Show(ErrorCaption, NewFileFailedText);
            hook_.OrvUpNumKeys(table_);
            return false;
        }
        hook_.OrvUpNumKeys(table_);
        EnsureSystemMacros();
        return true;
    }

    const std::size_t loaded = contents.Records.size() / MacroRecordSize;
    for (std::size_t k = 0; k < loaded; ++k) {
        const auto bytes =
            std::span(contents.Records).subspan(k * MacroRecordSize).first<MacroRecordSize>();
        const int i = static_cast<int>(k) + 1;
        SetMacroCount(i);
        RefreshItem(i, MacroRecord::FromBytes(bytes));
    }
    if (contents.RecordsInFile > static_cast<std::size_t>(MaxMacros)) {
        unloadedRecords_ = true;
        // Once per file: reloads after every delete and network sync must not repeat it.
        if (warnedOversizedPath_ != path) {
            warnedOversizedPath_ = path;
            messages_.Show(WarningCaption, MacroFileOversizedText(path, contents.RecordsInFile));
        }
    } else if (warnedOversizedPath_ == path) {
        warnedOversizedPath_.clear();
    }
    hook_.OrvUpNumKeys(table_);
    EnsureSystemMacros();
    return true;
}

bool MacroStore::ReloadMacroFile() {
    return LoadMacroFile(currentPath_);
}

bool MacroStore::ReadMacro(int i, MacroRecord& record) const {
    if (i < 1 || i > macroCount_) {
        return false;
    }
    MacroRecordBytes bytes{};
    if (!ReadMacroFileRecord(currentPath_, static_cast<std::size_t>(i), bytes)) {
        return false;
    }
    record = MacroRecord::FromBytes(bytes);
    return true;
}

bool MacroStore::SaveMacro(int i, const MacroRecord& record) {
    const bool append = i == -1;
    if (append) {
        if (unloadedRecords_) {
            return false;
        }
        i = macroCount_;
    }
    if (i < 1 || i > macroCount_) {
        return false;
    }
    const MacroRecordBytes bytes = record.ToBytes();
    const MacroWriteResult result =
        append ? AppendMacroFileRecord(currentPath_, bytes)
               : WriteMacroFileRecord(currentPath_, static_cast<std::size_t>(i), bytes);
    if (result != MacroWriteResult::Written) {
        messages_.Show(ErrorCaption, SaveFailedText);
        return false;
    }
    // Mirrors follow the file only once it holds the record, so a failed write leaves the table
    // telling the truth.
    RefreshItem(i, record);
    return true;
}

bool MacroStore::AppendMacro(const MacroRecord& record) {
    if (!CanAppend()) {
        return false;
    }
    SetMacroCount(macroCount_ + 1);
    hook_.OrvUpNumKeys(table_);
    if (SaveMacro(-1, record)) {
        return true;
    }
    SetMacroCount(macroCount_ - 1);
    hook_.OrvUpNumKeys(table_);
    return false;
}

bool MacroStore::AppendMacros(std::span<const MacroRecord> records) {
    if (records.empty()) {
        return true;
    }
    const int before = macroCount_;
    if (unloadedRecords_ || records.size() > static_cast<std::size_t>(MaxMacros - before)) {
        return false;
    }
    std::vector<MacroRecordBytes> bytes;
    bytes.reserve(records.size());
    for (const MacroRecord& record : records) {
        bytes.push_back(record.ToBytes());
    }
    SetMacroCount(before + static_cast<int>(records.size()));
    hook_.OrvUpNumKeys(table_);
    if (AppendMacroFileRecords(currentPath_, bytes) != MacroWriteResult::Written) {
        messages_.Show(ErrorCaption, SaveFailedText);
        SetMacroCount(before);
        hook_.OrvUpNumKeys(table_);
        return false;
    }
    for (std::size_t k = 0; k < records.size(); ++k) {
        RefreshItem(before + 1 + static_cast<int>(k), records[k]);
    }
    return true;
}

bool MacroStore::DeleteMacro(int i) {
    if (i < 1 || i > macroCount_) {
        return false;
    }
    return RemoveMacroFileRecord(currentPath_, static_cast<std::size_t>(i));
}

bool MacroStore::SetMacroActive(int i, std::uint8_t value) {
    if (i < 1 || i > macroCount_) {
        return false;
    }
    return WriteMacroFileActive(currentPath_, static_cast<std::size_t>(i), value);
}

bool MacroStore::ActivateMacro(int i, bool active) {
    if (i < 1 || i > macroCount_) {
        return false;
    }
    table_.SetActive(i, active ? 1 : 0);
    hook_.OrvUpItem(table_, i);
    return SetMacroActive(i, active ? 1 : 0);
}

void MacroStore::EnsureSystemMacros() {
    bool present[4] = {false, false, false, false};
    for (int i = 1; i <= macroCount_; ++i) {
        const std::string_view target = table_.ScopeTarget(i);
        if (table_.Scope(i) != ScopeSystem || target.empty() || target[0] < '1' ||
            target[0] > '4') {
            continue;
        }
        const SystemMacroKind& kind = SystemMacroKinds[target[0] - '1'];
        present[target[0] - '1'] = true;
        if (names_.Nickname(i) != kind.Nickname) {
            names_.SetNickname(i, kind.Nickname);
        }
        if (IsPlainClickKey(table_.HotKey(i))) {
            MendPlainClick(i, kind);
        }
    }
    for (int k = 0; k < 4; ++k) {
        if (present[k]) {
            continue;
        }
        const SystemMacroKind& kind = SystemMacroKinds[k];
        MacroRecord record;
        record.Nickname.Assign(kind.Nickname);
        record.ScopeTarget.Assign(std::string_view(&kind.Digit, 1));
        record.HotKey = kind.DefaultHotKey;
        record.Scope = ScopeSystem;
        record.Active = 1;
        record.LastModified = NowAsDays();
        // A full file gets no more macros, and one failed write is reported once, not four
        // times.
        if (!AppendMacro(record)) {
            return;
        }
    }
}

void MacroStore::MendPlainClick(int i, const SystemMacroKind& kind) {
    const std::uint16_t was = table_.HotKey(i);
    MacroRecord record;
    if (!ReadMacro(i, record)) {
        return;
    }
    record.HotKey = kind.DefaultHotKey;
    if (!SaveMacro(i, record)) {
        // The file keeps it (the failure has been told), but this run never takes the clicks.
        RefreshItem(i, record);
    }
    messages_.Show(WarningCaption, PlainClickMendedText(kind, was));
}

std::string PlainClickMendedText(const SystemMacroKind& kind, std::uint16_t was) {
    return "The system command \"" + std::string(kind.Nickname) + "\" was on \"" +
           std::string(HotKeyName(was).value_or("")) +
           "\", which would take every click in every program.  It is back on its default hot "
           "key \"" +
           std::string(HotKeyName(kind.DefaultHotKey).value_or("")) + "\".";
}

void MacroStore::SetHotKeys() {
    table_.ClearKeysInUse();
    bool haveShortKeys = false;
    for (int i = 1; i <= macroCount_; ++i) {
        const std::uint16_t code = table_.HotKey(i);
        if (code == HotKeyShortKey) {
            haveShortKeys = true;
        } else if (code != HotKeyTimed && table_.Active(i) != 0) {
            table_.SetKeyInUse(code, true); // codes past the table are dropped there
        }
    }
    hook_.OrvUpKeys(table_);
    table_.SetHaveShortKeys(haveShortKeys);
    hook_.OrvUpShort(table_);
}

void MacroStore::RefreshItem(int i, const MacroRecord& record) {
    if (i < 1 || i > MaxMacros) {
        return;
    }
    table_.SetScope(i, record.Scope);
    table_.SetHotKey(i, record.HotKey);
    table_.SetScopeTarget(i, record.ScopeTarget.View());
    table_.SetTopMostOnly(i, record.TopMostOnly);
    table_.SetActive(i, record.Active);
    names_.SetNickname(i, record.Nickname.View());
    names_.SetShortKey(i, record.ShortKey.View());
    if (i <= macroCount_) {
        hook_.OrvUpItem(table_, i);
    }
}

void MacroStore::SetForegroundProgram(std::string_view executableName) {
    table_.SetForegroundProgram(ProgramText(executableName));
    hook_.OrvUpProg(table_);
}

void MacroStore::RefreshProgramList(std::span<const std::string> executableNames) {
    int count = 0;
    table_.SetProgramCount(0);
    for (const std::string& name : executableNames) {
        if (count >= MaxPrograms) {
            break;
        }
        ++count;
        table_.SetProgramCount(count);
        table_.SetProgram(count, ProgramText(name));
    }
    hook_.OrvUpProgs(table_);
}

void MacroStore::InitializeHookLibrary(std::uint32_t mainWindow) {
    namespace Off = MacroTableOffset;
    for (std::size_t offset :
         {Off::CaptureFlag765, Off::CaptureFlag740, Off::CaptureDoubleAlt, Off::InitFlag}) {
        table_.SetByte(offset, 0);
    }
    table_.SetWord(Off::StopKeyVirtualKey, 0);
    for (std::size_t offset : {Off::StopKeyModifiers, Off::StopKeyModifiers + 1,
                               Off::StopKeyModifiers + 2, Off::InitFlag2}) {
        table_.SetByte(offset, 0);
    }
    // Every system this runs on has the behaviour the NT flag stands for.
    table_.SetIsNT(true);
    hook_.OrvUpCapture(table_);
    hook_.OrvUpInit(table_);

    table_.SetMainWindow(mainWindow);
    hook_.OrvUpWindow(table_);

    table_.SetSecondWindow(mainWindow);
    table_.SetSecondWindowOn(false);
    hook_.OrvUpWindow2(table_);

    table_.SetForegroundProgram("");
    hook_.OrvUpProg(table_);

    table_.SetCaptureOn(false);
    hook_.OrvUpCaptureOn(table_);

    for (int k = 1; k <= MaxPrograms; ++k) {
        table_.SetProgram(k, "");
    }
    table_.SetProgramCount(0);
    hook_.OrvUpProgs(table_);

    SetHotKeys();

    table_.SetKeyboardHook(hook_.OrvHookKeyboard());
    table_.SetMouseHook(hook_.OrvHookMouse());
    hook_.OrvUpKeyHook(table_);
    hook_.OrvUpMouseHook(table_);
}

} // namespace orvane
