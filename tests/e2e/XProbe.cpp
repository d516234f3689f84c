// SPDX-License-Identifier: GPL-3.0-or-later
//
// orvane_xprobe: a plain Xlib window that reports every input event it receives, one line per
// event on standard output (flushed at once), so end-to-end tests can see exactly what reached a
// real X client. Usage: orvane_xprobe [--geometry WxH+X+Y] [--silent-pings] <title>
// With --silent-pings the window advertises _NET_WM_PING but never answers a ping: it counts them
// instead (the PING line), as a program that hangs or gets the protocol wrong would.
//
// The probe protocol (shared with orvane_qtprobe; fields separated by one space; <hex> is the
// UTF-8 bytes as lowercase hex digits, "-" for none):
//   READY <window>                       the window is mapped (decimal X window id)
//   GEOMETRY <x> <y> <width> <height>    the client area in root coordinates, on every change
//   FOCUS <1|0>                          the window gained / lost the keyboard focus
//   KEY <keycode> <keysym> <state> <hex> a key press: decimal keycode, keysym name, modifier
//                                        state as 0x hex, the text it produced (Xutf8LookupString
//                                        through an input context, so composed text is right)
//   KEYUP <keycode> <keysym> <state> -   a key release
//   BUTTON <n> <x> <y> <rx> <ry>         a button press at window (x, y) and root (rx, ry);
//                                        4/5 are the vertical wheel, 6/7 the horizontal one
//   BUTTONUP <n> <x> <y> <rx> <ry>       a button release
//   TEXT <hex>                           the whole text typed so far, after every change
//   PING <n>                             the n-th _NET_WM_PING arrived (with --silent-pings)
// The text is what a simple editor would hold: printable characters and Tab are appended, Return
// adds "\n", BackSpace removes the last character; other control characters change nothing.
// Ctrl+V pastes: the clipboard's UTF8_STRING is asked for and appended when it arrives.
// Standard input takes commands, one a line: "CLEAR" empties the text (answered with "TEXT -"),
// "QUIT" ends the probe. Closing the window ends it too.

#include "ProbeHex.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xlocale.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <langinfo.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

using orvane::e2e::HexEncode;

void Emit(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

std::string KeysymName(KeySym keysym) {
    if (keysym == NoSymbol) {
        return "NoSymbol";
    }
    const char* name = XKeysymToString(keysym);
    if (name != nullptr) {
        return name;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%lx", keysym);
    return buffer;
}

std::string StateHex(unsigned state) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%x", state);
    return buffer;
}

// Removes the last UTF-8 character (its lead byte and continuation bytes).
void RemoveLastCharacter(std::string& text) {
    while (!text.empty()) {
        unsigned char last = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((last & 0xc0) != 0x80) {
            break;
        }
    }
}

bool IsPrintable(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7f) {
            return false;
        }
    }
    return !text.empty();
}

class Probe {
public:
    Probe(::Display* display, const std::string& title, const std::string& geometry,
          bool silentPings)
        : display_(display) {
        int screen = DefaultScreen(display_);
        int x = 100;
        int y = 100;
        unsigned width = 480;
        unsigned height = 320;
        if (!geometry.empty()) {
            XParseGeometry(geometry.c_str(), &x, &y, &width, &height);
        }
        window_ =
            XCreateSimpleWindow(display_, RootWindow(display_, screen), x, y, width, height, 0,
                                BlackPixel(display_, screen), WhitePixel(display_, screen));
        XSizeHints size{};
        size.flags = USPosition | USSize;
        size.x = x;
        size.y = y;
        size.width = static_cast<int>(width);
        size.height = static_cast<int>(height);
        XWMHints hints{};
        hints.flags = InputHint | StateHint;
        hints.input = True;
        hints.initial_state = NormalState;
        XClassHint classHint{};
        std::string className = "orvane_xprobe";
        std::string classClass = "OrvaneXProbe";
        classHint.res_name = className.data();
        classHint.res_class = classClass.data();
        XTextProperty name{};
        char* titlePtr = const_cast<char*>(title.c_str());
        Xutf8TextListToTextProperty(display_, &titlePtr, 1, XUTF8StringStyle, &name);
        XSetWMProperties(display_, window_, &name, &name, nullptr, 0, &size, &hints, &classHint);
        XFree(name.value);
        Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
        XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_NAME", False), utf8, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
        long pid = getpid();
        XChangeProperty(display_, window_, XInternAtom(display_, "_NET_WM_PID", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
        ping_ = XInternAtom(display_, "_NET_WM_PING", False);
        Atom protocols[] = {deleteWindow_, ping_};
        XSetWMProtocols(display_, window_, protocols, silentPings ? 2 : 1);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        utf8_ = utf8;
        pasted_ = XInternAtom(display_, "PROBE_PASTE", False);

        XSelectInput(display_, window_,
                     KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                         FocusChangeMask | StructureNotifyMask | ExposureMask);
        OpenInputContext();
        XMapWindow(display_, window_);
        XFlush(display_);
    }

    ~Probe() {
        if (inputContext_ != nullptr) {
            XDestroyIC(inputContext_);
        }
        if (inputMethod_ != nullptr) {
            XCloseIM(inputMethod_);
        }
        XDestroyWindow(display_, window_);
    }

    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    // Serves X events and commands until the window is closed or "QUIT" arrives.
    int Run() {
        bool stdinOpen = true;
        std::string command;
        for (;;) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                // The input method sees every event first (compose sequences).
                if (XFilterEvent(&event, None)) {
                    continue;
                }
                if (!Handle(event)) {
                    return 0;
                }
            }
            pollfd fds[2] = {{ConnectionNumber(display_), POLLIN, 0},
                             {stdinOpen ? 0 : -1, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 && errno != EINTR) {
                return 1;
            }
            if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
                char buffer[256];
                ssize_t got = read(0, buffer, sizeof buffer);
                if (got <= 0) {
                    stdinOpen = false;
                    continue;
                }
                command.append(buffer, static_cast<std::size_t>(got));
                std::size_t end;
                while ((end = command.find('\n')) != std::string::npos) {
                    std::string line = command.substr(0, end);
                    command.erase(0, end + 1);
                    if (line == "QUIT") {
                        return 0;
                    }
                    if (line == "CLEAR") {
                        text_.clear();
                        Emit("TEXT " + HexEncode(text_));
                    }
                }
            }
            // Events already read from the socket by Xlib sit in its queue; XPending above
            // picks them up, so reading the socket here is not needed.
        }
    }

private:
    void OpenInputContext() {
        inputMethod_ = XOpenIM(display_, nullptr, nullptr, nullptr);
        if (inputMethod_ == nullptr) {
            return;
        }
        inputContext_ = XCreateIC(inputMethod_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                                  XNClientWindow, window_, XNFocusWindow, window_, nullptr);
    }

    // False when the probe should end.
    bool Handle(XEvent& event) {
        switch (event.type) {
        case MapNotify:
            ReportGeometry();
            if (!readyReported_) {
                readyReported_ = true;
                Emit("READY " + std::to_string(window_));
            }
            break;
        case ConfigureNotify:
            if (event.xconfigure.window == window_) {
                ReportGeometry();
            }
            break;
        case FocusIn:
        case FocusOut:
            // Grab and pointer notifications do not move the keyboard focus away.
            if (event.xfocus.mode == NotifyGrab || event.xfocus.mode == NotifyUngrab ||
                event.xfocus.detail == NotifyPointer || event.xfocus.detail == NotifyInferior) {
                break;
            }
            SetFocus(event.type == FocusIn);
            break;
        case KeyPress:
            HandleKeyPress(event.xkey);
            break;
        case KeyRelease: {
            KeySym keysym = XLookupKeysym(&event.xkey, 0);
            char buffer[8];
            XLookupString(&event.xkey, buffer, sizeof buffer, &keysym, nullptr);
            Emit("KEYUP " + std::to_string(event.xkey.keycode) + " " + KeysymName(keysym) + " " +
                 StateHex(event.xkey.state) + " -");
            break;
        }
        case ButtonPress:
        case ButtonRelease:
            Emit(std::string(event.type == ButtonPress ? "BUTTON " : "BUTTONUP ") +
                 std::to_string(event.xbutton.button) + " " + std::to_string(event.xbutton.x) +
                 " " + std::to_string(event.xbutton.y) + " " +
                 std::to_string(event.xbutton.x_root) + " " + std::to_string(event.xbutton.y_root));
            break;
        case SelectionNotify:
            if (event.xselection.property != None) {
                TakePaste();
            }
            break;
        case ClientMessage:
            if (static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) {
                return false;
            }
            if (static_cast<Atom>(event.xclient.data.l[0]) == ping_) {
                Emit("PING " + std::to_string(++pings_));
            }
            break;
        default:
            break;
        }
        return true;
    }

    void SetFocus(bool focused) {
        if (inputContext_ != nullptr) {
            focused ? XSetICFocus(inputContext_) : XUnsetICFocus(inputContext_);
        }
        if (focused != focused_) {
            focused_ = focused;
            Emit(focused ? "FOCUS 1" : "FOCUS 0");
        }
    }

    void HandleKeyPress(XKeyEvent& key) {
        std::string text;
        KeySym keysym = NoSymbol;
        if (inputContext_ != nullptr) {
            char buffer[64];
            Status status = 0;
            int length =
                Xutf8LookupString(inputContext_, &key, buffer, sizeof buffer - 1, &keysym, &status);
            if (status == XBufferOverflow) {
                std::string big(static_cast<std::size_t>(length) + 1, '\0');
                length = Xutf8LookupString(inputContext_, &key, big.data(),
                                           static_cast<int>(big.size()) - 1, &keysym, &status);
                text.assign(big.data(), static_cast<std::size_t>(std::max(length, 0)));
            } else if (status == XLookupChars || status == XLookupBoth) {
                text.assign(buffer, static_cast<std::size_t>(length));
            }
            if (status != XLookupKeySym && status != XLookupBoth) {
                keysym = XLookupKeysym(&key, 0);
            }
        } else {
            char buffer[64];
            int length = XLookupString(&key, buffer, sizeof buffer, &keysym, nullptr);
            text.assign(buffer, static_cast<std::size_t>(std::max(length, 0)));
        }
        Emit("KEY " + std::to_string(key.keycode) + " " + KeysymName(keysym) + " " +
             StateHex(key.state) + " " + HexEncode(text));

        bool changed = true;
        if ((key.state & ControlMask) != 0 && (keysym == XK_v || keysym == XK_V)) {
            XConvertSelection(display_, clipboard_, utf8_, pasted_, window_, key.time);
            changed = false;
        } else if (keysym == XK_Return || keysym == XK_KP_Enter || keysym == XK_ISO_Enter) {
            text_ += '\n';
        } else if (keysym == XK_BackSpace) {
            changed = !text_.empty();
            RemoveLastCharacter(text_);
        } else if (keysym == XK_Tab) {
            text_ += '\t';
        } else if (IsPrintable(text)) {
            text_ += text;
        } else {
            changed = false;
        }
        if (changed) {
            Emit("TEXT " + HexEncode(text_));
        }
    }

    void TakePaste() {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display_, window_, pasted_, 0, 1L << 22, True, AnyPropertyType,
                               &type, &format, &items, &after, &data) == Success &&
            format == 8 && data != nullptr) {
            text_.append(reinterpret_cast<const char*>(data), items);
            Emit("TEXT " + HexEncode(text_));
        }
        if (data != nullptr) {
            XFree(data);
        }
    }

    void ReportGeometry() {
        Window child = None;
        int x = 0;
        int y = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
        XWindowAttributes attributes{};
        XGetWindowAttributes(display_, window_, &attributes);
        std::string geometry = std::to_string(x) + " " + std::to_string(y) + " " +
                               std::to_string(attributes.width) + " " +
                               std::to_string(attributes.height);
        if (geometry != geometry_) {
            geometry_ = geometry;
            Emit("GEOMETRY " + geometry);
        }
    }

    ::Display* display_;
    Window window_ = None;
    Atom deleteWindow_ = None;
    Atom ping_ = None;
    int pings_ = 0;
    Atom clipboard_ = None;
    Atom utf8_ = None;
    Atom pasted_ = None;
    XIM inputMethod_ = nullptr;
    XIC inputContext_ = nullptr;
    std::string text_;
    std::string geometry_;
    bool readyReported_ = false;
    bool focused_ = false;
};

} // namespace

int main(int argc, char** argv) {
    std::string title;
    std::string geometry;
    bool silentPings = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--geometry" && i + 1 < argc) {
            geometry = argv[++i];
        } else if (arg == "--silent-pings") {
            silentPings = true;
        } else {
            title = arg;
        }
    }
    if (title.empty()) {
        std::fprintf(stderr,
                     "usage: orvane_xprobe [--geometry WxH+X+Y] [--silent-pings] <title>\n");
        return 2;
    }
    // Text must come out as UTF-8 whatever locale the probe was started in.
    if (std::setlocale(LC_ALL, "") == nullptr || !XSupportsLocale() ||
        std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_ALL, "C.UTF-8");
    }
    // The built-in input method: compose sequences work, no input method server is involved.
    XSetLocaleModifiers("@im=none");
    ::Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "orvane_xprobe: cannot open display\n");
        return 1;
    }
    int result = 0;
    {
        Probe probe(display, title, geometry, silentPings);
        result = probe.Run();
    }
    XCloseDisplay(display);
    return result;
}
