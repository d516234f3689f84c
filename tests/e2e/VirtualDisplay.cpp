// SPDX-License-Identifier: GPL-3.0-or-later
#include "VirtualDisplay.h"

#include "Xdotool.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderPrefix = "orvane-e2e-";

// A test killed by SIGKILL (a CTest timeout) cannot remove its private folder; the next display
// removes the folders whose owning process is gone.
void RemoveAbandonedFolders(const fs::path& tmp) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(tmp, ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind(kFolderPrefix, 0) != 0) {
            continue;
        }
        std::string rest = name.substr(std::strlen(kFolderPrefix));
        char* end = nullptr;
        long pid = std::strtol(rest.c_str(), &end, 10);
        if (end == rest.c_str() || *end != '-' || pid <= 0) {
            continue;
        }
        if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            fs::remove_all(entry.path(), ec);
        }
    }
}

fs::path MakePrivateFolder() {
    fs::path tmp = "/tmp";
    if (const char* dir = std::getenv("TMPDIR"); dir != nullptr && *dir != '\0') {
        tmp = dir;
    }
    RemoveAbandonedFolders(tmp);
    std::string pattern =
        (tmp / (std::string(kFolderPrefix) + std::to_string(getpid()) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a private folder in " + tmp.string() + ": " +
                                 std::strerror(errno));
    }
    fs::path folder = pattern;
    for (const char* sub : {"home", "config", "data", "cache", "state", "runtime", "xdg"}) {
        fs::create_directories(folder / sub);
    }
    fs::permissions(folder / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    return folder;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

int OpenLog(const fs::path& path) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        throw std::runtime_error("cannot create " + path.string() + ": " + std::strerror(errno));
    }
    return fd;
}

// A configuration without key bindings (the stock ones grab Alt+Tab, Super+D and others that
// tests of hot keys need) and with only the mouse bindings that focus and raise a clicked window
// and move it by its title bar. Windows minimise and come back at once, without the animation
// that would take a click meant for a window coming back (as a user, far slower, never would).
constexpr const char* kOpenboxConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus>
    <focusNew>yes</focusNew>
    <followMouse>no</followMouse>
  </focus>
  <placement><policy>Smart</policy></placement>
  <desktops><number>1</number></desktops>
  <theme><animateIconify>no</animateIconify></theme>
  <keyboard></keyboard>
  <mouse>
    <context name="Frame">
      <mousebind button="A-Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Titlebar">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Drag"><action name="Move"/></mousebind>
    </context>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Middle" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Right" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
  </mouse>
  <menu><file>menu.xml</file></menu>
</openbox_config>
)";

constexpr const char* kOpenboxMenu = R"(<?xml version="1.0" encoding="UTF-8"?>
<openbox_menu xmlns="http://openbox.org/3.4/menu"></openbox_menu>
)";

int IgnoreXErrors(::Display*, XErrorEvent*) {
    return 0;
}

// The window the property names on `window`, or None.
Window ReadWindowProperty(::Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window result = None;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1) {
        result = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

// EWMH: a window manager is up when the root's _NET_SUPPORTING_WM_CHECK names a window whose own
// property names itself (a stale value left by a dead manager points at a window that is gone).
bool WindowManagerPresent(::Display* display) {
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    auto previous = XSetErrorHandler(IgnoreXErrors);
    Window child = ReadWindowProperty(display, DefaultRootWindow(display), check);
    bool present = child != None && ReadWindowProperty(display, child, check) == child;
    XSync(display, False);
    XSetErrorHandler(previous);
    return present;
}

} // namespace

VirtualDisplay::VirtualDisplay(VirtualDisplayOptions options) : options_(options) {
    // A probe that dies while the harness writes to it must give an error, not kill the test.
    std::signal(SIGPIPE, SIG_IGN);
    folder_ = MakePrivateFolder();
    try {
        StartServer();
        env_ = PrivateEnvironment(folder_);
        env_["DISPLAY"] = name_;
        env_["QT_QPA_PLATFORM"] = "xcb";
        if (options_.windowManager) {
            StartWindowManager();
            WaitForWindowManager();
        }
    } catch (...) {
        CloseControlConnection();
        windowManager_.Stop();
        server_.Stop();
        std::error_code ec;
        fs::remove_all(folder_, ec);
        throw;
    }
}

VirtualDisplay::~VirtualDisplay() {
    SaveScreenshotOfFailure();
    CloseControlConnection();
    windowManager_.Stop();
    server_.Stop();
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

void VirtualDisplay::CloseControlConnection() {
    // Closing a connection whose server has died would end in Xlib's fatal I/O error handler,
    // which exits the process: leave it to the process's end then.
    if (control_ != nullptr && server_.Running()) {
        XCloseDisplay(control_);
    }
    control_ = nullptr;
}

void VirtualDisplay::SaveScreenshotOfFailure() const {
    const char* dir = std::getenv("ORVANE_E2E_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0' || screenshotSaved_ || !::testing::Test::HasFailure()) {
        return;
    }
    screenshotSaved_ = true;
    std::string test = "display";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        test = std::string(info->test_suite_name()) + "." + info->name();
    }
    for (char& c : test) {
        if (c == '/') {
            c = '_';
        }
    }
    try {
        std::error_code ec;
        fs::create_directories(dir, ec);
        fs::path png = fs::path(dir) / (test + "-" + std::to_string(number_) + ".png");
        if (TakeScreenshot(*this, png)) {
            std::fprintf(stderr, "Screenshot of %s: %s\n", name_.c_str(), png.c_str());
        }
    } catch (...) {
        // A missing picture must not hide the failure it was meant to illustrate.
    }
}

std::string VirtualDisplay::Logs() const {
    std::string text = "Xvfb says: " + ReadFile(folder_ / "xvfb.log");
    if (options_.windowManager) {
        text += "\nopenbox says: " + ReadFile(folder_ / "openbox.log");
    }
    return text;
}

void VirtualDisplay::StartServer() {
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    int log = OpenLog(folder_ / "xvfb.log");
    SpawnOptions spawn;
    // The server writes the display number it chose to descriptor 3 once it accepts
    // connections, which is both the free-number search and the readiness signal.
    spawn.argv = {"Xvfb",
                  "-displayfd",
                  "3",
                  "-screen",
                  "0",
                  std::to_string(options_.width) + "x" + std::to_string(options_.height) + "x" +
                      std::to_string(options_.depth),
                  "-nolisten",
                  "tcp",
                  "-noreset"};
    spawn.env = CurrentEnvironment();
    spawn.stdoutFd = log;
    spawn.stderrFd = log;
    spawn.extraFd = ready[1];
    spawn.deathSignal = SIGTERM; // lets the server remove its lock file and socket
    try {
        server_ = ChildProcess(spawn);
    } catch (...) {
        close(ready[0]);
        close(ready[1]);
        close(log);
        throw;
    }
    close(ready[1]);
    close(log);

    std::string text;
    Deadline deadline(options_.startTimeout);
    while (text.find('\n') == std::string::npos) {
        pollfd fds[2] = {{ready[0], POLLIN, 0}, {server_.ExitFd(), POLLIN, 0}};
        int left = deadline.RemainingMs();
        if (left == 0) {
            break;
        }
        if (poll(fds, 2, server_.ExitFd() >= 0 ? left : std::min(left, 50)) < 0 && errno != EINTR) {
            break;
        }
        if ((fds[0].revents & (POLLIN | POLLHUP)) != 0) {
            char buffer[32];
            ssize_t got = read(ready[0], buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (!server_.Running()) {
            break;
        }
    }
    close(ready[0]);
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.find('\n') == std::string::npos || end == text.c_str() || number < 0) {
        throw std::runtime_error("Xvfb did not start. " + Logs());
    }
    number_ = static_cast<int>(number);
    name_ = ":" + std::to_string(number_);
}

void VirtualDisplay::StartWindowManager() {
    fs::path configDir = folder_ / "config" / "openbox";
    fs::create_directories(configDir);
    WriteFile(configDir / "rc.xml", kOpenboxConfig);
    WriteFile(configDir / "menu.xml", kOpenboxMenu);
    int log = OpenLog(folder_ / "openbox.log");
    SpawnOptions spawn;
    spawn.argv = {"openbox", "--sm-disable", "--config-file", (configDir / "rc.xml").string()};
    spawn.env = env_;
    // Only our own folders: no system-wide autostart or menu, nothing of the user's.
    spawn.env["XDG_CONFIG_DIRS"] = (folder_ / "xdg").string();
    spawn.stdoutFd = log;
    spawn.stderrFd = log;
    try {
        windowManager_ = ChildProcess(spawn);
    } catch (...) {
        close(log);
        throw;
    }
    close(log);
}

void VirtualDisplay::WaitForWindowManager() {
    control_ = XOpenDisplay(name_.c_str());
    ::Display* display = control_;
    if (display == nullptr) {
        throw std::runtime_error("cannot connect to " + name_ + ". " + Logs());
    }
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, PropertyChangeMask);
    XSync(display, False);
    Deadline deadline(options_.startTimeout);
    // Serves the events that arrived, then blocks until more arrive, the window manager exits or
    // `sliceMs` passes. Throws when the manager died or the start-up limit has passed.
    auto waitForEvents = [&](int sliceMs) {
        if (!windowManager_.Running()) {
            throw std::runtime_error("openbox ended at start-up. " + Logs());
        }
        int left = deadline.RemainingMs();
        if (left == 0) {
            throw std::runtime_error("openbox did not take over " + name_ + ". " + Logs());
        }
        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0},
                         {windowManager_.ExitFd(), POLLIN, 0}};
        // Without an exit descriptor, short slices notice the manager's exit.
        int slice = windowManager_.ExitFd() >= 0 ? sliceMs : std::min(sliceMs, 50);
        poll(fds, 2, std::min(left, slice));
    };

    // First the announcement: the root's PropertyNotify wakes us when it is made.
    while (!WindowManagerPresent(display)) {
        waitForEvents(1 << 30);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }

    // The announcement comes before openbox's start-up ends, and a window mapped in between
    // was seen to stay unmapped for good (its map request dropped). So map a window of our own
    // until openbox frames it; it then handles requests as it will for every test window.
    Window canary = XCreateSimpleWindow(display, root, 0, 0, 16, 16, 0, 0, 0);
    XSelectInput(display, canary, StructureNotifyMask);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = False; // never takes the focus from anyone
    XSetWMHints(display, canary, &hints);
    bool managed = false;
    while (!managed) {
        XUnmapWindow(display, canary);
        XMapWindow(display, canary);
        XFlush(display);
        // A dropped request never gets an answer: map again after a while.
        Deadline retry(std::chrono::milliseconds(100));
        while (!managed && !retry.Passed()) {
            waitForEvents(retry.RemainingMs());
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == ReparentNotify && event.xreparent.window == canary) {
                    managed = true;
                }
            }
        }
    }

    // Gone again before the tests look at the window list.
    Atom clientList = XInternAtom(display, "_NET_CLIENT_LIST", False);
    XDestroyWindow(display, canary);
    XSync(display, False);
    auto listed = [&] {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        bool found = false;
        if (XGetWindowProperty(display, root, clientList, 0, 4096, False, XA_WINDOW, &type, &format,
                               &count, &after, &data) == Success &&
            type == XA_WINDOW && format == 32) {
            auto* windows = reinterpret_cast<unsigned long*>(data);
            for (unsigned long i = 0; i < count; ++i) {
                found = found || windows[i] == canary;
            }
        }
        if (data != nullptr) {
            XFree(data);
        }
        return found;
    };
    while (listed()) {
        waitForEvents(1 << 30);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }
    // The connection stays open but idle: no events are to pile up in it.
    XSelectInput(display, root, NoEventMask);
    XSync(display, True);
}

} // namespace orvane::e2e
