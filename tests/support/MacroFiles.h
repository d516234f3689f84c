// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Macro files for tests: records described by the fields a test cares about, written back to
// back as the program stores them.

#include "core/HotKeyTable.h"
#include "core/MacroRecord.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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
    WriteMacroFile(path, records);
}

} // namespace orvane::test
