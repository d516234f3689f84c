// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/TagLayout.h"

#include <charconv>
#include <cmath>

namespace orvane {

std::string IntegerFieldText(long long value, std::size_t width) {
    const bool negative = value < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    const std::size_t room = width > (negative ? 1U : 0U) ? width - (negative ? 1U : 0U) : 0;
    if (digits.size() < room) {
        digits.insert(0, room - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

std::string RealFieldText(double value, std::size_t width) {
    if (!std::isfinite(value)) {
        return std::string(width, '0');
    }
    // to_chars never consults the locale, so the point stays a point under any desktop language.
    char buffer[400];
    const bool negative = std::signbit(value) && value != 0;
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                         std::chars_format::fixed, 2);
    std::string digits = ec == std::errc() ? std::string(buffer, end) : std::string("0.00");
    const std::size_t room = width > (negative ? 1U : 0U) ? width - (negative ? 1U : 0U) : 0;
    if (digits.size() < room) {
        digits.insert(0, room - digits.size(), '0');
    }
    return negative ? "-" + digits : digits;
}

std::string WriteTag(const TagLayout& layout, std::initializer_list<std::string_view> fields) {
    std::string out(layout.Literal);
    std::size_t i = 0;
    bool afterTitle = false;
    for (const std::string_view value : fields) {
        if (i >= layout.FieldCount) {
            break;
        }
        const TagField& field = layout.Field(i++);
        if (field.Kind == FieldKind::Program && afterTitle) {
            out += Tags::Launch.Literal;
        } else if (out.size() < field.Position) {
            out.append(field.Position - out.size(), FieldSeparator);
        }
        out += value;
        afterTitle = field.Kind == FieldKind::Title;
    }
    if (layout.ClosingAt != 0 && out.size() < layout.ClosingAt) {
        out.append(layout.ClosingAt - out.size(), FieldSeparator);
    }
    if (layout.ClosingAt != 0 || layout.FieldCount != 0) {
        out += '>';
    }
    return out;
}

} // namespace orvane
