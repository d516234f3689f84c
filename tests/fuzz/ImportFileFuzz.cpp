// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an older hot key file (".KE2") and an older ShortKey file (".SHK"): the
// reader must never read past a record, and everything it lists must be a macro the macro file
// can hold (no system macro, every field within its range), taken from a whole record, in file
// order. The first byte of the input also feeds the old text conversion as a clipboard flag.
#include "core/MacroFileCheck.h"
#include "library/ImportFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "orvane-import-fuzz-XXXXXX").string();
        return fs::path(::mkdtemp(pattern.data()));
    }();
    return folder;
}

void CheckFile(const std::string& bytes, const char* name, std::size_t recordSize) {
    const fs::path path = Folder() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    const ImportRead read = ReadImportFile(path, 45000.5);
    const std::size_t records = bytes.size() / recordSize;
    // Nothing is no macro; less than one record is no file of the kind.
    Check(read.File.has_value() || !bytes.empty());
    Check(!read.File.has_value() || bytes.empty() || bytes.size() >= recordSize);
    if (!read.File) {
        Check(read.Error == CannotOpenImportText);
        return;
    }
    Check(read.File->Entries.size() <= records);
    std::size_t last = 0;
    for (const ImportEntry& entry : read.File->Entries) {
        Check(entry.Position > last && entry.Position <= records);
        last = entry.Position;
        const MacroRecordBytes stored = entry.Record.ToBytes();
        Check(IsMacroRecord(stored));
        Check(entry.Record.Scope != ScopeSystem);
        Check(entry.Record.Text().size() <= MacroTextMaxLength);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckFile(bytes, "fuzz.KE2", OldHotKeyRecordSize);
    CheckFile(bytes, "fuzz.shk", OldShortKeyRecordSize);

    const bool clipboard = size > 0 && (data[0] & 1) != 0;
    const std::string text = ConvertOldHotKeyText(bytes, clipboard);
    if (bytes.find("<LAUNCH>") != std::string::npos) {
        Check(text.size() <= 255 + 20);
    } else if (clipboard) {
        Check(text.starts_with("<BEGCLIP>") && text.ends_with("<ENDCLIP><CLIPP>") &&
              text.size() <= MacroTextMaxLength);
    } else {
        Check(text == bytes);
    }
    return 0;
}
