// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/MacroRecord.h"
#include "library/MacroList.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A macro file read for the shell commands (`orvane list`, `show`, `play --macro`): the records
// as the program would load them, but read only. Nothing is created, appended or rewritten, so
// a command never changes a file the running program may be working on.
struct MacroCatalog {
    std::filesystem::path Path;
    std::vector<MacroRecord> Records; // record i is Records[i - 1]; at most 500
    // What the program would have told the user while loading (the file holds more than 500
    // macros), in its words.
    std::optional<std::string> Warning;
};

struct CatalogRead {
    std::optional<MacroCatalog> Catalog;
    std::string Error; // why there is no catalog: the program's own text where it has one
};

CatalogRead ReadMacroCatalog(const std::filesystem::path& path);

// The main window's view of one record: the table keeps 20 characters of the scope target,
// and the list shows what the table holds, so the shell shows the same.
ListMacro ListMacroOf(const MacroRecord& record);

// Finding a macro by what the user typed (UTF-8): a nickname, or a record number.
//   1. a nickname that equals the query exactly;
//   2. a query of digits only: the record of that number;
//   3. a nickname that equals the query in any case.
// Two macros of the same name are ambiguous: the user must give the number.
struct MacroLookup {
    int Number = 0;    // 1-based; 0 when none was found
    std::string Error; // why not, for the user (UTF-8)
};
MacroLookup FindMacro(const std::vector<MacroRecord>& records, std::string_view query);

// `orvane list`: one line per macro in record order (UTF-8): the number, the activation, the
// scope and the nickname, in columns; a deactivated macro says so at the end.
std::vector<std::string> ListingLines(const MacroCatalog& catalog);

// `orvane list --json`: {"file": ..., "macros": [{"number", "activation", "scope",
// "nickname", "active", "kind", "shortKey", "scopeKind", "target", "topMostOnly"}, ...]}.
// Strings are UTF-8; every control character is escaped.
std::string ListingJson(const MacroCatalog& catalog);

// `orvane show`: the macro's fields, a line each, then its text (UTF-8).
std::string MacroDetails(const MacroRecord& record, int number);

// A JSON string literal (quotes included) of UTF-8 text.
std::string JsonString(std::string_view utf8);

} // namespace orvane
