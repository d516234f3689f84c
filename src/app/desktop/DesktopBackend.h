// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/desktop/BackendChoice.h"
#include "core/HookLibrary.h"
#include "platform/EventLoopWait.h"
#include "platform/InputSynth.h"
#include "platform/ScreenSaver.h"
#include "platform/TextPaste.h"
#include "platform/WindowSystem.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QObject;

namespace orvane {

// A window system on a connection of its own, with the desktop's bell beside it.
class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;
    virtual WindowSystem& Windows() = 0;
    virtual void Bell() = 0;
};

// What a desktop lets the program do beyond typing, clicking, windows and hot keys.
struct DesktopAbilities {
    bool TypedText = true; // the user's typing is seen: ShortKeys
    bool Capture = true;   // the user's keys and mouse are recorded
    bool Remap = true;     // the keyboard's characters are remapped
};

// The display backend the program runs on, chosen at start (X11, or Wayland on a compositor
// that offers virtual input): its hot key watcher, its input synthesis and its windows. The
// program and the playback above it see only these interfaces.
class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;

    virtual BackendKind Kind() const = 0;
    virtual DesktopAbilities Abilities() const = 0;

    // Hot keys can be watched and input synthesized. When not, Hook() watches nothing and the
    // program runs without hot keys.
    virtual bool Live() const = 0;
    virtual HookLibrary& Hook() = 0;
    // Input synthesis as playback uses it; only when Live.
    virtual InputSynth& Input() = 0;

    // From now on the backend's waits sleep in the program's event loop, which watches its
    // connections (`context` owns the watchers' connections). Called once playback is set up.
    virtual void Listen(QObject& context, const EventLoopWait& wait) = 0;
    // Before the event loop blocks: the batch of synthesized input ends.
    virtual void EndOfBatch() = 0;
    // Between macro steps: what was synthesized so far is sent.
    virtual void Flush() = 0;

    // Waits until the user has let go of the hot key, for at most `limit`, then lets go of the
    // modifiers still held.
    virtual void SettleHeldKeys(std::chrono::milliseconds limit) = 0;
    // Hot keys another program holds: they cannot work.
    virtual std::vector<std::uint16_t> UnavailableHotKeys() const = 0;

    // Long texts pasted through the clipboard; null where texts are always typed.
    virtual std::unique_ptr<TextPaste> OpenPaste(QObject& context, const EventLoopWait& wait) = 0;
    // Holds off the screen saver while timed macros wait; null where the desktop has none.
    virtual std::unique_ptr<ScreenSaver> OpenScreenSaver() = 0;
    // The windows, on a connection of their own; `wait` (may be null) lets their waits sleep in
    // the event loop. Null with the reason in `error`.
    virtual std::unique_ptr<DesktopWindows> OpenWindows(const EventLoopWait* wait,
                                                        std::string& error) = 0;
    // The macro recorder's window reader and script writer; nothing where capture cannot run.
    virtual void WireRecorder(std::string& /*error*/) {}

    // Keys held and keys bound for the moment go back (a play killed in the middle).
    virtual void RestoreKeyboard() {}
};

// What the backend is opened for: the resident program (hot keys and all), or one play of
// `orvane play` (input synthesis and windows only).
enum class BackendUse { Program, Play };

// Opens the backend the session calls for (see ChooseBackend). `notice` receives what the user
// should hear once (a stand-in backend, a bad ORVANE_BACKEND); `error` why hot keys or typing
// cannot work. Never null: a backend that could not open anything says so through Live().
std::unique_ptr<DesktopBackend> OpenDesktopBackend(BackendUse use, bool traceHooks,
                                                   std::string& notice, std::string& error);

} // namespace orvane
