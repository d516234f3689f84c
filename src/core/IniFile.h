// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// An INI document ("ORVAN.INI") read and written the way the Windows profile functions treat it,
// so a file the Windows program wrote reads the same here and a file we write reads the same
// there. The document keeps every line it was given, so sections, keys and comments this program
// does not know survive a rewrite untouched and in their order.
//
// Reading rules (those of the Windows profile functions):
// - Lines end at LF; a CR before it belongs to the line end. Blanks (space, tab, CR, VT, FF and
//   the old end-of-file mark 0x1A) around a line, a name or a value do not count.
// - A line's text ends at its first NUL byte, as it would for a C string.
// - "[name]" starts a section (the name runs to the last "]"); "name=value" is a key; lines
//   starting with ";", blank lines and anything else are kept but carry no value. Lines before
//   the first section belong to no section and cannot be looked up.
// - Section and key names match without regard to case (Windows-1252 letters included).
// - When a section or key appears twice, the first one is the one read and changed.
// - A value enclosed in a matching pair of double or single quotation marks is read without them.
// - A leading UTF-8 byte order mark is skipped (and kept on writing).
//
// Texts are Windows-1252 bytes throughout; nothing here converts them.
class IniFile {
public:
    // Never fails: any bytes make some document (garbage lines simply carry no values).
    static IniFile Parse(std::string_view bytes);

    // The document as file contents: every line followed by CR LF, the line end of the Windows
    // program's own files, which both this reader and the Windows one accept. Lines the program
    // did not change come out byte for byte as they were read (apart from the line end).
    std::string Serialise() const;

    // The value a profile read with an unlimited buffer returns, or nothing when the section or
    // the key is missing (a key present with an empty value gives an empty string).
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Sets a value so that Value() returns it afterwards. An existing key keeps its line (and its
    // spelling of the name) when the value read is already equal, otherwise its line becomes
    // "name=value"; a new key goes after the last key of its section; a new section goes at the
    // end. The value is cut at its first LF or NUL, which a line cannot hold, and is put in double
    // quotation marks when reading would otherwise lose its outer blanks or quotation marks.
    // Returns false, changing nothing, for names a line cannot hold (line breaks, NULs, outer
    // blanks, a key containing "=" or starting with "[" or ";", a section containing "]").
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);

    // Names of the sections that can be looked up (first spelling of each), in file order.
    std::vector<std::string> SectionNames() const;
    // Names of the keys of a section that can be looked up (first of each), in file order.
    std::vector<std::string> KeyNames(std::string_view section) const;

private:
    enum class LineKind { Other, Section, Key };
    struct Line {
        std::string Raw; // without the line end
        LineKind Kind = LineKind::Other;
        std::string Name;  // section or key name, blanks removed
        std::string Value; // key value, blanks removed, quotation marks still on
    };

    static Line ParseLine(std::string raw);
    std::optional<size_t> FindSection(std::string_view section) const;
    size_t SectionEnd(size_t header) const;
    std::optional<size_t> FindKey(size_t header, std::string_view key) const;

    std::vector<Line> lines_;
    bool byteOrderMark_ = false;
};

// Section and key name comparison of the profile functions: case-insensitive over Windows-1252.
bool ProfileNamesEqual(std::string_view a, std::string_view b);

} // namespace orvane
