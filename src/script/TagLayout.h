// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvane {

// Where each tag keeps its fields. The script reader finds fields at these positions and the
// editors write them there, so a position is written down once and the two cannot disagree.
// Positions count characters from the tag's "<" (position 0).

enum class FieldKind : std::uint8_t {
    Integer,  // fixed width, decimal; written zero-padded to the width
    Real,     // fixed width, decimal with a point; written with two decimals, zero-padded
    Digits,   // fixed width, the characters as they stand (Alt codes)
    Text,     // free text up to the first ">" after it, or the end of the text
    Title,    // free text up to the next "<" (the title of the launch-and-wait tags)
    Program,  // after the launch literal: path, optionally "<PARAM>" and parameters, up to ">"
    TwoNames, // free text holding two names split at its first ";"
};

struct TagField {
    std::uint8_t Position = 0; // for a Program field after a Title: none, it follows "<LAUNCH:"
    std::uint8_t Width = 0;    // fixed fields only
    FieldKind Kind = FieldKind::Integer;

    constexpr bool Fixed() const {
        return Kind == FieldKind::Integer || Kind == FieldKind::Real || Kind == FieldKind::Digits;
    }
};

struct TagLayout {
    std::string_view Literal;
    std::array<TagField, 3> Fields{};
    std::uint8_t FieldCount = 0;
    // The position that must hold ">" for the tag to be one; 0 when the tag is its literal
    // alone or ends at the ">" after its last free field.
    std::uint8_t ClosingAt = 0;

    constexpr const TagField& Field(std::size_t i) const { return Fields[i]; }
    // The tag's whole length when it has a closing position, else the literal's.
    constexpr std::size_t FixedLength() const {
        return ClosingAt != 0 ? ClosingAt + std::size_t{1} : Literal.size();
    }
};

namespace Tags {

using F = FieldKind;

constexpr TagLayout Plain(std::string_view literal) {
    return {literal, {}, 0, 0};
}
constexpr TagLayout Fixed1(std::string_view literal, TagField a, std::uint8_t closing) {
    return {literal, {a}, 1, closing};
}
constexpr TagLayout Fixed2(std::string_view literal, TagField a, TagField b, std::uint8_t closing) {
    return {literal, {a, b}, 2, closing};
}
constexpr TagLayout FreeText(std::string_view literal, FieldKind kind = F::Text) {
    return {literal, {TagField{static_cast<std::uint8_t>(literal.size()), 0, kind}}, 1, 0};
}

// Character codes.
inline constexpr TagLayout AltCode3 = Fixed1("<ALT:", {5, 3, F::Digits}, 8);
inline constexpr TagLayout AltCode4 = Fixed1("<ALT4:", {6, 4, F::Digits}, 10);

// Modifiers held and let go.
inline constexpr TagLayout CtrlDown = Plain("<CTLD>");
inline constexpr TagLayout CtrlUp = Plain("<CTLU>");
inline constexpr TagLayout AltDown = Plain("<ALTD>");
inline constexpr TagLayout AltUp = Plain("<ALTU>");
inline constexpr TagLayout ShiftDown = Plain("<SHFD>");
inline constexpr TagLayout ShiftUp = Plain("<SHFU>");
inline constexpr TagLayout WinDown = Plain("<WIND>");
inline constexpr TagLayout WinUp = Plain("<WINU>");

// Mouse.
inline constexpr TagLayout LeftDown = Plain("<LDN>");
inline constexpr TagLayout LeftUp = Plain("<LUP>");
inline constexpr TagLayout LeftClick = Plain("<LCLK>");
inline constexpr TagLayout LeftDoubleClick = Plain("<LDCLK>");
inline constexpr TagLayout RightDown = Plain("<RDN>");
inline constexpr TagLayout RightUp = Plain("<RUP>");
inline constexpr TagLayout RightClick = Plain("<RCLK>");
inline constexpr TagLayout RightDoubleClick = Plain("<RDCLK>");
inline constexpr TagLayout MiddleDown = Plain("<MDN>");
inline constexpr TagLayout MiddleUp = Plain("<MUP>");
inline constexpr TagLayout MiddleClick = Plain("<MCLK>");
inline constexpr TagLayout MiddleDoubleClick = Plain("<MDCLK>");
inline constexpr TagLayout WheelForward = Fixed1("<WFW:", {5, 3, F::Integer}, 8);
inline constexpr TagLayout WheelBackward = Fixed1("<WBW:", {5, 3, F::Integer}, 8);
inline constexpr TagLayout MoveScreen = Fixed2("<MMS:", {5, 5, F::Real}, {11, 5, F::Real}, 16);
inline constexpr TagLayout MoveWindow = Fixed2("<MMW:", {5, 5, F::Real}, {11, 5, F::Real}, 16);

// Timing, speed and flow.
inline constexpr TagLayout Delay = Fixed1("<DELAY:", {7, 5, F::Real}, 12);
inline constexpr TagLayout Msd = Fixed1("<MSD:", {5, 4, F::Integer}, 9);
inline constexpr TagLayout Speed = Fixed1("<SPEED:", {7, 5, F::Real}, 12);
inline constexpr TagLayout KeyDelay = Fixed1("<SPKEY:", {7, 4, F::Integer}, 11);
inline constexpr TagLayout MouseDelay = Fixed1("<SPMSE:", {7, 4, F::Integer}, 11);
inline constexpr TagLayout Pause = Plain("<PAUSE>");
inline constexpr TagLayout PauseAt = {
    "<PAUSE:",
    {TagField{7, 3, F::Integer}, TagField{11, 3, F::Integer}, TagField{14, 0, F::Text}},
    3,
    0};
inline constexpr TagLayout Remark = FreeText("<REM:");
inline constexpr TagLayout Test = Plain("<TEST>");

// Repeat and counter.
inline constexpr TagLayout Repeat = Fixed1("<REPEAT:", {8, 4, F::Integer}, 12);
inline constexpr TagLayout PromptRepeat = Plain("<PROMPTREP>");
inline constexpr TagLayout EndRepeat = Plain("<ENDREP>");
inline constexpr TagLayout Counter1 = Plain("<I>");
inline constexpr TagLayout Counter2 = Plain("<II>");
inline constexpr TagLayout Counter3 = Plain("<III>");
inline constexpr TagLayout Counter4 = Plain("<IIII>");

// Clipboard.
inline constexpr TagLayout BeginClip = Plain("<BEGCLIP>");
inline constexpr TagLayout EndClip = Plain("<ENDCLIP>");
inline constexpr TagLayout ClipFile = FreeText("<CLIPF:");
inline constexpr TagLayout ClipCopy = Plain("<CLIPC>");
inline constexpr TagLayout ClipPaste = Plain("<CLIPP>");

// Windows.
inline constexpr TagLayout Activate = FreeText("<ACTIVATE:");
inline constexpr TagLayout WindowMaximize = FreeText("<WMAX:");
inline constexpr TagLayout WindowMinimize = FreeText("<WMIN:");
inline constexpr TagLayout WindowRestore = FreeText("<WRES:");
inline constexpr TagLayout WindowClose = FreeText("<WCLS:");
inline constexpr TagLayout WindowHide = FreeText("<WHIDE:");
inline constexpr TagLayout WindowShow = FreeText("<WSHOW:");
inline constexpr TagLayout WindowShut = FreeText("<WSHUT:");
// The separator between the two numbers (position 11, or 10) is written but never read.
inline constexpr TagLayout WindowSize = {
    "<WSIZE:",
    {TagField{7, 4, F::Integer}, TagField{12, 4, F::Integer}, TagField{16, 0, F::Text}},
    3,
    0};
inline constexpr TagLayout WindowPos = {
    "<WPOS:",
    {TagField{6, 4, F::Integer}, TagField{11, 4, F::Integer}, TagField{15, 0, F::Text}},
    3,
    0};

// Programs, files and the web.
inline constexpr TagLayout Launch = FreeText("<LAUNCH:", F::Program);
inline constexpr TagLayout LaunchNo = {
    "<LAUNCHNO:",
    {TagField{10, 2, F::Integer}, TagField{12, 0, F::Title}, TagField{0, 0, F::Program}},
    3,
    0};
inline constexpr TagLayout LaunchYes = {
    "<LAUNCHYES:",
    {TagField{11, 2, F::Integer}, TagField{13, 0, F::Title}, TagField{0, 0, F::Program}},
    3,
    0};
inline constexpr TagLayout ChangeDir = FreeText("<CHDIR:");
inline constexpr TagLayout DeleteFile = FreeText("<DELFILE:");
inline constexpr TagLayout CopyFile = FreeText("<COPYFILE:", F::TwoNames);
inline constexpr TagLayout RenameFile = FreeText("<RENFILE:", F::TwoNames);
inline constexpr TagLayout Http = FreeText("<HTTP:");
inline constexpr TagLayout Ftp = FreeText("<FTP:");
inline constexpr TagLayout TextFile = FreeText("<TFILE:");
inline constexpr TagLayout Swap = FreeText("<SWAP:");
inline constexpr TagLayout WaveWait = FreeText("<WAV1:");
inline constexpr TagLayout WaveNoWait = FreeText("<WAV2:");
inline constexpr TagLayout Beep = Plain("<BEEP>");

} // namespace Tags

// Date tags are "<", a date format name, "{", the leading-zero flag, then "}>" or a direction
// letter, the day count in this many digits and "}>"; time tags "<", a name and "{Y}>" or "{N}>".
inline constexpr std::size_t DateDayCountWidth = 3;

// Separates a launch tag's path from its parameters.
inline constexpr std::string_view LaunchParameterMark = "<PARAM>";

// The separator writers put between two fixed fields (readers never look at it).
inline constexpr char FieldSeparator = ',';

// A fixed integer field as writers give it: zero-padded to the width, a minus sign first
// ("-05" for -5 in three places). Wider numbers are written whole.
std::string IntegerFieldText(long long value, std::size_t width);

// A fixed real field as writers give it: two decimals, a point whatever the locale, zero-padded
// on the left to the width ("01.50").
std::string RealFieldText(double value, std::size_t width);

// The tag `layout` describes with these field texts, in field order: each fixed field at its
// position (a separator fills a gap before it), free fields one after the other, the launch
// literal before a program that follows a title, and the closing ">". Fixed field texts are
// expected to be as wide as their field; free texts hold no ">".
std::string WriteTag(const TagLayout& layout, std::initializer_list<std::string_view> fields);

} // namespace orvane
