// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroCatalog.h"

#include "core/CodePage.h"
#include "core/DayCount.h"
#include "core/HotKeyTable.h"
#include "core/MacroFile.h"
#include "core/MacroStore.h"
#include "core/MacroTable.h"
#include "core/NameCache.h"
#include "core/Schedule.h"
#include "core/TextCase.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <span>

namespace orvane {
namespace {

std::span<const std::string_view> HotKeyNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> all;
        for (const HotKeyEntry& entry : HotKeyTable()) {
            all.push_back(entry.Name);
        }
        return all;
    }();
    return names;
}

// Stored text made fit for one line of a terminal: control characters (a damaged nickname)
// would break the line or move the cursor, so they show as "?".
std::string LineText(std::string_view stored) {
    std::string text(stored);
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            c = '?';
        }
    }
    return Windows1252ToUtf8(text);
}

std::size_t Characters(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string PadTo(std::string text, std::size_t width) {
    const std::size_t length = Characters(text);
    if (length < width) {
        text.append(width - length, ' ');
    }
    return text;
}

std::string_view KindName(std::uint16_t hotKey) {
    if (hotKey == HotKeyTimed) {
        return "timed";
    }
    return hotKey == HotKeyShortKey ? "shortkey" : "hotkey";
}

std::string_view ScopeKindName(std::int16_t scope) {
    switch (scope) {
    case ScopeGlobal:
        return "global";
    case ScopeSpecificWindow:
        return "window";
    case ScopeSpecificProgram:
        return "program";
    case ScopePopupMenu:
        return "popup";
    case ScopeSystem:
        return "system";
    default:
        return "unknown";
    }
}

bool HasTarget(std::int16_t scope) {
    return scope == ScopeSpecificWindow || scope == ScopeSpecificProgram;
}

std::string JoinNumbers(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        if (k > 0) {
            text += k + 1 == numbers.size() ? " and " : ", ";
        }
        text += std::to_string(numbers[k]);
    }
    return text;
}

MacroLookup Ambiguous(std::string_view query, const std::vector<int>& numbers) {
    return {0, "\"" + std::string(query) + "\" names macros " + JoinNumbers(numbers) +
                   "; give the number instead"};
}

} // namespace

CatalogRead ReadMacroCatalog(const std::filesystem::path& path) {
    const MacroFileContents contents = ReadMacroFileRecords(path, MaxMacros);
    switch (contents.Status) {
    case MacroFileStatus::Missing:
        return {std::nullopt, "The macro file \"" + path.string() + "\" does not exist."};
    case MacroFileStatus::Unreadable:
        return {std::nullopt, MacroFileCannotOpenText(path)};
    case MacroFileStatus::Ok:
        break;
    }
    MacroCatalog catalog;
    catalog.Path = path;
    const std::size_t loaded = contents.Records.size() / MacroRecordSize;
    for (std::size_t k = 0; k < loaded; ++k) {
        catalog.Records.push_back(MacroRecord::FromBytes(
            std::span(contents.Records).subspan(k * MacroRecordSize).first<MacroRecordSize>()));
    }
    if (contents.RecordsInFile > static_cast<std::size_t>(MaxMacros)) {
        catalog.Warning = MacroFileOversizedText(path, contents.RecordsInFile);
    }
    return {std::move(catalog), {}};
}

ListMacro ListMacroOf(const MacroRecord& record) {
    ListMacro macro;
    macro.HotKey = record.HotKey;
    macro.Scope = record.Scope;
    macro.ScopeTarget = std::string(record.ScopeTarget.View().substr(0, ScopeTargetTableLength));
    macro.Nickname = record.Nickname.Str();
    macro.ShortKey = record.ShortKey.Str();
    macro.Active = record.Active != 0;
    return macro;
}

MacroLookup FindMacro(const std::vector<MacroRecord>& records, std::string_view query) {
    if (query.empty()) {
        return {0, "no nickname or number was given"};
    }
    const std::string stored = Utf8ToWindows1252(query);
    std::vector<int> exact;
    std::vector<int> anyCase;
    const std::string upper = UpperCase1252(stored);
    for (std::size_t k = 0; k < records.size(); ++k) {
        const std::string_view nickname = records[k].Nickname.View();
        const int number = static_cast<int>(k) + 1;
        if (nickname == stored) {
            exact.push_back(number);
        } else if (UpperCase1252(nickname) == upper) {
            anyCase.push_back(number);
        }
    }
    if (exact.size() == 1) {
        return {exact.front(), {}};
    }
    if (exact.size() > 1) {
        return Ambiguous(query, exact);
    }
    if (std::all_of(query.begin(), query.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        // Leading zeros and any length: "0003" is record 3, a huge number is simply no record.
        const std::string_view digits =
            query.substr(std::min(query.find_first_not_of('0'), query.size()));
        const std::size_t count = records.size();
        if (!digits.empty() && digits.size() <= 4) {
            const int number = std::stoi(std::string(digits));
            if (number >= 1 && static_cast<std::size_t>(number) <= count) {
                return {number, {}};
            }
        }
        return {0, "there is no macro number " + std::string(query) + " (the file holds " +
                       std::to_string(count) + (count == 1 ? " macro)" : " macros)")};
    }
    if (anyCase.size() == 1) {
        return {anyCase.front(), {}};
    }
    if (anyCase.size() > 1) {
        return Ambiguous(query, anyCase);
    }
    return {0, "no macro is called \"" + std::string(query) + "\""};
}

std::vector<std::string> ListingLines(const MacroCatalog& catalog) {
    struct Row {
        std::string Number, Activation, Scope, Nickname;
        bool Active;
    };
    std::vector<Row> rows;
    std::size_t widths[3] = {0, 0, 0};
    for (std::size_t k = 0; k < catalog.Records.size(); ++k) {
        const ListMacro macro = ListMacroOf(catalog.Records[k]);
        Row row{std::to_string(k + 1), LineText(ActivationText(macro, HotKeyNames())),
                LineText(ScopeText(macro)), LineText(macro.Nickname), macro.Active};
        widths[0] = std::max(widths[0], Characters(row.Number));
        widths[1] = std::max(widths[1], Characters(row.Activation));
        widths[2] = std::max(widths[2], Characters(row.Scope));
        rows.push_back(std::move(row));
    }
    std::vector<std::string> lines;
    for (Row& row : rows) {
        std::string line(widths[0] - row.Number.size(), ' ');
        line += row.Number + "  " + PadTo(row.Activation, widths[1]) + "  " +
                PadTo(row.Scope, widths[2]) + "  " + row.Nickname;
        if (!row.Active) {
            line += "  (deactivated)";
        }
        // Columns padded for a nickname that is empty leave blanks at the end.
        line.erase(line.find_last_not_of(' ') + 1);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string ListingJson(const MacroCatalog& catalog) {
    const auto text = [](std::string_view stored) { return JsonString(Windows1252ToUtf8(stored)); };
    std::string out = "{\"file\": " + JsonString(catalog.Path.string()) + ", \"macros\": [";
    for (std::size_t k = 0; k < catalog.Records.size(); ++k) {
        const MacroRecord& record = catalog.Records[k];
        const ListMacro macro = ListMacroOf(record);
        out += k == 0 ? "\n" : ",\n";
        out += "  {\"number\": " + std::to_string(k + 1);
        out += ", \"activation\": " + text(ActivationText(macro, HotKeyNames()));
        out += ", \"scope\": " + text(ScopeText(macro));
        out += ", \"nickname\": " + text(macro.Nickname);
        out += std::string(", \"active\": ") + (macro.Active ? "true" : "false");
        out += ", \"kind\": \"" + std::string(KindName(record.HotKey)) + "\"";
        out += ", \"shortKey\": " +
               (record.HotKey == HotKeyShortKey ? text(record.ShortKey.View()) : "null");
        out += ", \"scopeKind\": \"" + std::string(ScopeKindName(record.Scope)) + "\"";
        out +=
            ", \"target\": " + (HasTarget(record.Scope) ? text(record.ScopeTarget.View()) : "null");
        out += std::string(", \"topMostOnly\": ") +
               (HasTarget(record.Scope) && record.TopMostOnly != 0 ? "true" : "false");
        out += "}";
    }
    out += catalog.Records.empty() ? "]}\n" : "\n]}\n";
    return out;
}

std::string MacroDetails(const MacroRecord& record, int number) {
    const ListMacro macro = ListMacroOf(record);
    std::string out;
    const auto field = [&out](std::string_view label, const std::string& value) {
        out += std::string(label) + ":";
        out.append(label.size() < 14 ? 14 - label.size() : 1, ' ');
        out += value + "\n";
    };
    field("Number", std::to_string(number));
    field("Nickname", LineText(macro.Nickname));
    field("Activation", LineText(ActivationText(macro, HotKeyNames())));
    field("Scope", LineText(ScopeText(macro)));
    field("Active", macro.Active ? "Yes" : "No");
    if (HasTarget(record.Scope)) {
        field(record.Scope == ScopeSpecificWindow ? "Window" : "Program",
              LineText(record.ScopeTarget.View()));
        field("Only on top", record.TopMostOnly != 0 ? "Yes" : "No");
    }
    if (record.HotKey == HotKeyTimed) {
        field("Schedule", LineText(GetSched(record)));
    }
    if (record.LastModified != 0.0) {
        if (const std::optional<LocalDateTime> when = DaysToLocalDateTime(record.LastModified)) {
            char stamp[40];
            std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d", when->Year, when->Month,
                          when->Day, when->Hour, when->Minute);
            field("Last modified", stamp);
        }
    }
    if (record.Scope == ScopePopupMenu) {
        // A popup menu's text holds its members, not a script.
        std::string members;
        for (const std::uint16_t member : record.PopupMembers()) {
            members += (members.empty() ? "" : ", ") + std::to_string(member);
        }
        field("Menu of", members.empty() ? "(no macros)" : members);
        return out;
    }
    out += "Text:\n" + Windows1252ToUtf8(record.Text()) + "\n";
    return out;
}

} // namespace orvane
