// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11TextPaste.h"

#include "platform/InputSynth.h"
#include "platform/x11/ClipboardKeeper.h"
#include "platform/x11/PasteKeys.h"
#include "platform/x11/XProperty.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <poll.h>

namespace orvane {
namespace {

constexpr std::uint8_t ShiftKey = 16;
constexpr std::uint8_t CtrlKey = 17;
constexpr std::uint8_t InsertKey = 45;
constexpr std::uint8_t LetterV = 86;

// The bytes Xlib uses for one item of a property of `format`.
std::size_t ItemSize(int format) {
    switch (format) {
    case 16:
        return sizeof(short);
    case 32:
        return sizeof(long);
    default:
        return 1;
    }
}

} // namespace

std::unique_ptr<X11TextPaste> X11TextPaste::Open(InputSynth& keys) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<X11TextPaste>(new X11TextPaste(display, keys));
}

X11TextPaste::X11TextPaste(Display* display, InputSynth& keys) : display_(display), keys_(keys) {
    Display* d = display_;
    const auto atom = [d](const char* name) { return XInternAtom(d, name, False); };
    atoms_ = {atom("CLIPBOARD"),
              XA_PRIMARY,
              atom("TARGETS"),
              atom("TIMESTAMP"),
              atom("MULTIPLE"),
              atom("SAVE_TARGETS"),
              atom("DELETE"),
              atom("INSERT_SELECTION"),
              atom("INSERT_PROPERTY"),
              atom("INCR"),
              atom("UTF8_STRING"),
              atom("TEXT"),
              atom("text/plain"),
              atom("text/plain;charset=utf-8"),
              atom("_ORVANE_PASTE"),
              atom("_ORVANE_PASTE_STAMP"),
              atom("_NET_ACTIVE_WINDOW")};
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    window_ = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, InputOnly,
                            CopyFromParent, CWEventMask, &attributes);
    // What one request can carry, with room for the request's own header. Larger targets
    // would need the incremental protocol to give back; such a clipboard is not taken.
    const long words =
        XExtendedMaxRequestSize(d) > 0 ? XExtendedMaxRequestSize(d) : XMaxRequestSize(d);
    maxBytes_ = static_cast<std::size_t>(words) * 4 - 1024;
    XFlush(d);
}

X11TextPaste::~X11TextPaste() {
    XDestroyWindow(display_, window_);
    XCloseDisplay(display_);
}

int X11TextPaste::ConnectionFd() const {
    return ConnectionNumber(display_);
}

void X11TextPaste::ProcessEvents() {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        Handle(event);
    }
}

void X11TextPaste::Handle(const XEvent& event) {
    switch (event.type) {
    case SelectionRequest:
        Answer(event);
        break;
    case SelectionClear:
        // Another program has taken the selection: what it offers now is the user's.
        if (event.xselectionclear.window == window_) {
            kept_.erase(event.xselectionclear.selection);
        }
        break;
    case SelectionNotify:
        if (event.xselection.requestor == window_) {
            notice_ = Notice{event.xselection.selection, event.xselection.target,
                             event.xselection.property};
        }
        break;
    case PropertyNotify:
        if (event.xproperty.window == window_ && event.xproperty.atom == atoms_.Property &&
            event.xproperty.state == PropertyNewValue) {
            newValue_ = true;
        }
        break;
    default:
        break;
    }
}

void X11TextPaste::Answer(const XEvent& event) {
    const XSelectionRequestEvent& request = event.xselectionrequest;
    Display* d = display_;
    const Atom property = AnswerProperty(event);
    const auto kept = kept_.find(request.selection);
    bool answered = false;
    if (kept != kept_.end() && request.owner == window_) {
        const Contents& held = kept->second.Held;
        if (request.target == atoms_.Targets) {
            XChangeProperty(d, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(held.Listed.data()),
                            static_cast<int>(held.Listed.size()));
            answered = true;
        } else if (request.target == atoms_.Timestamp) {
            const long since = static_cast<long>(kept->second.Since);
            XChangeProperty(d, request.requestor, property, XA_INTEGER, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(&since), 1);
            answered = true;
        } else {
            const auto data =
                std::find_if(held.Data.begin(), held.Data.end(),
                             [&](const Target& t) { return t.Name == request.target; });
            if (data != held.Data.end()) {
                XChangeProperty(d, request.requestor, property, data->Type, data->Format,
                                PropModeReplace,
                                reinterpret_cast<const unsigned char*>(data->Bytes.data()),
                                static_cast<int>(data->Bytes.size() / ItemSize(data->Format)));
                answered = true;
            }
        }
    }
    SendSelectionAnswer(d, event, answered);
    if (answered && pasting_ && request.requestor != window_ && !IsMeta(request.target)) {
        taken_ = true;
    }
}

bool X11TextPaste::IsMeta(unsigned long target) const {
    return target == atoms_.Targets || target == atoms_.Timestamp || target == atoms_.Multiple ||
           target == atoms_.SaveTargets || target == atoms_.Delete ||
           target == atoms_.InsertSelection || target == atoms_.InsertProperty;
}

bool X11TextPaste::WaitFor(const std::function<bool()>& done,
                           std::chrono::steady_clock::time_point until) {
    const auto check = [this, &done] {
        ProcessEvents();
        return done();
    };
    if (check()) {
        return true;
    }
    if (wait_) {
        return wait_(check, until);
    }
    // No event loop to serve: block on this connection alone.
    while (!check()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            until - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd fd{ConnectionFd(), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()) + 1);
    }
    return true;
}

unsigned long X11TextPaste::ServerTime() {
    // The moment of a PropertyNotify our own zero-length change causes.
    XChangeProperty(display_, window_, atoms_.Stamp, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(display_, window_, PropertyChangeMask, &event);
    const unsigned long time = event.xproperty.time;
    // Other property events taken from the queue by that wait were ours alone.
    return time;
}

std::optional<X11TextPaste::Target> X11TextPaste::TakeProperty() {
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status =
        XGetWindowProperty(display_, window_, atoms_.Property, 0, static_cast<long>(maxBytes_ / 4),
                           True, AnyPropertyType, &type, &format, &items, &after, &data);
    if (status != Success) {
        return std::nullopt;
    }
    std::optional<Target> target;
    if (after == 0 && type != None) {
        target = Target{0, type, format,
                        std::string(reinterpret_cast<const char*>(data), items * ItemSize(format))};
    }
    if (data != nullptr) {
        XFree(data);
    }
    return target;
}

std::optional<X11TextPaste::Target>
X11TextPaste::Convert(unsigned long selection, unsigned long target, unsigned long time) {
    XDeleteProperty(display_, window_, atoms_.Property);
    notice_.reset();
    newValue_ = false;
    XConvertSelection(display_, selection, target, atoms_.Property, window_, time);
    XFlush(display_);
    const auto deadline = std::chrono::steady_clock::now() + ReadLimit;
    if (!WaitFor(
            [this, selection, target] {
                return notice_ && notice_->Selection == selection && notice_->Target == target;
            },
            deadline) ||
        notice_->Property == None) {
        return std::nullopt;
    }
    std::optional<Target> read = TakeProperty();
    if (!read) {
        return std::nullopt;
    }
    if (read->Type == atoms_.Incr) {
        // Incremental: deleting the property asks for each next chunk; an empty one ends it.
        std::optional<Target> whole;
        for (;;) {
            newValue_ = false;
            XFlush(display_);
            if (!WaitFor([this] { return newValue_; }, deadline)) {
                return std::nullopt;
            }
            std::optional<Target> chunk = TakeProperty();
            if (!chunk) {
                return std::nullopt;
            }
            if (chunk->Bytes.empty()) {
                break;
            }
            if (!whole) {
                whole = std::move(chunk);
            } else {
                whole->Bytes += chunk->Bytes;
            }
            if (whole->Bytes.size() > maxBytes_) {
                return std::nullopt;
            }
        }
        if (!whole) {
            return std::nullopt;
        }
        read = std::move(whole);
    }
    read->Name = target;
    return read;
}

std::optional<X11TextPaste::Contents> X11TextPaste::Read(unsigned long selection,
                                                         unsigned long time) {
    const Window owner = XGetSelectionOwner(display_, selection);
    if (owner == None) {
        return Contents{};
    }
    if (owner == window_) {
        const auto kept = kept_.find(selection);
        return kept != kept_.end() ? std::optional<Contents>(kept->second.Held) : std::nullopt;
    }
    const std::optional<Target> listed = Convert(selection, atoms_.Targets, time);
    if (!listed || listed->Format != 32 ||
        (listed->Type != XA_ATOM && listed->Type != atoms_.Targets)) {
        return std::nullopt;
    }
    Contents contents;
    contents.Owned = true;
    const auto* atoms = reinterpret_cast<const long*>(listed->Bytes.data());
    for (std::size_t i = 0; i < listed->Bytes.size() / sizeof(long); ++i) {
        contents.Listed.push_back(static_cast<unsigned long>(atoms[i]));
    }
    for (const unsigned long name : contents.Listed) {
        if (IsMeta(name)) {
            continue;
        }
        std::optional<Target> data = Convert(selection, name, time);
        if (!data) {
            return std::nullopt;
        }
        contents.Data.push_back(std::move(*data));
    }
    return contents;
}

X11TextPaste::Contents X11TextPaste::TextContents(std::string_view utf8) const {
    Contents text;
    text.Owned = true;
    text.Listed = {atoms_.Targets, atoms_.Timestamp,     atoms_.Utf8,     XA_STRING,
                   atoms_.Text,    atoms_.TextPlainUtf8, atoms_.TextPlain};
    const std::string bytes(utf8);
    for (const unsigned long name : {atoms_.Utf8, atoms_.Text, atoms_.TextPlainUtf8}) {
        text.Data.push_back({name, atoms_.Utf8, 8, bytes});
    }
    text.Data.push_back({XA_STRING, XA_STRING, 8, Latin1Of(utf8)});
    text.Data.push_back({atoms_.TextPlain, atoms_.TextPlain, 8, Latin1Of(utf8)});
    return text;
}

void X11TextPaste::GiveBack(const std::map<unsigned long, Contents>& saved, unsigned long time) {
    for (const auto& [selection, contents] : saved) {
        if (XGetSelectionOwner(display_, selection) != window_) {
            // Someone took the selection meanwhile: theirs is the newer choice.
            kept_.erase(selection);
            continue;
        }
        if (contents.Owned) {
            kept_[selection] = Kept{contents, time};
        } else {
            kept_.erase(selection);
            XSetSelectionOwner(display_, selection, None, time);
        }
    }
    XFlush(display_);
}

std::string X11TextPaste::FocusedClass() {
    Display* d = display_;
    const Window root = DefaultRootWindow(d);
    Window window = None;
    if (const auto active = ReadCardinals(d, root, atoms_.ActiveWindow, XA_WINDOW, 1);
        active && !active->empty()) {
        window = (*active)[0];
    }
    if (window == None) {
        int revert = 0;
        XGetInputFocus(d, &window, &revert);
    }
    // The focus may rest on a child of the window that names the program.
    while (window != None && window != PointerRoot && window != root) {
        if (const auto wmClass = ReadBytes(d, window, XA_WM_CLASS, XA_STRING)) {
            return *wmClass;
        }
        Window parentRoot = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(d, window, &parentRoot, &parent, &children, &count) == 0) {
            break;
        }
        if (children != nullptr) {
            XFree(children);
        }
        window = parent;
    }
    return {};
}

bool X11TextPaste::Paste(std::string_view utf8) {
    if (pasting_) {
        return false;
    }
    const PasteKey key = PasteKeyForClass(FocusedClass());
    std::vector<unsigned long> selections = {atoms_.Clipboard};
    if (key == PasteKey::ShiftInsert) {
        selections.push_back(atoms_.Primary);
    }
    const unsigned long time = ServerTime();
    std::map<unsigned long, Contents> saved;
    for (const unsigned long selection : selections) {
        std::optional<Contents> contents = Read(selection, time);
        if (!contents) {
            ProcessEvents();
            return false; // nothing changed yet: the caller types instead
        }
        saved[selection] = std::move(*contents);
    }
    const unsigned long taken = ServerTime();
    bool owned = true;
    for (const unsigned long selection : selections) {
        kept_[selection] = Kept{TextContents(utf8), taken};
        XSetSelectionOwner(display_, selection, window_, taken);
        owned = owned && XGetSelectionOwner(display_, selection) == window_;
    }
    if (!owned) {
        GiveBack(saved, taken);
        ProcessEvents();
        return false;
    }
    pasting_ = true;
    taken_ = false;
    const std::uint8_t modifier = key == PasteKey::ShiftInsert ? ShiftKey : CtrlKey;
    const std::uint8_t letter = key == PasteKey::ShiftInsert ? InsertKey : LetterV;
    keys_.PostKey(modifier, false);
    keys_.PostKey(letter, false);
    keys_.PostKey(letter, true);
    keys_.PostKey(modifier, true);
    keys_.EndOfBatch();
    WaitFor([this] { return taken_; }, std::chrono::steady_clock::now() + TakeLimit);
    pasting_ = false;
    GiveBack(saved, ServerTime());
    // Round trips may have read requests into Xlib's queue, where the event loop would not see
    // them: they are served now.
    ProcessEvents();
    return taken_;
}

} // namespace orvane
