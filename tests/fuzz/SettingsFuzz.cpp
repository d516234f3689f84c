// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as "ORVAN.INI": parsing and loading must never fail, and writing the document
// back (with or without the program's settings saved into it) must read the same again.
#include "core/IniFile.h"
#include "core/SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

using namespace orvane;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool SameValues(const IniFile& a, const IniFile& b) {
    if (a.SectionNames() != b.SectionNames()) {
        return false;
    }
    for (const std::string& section : a.SectionNames()) {
        if (a.KeyNames(section) != b.KeyNames(section)) {
            return false;
        }
        for (const std::string& key : a.KeyNames(section)) {
            if (a.Value(section, key) != b.Value(section, key)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Whether the current macro file exists is decided from its name, so both outcomes occur and
    // every run of the same input agrees.
    const SettingsContext context{
        "/data", [](const std::filesystem::path& path) { return path.native().size() % 2 == 0; }};

    const IniFile parsed = IniFile::Parse(bytes);
    const SettingsBlock settings = LoadSettings(parsed, context);

    // Writing the document unchanged loses nothing a reader sees, and is a fixed point.
    const std::string written = parsed.Serialise();
    const IniFile reparsed = IniFile::Parse(written);
    Check(SameValues(parsed, reparsed));
    Check(LoadSettings(reparsed, context) == settings);
    Check(reparsed.Serialise() == written);

    // Saving the settings that were read gives them back, and keeps every other key's value.
    IniFile saved = parsed;
    SaveSettings(settings, saved);
    const IniFile savedAndReparsed = IniFile::Parse(saved.Serialise());
    Check(LoadSettings(savedAndReparsed, context) == settings);

    static const IniFile known = [] {
        IniFile file;
        SaveSettings(SettingsBlock{}, file);
        return file;
    }();
    for (const std::string& section : parsed.SectionNames()) {
        for (const std::string& key : parsed.KeyNames(section)) {
            if (!known.Value(section, key)) {
                Check(savedAndReparsed.Value(section, key) == parsed.Value(section, key));
            }
        }
    }
    return 0;
}
