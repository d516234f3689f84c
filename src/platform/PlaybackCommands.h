// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WindowId.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The window system commands of the window tags.
enum class WindowCommand {
    Maximize, // "<WMAX:"
    Minimize, // "<WMIN:"
    Restore,  // "<WRES:"
    Close,    // "<WCLS:" (asks the window to close, as its close box does)
    Hide,     // "<WHIDE:"
    Show,     // "<WSHOW:"
    Shut,     // "<WSHUT:" (ends the application owning the window)
};

// Which window a window tag acts on: the foreground window (the title "CURRENT" with its
// quotes), or the first window found by title as ActivateIt finds it, without activating it.
struct WindowRef {
    bool Current = false;
    std::string_view Title;
};

struct WindowOrigin {
    int Left = 0;
    int Top = 0;
};

// What playback asks of the desktop for the window, program, file, clipboard, sound and web
// tags. Every text (titles, file names, addresses, clipboard text) is Windows-1252 bytes as the
// macro text holds it; implementations convert to what the system speaks. Every command fails
// silently: a missing window, file or program does nothing and reports nothing, except where a
// result is returned. Calls return promptly unless their contract says they wait.
class PlaybackCommands {
public:
    virtual ~PlaybackCommands() = default;

    // The window in the foreground now, or NoWindow.
    virtual WindowId ForegroundWindow() = 0;

    // The top-left corner of the foreground window's frame in screen pixels, or nothing when
    // there is no foreground window.
    virtual std::optional<WindowOrigin> ForegroundWindowOrigin() = 0;

    // Finds a top-level window whose whole title equals `title` (any case), else the topmost one
    // whose title contains it (any case, ASCII letters); restores it when minimised and brings
    // it to the foreground. Returns the window, or nothing when no window matches.
    virtual std::optional<WindowId> ActivateIt(std::string_view title) = 0;

    // Carries out `command` on the window; nothing happens when no window matches. Neither the
    // foreground nor the focus changes (beyond what the command itself does to that window).
    virtual void DoWindowCommand(WindowCommand command, WindowRef window) = 0;

    // Sets the window's size, keeping its place and stacking order.
    virtual void SizeWindow(WindowRef window, int width, int height) = 0;

    // Moves the window's top-left corner, keeping its size and stacking order.
    virtual void MoveWindow(WindowRef window, int left, int top) = 0;

    // Starts `program` with `parameters` (split as a shell would) in the current folder, or
    // opens it with its default handler when it is not a program. Does not wait; the outcome is
    // not reported.
    virtual void Launch(std::string_view program, std::string_view parameters) = 0;

    // Waits until ActivateIt(title) succeeds or `limit` has passed, serving events meanwhile and
    // never spinning. Returns the activated window, or nothing after the limit.
    virtual std::optional<WindowId> WaitForWindow(std::string_view title,
                                                  std::chrono::seconds limit) = 0;

    // Changes the process's current folder (the folder Launch starts programs in).
    virtual void ChangeDirectory(std::string_view folder) = 0;
    virtual void DeleteFile(std::string_view file) = 0;
    // Copies `source` over `target`, replacing an existing target.
    virtual void CopyFile(std::string_view source, std::string_view target) = 0;
    // Renames `from` to `to`; an existing `to` is never replaced (both files stay as they were).
    // A file goes to another file system too: copied, then the original removed.
    virtual void RenameFile(std::string_view from, std::string_view to) = 0;

    // The whole contents of a file, byte for byte, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadTextFile(std::string_view file) = 0;

    // Puts plain text on the clipboard; the program keeps offering it after playback goes on.
    virtual void SetClipboardText(std::string_view text) = 0;

    // Pastes `text` (line ends as line feeds) into the focused window through the clipboard, and
    // gives the user's clipboard back as it was once the window has taken it. False when it
    // cannot (the clipboard cannot be read whole, or no paste is possible here): nothing was
    // pasted, the clipboard is unchanged, and the caller types the text.
    virtual bool PasteText(std::string_view text) = 0;

    // Plays a wave file; with `wait`, returns when it has finished (serving events meanwhile),
    // else at once. A missing file or sound device plays nothing.
    virtual void PlayWave(std::string_view file, bool wait) = 0;

    // The desktop's default alert sound.
    virtual void Beep() = 0;

    // Opens a web or ftp address with the desktop's default handler.
    virtual void OpenAddress(std::string_view address) = 0;

    // Makes `file` the current macro file of the program (loads it, republishes hot keys,
    // refreshes the list). The macro being played goes on from its own copy of the text.
    virtual void SwapMacroFile(std::string_view file) = 0;
};

} // namespace orvane
