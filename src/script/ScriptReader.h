// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PlaybackCommands.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The macro script language, read the one way playback and the editors both rely on. A macro
// text is Windows-1252 bytes: plain characters, typed as they stand, and tags that start with
// "<". Tags are recognised by comparing literals at fixed positions, case-sensitively, in a fixed
// order; anything that is not a well-formed tag is plain text, so a "<" that starts no tag is
// typed as "<" and reading goes on with the next character.

enum class ItemKind : std::uint8_t {
    Character,     // not a tag: the one character at the position is typed
    Key,           // named key (Key): press and release
    MouseKey,      // "<RIGHT MOUSE>", "<MIDDLE MOUSE>" (Key 2 or 4) through the keyboard path
    KeyDown,       // "<SHFD>", "<CTLD>", "<ALTD>", "<WIND>" (Key)
    KeyUp,         // "<SHFU>", "<CTLU>", "<ALTU>", "<WINU>" (Key)
    ShiftOneShot,  // "<SHIFT>"
    CtrlOneShot,   // "<CTRL>"
    AltToggle,     // "<ALT>"
    AltCode,       // "<ALT:", "<ALT4:" (Text: the raw digit field, 3 or 4 characters)
    MouseButton,   // "<LDN>" ... "<MDCLK>" (Button, Action)
    WheelForward,  // "<WFW:" (Number: notches)
    WheelBackward, // "<WBW:" (Number: notches)
    MoveScreen,    // "<MMS:" (Real, Real2: x, y; RealValid)
    MoveWindow,    // "<MMW:" (the same, from the foreground window's corner)
    Delay,         // "<DELAY:" (Real: seconds; RealValid)
    Msd,           // "<MSD:" (Number: milliseconds)
    Speed,         // "<SPEED:" (Real: factor; RealValid)
    KeyDelay,      // "<SPKEY:" (Number: milliseconds)
    MouseDelay,    // "<SPMSE:" (Number: milliseconds)
    Pause,         // "<PAUSE>"
    PauseAt,       // "<PAUSE:" (Number: top, Number2: left, Text: message)
    Remark,        // "<REM:" (Text: comment)
    Test,          // "<TEST>"
    Repeat,        // "<REPEAT:" (Number: count)
    PromptRepeat,  // "<PROMPTREP>"
    EndRepeat,     // "<ENDREP>"
    Counter,       // "<I>" ... "<IIII>" (Number: digits, 1 to 4)
    BeginClip,     // "<BEGCLIP>"
    EndClip,       // "<ENDCLIP>"
    ClipFile,      // "<CLIPF:" (Text: file)
    ClipCopy,      // "<CLIPC>"
    ClipPaste,     // "<CLIPP>"
    Activate,      // "<ACTIVATE:" (Text: title)
    Window,        // "<WMAX:" ... "<WSHUT:" (Command, Text: title)
    WindowSize,    // "<WSIZE:" (Number: width, Number2: height, Text: title)
    WindowPos,     // "<WPOS:" (Number: left, Number2: top, Text: title)
    Launch,        // "<LAUNCH:" (Text2: program text, "<PARAM>" included)
    LaunchNo,      // "<LAUNCHNO:" (Number: delay seconds, Text: title, Text2: program text)
    LaunchYes,     // "<LAUNCHYES:" (as LaunchNo)
    ChangeDir,     // "<CHDIR:" (Text: folder)
    DeleteFile,    // "<DELFILE:" (Text: file)
    CopyFile,      // "<COPYFILE:" (Text: source, Text2: target)
    RenameFile,    // "<RENFILE:" (Text: old name, Text2: new name)
    Http,          // "<HTTP:" (Text: address)
    Ftp,           // "<FTP:" (Text: address)
    TextFile,      // "<TFILE:" (Text: file)
    Swap,          // "<SWAP:" (Text: macro file)
    WaveWait,      // "<WAV1:" (Text: wave file)
    WaveNoWait,    // "<WAV2:" (Text: wave file)
    Beep,          // "<BEEP>"
    Date,          // date tag (FormatIndex into DateFormatNames, LeadingZeros, DayOffset)
    Time,          // time tag (FormatIndex into TimeFormatNames, LeadingZeros)
};

enum class MouseButtonId : std::uint8_t { Left, Right, Middle };
enum class MouseAction : std::uint8_t { Down, Up, Click, DoubleClick };

// One item of a macro text: what it is, its fields, and how many characters it spans.
struct ScriptItem {
    ItemKind Kind = ItemKind::Character;
    std::size_t Length = 1;
    std::string_view Literal; // the tag's opening literal ("<DELAY:"); empty for a character
    std::uint8_t Key = 0;     // Windows virtual-key code
    MouseButtonId Button = MouseButtonId::Left;
    MouseAction Action = MouseAction::Down;
    WindowCommand Command = WindowCommand::Maximize;
    int Number = 0;
    int Number2 = 0;
    double Real = 0;
    double Real2 = 0;
    bool RealValid = false; // every real field of the tag is a valid number
    std::string Text;       // free-text fields, at most MaxFieldText characters each
    std::string Text2;
    int FormatIndex = 0; // 0-based
    bool LeadingZeros = false;
    int DayOffset = 0;     // days, negative for the past
    bool FieldCut = false; // a free-text field held more than MaxFieldText characters
    bool Unclosed = false; // the last free-text field ran to the end of the text, no ">" after it
};

// A free-text field keeps this many characters; the rest is dropped, the tag still ends at ">".
inline constexpr std::size_t MaxFieldText = 255;

// The item starting at `pos` (which must be inside `text`). Never reads outside `text`; a tag
// whose fields would run past the end of the text is read as far as the text goes, except a
// date tag, which must lie wholly inside it.
ScriptItem ReadScriptItem(std::string_view text, std::size_t pos);

// A fixed integer field: leading blanks skipped, an optional sign, then digits up to the first
// non-digit (within the field); no digits gives 0. Characters past the end of `text` count as
// absent.
int ReadIntegerField(std::string_view text, std::size_t start, std::size_t width);

// A real field ("00.50", "00001", "  1.5", "-0.25", "1E2"): optional blanks, an optional sign,
// digits with at most one decimal point (at least one digit), an optional exponent ("E" or "e",
// optional sign, digits), optional trailing blanks, and nothing else. The point is always ".",
// whatever the locale. A value too large for a double is not a valid number.
std::optional<double> ConvertRealField(std::string_view field);

// The program and parameters of a launch text: split at the first "<PARAM>", else all program.
struct LaunchCommand {
    std::string_view Program;
    std::string_view Parameters;
};
LaunchCommand SplitLaunchCommand(std::string_view programText);

// The quoted title that names the foreground window in window tags (quotes included).
inline constexpr std::string_view CurrentWindowTitle = "\"CURRENT\"";

extern const std::array<std::string_view, 51> DateFormatNames;
extern const std::array<std::string_view, 26> TimeFormatNames;

} // namespace orvane
