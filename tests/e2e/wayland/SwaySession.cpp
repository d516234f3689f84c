// SPDX-License-Identifier: GPL-3.0-or-later
#include "SwaySession.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <pwd.h>
#include <stdexcept>
#include <unistd.h>

namespace orvane::e2e {
namespace fs = std::filesystem;
namespace {

constexpr const char* kFolderPrefix = "orvane-sway-";

// Both ends of a pipe, close-on-exec.
std::pair<int, int> Pipe() {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    }
    return {ends[0], ends[1]};
}

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
    dirs += ":/usr/sbin:/sbin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) {
            end = dirs.size();
        }
        fs::path candidate = fs::path(dirs.substr(start, end - start)) / program;
        if (end > start && access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// A test killed by SIGKILL (a CTest timeout) leaves its folder; the next session removes the
// folders whose owning process is gone.
void RemoveAbandonedFolders() {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/tmp", ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind(kFolderPrefix, 0) != 0) {
            continue;
        }
        long pid = std::strtol(name.c_str() + std::strlen(kFolderPrefix), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            fs::remove_all(entry.path(), ec);
        }
    }
}

// The first socket of `prefix` in `dir` (the lock files beside them left out).
std::optional<fs::path> SocketIn(const fs::path& dir, const std::string& prefix,
                                 const std::string& suffix = "") {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && entry.is_socket(ec) &&
            (suffix.empty() || name.ends_with(suffix))) {
            return entry.path();
        }
    }
    return std::nullopt;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Int(const nlohmann::json& node, const char* key) {
    auto found = node.find(key);
    return found != node.end() && found->is_number() ? found->get<int>() : 0;
}

std::string String(const nlohmann::json& node, const char* key) {
    auto found = node.find(key);
    return found != node.end() && found->is_string() ? found->get<std::string>() : std::string();
}

void CollectWindows(const nlohmann::json& node, std::vector<SwayWindow>& windows) {
    // Views carry the shell they were made by; split containers and workspaces do not.
    if (node.contains("shell")) {
        SwayWindow window;
        window.id = node.value("id", 0L);
        window.pid = static_cast<pid_t>(Int(node, "pid"));
        window.title = String(node, "name");
        window.appId = String(node, "app_id");
        window.focused = node.value("focused", false);
        const auto& rect = node.value("rect", nlohmann::json::object());
        const auto& inner = node.value("window_rect", nlohmann::json::object());
        window.content = {Int(rect, "x") + Int(inner, "x"), Int(rect, "y") + Int(inner, "y"),
                          Int(inner, "width"), Int(inner, "height")};
        windows.push_back(window);
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        if (auto found = node.find(children); found != node.end() && found->is_array()) {
            for (const auto& child : *found) {
                CollectWindows(child, windows);
            }
        }
    }
}

} // namespace

std::vector<SwayWindow> WindowsOfTree(const nlohmann::json& tree) {
    std::vector<SwayWindow> windows;
    if (tree.is_object()) {
        CollectWindows(tree, windows);
    }
    return windows;
}

const std::vector<std::string>& SwaySession::BoundKeys() {
    static const std::vector<std::string> keys = {"Ctrl+Alt+F7", "Mod4+Shift+F8"};
    return keys;
}

std::string SwaySession::Unavailable() {
    std::vector<std::string> needed = {"sway", "swaymsg", "foot", "wtype"};
    if (geteuid() == 0) {
        needed.insert(needed.end(), {"runuser", "useradd"});
    }
    std::string missing;
    for (const auto& program : needed) {
        if (!OnPath(program)) {
            missing += (missing.empty() ? "" : ", ") + program;
        }
    }
    if (missing.empty()) {
        return {};
    }
    return "no headless sway session can be had here (missing: " + missing +
           "; tools/install-deps test installs sway, foot and wtype)";
}

SwaySession::SwaySession(SwaySessionOptions options) : options_(options) {
    // A helper that dies while the harness writes to it must give an error, not kill the test.
    std::signal(SIGPIPE, SIG_IGN);
    RemoveAbandonedFolders();
    std::string pattern =
        "/tmp/" + std::string(kFolderPrefix) + std::to_string(getpid()) + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a session folder: " +
                                 std::string(std::strerror(errno)));
    }
    folder_ = pattern;
    try {
        // sway runs as another user and must reach its configuration through this folder.
        fs::permissions(folder_,
                        fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        PrepareUser();
        WriteConfig();
        StartCompositor();
        StartDevices();
    } catch (...) {
        Shutdown();
        throw;
    }
}

SwaySession::~SwaySession() {
    SaveScreenshotOfFailure();
    Shutdown();
}

void SwaySession::Shutdown() {
    StopCompositor();
    if (!folder_.empty()) {
        std::error_code ec;
        fs::remove_all(folder_, ec);
        folder_.clear();
    }
}

void SwaySession::StopCompositor() {
    for (int* fd : {&keyboardInput_, &pointerInput_, &pointerOutput_}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
    // End of input ends both devices; stopping them before sway spares it a client gone astray.
    for (auto* child : {&keyboard_, &pointer_, &sway_}) {
        if (*child) {
            (*child)->Stop();
            child->reset();
        }
    }
}

void SwaySession::PrepareUser() {
    swayRuntime_ = folder_ / "sway-runtime";
    fs::create_directories(swayRuntime_);
    fs::permissions(swayRuntime_, fs::perms::owner_all, fs::perm_options::replace);
    if (geteuid() != 0) {
        return; // sway runs as ourselves
    }
    // Parallel tests may race to create the user: whoever loses finds it made.
    if (getpwnam(kUser) == nullptr) {
        CommandResult made = RunCommand(
            {"useradd", "--system", "--create-home", "--shell", "/usr/sbin/nologin", kUser},
            CurrentEnvironment());
        if (!made.Succeeded() && getpwnam(kUser) == nullptr) {
            throw std::runtime_error("cannot create the user " + std::string(kUser) +
                                     " that runs sway: " + made.Describe());
        }
    }
    const passwd* user = getpwnam(kUser);
    if (user == nullptr || chown(swayRuntime_.c_str(), user->pw_uid, user->pw_gid) != 0) {
        throw std::runtime_error("cannot give " + swayRuntime_.string() + " to " + kUser);
    }
}

void SwaySession::WriteConfig() {
    std::ofstream config(folder_ / "sway.conf");
    config << "xwayland disable\n"
           << "output HEADLESS-1 resolution " << options_.width << "x" << options_.height
           << " position 0 0\n" // where it stays when a test adds a second output
           << (options_.borders ? "default_border normal\n"
                                : "default_border none\ndefault_floating_border none\n")
           << "focus_follows_mouse no\n";
    for (const auto& key : BoundKeys()) {
        config << "bindsym " << key << " nop taken-by-the-session\n";
    }
    config << options_.extraConfig;
    config.close();
    fs::permissions(folder_ / "sway.conf",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read,
                    fs::perm_options::replace);
}

void SwaySession::StartCompositor() {
    Environment swayEnv;
    swayEnv["PATH"] = "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin";
    swayEnv["HOME"] = swayRuntime_.string(); // runuser puts the user's own home in its place
    swayEnv["XDG_RUNTIME_DIR"] = swayRuntime_.string();
    swayEnv["WLR_BACKENDS"] = "headless";
    swayEnv["WLR_LIBINPUT_NO_DEVICES"] = "1";
    swayEnv["WLR_RENDERER"] = "pixman";
    swayEnv["LC_ALL"] = "C.UTF-8";
    std::vector<std::string> argv = {"sway", "-c", (folder_ / "sway.conf").string()};
    if (geteuid() == 0) {
        argv.insert(argv.begin(), {"runuser", "-u", kUser, "--"});
    }
    sway_ = StartLogged(argv, swayEnv, folder_ / "sway.log");

    std::optional<fs::path> display;
    std::optional<fs::path> ipc;
    bool up = WaitFor(
        [&] {
            if (!sway_->Running()) {
                return true;
            }
            display = SocketIn(swayRuntime_, "wayland-");
            ipc = SocketIn(swayRuntime_, "sway-ipc.", ".sock");
            return display && ipc;
        },
        options_.startTimeout);
    if (!up || !display || !ipc) {
        throw std::runtime_error(std::string("sway did not ") +
                                 (up ? "stay up" : "open its sockets") + ". " + Logs());
    }

    env_ = PrivateEnvironment(folder_);
    env_["WAYLAND_DISPLAY"] = display->string();
    env_["SWAYSOCK"] = ipc->string();
    env_["XDG_SESSION_TYPE"] = "wayland";
    env_["QT_QPA_PLATFORM"] = "wayland";

    Deadline deadline(options_.startTimeout);
    if (!WaitFor(
            [&] {
                return Swaymsg({"-t", "get_version"}).Succeeded();
            },
            std::chrono::milliseconds(deadline.RemainingMs()))) {
        throw std::runtime_error("sway does not answer on " + ipc->string() + ". " + Logs());
    }
}

void SwaySession::StartDevices() {
    // The keyboard: wtype reading a pipe that nothing is written to holds its virtual keyboard
    // until the pipe is closed.
    auto [keyboardRead, keyboardWrite] = Pipe();
    keyboardInput_ = keyboardWrite;
    SpawnOptions keyboard;
    keyboard.argv = {"wtype", "-"};
    keyboard.env = env_;
    keyboard.stdinFd = keyboardRead;
    try {
        keyboard_ = std::make_unique<ChildProcess>(keyboard);
    } catch (...) {
        close(keyboardRead);
        throw;
    }
    close(keyboardRead);

    auto [pointerRead, pointerWrite] = Pipe();
    auto [answerRead, answerWrite] = Pipe();
    pointerInput_ = pointerWrite;
    pointerOutput_ = answerRead;
    SpawnOptions pointer;
    pointer.argv = {ORVANE_E2E_WLPOINTER};
    pointer.env = env_;
    pointer.stdinFd = pointerRead;
    pointer.stdoutFd = answerWrite;
    try {
        pointer_ = std::make_unique<ChildProcess>(pointer);
    } catch (...) {
        close(pointerRead);
        close(answerWrite);
        throw;
    }
    close(pointerRead);
    close(answerWrite);
    if (auto ready = Pointer(""); !ready) {
        throw std::runtime_error("the virtual pointer did not start: " +
                                 std::string(ready.message()));
    }
    bool keyboardIn = WaitFor(
        [&] {
            if (!keyboard_->Running()) {
                return true;
            }
            auto inputs =
                nlohmann::json::parse(Swaymsg({"-t", "get_inputs", "-r"}).out, nullptr, false);
            return inputs.is_array() &&
                   std::any_of(inputs.begin(), inputs.end(), [](const nlohmann::json& input) {
                       return String(input, "type") == "keyboard";
                   });
        },
        options_.startTimeout);
    if (!keyboardIn || !keyboard_->Running()) {
        throw std::runtime_error("wtype's keyboard did not join the seat. " + Logs());
    }
}

std::string SwaySession::Logs() const {
    std::string log = Slurp(folder_ / "sway.log");
    if (log.size() > 4000) {
        log = "..." + log.substr(log.size() - 4000);
    }
    return "sway's messages:\n" + log;
}

CommandResult SwaySession::Swaymsg(const std::vector<std::string>& args,
                                   std::chrono::milliseconds timeout) const {
    std::vector<std::string> argv = {"swaymsg"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, env_, timeout);
}

std::vector<SwayWindow> SwaySession::Windows() const {
    CommandResult tree = Swaymsg({"-t", "get_tree", "-r"});
    if (!tree.Succeeded()) {
        return {};
    }
    return WindowsOfTree(nlohmann::json::parse(tree.out, nullptr, false));
}

std::optional<SwayWindow> SwaySession::FindWindow(const std::string& title) const {
    for (const auto& window : Windows()) {
        if (window.title == title) {
            return window;
        }
    }
    return std::nullopt;
}

std::optional<SwayWindow> SwaySession::WaitForWindow(const std::string& title,
                                                     std::chrono::milliseconds timeout) {
    std::optional<SwayWindow> found;
    WaitFor([&] { return (found = FindWindow(title)).has_value(); }, timeout,
            std::chrono::milliseconds(50));
    return found;
}

::testing::AssertionResult SwaySession::Focus(const std::string& title,
                                              std::chrono::milliseconds timeout) {
    Deadline deadline(timeout);
    std::optional<SwayWindow> window = WaitForWindow(title, timeout);
    if (!window) {
        return ::testing::AssertionFailure() << "no window \"" << title << "\" in sway's tree";
    }
    CommandResult focused = Swaymsg({"[con_id=" + std::to_string(window->id) + "]", "focus"},
                                    std::chrono::milliseconds(deadline.RemainingMs()));
    if (!focused.Succeeded()) {
        return ::testing::AssertionFailure() << focused.Describe();
    }
    return WaitForFocused(title, std::chrono::milliseconds(deadline.RemainingMs()));
}

::testing::AssertionResult SwaySession::WaitForFocused(const std::string& title,
                                                       std::chrono::milliseconds timeout) {
    std::string focusedTitle;
    bool done = WaitFor(
        [&] {
            focusedTitle.clear();
            for (const auto& window : Windows()) {
                if (window.focused) {
                    focusedTitle = window.title;
                }
            }
            return focusedTitle == title;
        },
        timeout, std::chrono::milliseconds(50));
    if (done) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "sway focuses \"" << focusedTitle << "\", not \"" << title << "\"";
}

::testing::AssertionResult SwaySession::Wtype(std::vector<std::string> args) {
    args.insert(args.begin(), "wtype");
    CommandResult typed = RunCommand(args, env_);
    if (typed.Succeeded()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << typed.Describe();
}

::testing::AssertionResult SwaySession::TypeText(const std::string& text) {
    return Wtype({"--", text});
}

::testing::AssertionResult SwaySession::StrikeKey(const std::vector<std::string>& modifiers,
                                                  const std::string& key) {
    std::vector<std::string> args;
    for (const auto& modifier : modifiers) {
        args.insert(args.end(), {"-M", modifier});
    }
    args.insert(args.end(), {"-k", key});
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
        args.insert(args.end(), {"-m", *modifier});
    }
    return Wtype(args);
}

::testing::AssertionResult SwaySession::Pointer(const std::string& command) {
    if (!command.empty()) {
        std::string line = command + "\n";
        if (write(pointerInput_, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            return ::testing::AssertionFailure() << "the virtual pointer has gone";
        }
    }
    // One answer line per command ("READY" for the start).
    std::string answer;
    Deadline deadline(kDefaultTimeout);
    while (answer.empty() || answer.back() != '\n') {
        pollfd pfd{pointerOutput_, POLLIN, 0};
        if (poll(&pfd, 1, deadline.RemainingMs()) <= 0) {
            return ::testing::AssertionFailure()
                   << "the virtual pointer did not answer \"" << command << "\"";
        }
        char c;
        if (read(pointerOutput_, &c, 1) != 1) {
            return ::testing::AssertionFailure() << "the virtual pointer ended. " << Logs();
        }
        answer += c;
    }
    answer.pop_back();
    if (answer == "OK" || (command.empty() && answer == "READY")) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "the virtual pointer answered \"" << answer << "\" to \"" << command << "\"";
}

::testing::AssertionResult SwaySession::MovePointer(int x, int y) {
    return Pointer("move " + std::to_string(x) + " " + std::to_string(y) + " " +
                   std::to_string(options_.width) + " " + std::to_string(options_.height));
}

::testing::AssertionResult SwaySession::Click(int x, int y, int button) {
    if (auto moved = MovePointer(x, y); !moved) {
        return moved;
    }
    if (auto pressed = Pointer("press " + std::to_string(button)); !pressed) {
        return pressed;
    }
    return Pointer("release " + std::to_string(button));
}

void SwaySession::SaveScreenshotOfFailure() const {
    const char* dir = std::getenv("ORVANE_E2E_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0' || !sway_ || screenshotSaved_ ||
        !::testing::Test::HasFailure()) {
        return;
    }
    screenshotSaved_ = true;
    std::string test = "sway";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        test = std::string(info->test_suite_name()) + "." + info->name();
    }
    for (char& c : test) {
        c = c == '/' ? '_' : c;
    }
    std::error_code ec;
    fs::create_directories(dir, ec);
    fs::path png = fs::path(dir) / (test + "-sway.png");
    if (Screenshot(png)) {
        std::fprintf(stderr, "Screenshot of sway: %s\n", png.c_str());
    }
}

bool SwaySession::Screenshot(const fs::path& png) const {
    try {
        return RunCommand({"grim", png.string()}, env_).Succeeded();
    } catch (...) {
        return false; // no grim
    }
}

} // namespace orvane::e2e
