// SPDX-License-Identifier: GPL-3.0-or-later
#include "script/ScriptReader.h"

#include "script/Commands.h"
#include "script/TagLayout.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace orvane {

namespace {

using K = ItemKind;

// A view of the text that answers every index, with absent characters past the end, so field
// reading never needs its own bounds checks.
class Cursor {
public:
    Cursor(std::string_view text, std::size_t pos) : text_(text), pos_(pos) {}

    // The character at offset `at` from the tag's "<", or 0 past the end of the text.
    char At(std::size_t at) const {
        const std::size_t index = pos_ + at;
        return index < text_.size() ? text_[index] : '\0';
    }
    bool ClosesAt(std::size_t at) const { return pos_ + at < text_.size() && At(at) == '>'; }
    std::size_t Remaining() const { return text_.size() - pos_; }
    std::string_view Text() const { return text_; }
    std::size_t Pos() const { return pos_; }

private:
    std::string_view text_;
    std::size_t pos_;
};

std::string Capped(std::string_view field, ScriptItem& item) {
    if (field.size() > MaxFieldText) {
        item.FieldCut = true;
    }
    return std::string(field.substr(0, MaxFieldText));
}

// The free-text field from offset `from` up to the first ">" after it, or to the end of the
// text, and the offset just past that ">" (the tag's length when the field is its last).
struct FreeField {
    std::string_view Field;
    std::size_t End;
    bool Closed = false;
};

FreeField FindFreeField(const Cursor& c, std::size_t from) {
    if (from >= c.Remaining()) {
        return {{}, c.Remaining(), false};
    }
    const std::string_view rest = c.Text().substr(c.Pos() + from);
    const std::size_t close = rest.find('>');
    if (close == std::string_view::npos) {
        return {rest, c.Remaining(), false};
    }
    return {rest.substr(0, close), from + close + 1, true};
}

std::size_t ReadFreeText(const Cursor& c, std::size_t from, ScriptItem& item) {
    const FreeField f = FindFreeField(c, from);
    item.Unclosed = !f.Closed;
    item.Text = Capped(f.Field, item);
    return f.End;
}

// Two names in one field, split at its first ";"; without one, the second name is empty.
std::size_t ReadTwoNames(const Cursor& c, std::size_t from, ScriptItem& item) {
    const FreeField f = FindFreeField(c, from);
    item.Unclosed = !f.Closed;
    const std::size_t semicolon = f.Field.find(';');
    if (semicolon == std::string_view::npos) {
        item.Text = Capped(f.Field, item);
        item.Text2.clear();
    } else {
        item.Text = Capped(f.Field.substr(0, semicolon), item);
        item.Text2 = Capped(f.Field.substr(semicolon + 1), item);
    }
    return f.End;
}

// A launch tag's program text: up to the first ">", unless the text read so far holds
// "<PARAM", in which case that ">" closes the "<PARAM>" and reading goes on to the next ">".
std::size_t ReadProgramText(const Cursor& c, std::size_t from, ScriptItem& item) {
    std::string& out = item.Text2;
    if (from >= c.Remaining()) {
        out.clear();
        item.Unclosed = true;
        return c.Remaining();
    }
    const std::string_view rest = c.Text().substr(c.Pos() + from);
    std::size_t close = rest.find('>');
    if (close != std::string_view::npos &&
        rest.substr(0, close).find("<PARAM") != std::string_view::npos) {
        close = rest.find('>', close + 1);
    }
    if (close == std::string_view::npos) {
        out = Capped(rest, item);
        item.Unclosed = true;
        return c.Remaining();
    }
    out = Capped(rest.substr(0, close), item);
    return from + close + 1;
}

int IntField(const Cursor& c, const TagField& field) {
    return ReadIntegerField(c.Text(), c.Pos() + field.Position, field.Width);
}

std::optional<double> RealField(const Cursor& c, const TagField& field) {
    const std::size_t begin = c.Pos() + field.Position;
    if (begin >= c.Text().size()) {
        return std::nullopt;
    }
    return ConvertRealField(c.Text().substr(begin, field.Width));
}

// The launch-and-wait tags: delay, title up to the next "<", then a launch tag's program text.
void LaunchWithWait(const TagLayout& layout, const Cursor& c, ScriptItem& item) {
    item.Number = IntField(c, layout.Field(0));
    const std::size_t titleAt = layout.Field(1).Position;
    std::size_t titleEnd = c.Remaining();
    if (titleAt < c.Remaining()) {
        const std::size_t lt = c.Text().find('<', c.Pos() + titleAt);
        if (lt != std::string_view::npos) {
            titleEnd = lt - c.Pos();
        }
        item.Text = Capped(c.Text().substr(c.Pos() + titleAt, titleEnd - titleAt), item);
    } else {
        titleEnd = c.Remaining();
    }
    // The "<LAUNCH:" that follows the title is passed over unread, as it always has been.
    item.Length = ReadProgramText(c, titleEnd + Tags::Launch.Literal.size(), item);
}

// The fields at fixed places (and the fixed values of the tag); false for a tag with free
// fields.
bool ReadFixedFields(const TagForm& form, const Cursor& c, ScriptItem& item) {
    const TagLayout& layout = form.Layout;
    switch (form.Kind) {
    case K::Key:
    case K::MouseKey:
    case K::KeyDown:
    case K::KeyUp:
        item.Key = form.Param;
        return true;
    case K::MouseButton:
        item.Button = static_cast<MouseButtonId>(form.Param / 4);
        item.Action = static_cast<MouseAction>(form.Param % 4);
        return true;
    case K::Counter:
        item.Number = form.Param;
        return true;
    case K::AltCode: {
        const TagField& digits = layout.Field(0);
        item.Text = std::string(c.Text().substr(c.Pos() + digits.Position, digits.Width));
        return true;
    }
    case K::WheelForward:
    case K::WheelBackward:
    case K::Msd:
    case K::KeyDelay:
    case K::MouseDelay:
    case K::Repeat:
        item.Number = IntField(c, layout.Field(0));
        return true;
    case K::MoveScreen:
    case K::MoveWindow: {
        const std::optional<double> x = RealField(c, layout.Field(0));
        const std::optional<double> y = RealField(c, layout.Field(1));
        item.RealValid = x && y;
        item.Real = x.value_or(0);
        item.Real2 = y.value_or(0);
        return true;
    }
    case K::Delay:
    case K::Speed: {
        const std::optional<double> value = RealField(c, layout.Field(0));
        item.RealValid = value.has_value();
        item.Real = value.value_or(0);
        return true;
    }
    default:
        return false;
    }
}

// The fields of a tag that ends at the ">" after its free text.
void ReadFreeFields(const TagForm& form, const Cursor& c, ScriptItem& item) {
    const TagLayout& layout = form.Layout;
    switch (form.Kind) {
    case K::PauseAt:
    case K::WindowSize:
    case K::WindowPos:
        item.Number = IntField(c, layout.Field(0));
        item.Number2 = IntField(c, layout.Field(1));
        item.Length = ReadFreeText(c, layout.Field(2).Position, item);
        return;
    case K::Window:
        item.Command = static_cast<WindowCommand>(form.Param);
        item.Length = ReadFreeText(c, layout.Field(0).Position, item);
        return;
    case K::Remark:
    case K::ClipFile:
    case K::Activate:
    case K::ChangeDir:
    case K::DeleteFile:
    case K::Http:
    case K::Ftp:
    case K::TextFile:
    case K::Swap:
    case K::WaveWait:
    case K::WaveNoWait:
        item.Length = ReadFreeText(c, layout.Field(0).Position, item);
        return;
    case K::CopyFile:
    case K::RenameFile:
        item.Length = ReadTwoNames(c, layout.Field(0).Position, item);
        return;
    case K::Launch:
        item.Length = ReadProgramText(c, layout.Field(0).Position, item);
        return;
    case K::LaunchNo:
    case K::LaunchYes:
        LaunchWithWait(layout, c, item);
        return;
    default:
        return;
    }
}

// Fills `item` for the tag `form` found at the cursor; false when its closing check fails.
bool ReadTag(const TagForm& form, const Cursor& c, ScriptItem& item) {
    const TagLayout& layout = form.Layout;
    item.Kind = form.Kind;
    item.Literal = layout.Literal;
    item.Length = layout.Literal.size();
    if (layout.ClosingAt != 0) {
        if (!c.ClosesAt(layout.ClosingAt)) {
            return false;
        }
        item.Length = layout.FixedLength();
    }
    if (!ReadFixedFields(form, c, item)) {
        ReadFreeFields(form, c, item);
    }
    return true;
}

bool LiteralAt(const Cursor& c, std::string_view literal) {
    return c.Text().substr(c.Pos()).starts_with(literal);
}

// "<" name "{" flag, then "}>" (short form) or direction, three-digit day count and "}>".
bool ReadDateTag(const Cursor& c, ScriptItem& item) {
    for (std::size_t i = 0; i < DateFormatNames.size(); ++i) {
        const std::string_view name = DateFormatNames[i];
        const std::size_t len = name.size();
        if (c.At(len + 1) != '{' || c.Text().substr(c.Pos() + 1, len) != name) {
            continue;
        }
        const std::size_t flagAt = len + 2;
        if (flagAt >= c.Remaining()) {
            return false;
        }
        item.Kind = K::Date;
        item.FormatIndex = static_cast<int>(i);
        item.LeadingZeros = c.At(flagAt) == 'Y';
        item.Literal = {};
        if (c.ClosesAt(flagAt + 2)) {
            item.DayOffset = 0;
            item.Length = len + 5;
            return true;
        }
        if (len + 9 > c.Remaining()) {
            return false;
        }
        const int days = ReadIntegerField(c.Text(), c.Pos() + flagAt + 2, DateDayCountWidth);
        item.DayOffset = c.At(flagAt + 1) == 'P' ? -days : days;
        item.Length = len + 9;
        return true;
    }
    return false;
}

bool ReadTimeTag(const Cursor& c, ScriptItem& item) {
    for (const char flag : {'N', 'Y'}) {
        for (std::size_t i = 0; i < TimeFormatNames.size(); ++i) {
            const std::string_view name = TimeFormatNames[i];
            const std::size_t len = name.size();
            if (c.Remaining() < len + 5 || c.Text().substr(c.Pos() + 1, len) != name ||
                c.At(len + 1) != '{' || c.At(len + 2) != flag || c.At(len + 3) != '}' ||
                c.At(len + 4) != '>') {
                continue;
            }
            item.Kind = K::Time;
            item.FormatIndex = static_cast<int>(i);
            item.LeadingZeros = flag == 'Y';
            item.Length = len + 5;
            return true;
        }
    }
    return false;
}

} // namespace

ScriptItem ReadScriptItem(std::string_view text, std::size_t pos) {
    ScriptItem item;
    if (pos >= text.size() || text[pos] != '<') {
        return item;
    }
    const Cursor c(text, pos);
    for (const KnownTag& tag : TagsAfterOpening(c.At(1))) {
        if (LiteralAt(c, tag.Form.Layout.Literal)) {
            if (ReadTag(tag.Form, c, item)) {
                return item;
            }
            item = ScriptItem{};
        }
    }
    if (ReadDateTag(c, item) || ReadTimeTag(c, item)) {
        return item;
    }
    return ScriptItem{};
}

int ReadIntegerField(std::string_view text, std::size_t start, std::size_t width) {
    if (start >= text.size()) {
        return 0;
    }
    const std::string_view field = text.substr(start, width);
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9' && value < 100000000; ++i) {
        value = value * 10 + (field[i] - '0');
    }
    return static_cast<int>(negative ? -value : value);
}

std::optional<double> ConvertRealField(std::string_view field) {
    std::size_t begin = 0;
    std::size_t end = field.size();
    while (begin < end && field[begin] == ' ') {
        ++begin;
    }
    while (end > begin && field[end - 1] == ' ') {
        --end;
    }
    std::string_view number = field.substr(begin, end - begin);
    bool negative = false;
    if (!number.empty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    // Check the grammar ourselves: from_chars would also take "inf", "nan" and hex forms.
    std::size_t i = 0;
    std::size_t digits = 0;
    auto isDigit = [&](std::size_t at) { return number[at] >= '0' && number[at] <= '9'; };
    while (i < number.size() && isDigit(i)) {
        ++i;
        ++digits;
    }
    if (i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && isDigit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < number.size() && isDigit(i)) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != number.size()) {
        return std::nullopt;
    }
    // from_chars takes no leading "+" and no "." without a digit before it in some versions:
    // give it the digits with a leading zero.
    std::string canonical = "0";
    canonical.append(number);
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (ec != std::errc() || ptr != canonical.data() + canonical.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

LaunchCommand SplitLaunchCommand(std::string_view programText) {
    constexpr std::string_view marker = "<PARAM>";
    const std::size_t at = programText.find(marker);
    if (at == std::string_view::npos) {
        return {programText, {}};
    }
    return {programText.substr(0, at), programText.substr(at + marker.size())};
}

} // namespace orvane
