// SPDX-License-Identifier: GPL-3.0-or-later
// Macro files for tests: records made in one line (or described by the fields a test cares
// about), written back to back as the program stores them, and read back.
#pragma once

#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

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

// Writes the records back to back, replacing whatever was at `path`.
inline void WriteMacroFile(const std::filesystem::path& path,
                           const std::vector<MacroRecord>& records) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const MacroRecord& record : records) {
        const MacroRecordBytes bytes = record.ToBytes();
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
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

struct MacroSpec {
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

inline MacroRecord MakeMacro(const MacroSpec& spec) {
    MacroRecord record;
    record.Nickname.Assign(spec.Nickname);
    record.Scope = spec.Scope;
    record.ScopeTarget.Assign(spec.Target);
    record.Active = spec.Active ? 1 : 0;
    record.TopMostOnly = spec.TopMostOnly ? 1 : 0;
    record.SetText(spec.Text);
    if (spec.Timed) {
        record.HotKey = HotKeyTimed;
    } else if (!spec.ShortKey.empty()) {
        record.HotKey = HotKeyShortKey;
        record.ShortKey.Assign(spec.ShortKey);
    } else if (!spec.Key.empty()) {
        const std::optional<std::uint16_t> code = HotKeyCodeOf(spec.Key);
        if (!code) {
            throw std::invalid_argument("no hot key named " + spec.Key);
        }
        record.HotKey = *code;
    }
    return record;
}

// Writes the records (replacing the file), then `tail`: bytes of a partial record.
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

inline void WriteMacroFile(const std::filesystem::path& path, const std::vector<MacroSpec>& specs) {
    std::vector<MacroRecord> records;
    for (const MacroSpec& spec : specs) {
        records.push_back(MakeMacro(spec));
    }
    WriteMacroFile(path, records, {});
}

} // namespace orvane::test
