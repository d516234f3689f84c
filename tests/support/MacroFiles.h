// SPDX-License-Identifier: GPL-3.0-or-later
// Macro files for tests: records made in one line (or described by the fields a test cares
// about), written back to back as the program stores them, and read back.
#pragma once

#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"
#include "core/MacroStore.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A hot key macro on the key named `key` ("Ctrl+Alt+Shift+G").
inline MacroRecord HotKeyMacro(std::string_view key, std::int16_t scope, std::string_view text,
                               std::string_view target = {}, std::string_view nickname = {}) {
    const auto code = HotKeyCodeOf(key);
    if (!code) {
        throw std::invalid_argument("no hot key named " + std::string(key));
    }
    MacroRecord record;
    record.HotKey = *code;
    record.Scope = scope;
    record.Active = 1;
    record.ScopeTarget.Assign(target);
    record.Nickname.Assign(nickname.empty() ? text.substr(0, 50) : nickname);
    record.SetText(text);
    return record;
}

// A Global macro on hot key 262 with the program's icon, as the window tests open the editors on.
inline MacroRecord EditorMacro(std::string_view text, std::string_view nickname) {
    MacroRecord record = HotKeyMacro(HotKeyName(262).value(), ScopeGlobal, text, {}, nickname);
    record.Icon.Assign("MAIN");
    return record;
}

inline MacroRecord ShortKeyMacro(std::string_view name, std::string_view text,
                                 std::int16_t scope = ScopeGlobal) {
    MacroRecord record;
    record.HotKey = HotKeyShortKey;
    record.ShortKey.Assign(name);
    record.Scope = scope;
    record.Active = 1;
    record.Nickname.Assign(text.substr(0, 50));
    record.SetText(text);
    return record;
}

inline MacroRecord TimedMacro(std::string_view text) {
    MacroRecord record;
    record.HotKey = HotKeyTimed;
    record.Scope = ScopeGlobal;
    record.Active = 1;
    record.Nickname.Assign(text.substr(0, 50));
    record.SetText(text);
    return record;
}

inline MacroRecord PopupMenuMacro(std::string_view key, std::vector<std::uint16_t> members) {
    MacroRecord record = HotKeyMacro(key, ScopePopupMenu, "", {}, "menu");
    record.SetPopupMembers(members);
    return record;
}

// Writes the records back to back (replacing whatever was at `path`), then `tail`: bytes of a
// partial record.
inline void WriteMacroFile(const std::filesystem::path& path,
                           const std::vector<MacroRecord>& records, std::string_view tail = {}) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const MacroRecord& record : records) {
        const MacroRecordBytes bytes = record.ToBytes();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

// The four system macros ("Activate Orvane" first) on `keys`, nicknamed "system", as the tests
// that start the program give them keys of their own.
inline std::vector<MacroRecord> SystemMacros(const std::array<std::string_view, 4>& keys = {
                                                 "Ctrl+Alt+Shift+W", "Ctrl+Alt+Shift+X",
                                                 "Ctrl+Alt+Shift+Y", "Ctrl+Alt+Shift+Z"}) {
    std::vector<MacroRecord> records;
    for (const std::string_view key : keys) {
        records.push_back(
            HotKeyMacro(key, ScopeSystem, "", std::to_string(records.size() + 1), "system"));
    }
    return records;
}

// The four system macros on their default keys with their own nicknames, as the program makes
// them for a new file.
inline std::vector<MacroRecord> DefaultSystemMacros() {
    std::vector<MacroRecord> records;
    for (const SystemMacroKind& kind : SystemMacroKinds) {
        MacroRecord record;
        record.Nickname.Assign(kind.Nickname);
        record.HotKey = kind.DefaultHotKey;
        record.Scope = ScopeSystem;
        record.ScopeTarget.Assign(std::string(1, kind.Digit));
        record.Active = 1;
        records.push_back(record);
    }
    return records;
}

// `macros`, then the default system macros, as the program stores a file it made.
inline std::vector<MacroRecord> WithDefaultSystemMacros(std::vector<MacroRecord> macros) {
    for (const MacroRecord& record : DefaultSystemMacros()) {
        macros.push_back(record);
    }
    return macros;
}

// Every whole record of the file, in order.
inline std::vector<MacroRecord> ReadMacroFileBack(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<MacroRecord> records;
    for (std::size_t at = 0; at + MacroRecordSize <= bytes.size(); at += MacroRecordSize) {
        MacroRecordBytes one{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), MacroRecordSize,
                    reinterpret_cast<char*>(one.data()));
        records.push_back(MacroRecord::FromBytes(one));
    }
    return records;
}

} // namespace orvane

namespace orvane::test {

struct MacroFields {
    std::string Nickname;
    std::string Key = ""; // a hot key name ("Ctrl+Alt+A"); empty with ShortKey or Timed
    std::int16_t Scope = ScopeGlobal;
    std::string Text = "";     // Windows-1252
    std::string Target = "";   // window title, program or system kind
    std::string ShortKey = ""; // makes a ShortKey macro
    bool Timed = false;        // makes a timed macro
    bool Active = true;
    bool TopMostOnly = false;
};

inline MacroRecord MakeMacro(const MacroFields& fields) {
    MacroRecord record;
    record.Nickname.Assign(fields.Nickname);
    record.Scope = fields.Scope;
    record.ScopeTarget.Assign(fields.Target);
    record.Active = fields.Active ? 1 : 0;
    record.TopMostOnly = fields.TopMostOnly ? 1 : 0;
    record.SetText(fields.Text);
    if (fields.Timed) {
        record.HotKey = HotKeyTimed;
    } else if (!fields.ShortKey.empty()) {
        record.HotKey = HotKeyShortKey;
        record.ShortKey.Assign(fields.ShortKey);
    } else if (!fields.Key.empty()) {
        const std::optional<std::uint16_t> code = HotKeyCodeOf(fields.Key);
        if (!code) {
            throw std::invalid_argument("no hot key named " + fields.Key);
        }
        record.HotKey = *code;
    }
    return record;
}

using orvane::WriteMacroFile;

inline void WriteMacroFile(const std::filesystem::path& path,
                           const std::vector<MacroFields>& described) {
    std::vector<MacroRecord> records;
    for (const MacroFields& fields : described) {
        records.push_back(MakeMacro(fields));
    }
    WriteMacroFile(path, records, {});
}

} // namespace orvane::test
