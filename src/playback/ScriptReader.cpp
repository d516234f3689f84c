// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ScriptReader.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace orvane {

const std::array<std::string_view, 51> DateFormatNames = {
    "MM/DD/YY",
    "MM-DD-YY",
    "MM.DD.YY",
    "MM/DD/YYYY",
    "MM-DD-YYYY",
    "MM.DD.YYYY",
    "DD/MM/YY",
    "DD-MM-YY",
    "DD.MM.YY",
    "DD/MM/YYYY",
    "DD-MM-YYYY",
    "DD.MM.YYYY",
    "YY/MM/DD",
    "YY-MM-DD",
    "YY.MM.DD",
    "YYYY/MM/DD",
    "YYYY-MM-DD",
    "YYYY.MM.DD",
    "MMM YYYY",
    "Mmm YYYY",
    "DD MMM YY",
    "DD Mmm YY",
    "DD MMM YYYY",
    "DD Mmm YYYY",
    "DD Mmmmm YY",
    "DD Mmmmm YYYY",
    "Mmm DD YY",
    "Mmm DD, YY",
    "Mmm DD YYYY",
    "Mmm DD, YYYY",
    "Mmmmm DD YY",
    "Mmmmm DD, YY",
    "Mmmmm DD YYYY",
    "Mmmmm DD, YYYY",
    "MMDDYY",
    "MMDDYYYY",
    "DDMMYY",
    "DDMMYYYY",
    "YYMMDD",
    "YYYYMMDD",
    "DD",
    "MM",
    "Mmm",
    "MMM",
    "Mmmmm",
    "YY",
    "YYYY",
    "Day of Week 1",
    "Day of Week 2",
    "Day of Week 3",
    "Day of Week 4",
};

const std::array<std::string_view, 26> TimeFormatNames = {
    "hh:mm",       "hh.mm",       "hh,mm",       "hhmm",     "hh:mm:ss", "hh.mm.ss", "hh,mm,ss",
    "hhmmss",      "hh",          "mm",          "ss",       "hh:mm am", "hh.mm am", "hh,mm am",
    "hh:mm:ss am", "hh.mm.ss am", "hh,mm,ss am", "hh:mm AM", "hh.mm AM", "hh,mm AM", "hh:mm:ss AM",
    "hh.mm.ss AM", "hh,mm,ss AM", "hh:mma",      "hh.mma",   "hh,mma",
};

namespace {

// One row of the tag table. `Param` is the key code, the mouse button and action, the window
// command or the counter's digits, by kind.
struct TagForm {
    std::string_view Literal;
    ItemKind Kind;
    std::uint8_t Param = 0;
};

constexpr std::uint8_t ButtonParam(MouseButtonId button, MouseAction action) {
    return static_cast<std::uint8_t>(static_cast<int>(button) * 4 + static_cast<int>(action));
}

using K = ItemKind;
using B = MouseButtonId;
using A = MouseAction;

// The order in which the opening literals are tried. No literal is a prefix of another, so the
// order decides nothing but the cost; it is kept as macro texts have always been read.
constexpr TagForm Tags[] = {
    {"<TAB>", K::Key, 9},
    {"<ENTER>", K::Key, 13},
    {"<RIGHTWIN>", K::Key, 92},
    {"<LEFTWIN>", K::Key, 91},
    {"<APP>", K::Key, 93},
    {"<BACKSPACE>", K::Key, 8},
    {"<ESC>", K::Key, 27},
    {"<SPACE>", K::Key, 32},
    {"<LEFT ARROW>", K::Key, 37},
    {"<RIGHT ARROW>", K::Key, 39},
    {"<UP ARROW>", K::Key, 38},
    {"<DOWN ARROW>", K::Key, 40},
    {"<TEST>", K::Test},
    {"<HOME>", K::Key, 36},
    {"<END>", K::Key, 35},
    {"<INSERT>", K::Key, 45},
    {"<DELETE>", K::Key, 46},
    {"<PAGE DOWN>", K::Key, 34},
    {"<PAGE UP>", K::Key, 33},
    {"<CTLD>", K::KeyDown, 17},
    {"<CTLU>", K::KeyUp, 17},
    {"<ALTD>", K::KeyDown, 18},
    {"<ALTU>", K::KeyUp, 18},
    {"<SHFD>", K::KeyDown, 16},
    {"<SHFU>", K::KeyUp, 16},
    {"<WIND>", K::KeyDown, 91},
    {"<WINU>", K::KeyUp, 91},
    {"<RIGHT MOUSE>", K::MouseKey, 2},
    {"<MIDDLE MOUSE>", K::MouseKey, 4},
    {"<PAUSE:", K::PauseAt},
    {"<PAUSE>", K::Pause},
    {"<DELAY:", K::Delay},
    {"<SPEED:", K::Speed},
    {"<MSD:", K::Msd},
    {"<REM:", K::Remark},
    {"<WSHUT:", K::Window, static_cast<std::uint8_t>(WindowCommand::Shut)},
    {"<WHIDE:", K::Window, static_cast<std::uint8_t>(WindowCommand::Hide)},
    {"<WSHOW:", K::Window, static_cast<std::uint8_t>(WindowCommand::Show)},
    {"<WSIZE:", K::WindowSize},
    {"<WPOS:", K::WindowPos},
    {"<ALT:", K::AltCode, 3},
    {"<ALT4:", K::AltCode, 4},
    {"<IIII>", K::Counter, 4},
    {"<III>", K::Counter, 3},
    {"<II>", K::Counter, 2},
    {"<I>", K::Counter, 1},
    {"<CLIPF:", K::ClipFile},
    {"<CLIPC>", K::ClipCopy},
    {"<CLIPP>", K::ClipPaste},
    {"<BEGCLIP>", K::BeginClip},
    {"<PROMPTREP>", K::PromptRepeat},
    {"<REPEAT:", K::Repeat},
    {"<SPKEY:", K::KeyDelay},
    {"<SPMSE:", K::MouseDelay},
    {"<SWAP:", K::Swap},
    {"<TFILE:", K::TextFile},
    {"<HTTP:", K::Http},
    {"<FTP:", K::Ftp},
    {"<ENDREP>", K::EndRepeat},
    {"<ENDCLIP>", K::EndClip},
    {"<LDN>", K::MouseButton, ButtonParam(B::Left, A::Down)},
    {"<LUP>", K::MouseButton, ButtonParam(B::Left, A::Up)},
    {"<LCLK>", K::MouseButton, ButtonParam(B::Left, A::Click)},
    {"<LDCLK>", K::MouseButton, ButtonParam(B::Left, A::DoubleClick)},
    {"<RDN>", K::MouseButton, ButtonParam(B::Right, A::Down)},
    {"<RUP>", K::MouseButton, ButtonParam(B::Right, A::Up)},
    {"<RCLK>", K::MouseButton, ButtonParam(B::Right, A::Click)},
    {"<RDCLK>", K::MouseButton, ButtonParam(B::Right, A::DoubleClick)},
    {"<MDN>", K::MouseButton, ButtonParam(B::Middle, A::Down)},
    {"<MUP>", K::MouseButton, ButtonParam(B::Middle, A::Up)},
    {"<MCLK>", K::MouseButton, ButtonParam(B::Middle, A::Click)},
    {"<MDCLK>", K::MouseButton, ButtonParam(B::Middle, A::DoubleClick)},
    {"<WFW:", K::WheelForward},
    {"<WBW:", K::WheelBackward},
    {"<MMS:", K::MoveScreen},
    {"<MMW:", K::MoveWindow},
    {"<F1>", K::Key, 112},
    {"<F2>", K::Key, 113},
    {"<F3>", K::Key, 114},
    {"<F4>", K::Key, 115},
    {"<F5>", K::Key, 116},
    {"<F6>", K::Key, 117},
    {"<F7>", K::Key, 118},
    {"<F8>", K::Key, 119},
    {"<F9>", K::Key, 120},
    {"<F10>", K::Key, 121},
    {"<F11>", K::Key, 122},
    {"<F12>", K::Key, 123},
    {"<F13>", K::Key, 124},
    {"<F14>", K::Key, 125},
    {"<F15>", K::Key, 126},
    {"<F16>", K::Key, 127},
    {"<F17>", K::Key, 128},
    {"<F18>", K::Key, 129},
    {"<F19>", K::Key, 130},
    {"<F20>", K::Key, 131},
    {"<F21>", K::Key, 132},
    {"<F22>", K::Key, 133},
    {"<F23>", K::Key, 134},
    {"<F24>", K::Key, 135},
    {"<SHIFT>", K::ShiftOneShot},
    {"<CTRL>", K::CtrlOneShot},
    {"<ALT>", K::AltToggle},
    {"<ATTN>", K::Key, 246},
    {"<CRSEL>", K::Key, 247},
    {"<EXSEL>", K::Key, 248},
    {"<EREOF>", K::Key, 249},
    {"<PLAY>", K::Key, 250},
    {"<ZOOM>", K::Key, 251},
    {"<WAV1:", K::WaveWait},
    {"<WAV2:", K::WaveNoWait},
    {"<BEEP>", K::Beep},
    {"<CHDIR:", K::ChangeDir},
    {"<DELFILE:", K::DeleteFile},
    {"<COPYFILE:", K::CopyFile},
    {"<RENFILE:", K::RenameFile},
    {"<ACTIVATE:", K::Activate},
    {"<LAUNCH:", K::Launch},
    {"<LAUNCHNO:", K::LaunchNo},
    {"<LAUNCHYES:", K::LaunchYes},
    {"<PA1>", K::Key, 253},
    {"<PRTSCR>", K::Key, 44},
    {"<KEYP0>", K::Key, 96},
    {"<KEYP1>", K::Key, 97},
    {"<KEYP2>", K::Key, 98},
    {"<KEYP3>", K::Key, 99},
    {"<KEYP4>", K::Key, 100},
    {"<KEYP5>", K::Key, 101},
    {"<KEYP6>", K::Key, 102},
    {"<KEYP7>", K::Key, 103},
    {"<KEYP8>", K::Key, 104},
    {"<KEYP9>", K::Key, 105},
    {"<KEYP.>", K::Key, 110},
    {"<KEYP/>", K::Key, 111},
    {"<KEYP*>", K::Key, 106},
    {"<KEYP->", K::Key, 109},
    {"<KEYP+>", K::Key, 107},
    {"<WMAX:", K::Window, static_cast<std::uint8_t>(WindowCommand::Maximize)},
    {"<WMIN:", K::Window, static_cast<std::uint8_t>(WindowCommand::Minimize)},
    {"<WCLS:", K::Window, static_cast<std::uint8_t>(WindowCommand::Close)},
    {"<WRES:", K::Window, static_cast<std::uint8_t>(WindowCommand::Restore)},
};

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

std::string Capped(std::string_view field) {
    return std::string(field.substr(0, MaxFieldText));
}

// The free-text field from offset `from` up to the first ">" after it, or to the end of the
// text, and the offset just past that ">" (the tag's length when the field is its last).
struct FreeField {
    std::string_view Field;
    std::size_t End;
};

FreeField FindFreeField(const Cursor& c, std::size_t from) {
    if (from >= c.Remaining()) {
        return {{}, c.Remaining()};
    }
    const std::string_view rest = c.Text().substr(c.Pos() + from);
    const std::size_t close = rest.find('>');
    if (close == std::string_view::npos) {
        return {rest, c.Remaining()};
    }
    return {rest.substr(0, close), from + close + 1};
}

std::size_t ReadFreeText(const Cursor& c, std::size_t from, std::string& out) {
    const FreeField f = FindFreeField(c, from);
    out = Capped(f.Field);
    return f.End;
}

// Two names in one field, split at its first ";"; without one, the second name is empty.
std::size_t ReadTwoNames(const Cursor& c, std::size_t from, ScriptItem& item) {
    const FreeField f = FindFreeField(c, from);
    const std::size_t semicolon = f.Field.find(';');
    if (semicolon == std::string_view::npos) {
        item.Text = Capped(f.Field);
        item.Text2.clear();
    } else {
        item.Text = Capped(f.Field.substr(0, semicolon));
        item.Text2 = Capped(f.Field.substr(semicolon + 1));
    }
    return f.End;
}

// A launch tag's program text: up to the first ">", unless the text read so far holds
// "<PARAM", in which case that ">" closes the "<PARAM>" and reading goes on to the next ">".
std::size_t ReadProgramText(const Cursor& c, std::size_t from, std::string& out) {
    if (from >= c.Remaining()) {
        out.clear();
        return c.Remaining();
    }
    const std::string_view rest = c.Text().substr(c.Pos() + from);
    std::size_t close = rest.find('>');
    if (close != std::string_view::npos &&
        rest.substr(0, close).find("<PARAM") != std::string_view::npos) {
        close = rest.find('>', close + 1);
    }
    if (close == std::string_view::npos) {
        out = Capped(rest);
        return c.Remaining();
    }
    out = Capped(rest.substr(0, close));
    return from + close + 1;
}

int IntField(const Cursor& c, std::size_t start, std::size_t width) {
    return ReadIntegerField(c.Text(), c.Pos() + start, width);
}

std::optional<double> RealField(const Cursor& c, std::size_t start, std::size_t width) {
    const std::size_t begin = c.Pos() + start;
    if (begin >= c.Text().size()) {
        return std::nullopt;
    }
    return ConvertRealField(c.Text().substr(begin, width));
}

void LaunchWithWait(const Cursor& c, std::size_t delayAt, ScriptItem& item) {
    item.Number = IntField(c, delayAt, 2);
    const std::size_t titleAt = delayAt + 2;
    std::size_t titleEnd = c.Remaining();
    if (titleAt < c.Remaining()) {
        const std::size_t lt = c.Text().find('<', c.Pos() + titleAt);
        if (lt != std::string_view::npos) {
            titleEnd = lt - c.Pos();
        }
        item.Text = Capped(c.Text().substr(c.Pos() + titleAt, titleEnd - titleAt));
    } else {
        titleEnd = c.Remaining();
    }
    // The "<LAUNCH:" that follows the title is passed over unread, as it always has been.
    item.Length = ReadProgramText(c, titleEnd + 8, item.Text2);
}

// Fills `item` for the tag `form` found at the cursor; false when its closing check fails.
bool ReadTag(const TagForm& form, const Cursor& c, ScriptItem& item) {
    item.Kind = form.Kind;
    item.Literal = form.Literal;
    item.Length = form.Literal.size();
    const std::size_t n = form.Literal.size();
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
        const std::size_t end = n + form.Param;
        if (!c.ClosesAt(end)) {
            return false;
        }
        item.Text = std::string(c.Text().substr(c.Pos() + n, form.Param));
        item.Length = end + 1;
        return true;
    }
    case K::WheelForward:
    case K::WheelBackward:
        if (!c.ClosesAt(8)) {
            return false;
        }
        item.Number = IntField(c, 5, 3);
        item.Length = 9;
        return true;
    case K::MoveScreen:
    case K::MoveWindow: {
        if (!c.ClosesAt(16)) {
            return false;
        }
        const std::optional<double> x = RealField(c, 5, 5);
        const std::optional<double> y = RealField(c, 11, 5);
        item.RealValid = x && y;
        item.Real = x.value_or(0);
        item.Real2 = y.value_or(0);
        item.Length = 17;
        return true;
    }
    case K::Delay:
    case K::Speed: {
        if (!c.ClosesAt(12)) {
            return false;
        }
        const std::optional<double> value = RealField(c, 7, 5);
        item.RealValid = value.has_value();
        item.Real = value.value_or(0);
        item.Length = 13;
        return true;
    }
    case K::Msd:
        if (!c.ClosesAt(9)) {
            return false;
        }
        item.Number = IntField(c, 5, 4);
        item.Length = 10;
        return true;
    case K::KeyDelay:
    case K::MouseDelay:
        if (!c.ClosesAt(11)) {
            return false;
        }
        item.Number = IntField(c, 7, 4);
        item.Length = 12;
        return true;
    case K::Repeat:
        if (!c.ClosesAt(12)) {
            return false;
        }
        item.Number = IntField(c, 8, 4);
        item.Length = 13;
        return true;
    case K::PauseAt:
        item.Number = IntField(c, 7, 3);
        item.Number2 = IntField(c, 11, 3);
        item.Length = ReadFreeText(c, 14, item.Text);
        return true;
    case K::WindowSize:
    case K::WindowPos: {
        const bool size = form.Kind == K::WindowSize;
        item.Number = IntField(c, size ? 7 : 6, 4);
        item.Number2 = IntField(c, size ? 12 : 11, 4);
        item.Length = ReadFreeText(c, size ? 16 : 15, item.Text);
        return true;
    }
    case K::Window:
        item.Command = static_cast<WindowCommand>(form.Param);
        item.Length = ReadFreeText(c, n, item.Text);
        return true;
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
        item.Length = ReadFreeText(c, n, item.Text);
        return true;
    case K::CopyFile:
    case K::RenameFile:
        item.Length = ReadTwoNames(c, n, item);
        return true;
    case K::Launch:
        item.Length = ReadProgramText(c, n, item.Text2);
        return true;
    case K::LaunchNo:
    case K::LaunchYes:
        LaunchWithWait(c, n, item);
        return true;
    default:
        return true;
    }
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
        const int days = IntField(c, flagAt + 2, 3);
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
    for (const TagForm& form : Tags) {
        if (LiteralAt(c, form.Literal)) {
            if (ReadTag(form, c, item)) {
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
