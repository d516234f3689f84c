// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/FileChoice.h"

#include "core/TextCase.h"

namespace orvane {

bool HasMacroFileExtension(std::string_view name) {
    return name.size() >= 4 && UpperCase1252(name.substr(name.size() - 4)) == ".ORV";
}

} // namespace orvane
