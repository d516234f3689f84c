// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/EventLoopWait.h"
#include "platform/TextPaste.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

typedef struct _XDisplay Display;
union _XEvent;

namespace orvane {

class InputSynth;

// Pastes through the X selections on a connection of its own, and goes on offering what it
// gave back to the user (the saved clipboard, every target with its bytes) for as long as it
// lives or until another program takes the selection.
//
// A paste: read the clipboard whole (for a terminal, the primary selection too: most terminals
// paste that with Shift+Insert) -> own it with the text -> strike the paste key -> wait until a
// window asks for the text, or TakeLimit -> own it again with what was saved (an empty one is
// given up). Any selection that cannot be read whole within ReadLimit per target, or holds more
// than one request can carry, stops the paste before anything changed.
class X11TextPaste final : public TextPaste {
public:
    static constexpr auto ReadLimit = std::chrono::seconds(2);
    static constexpr auto TakeLimit = std::chrono::seconds(3);

    // Opens its own connection to the default display; null when it cannot. `keys` strikes the
    // paste key through the program's own input path and must outlive this object.
    static std::unique_ptr<X11TextPaste> Open(InputSynth& keys);
    ~X11TextPaste() override;
    X11TextPaste(const X11TextPaste&) = delete;
    X11TextPaste& operator=(const X11TextPaste&) = delete;

    // Waits go through the program's event loop, which must then watch ConnectionFd and call
    // ProcessEvents when it is readable; without one they block on this connection alone.
    void SetEventLoopWait(EventLoopWait wait) { wait_ = std::move(wait); }
    int ConnectionFd() const;
    // Serves what has arrived: requests for the selections it keeps, answers it waits for.
    void ProcessEvents();

    bool Paste(std::string_view utf8) override;

private:
    // One target as its owner gave it: the property's type and format and its items as Xlib
    // holds them (format 32 items are C longs).
    struct Target {
        unsigned long Name = 0;
        unsigned long Type = 0;
        int Format = 8;
        std::string Bytes;
    };
    // A selection's contents: the targets it listed, in their order, with the data of each.
    struct Contents {
        bool Owned = false; // false: the selection had no owner
        std::vector<unsigned long> Listed;
        std::vector<Target> Data;
    };
    struct Kept {
        Contents Held;
        unsigned long Since = 0; // the server time it was taken at
    };

    X11TextPaste(Display* display, InputSynth& keys);

    bool WaitFor(const std::function<bool()>& done, std::chrono::steady_clock::time_point until);
    void Handle(const _XEvent& event);
    // Answers the SelectionRequest `event`.
    void Answer(const _XEvent& event);
    unsigned long ServerTime();
    std::optional<Contents> Read(unsigned long selection, unsigned long time);
    std::optional<Target> Convert(unsigned long selection, unsigned long target,
                                  unsigned long time);
    std::optional<Target> TakeProperty();
    Contents TextContents(std::string_view utf8) const;
    void GiveBack(const std::map<unsigned long, Contents>& saved, unsigned long time);
    std::string FocusedClass();
    bool IsMeta(unsigned long target) const;

    Display* display_;
    InputSynth& keys_;
    EventLoopWait wait_;
    unsigned long window_ = 0;
    std::size_t maxBytes_ = 0;
    struct {
        unsigned long Clipboard, Primary, Targets, Timestamp, Multiple, SaveTargets, Delete,
            InsertSelection, InsertProperty, Incr, Utf8, Text, TextPlain, TextPlainUtf8, Property,
            Stamp, ActiveWindow;
    } atoms_{};
    std::map<unsigned long, Kept> kept_;
    // The answer awaited: selection, target and the property it came in (0: refused).
    struct Notice {
        unsigned long Selection = 0;
        unsigned long Target = 0;
        unsigned long Property = 0;
    };
    std::optional<Notice> notice_;
    bool newValue_ = false; // a chunk of an incremental transfer has arrived
    bool pasting_ = false;
    bool taken_ = false;
};

} // namespace orvane
