// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "script/ScriptReader.h"
#include "script/TagLayout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace orvane {

// The commands of the macro language as the editors list them: one row per command, read by
// the script reader (its tags), the editor lines (name, form, tags), the command dialogs
// (form), the wizard and the direct editor (their buttons). Adding a command is a row here, a
// form with its line rules, a dialog and the playback of its item kind.

// The 50 commands of the scripting editor; the number is the command code.
enum class CommandCode : std::uint8_t {
    Text = 1,
    Date,
    Time,
    Delay,
    Pause,
    RepeatStart,
    RepeatEnd,
    KeystrokeSpeed,
    MouseSpeed,
    ActivateWindow,
    LaunchProgram,
    SoundBeep,
    SoundWaveFile,
    LoadNewMacroFile,
    LoadTextFile,
    ResizeWindow,
    RepositionWindow,
    MaximizeWindow,
    MinimizeWindow,
    RestoreWindow,
    CloseWindow,
    HideWindow,
    ShowWindow,
    MouseMove,
    LeftMouseButton,
    RightMouseButton,
    MiddleMouseButton,
    MouseWheel,
    Remark,
    ClipboardCopy,
    ClipboardPaste,
    RepeatCounter,
    ActivateOrLaunch,
    LaunchAndActivate,
    ClipboardStartCopy,
    ClipboardEndCopy,
    ClipboardFileCopy,
    ShutDownProgram,
    ControlKey,
    AltKey,
    ShiftKey,
    WinKey,
    WebSite,
    WebFtp,
    RepeatPromptStart,
    ChangeDirectory,
    DeleteFile,
    CopyFile,
    RenameFile,
    MacroPlaybackSpeed,
    LastCommand = MacroPlaybackSpeed, // move along with a new last command
};
inline constexpr int CommandCount = static_cast<int>(CommandCode::LastCommand);

// The form (and with it the dialog and the kind of record) that makes and changes a command's
// lines; several commands share one.
enum class FormKind : std::uint8_t {
    Text,
    DateTime,
    Delay,
    Pause,
    Repeat,
    Speed,
    Activate,
    Sound,
    Swap,
    TextFile,
    Remark,
    Web,
    Size,
    System,
    Mouse,
    Clipboard,
    KeyUpDown,
    Files,
};
inline constexpr std::size_t FormKindCount = static_cast<std::size_t>(FormKind::Files) + 1;

// One tag the reader knows: its layout, the item it reads as and the item's fixed value (the
// key code, the mouse button and action, the window command or the counter's digits).
struct TagForm {
    TagLayout Layout;
    ItemKind Kind;
    std::uint8_t Param = 0;
};

// Where a command appears among the buttons of the wizard or the direct editor: its place
// (from 1; 0 for none), its caption (the letter after "&" is its Alt key) and object name.
struct CommandButton {
    std::uint8_t Order = 0;
    std::string_view Caption;
    std::string_view Name;
};

struct CommandRow {
    CommandCode Code;
    // The entry of the command list and the first words of every line of the command.
    std::string_view Name;
    FormKind Form;
    // The tags the command's lines are written as, in the order its form's records pick them;
    // a date or time tag has no literal (it starts with its format's name).
    std::span<const TagForm> Tags;
    CommandButton Wizard{};
    CommandButton Direct{};
};

namespace CommandTags {

using K = ItemKind;
using B = MouseButtonId;
using A = MouseAction;

constexpr std::uint8_t ButtonParam(B button, A action) {
    return static_cast<std::uint8_t>(static_cast<int>(button) * 4 + static_cast<int>(action));
}
constexpr std::uint8_t WindowParam(WindowCommand command) {
    return static_cast<std::uint8_t>(command);
}

inline constexpr TagForm Date[] = {{Tags::Plain(""), K::Date}};
inline constexpr TagForm Time[] = {{Tags::Plain(""), K::Time}};
inline constexpr TagForm Delay[] = {{Tags::Delay, K::Delay}, {Tags::Msd, K::Msd}};
inline constexpr TagForm Pause[] = {{Tags::Pause, K::Pause}, {Tags::PauseAt, K::PauseAt}};
inline constexpr TagForm RepeatStart[] = {{Tags::Repeat, K::Repeat}};
inline constexpr TagForm RepeatEnd[] = {{Tags::EndRepeat, K::EndRepeat}};
inline constexpr TagForm RepeatPrompt[] = {{Tags::PromptRepeat, K::PromptRepeat}};
inline constexpr TagForm Counter[] = {{Tags::Counter1, K::Counter, 1},
                                      {Tags::Counter2, K::Counter, 2},
                                      {Tags::Counter3, K::Counter, 3},
                                      {Tags::Counter4, K::Counter, 4}};
inline constexpr TagForm KeyDelay[] = {{Tags::KeyDelay, K::KeyDelay}};
inline constexpr TagForm MouseDelay[] = {{Tags::MouseDelay, K::MouseDelay}};
inline constexpr TagForm Speed[] = {{Tags::Speed, K::Speed}};
inline constexpr TagForm Activate[] = {{Tags::Activate, K::Activate}};
inline constexpr TagForm Launch[] = {{Tags::Launch, K::Launch}};
inline constexpr TagForm LaunchNo[] = {{Tags::LaunchNo, K::LaunchNo}};
inline constexpr TagForm LaunchYes[] = {{Tags::LaunchYes, K::LaunchYes}};
inline constexpr TagForm Beep[] = {{Tags::Beep, K::Beep}};
// Waiting for the sound to end first.
inline constexpr TagForm Wave[] = {{Tags::WaveWait, K::WaveWait},
                                   {Tags::WaveNoWait, K::WaveNoWait}};
inline constexpr TagForm Swap[] = {{Tags::Swap, K::Swap}};
inline constexpr TagForm TextFile[] = {{Tags::TextFile, K::TextFile}};
inline constexpr TagForm Remark[] = {{Tags::Remark, K::Remark}};
inline constexpr TagForm Http[] = {{Tags::Http, K::Http}};
inline constexpr TagForm Ftp[] = {{Tags::Ftp, K::Ftp}};
inline constexpr TagForm Size[] = {{Tags::WindowSize, K::WindowSize}};
inline constexpr TagForm Position[] = {{Tags::WindowPos, K::WindowPos}};
inline constexpr TagForm Maximize[] = {
    {Tags::WindowMaximize, K::Window, WindowParam(WindowCommand::Maximize)}};
inline constexpr TagForm Minimize[] = {
    {Tags::WindowMinimize, K::Window, WindowParam(WindowCommand::Minimize)}};
inline constexpr TagForm Restore[] = {
    {Tags::WindowRestore, K::Window, WindowParam(WindowCommand::Restore)}};
inline constexpr TagForm Close[] = {
    {Tags::WindowClose, K::Window, WindowParam(WindowCommand::Close)}};
inline constexpr TagForm Hide[] = {{Tags::WindowHide, K::Window, WindowParam(WindowCommand::Hide)}};
inline constexpr TagForm Show[] = {{Tags::WindowShow, K::Window, WindowParam(WindowCommand::Show)}};
inline constexpr TagForm Shut[] = {{Tags::WindowShut, K::Window, WindowParam(WindowCommand::Shut)}};
// Screen, then window corner.
inline constexpr TagForm Move[] = {{Tags::MoveScreen, K::MoveScreen},
                                   {Tags::MoveWindow, K::MoveWindow}};
// Each button: click, double click, down, up.
inline constexpr TagForm Left[] = {
    {Tags::LeftClick, K::MouseButton, ButtonParam(B::Left, A::Click)},
    {Tags::LeftDoubleClick, K::MouseButton, ButtonParam(B::Left, A::DoubleClick)},
    {Tags::LeftDown, K::MouseButton, ButtonParam(B::Left, A::Down)},
    {Tags::LeftUp, K::MouseButton, ButtonParam(B::Left, A::Up)}};
inline constexpr TagForm Right[] = {
    {Tags::RightClick, K::MouseButton, ButtonParam(B::Right, A::Click)},
    {Tags::RightDoubleClick, K::MouseButton, ButtonParam(B::Right, A::DoubleClick)},
    {Tags::RightDown, K::MouseButton, ButtonParam(B::Right, A::Down)},
    {Tags::RightUp, K::MouseButton, ButtonParam(B::Right, A::Up)}};
inline constexpr TagForm Middle[] = {
    {Tags::MiddleClick, K::MouseButton, ButtonParam(B::Middle, A::Click)},
    {Tags::MiddleDoubleClick, K::MouseButton, ButtonParam(B::Middle, A::DoubleClick)},
    {Tags::MiddleDown, K::MouseButton, ButtonParam(B::Middle, A::Down)},
    {Tags::MiddleUp, K::MouseButton, ButtonParam(B::Middle, A::Up)}};
// Forward, then backward.
inline constexpr TagForm Wheel[] = {{Tags::WheelForward, K::WheelForward},
                                    {Tags::WheelBackward, K::WheelBackward}};
inline constexpr TagForm ClipCopy[] = {{Tags::ClipCopy, K::ClipCopy}};
inline constexpr TagForm ClipPaste[] = {{Tags::ClipPaste, K::ClipPaste}};
inline constexpr TagForm BeginClip[] = {{Tags::BeginClip, K::BeginClip}};
inline constexpr TagForm EndClip[] = {{Tags::EndClip, K::EndClip}};
inline constexpr TagForm ClipFile[] = {{Tags::ClipFile, K::ClipFile}};
// Each modifier: down, then up.
inline constexpr TagForm Ctrl[] = {{Tags::CtrlDown, K::KeyDown, 17}, {Tags::CtrlUp, K::KeyUp, 17}};
inline constexpr TagForm Alt[] = {{Tags::AltDown, K::KeyDown, 18}, {Tags::AltUp, K::KeyUp, 18}};
inline constexpr TagForm Shift[] = {{Tags::ShiftDown, K::KeyDown, 16},
                                    {Tags::ShiftUp, K::KeyUp, 16}};
inline constexpr TagForm Win[] = {{Tags::WinDown, K::KeyDown, 91}, {Tags::WinUp, K::KeyUp, 91}};
inline constexpr TagForm ChangeDir[] = {{Tags::ChangeDir, K::ChangeDir}};
inline constexpr TagForm DeleteFile[] = {{Tags::DeleteFile, K::DeleteFile}};
inline constexpr TagForm CopyFile[] = {{Tags::CopyFile, K::CopyFile}};
inline constexpr TagForm RenameFile[] = {{Tags::RenameFile, K::RenameFile}};

} // namespace CommandTags

// The tags that are no command of their own and no named key: they stay inside Text lines.
inline constexpr TagForm KeystrokeTags[] = {
    {Tags::Test, ItemKind::Test},
    {Tags::Plain("<RIGHT MOUSE>"), ItemKind::MouseKey, 2},
    {Tags::Plain("<MIDDLE MOUSE>"), ItemKind::MouseKey, 4},
    {Tags::AltCode3, ItemKind::AltCode, 3},
    {Tags::AltCode4, ItemKind::AltCode, 4},
};

namespace CommandRows {

using C = CommandCode;
using F = FormKind;
namespace T = CommandTags;

// The wizard's tasks: each appends one line through the dialog of its command, which only
// presets the dialog (the user may pick any command it offers).
constexpr CommandButton Task(std::uint8_t order, std::string_view caption, std::string_view name) {
    return {order, caption, name};
}
// The direct editor's command buttons (and its "&Actions" menu): each opens the dialog of its
// command and inserts the tag the dialog returns.
constexpr CommandButton Button(std::uint8_t order, std::string_view caption,
                               std::string_view name) {
    return {order, caption, name};
}

} // namespace CommandRows

inline constexpr auto Commands = [] {
    using namespace CommandRows;
    return std::to_array<CommandRow>({
        {C::Text, "Text", F::Text, {}, Task(1, "&Enter Text, Symbols, Keystrokes", "TextTask")},
        {C::Date, "Date", F::DateTime, T::Date,
         Task(5, "Insert &Date (current, past or future)", "DateTask"),
         Button(1, "DATE", "DateButton")},
        {C::Time, "Time", F::DateTime, T::Time, Task(6, "Insert &Time", "TimeTask"),
         Button(2, "TIME", "TimeButton")},
        {C::Delay, "Delay", F::Delay, T::Delay, Task(10, "&Insert a Delay", "DelayTask"),
         Button(3, "DELAY", "DelayButton")},
        {C::Pause, "Pause", F::Pause, T::Pause, Task(7, "Macro &Pause", "PauseTask"),
         Button(4, "PAUSE", "PauseButton")},
        {C::RepeatStart, "Repeat Start", F::Repeat, T::RepeatStart,
         Task(16, "Repeat &Loop", "RepeatTask"), Button(5, "REPEAT", "RepeatButton")},
        {C::RepeatEnd, "Repeat End", F::Repeat, T::RepeatEnd},
        {C::KeystrokeSpeed, "Keystroke Speed", F::Speed, T::KeyDelay,
         Task(9, "&Set Keyboard or Mouse Speed", "SpeedTask"), Button(6, "SPEED", "SpeedButton")},
        {C::MouseSpeed, "Mouse Speed", F::Speed, T::MouseDelay},
        {C::ActivateWindow, "Activate Window", F::Activate, T::Activate},
        {C::LaunchProgram, "Launch Program", F::Activate, T::Launch},
        {C::SoundBeep, "Sound Beep", F::Sound, T::Beep},
        {C::SoundWaveFile, "Sound Wave File", F::Sound, T::Wave,
         Task(14, "Pla&y a Sound", "SoundTask"), Button(8, "SOUND", "SoundButton")},
        {C::LoadNewMacroFile,
         "Load New Macro File",
         F::Swap,
         T::Swap,
         {},
         Button(9, "SWAP FILE", "SwapButton")},
        {C::LoadTextFile,
         "Load Text File",
         F::TextFile,
         T::TextFile,
         {},
         Button(10, "LOAD TEXT", "LoadTextButton")},
        {C::ResizeWindow, "Resize Window", F::Size, T::Size,
         Task(11, "Set a Window Si&ze or Position", "SizeTask"),
         Button(11, "SIZE / POS", "SizeButton")},
        {C::RepositionWindow, "Reposition Window", F::Size, T::Position},
        {C::MaximizeWindow,
         "Maximize Window",
         F::System,
         T::Maximize,
         {},
         Button(12, "SYSTEM", "SystemButton")},
        {C::MinimizeWindow, "Minimize Window", F::System, T::Minimize,
         Task(12, "&Maximize, Minimize, etc Windows", "WindowTask")},
        {C::RestoreWindow, "Restore Window", F::System, T::Restore},
        {C::CloseWindow, "Close Window", F::System, T::Close},
        {C::HideWindow, "Hide Window", F::System, T::Hide},
        {C::ShowWindow, "Show Window", F::System, T::Show},
        {C::MouseMove, "Mouse Move", F::Mouse, T::Move,
         Task(2, "Mouse Clic&ks, Movements, Wheel", "MouseTask")},
        {C::LeftMouseButton,
         "Left Mouse Button",
         F::Mouse,
         T::Left,
         {},
         Button(13, "MOUSE", "MouseButton")},
        {C::RightMouseButton, "Right Mouse Button", F::Mouse, T::Right},
        {C::MiddleMouseButton, "Middle Mouse Button", F::Mouse, T::Middle},
        {C::MouseWheel, "Mouse Wheel", F::Mouse, T::Wheel},
        {C::Remark, "Remark", F::Remark, T::Remark,
         Task(8, "E&nter a Comment or Remark", "RemarkTask"), Button(15, "REMARK", "RemarkButton")},
        {C::ClipboardCopy, "Clipboard Copy", F::Clipboard, T::ClipCopy},
        {C::ClipboardPaste, "Clipboard Paste", F::Clipboard, T::ClipPaste},
        {C::RepeatCounter, "Repeat Counter", F::Repeat, T::Counter},
        {C::ActivateOrLaunch, "Activate or Launch", F::Activate, T::LaunchYes,
         Task(3, "&Activate / Launch Programs", "ActivateTask"),
         Button(7, "ACTIVATE", "ActivateButton")},
        {C::LaunchAndActivate, "Launch and Activate", F::Activate, T::LaunchNo},
        {C::ClipboardStartCopy,
         "Clipboard Start Copy",
         F::Clipboard,
         T::BeginClip,
         {},
         Button(14, "CLIPBOARD", "ClipboardButton")},
        {C::ClipboardEndCopy, "Clipboard End Copy", F::Clipboard, T::EndClip},
        {C::ClipboardFileCopy, "Clipboard File Copy", F::Clipboard, T::ClipFile,
         Task(13, "&Clipboard Functions (copy, paste)", "ClipboardTask")},
        {C::ShutDownProgram, "Shut Down Program", F::System, T::Shut},
        {C::ControlKey,
         "Control Key",
         F::KeyUpDown,
         T::Ctrl,
         {},
         Button(16, "KEY UP / DOWN", "KeyUpDownButton")},
        {C::AltKey, "Alt Key", F::KeyUpDown, T::Alt},
        {C::ShiftKey, "Shift Key", F::KeyUpDown, T::Shift},
        {C::WinKey, "Win Key", F::KeyUpDown, T::Win},
        {C::WebSite, "Web Site", F::Web, T::Http, Task(4, "Launch a &Web Site", "WebTask"),
         Button(17, "WEB SITE", "WebButton")},
        {C::WebFtp, "Web FTP", F::Web, T::Ftp, {}, Button(18, "INTERNET FTP", "FtpButton")},
        {C::RepeatPromptStart, "Repeat Prompt Start", F::Repeat, T::RepeatPrompt},
        {C::ChangeDirectory, "Change Directory/Folder", F::Files, T::ChangeDir,
         Task(15, "Delete, Copy, Rename &Files, etc", "FilesTask"),
         Button(19, "FILE COMMANDS", "FilesButton")},
        {C::DeleteFile, "Delete File", F::Files, T::DeleteFile},
        {C::CopyFile, "Copy File", F::Files, T::CopyFile},
        {C::RenameFile, "Rename File", F::Files, T::RenameFile},
        {C::MacroPlaybackSpeed, "Macro Playback Speed", F::Speed, T::Speed},
    });
}();

// Row i holds command i + 1, so a code indexes its row.
constexpr bool RowsInCodeOrder() {
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (static_cast<std::size_t>(Commands[i].Code) != i + 1 || Commands[i].Name.empty()) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInCodeOrder(), "one row per command code, in code order");
static_assert(Commands.size() == CommandCount, "a row for every command up to the last");

constexpr const CommandRow& CommandRowOf(CommandCode code) {
    return Commands.at(static_cast<std::size_t>(code) - 1);
}
constexpr std::string_view CommandName(CommandCode code) {
    return CommandRowOf(code).Name;
}

// The command whose tags hold an item's tag, or null for an item that is not a command of its
// own (a character, a key tag, a tag kept inside Text lines).
const CommandRow* CommandOfItem(const ScriptItem& item);

// Every tag with a literal that the reader knows (the named keys, the keystroke tags and the
// commands' tags), with its command if it has one.
struct KnownTag {
    TagForm Form;
    const CommandRow* Command = nullptr;
};
// The known tags whose literal has `c` after its "<": the few a text can hold at a "<".
std::span<const KnownTag> TagsAfterOpening(char c);

// The commands that show among the wizard's tasks or the direct editor's buttons, in their
// order.
struct PlacedCommand {
    std::string_view Caption;
    std::string_view Name; // the button's object name
    CommandCode Code;
};
template <std::size_t N, CommandButton CommandRow::*Place> constexpr auto PlacedCommands() {
    std::array<PlacedCommand, N> placed{};
    std::size_t found = 0;
    for (const CommandRow& row : Commands) {
        const CommandButton& button = row.*Place;
        if (button.Order != 0) {
            if (button.Order > N || !placed[button.Order - 1].Caption.empty()) {
                throw "a place is out of range or taken twice";
            }
            placed[button.Order - 1] = {button.Caption, button.Name, row.Code};
            ++found;
        }
    }
    if (found != N) {
        throw "a place is left empty";
    }
    return placed;
}

} // namespace orvane
