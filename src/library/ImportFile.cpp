// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/ImportFile.h"

#include "core/ByteOrder.h"
#include "core/MacroFileCheck.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

namespace orvane {
namespace {

constexpr std::string_view ClipboardStart = "<BEGCLIP>";
constexpr std::string_view ClipboardEnd = "<ENDCLIP><CLIPP>";
constexpr std::string_view OldLaunch = "<LAUNCH>";
constexpr std::string_view OldParam = "<PARAM>";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EndsWithAnyCase(std::string_view name, std::string_view ending) {
    if (name.size() < ending.size()) {
        return false;
    }
    name.remove_prefix(name.size() - ending.size());
    return std::equal(name.begin(), name.end(), ending.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

// A NUL-terminated text field: the characters before the first NUL, and never past the field's
// last byte but one, where the NUL belongs.
std::string_view TextField(std::span<const std::uint8_t> field) {
    const auto* begin = reinterpret_cast<const char*>(field.data());
    const std::size_t limit = field.size() - 1;
    const auto* nul = static_cast<const char*>(std::memchr(begin, 0, limit));
    return {begin, nul != nullptr ? static_cast<std::size_t>(nul - begin) : limit};
}

template <std::size_t N>
void AssignShortString(ShortString<N>& target, std::span<const std::uint8_t> bytes,
                       std::size_t offset) {
    target.Assign(ReadShortString(bytes.subspan(offset, N + 1)));
}

// Pascal's Copy(text, from, count) with 1-based `from`: whatever of the range exists.
std::string_view Copy(std::string_view text, std::ptrdiff_t from, std::ptrdiff_t count) {
    if (from < 1 || count <= 0 || static_cast<std::size_t>(from) > text.size()) {
        return {};
    }
    return text.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(count));
}

std::string WrapForClipboard(std::string_view text) {
    const std::size_t room = MacroTextMaxLength - ClipboardStart.size() - ClipboardEnd.size();
    std::string wrapped(ClipboardStart);
    wrapped += text.substr(0, room);
    wrapped += ClipboardEnd;
    return wrapped;
}

void StampNewMacro(MacroRecord& record, double now) {
    record.Icon.Assign("MAIN");
    record.LastModified = now;
}

bool IsSystemRecord(std::span<const std::uint8_t, MacroRecordSize> record) {
    return LoadI16(record, MacroRecordOffset::Scope) == ScopeSystem;
}

// Feeds each whole record of the file to `take`; false when the file cannot be read.
template <typename Take>
bool ForEachRecord(const std::filesystem::path& path, std::size_t recordSize, Take take,
                   std::size_t& records, std::size_t& tail) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::vector<std::uint8_t> record(recordSize);
    records = 0;
    tail = 0;
    for (;;) {
        in.read(reinterpret_cast<char*>(record.data()), static_cast<std::streamsize>(recordSize));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == recordSize) {
            ++records;
            take(std::span<const std::uint8_t>(record), records);
            continue;
        }
        tail = got;
        return in.eof() && !in.bad();
    }
}

} // namespace

std::optional<ImportFormat> ImportFormatOf(std::string_view fileName) {
    if (EndsWithAnyCase(fileName, ".orv")) {
        return ImportFormat::MacroFile;
    }
    if (EndsWithAnyCase(fileName, ".ke2")) {
        return ImportFormat::OldHotKeyFile;
    }
    if (EndsWithAnyCase(fileName, ".shk")) {
        return ImportFormat::OldShortKeyFile;
    }
    return std::nullopt;
}

std::size_t ImportRecordSize(ImportFormat format) {
    switch (format) {
    case ImportFormat::MacroFile:
        return MacroRecordSize;
    case ImportFormat::OldHotKeyFile:
        return OldHotKeyRecordSize;
    case ImportFormat::OldShortKeyFile:
        return OldShortKeyRecordSize;
    }
    return MacroRecordSize;
}

std::string ConvertOldHotKeyText(std::string_view text, bool clipboard) {
    std::string converted(text);
    if (text.find(OldLaunch) != std::string_view::npos) {
        // The old launch command kept the program after a separator character, and the folder
        // to start in after "<PARAM>"; only its first 255 characters were ever read.
        const std::string_view t = text.substr(0, 255);
        const std::size_t param = t.find(OldParam);
        if (param != std::string_view::npos) {
            const auto p = static_cast<std::ptrdiff_t>(param) + 1;
            converted = "<CHDIR:" + std::string(Copy(t, p + 7, 255)) +
                        "><LAUNCH:" + std::string(Copy(t, 10, p - 10)) + ">";
        } else {
            converted = "<LAUNCH:" + std::string(Copy(t, 10, 255)) + ">";
        }
        clipboard = false;
    }
    return clipboard ? WrapForClipboard(converted) : converted;
}

MacroRecord ConvertOldHotKeyRecord(std::span<const std::uint8_t, OldHotKeyRecordSize> bytes,
                                   double now) {
    namespace Off = OldHotKeyOffset;
    MacroRecord record;
    AssignShortString(record.Nickname, bytes, Off::Nickname);
    AssignShortString(record.ScopeTarget, bytes, Off::ScopeTarget);
    record.HotKey = LoadU16(bytes, Off::HotKey);
    record.Scope = LoadI16(bytes, Off::Scope);
    record.Active = LoadU8(bytes, Off::Active) != 0 ? 1 : 0;
    record.Reserved1 = LoadU16(bytes, Off::Reserved1);
    record.SetText(ConvertOldHotKeyText(TextField(bytes.subspan(Off::Text, Off::TextSize)),
                                        LoadU8(bytes, Off::Clipboard) != 0));
    record.SchedKind = LoadI16(bytes, Off::SchedKind);
    std::copy_n(bytes.begin() + Off::SchedDays, record.SchedDays.size(), record.SchedDays.begin());
    std::size_t at = Off::SchedDays + record.SchedDays.size();
    for (std::uint8_t* field : {&record.SchedHour, &record.SchedMinute, &record.SchedMonth,
                                &record.SchedDay, &record.SchedPastHour}) {
        *field = LoadU8(bytes, at++);
    }
    record.SchedInterval = LoadU16(bytes, Off::SchedInterval);
    record.SchedWeekday = LoadU8(bytes, Off::SchedWeekday);
    record.SchedYear = LoadU16(bytes, Off::SchedYear);
    record.SchedPM = LoadU8(bytes, Off::SchedPM);
    record.TopMostOnly = LoadU8(bytes, Off::TopMostOnly);
    StampNewMacro(record, now);
    return record;
}

MacroRecord ConvertOldShortKeyRecord(std::span<const std::uint8_t, OldShortKeyRecordSize> bytes,
                                     double now) {
    namespace Off = OldShortKeyOffset;
    MacroRecord record;
    AssignShortString(record.ShortKey, bytes, Off::ShortKey);
    record.HotKey = HotKeyShortKey;
    record.Scope = ScopeGlobal;
    record.Active = LoadU8(bytes, Off::Active) != 0 ? 1 : 0;
    record.Reserved1 = LoadU16(bytes, Off::Reserved1);
    const std::string_view text = TextField(bytes.subspan(Off::Text, Off::TextSize));
    record.SetText(LoadU8(bytes, Off::Clipboard) != 0 ? WrapForClipboard(text) : std::string(text));
    record.SchedKind = 1;
    record.SchedMonth = 1;
    record.SchedDay = 1;
    record.SchedPastHour = 15;
    record.SchedInterval = 15;
    record.SchedWeekday = 1;
    record.SchedYear = 1998;
    record.SchedPM = 1;
    record.TopMostOnly = 1;
    StampNewMacro(record, now);
    return record;
}

ImportRead ReadImportFile(const std::filesystem::path& path, double now) {
    const std::optional<ImportFormat> format = ImportFormatOf(path.filename().string());
    if (!format) {
        return {std::nullopt, ImproperFileTypeText};
    }
    ImportFile file;
    file.Format = *format;
    if (*format == ImportFormat::MacroFile &&
        CheckMacroFile(path).Kind != MacroFileKind::MacroFile) {
        return {std::nullopt, CannotOpenImportText};
    }
    const auto take = [&](std::span<const std::uint8_t> bytes, std::size_t position) {
        MacroRecord record;
        switch (*format) {
        case ImportFormat::MacroFile: {
            const auto whole = bytes.first<MacroRecordSize>();
            if (IsSystemRecord(whole) || !IsMacroRecord(whole)) {
                return;
            }
            record = MacroRecord::FromBytes(whole);
            break;
        }
        case ImportFormat::OldHotKeyFile:
            record = ConvertOldHotKeyRecord(bytes.first<OldHotKeyRecordSize>(), now);
            break;
        case ImportFormat::OldShortKeyFile:
            record = ConvertOldShortKeyRecord(bytes.first<OldShortKeyRecordSize>(), now);
            break;
        }
        const MacroRecordBytes stored = record.ToBytes();
        if (IsSystemRecord(stored) || !IsMacroRecord(stored)) {
            return;
        }
        file.Entries.push_back({position, record});
    };
    std::size_t records = 0;
    std::size_t tail = 0;
    if (!ForEachRecord(path, ImportRecordSize(*format), take, records, tail)) {
        return {std::nullopt, CannotOpenImportText};
    }
    // Something that holds no whole record, or none an older program could have written, is
    // not a file of that kind. A macro file of system macros only lists nothing, rightly.
    if ((records == 0 && tail > 0) ||
        (*format != ImportFormat::MacroFile && records > 0 && file.Entries.empty())) {
        return {std::nullopt, CannotOpenImportText};
    }
    return {std::move(file), {}};
}

} // namespace orvane
