// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/MacroExport.h"

#include "core/AtomicFile.h"
#include "core/MacroFile.h"
#include "core/MacroStore.h"

#include <map>
#include <string>
#include <system_error>

namespace orvane {

std::vector<int> ExportableRecords(const MacroStore& store) {
    std::vector<int> records;
    for (int i = 1; i <= store.MacroCount(); ++i) {
        if (store.Table().Scope(i) != ScopeSystem) {
            records.push_back(i);
        }
    }
    return records;
}

std::optional<std::vector<MacroRecord>> ReadLoadedMacros(const MacroStore& store) {
    const auto count = static_cast<std::size_t>(store.MacroCount());
    const MacroFileContents contents = ReadMacroFileRecords(store.CurrentPath(), count);
    if (contents.Status != MacroFileStatus::Ok ||
        contents.Records.size() != count * MacroRecordSize) {
        return std::nullopt;
    }
    std::vector<MacroRecord> records;
    records.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        records.push_back(MacroRecord::FromBytes(
            std::span(contents.Records).subspan(k * MacroRecordSize).first<MacroRecordSize>()));
    }
    return records;
}

std::optional<std::string_view> ExportMacros(const MacroStore& store, std::span<const int> records,
                                             const std::filesystem::path& target) {
    std::error_code error;
    if (std::filesystem::equivalent(target, store.CurrentPath(), error)) {
        return ExportIntoCurrentFileText;
    }
    const std::optional<std::vector<MacroRecord>> loaded = ReadLoadedMacros(store);
    if (!loaded) {
        return ExportFailedText;
    }
    std::map<int, std::uint16_t> placeOf; // record of the current file -> record of the new one
    for (std::size_t n = 0; n < records.size(); ++n) {
        placeOf.emplace(records[n], static_cast<std::uint16_t>(n + 1));
    }
    std::string bytes;
    bytes.reserve(records.size() * MacroRecordSize);
    for (const int i : records) {
        if (i < 1 || static_cast<std::size_t>(i) > loaded->size()) {
            return ExportFailedText;
        }
        MacroRecord record = (*loaded)[static_cast<std::size_t>(i) - 1];
        if (record.Scope == ScopePopupMenu) {
            std::vector<std::uint16_t> members;
            for (const std::uint16_t member : record.PopupMembers()) {
                if (const auto found = placeOf.find(member); found != placeOf.end()) {
                    members.push_back(found->second);
                }
            }
            record.SetPopupMembers(members);
        }
        const MacroRecordBytes stored = record.ToBytes();
        bytes.append(reinterpret_cast<const char*>(stored.data()), stored.size());
    }
    if (!WriteFileAtomically(target, bytes, 0600)) {
        return ExportFailedText;
    }
    return std::nullopt;
}

} // namespace orvane
