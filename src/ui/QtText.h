// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CodePage.h"

#include <QString>
#include <string>
#include <string_view>

namespace orvane {

// Stored Windows-1252 text for a field, and a field's text for storing. Characters the code
// page lacks become `replacement`.
inline QString FieldText(std::string_view stored) {
    return QString::fromStdString(Windows1252ToUtf8(stored));
}
inline std::string StoredText(const QString& field, char replacement = '?') {
    return Utf8ToWindows1252(field.toStdString(), replacement);
}
inline QString Latin(std::string_view ascii) {
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

} // namespace orvane
