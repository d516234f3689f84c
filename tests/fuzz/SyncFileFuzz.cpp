// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the sync file of a shared macro file: reading must never fail for a whole
// record and give back its bytes exactly, must refuse anything shorter, and taking and freeing
// the lock over it must end with one well-formed record.
#include "core/MessageSink.h"
#include "core/SettingsBlock.h"
#include "library/NetworkSync.h"
#include "library/SyncFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using namespace orvane;
namespace fs = std::filesystem;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Quiet : MessageSink {
    void Show(std::string_view, std::string_view) override {}
};

struct Host : NetworkSyncHost {
    void ReloadChangedFile() override {}
    void SetHeartbeatTimer(bool) override {}
};

const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "orvane-sync-fuzz-XXXXXX").string();
        return fs::path(::mkdtemp(pattern.data()));
    }();
    return folder;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path macroFile = Folder() / "Shared.ORV";
    const fs::path syncFile = SyncFilePath(macroFile);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(syncFile, std::ios::binary | std::ios::trunc) << bytes;

    SyncRecord record;
    const bool read = ReadSyncFile(syncFile, record).Ok;
    Check(read == (size == 0 || size >= SyncRecordSize));
    if (size >= SyncRecordSize) {
        const auto back = SyncRecordBytes(record);
        Check(std::string(back.begin(), back.end()) == bytes.substr(0, SyncRecordSize));
    }

    SettingsBlock settings;
    settings.NetworkMode = true;
    settings.CurrentFile = macroFile.string();
    Quiet messages;
    Host host;
    NetworkSync sync(
        settings, messages, host,
        SyncClocks{[] { return std::chrono::steady_clock::time_point{}; }, [] { return 45000.5; }});
    sync.RenewSyncFile();
    if (!sync.FileInUse()) {
        sync.ReleaseSyncFile(1);
    }
    if (read) {
        // Rewritten as one record, or left alone while another instance holds it.
        const std::string after = Slurp(syncFile);
        Check(after.size() == SyncRecordSize || after == bytes);
    }
    return 0;
}
