// SPDX-License-Identifier: GPL-3.0-or-later
// Judges arbitrary bytes as a macro file, from memory and from disk, and loads them through the
// real loader: a file judged foreign must be refused and left byte for byte as it was; a macro
// file is loaded, every field of every record read, then a record deleted and the file reloaded,
// checking that the file keeps its shape. The record readers also see every whole record of
// every input, foreign or not, as they would in a file changed after it was loaded.
#include "core/DayCount.h"
#include "core/HookLibrary.h"
#include "core/HotKeyTable.h"
#include "core/MacroFileCheck.h"
#include "core/MacroStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <unistd.h>

namespace {

using namespace orvane;

// Copies what a backend copies at each publication of one macro.
class CopyingHookLibrary : public NullHookLibrary {
public:
    void OrvUpItem(const MacroTable& table, int index) override {
        Sink += table.Scope(index) + table.HotKey(index) + table.Active(index) +
                table.TopMostOnly(index) + table.ScopeTarget(index).size();
    }

    std::size_t Sink = 0;
};

class NullMessages : public MessageSink {
public:
    void Show(std::string_view, std::string_view) override {}
};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const std::filesystem::path& ScratchFile() {
    static const std::filesystem::path file = [] {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        const auto folder = base / ("orvane-fuzz-macro-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return folder / "FUZZ.ORV";
    }();
    return file;
}

std::size_t ReadFields(const MacroRecord& r, const MacroStore& store) {
    Check(MacroRecord::FromBytes(r.ToBytes()).ToBytes() == r.ToBytes());
    std::size_t sink = r.Nickname.Length() + r.ScopeTarget.Length() + r.ShortKey.Length() +
                       r.Icon.Length() + r.Text().size();
    for (std::uint16_t member : r.PopupMembers()) {
        sink += store.Names().Nickname(member).size();
        sink += store.Table().HotKey(member);
    }
    sink += HotKeyName(r.HotKey).value_or("").size() + DecipherKey(r.HotKey).VirtualKey;
    if (const auto when = DaysToLocalDateTime(r.LastModified)) {
        sink += static_cast<std::size_t>(when->Year);
    }
    return sink;
}

std::size_t ReadRecordFields(const MacroStore& store) {
    std::size_t sink = 0;
    for (int i = 1; i <= store.MacroCount(); ++i) {
        MacroRecord r;
        Check(store.ReadMacro(i, r));
        sink += ReadFields(r, store) + store.Names().ShortKey(i).size();
    }
    return sink;
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path& file = ScratchFile();
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::span<const std::uint8_t> input(data, size);
    const MacroFileCheck check = CheckMacroFileBytes(input);
    Check(CheckMacroFile(file) == check);
    const bool macroFile = check.Kind == MacroFileKind::MacroFile;
    Check(macroFile || check.Kind == MacroFileKind::NoWholeRecord ||
          check.Kind == MacroFileKind::ForeignRecord);

    CopyingHookLibrary hook;
    NullMessages messages;
    MacroStore store(hook, messages);
    // Whole records as the readers and the table meet them, whatever the file's verdict.
    std::size_t sink = 0;
    const std::size_t whole = std::min<std::size_t>(size / MacroRecordSize, MaxMacros);
    store.SetMacroCount(static_cast<int>(whole));
    for (std::size_t k = 0; k < whole; ++k) {
        const MacroRecord r =
            MacroRecord::FromBytes(input.subspan(k * MacroRecordSize).first<MacroRecordSize>());
        store.RefreshItem(static_cast<int>(k) + 1, r);
        sink += ReadFields(r, store);
    }
    store.SetHotKeys();

    const bool loaded = store.LoadMacroFile(file);
    Check(loaded == macroFile);
    Check(store.MacroCount() >= 0 && store.MacroCount() <= MaxMacros);
    Check(store.Table().Count() == store.MacroCount());
    if (!macroFile) {
        const std::string after = FileBytes(file);
        Check(after.size() == size && (size == 0 || std::memcmp(after.data(), data, size) == 0));
        return 0;
    }
    store.SetHotKeys();
    sink += ReadRecordFields(store) + hook.Sink;
    volatile std::size_t keep = sink;
    (void)keep;

    // Deleting one record removes exactly its bytes and keeps any partial tail.
    const auto before = std::filesystem::file_size(file);
    if (store.MacroCount() > 4 && store.DeleteMacro(store.MacroCount())) {
        Check(std::filesystem::file_size(file) + MacroRecordSize == before);
        store.ReloadMacroFile();
        Check(store.Table().Count() == store.MacroCount());
    }
    return 0;
}
