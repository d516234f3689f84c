// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sway/SwayHotKeys.h"

#include "platform/sway/SwayTree.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <charconv>

namespace orvane {
namespace {

constexpr std::string_view CommandPrefix = "nop orvane ";
constexpr std::string_view AbortWord = "abort";

std::string UnbindArguments(const SwayBinding& binding) {
    return binding.Flags.empty() ? binding.Combination : binding.Flags + " " + binding.Combination;
}

SwayBinding AbortBinding() {
    return {"Pause", "", SwayKey{0, XKB_KEY_Pause, 0}};
}

} // namespace

std::unique_ptr<SwayHotKeys> SwayHotKeys::Open(bool trace, std::string& error) {
    return OpenAt(SwayConnection::SocketPathFromEnvironment(), BindingRecord::DefaultPath(), trace,
                  error);
}

std::unique_ptr<SwayHotKeys> SwayHotKeys::OpenAt(const std::string& socketPath,
                                                 const std::string& recordPath, bool trace,
                                                 std::string& error) {
    std::unique_ptr<SwayConnection> connection =
        SwayConnection::Open(socketPath, {"binding", "workspace", "window"}, error);
    if (!connection) {
        return nullptr;
    }
    std::unique_ptr<SwayHotKeys> hotKeys(
        new SwayHotKeys(std::move(connection), BindingRecord(recordPath), trace));
    hotKeys->ReadConfig();
    hotKeys->RemoveLeftovers();
    return hotKeys;
}

SwayHotKeys::SwayHotKeys(std::unique_ptr<SwayConnection> connection, BindingRecord record,
                         bool trace)
    : connection_(std::move(connection)), record_(std::move(record)), trace_(trace) {
    connection_->SetEventHandler([this](const IpcMessage& event) { HandleEvent(event); });
}

SwayHotKeys::~SwayHotKeys() {
    for (const auto& [code, binding] : bound_) {
        Unbind(binding);
    }
    if (abortBound_) {
        Unbind(*abortBound_);
    }
    bound_.clear();
    abortBound_.reset();
    Record();
}

void SwayHotKeys::RemoveLeftovers() {
    for (const std::string& line : record_.Read()) {
        // The config may bind the combination by now: that binding is the user's, not ours.
        const auto space = line.rfind(' ');
        const auto key = ParseSwayKey(space == std::string::npos ? line : line.substr(space + 1));
        if (key && std::find(configKeys_.begin(), configKeys_.end(), *key) != configKeys_.end()) {
            continue;
        }
        connection_->Command("unbindsym " + line);
    }
    record_.Write({});
}

void SwayHotKeys::ReadConfig() {
    const std::optional<std::string> reply = connection_->Request(IpcType::GetConfig, "");
    configKeys_ = reply ? ConfigBindings(ConfigTextOf(*reply)) : std::vector<SwayKey>{};
}

void SwayHotKeys::Sync() {
    std::map<std::uint16_t, SwayBinding> wanted;
    std::vector<std::uint16_t> unavailable;
    const auto bindable = [this](const SwayBinding& binding) {
        return std::find(configKeys_.begin(), configKeys_.end(), binding.Key) == configKeys_.end();
    };
    for (std::uint16_t code = 0; code < HotKeyCount; ++code) {
        if (!keysInUse_[code]) {
            continue;
        }
        const std::optional<SwayBinding> binding = SwayBindingOf(code);
        if (!binding || !bindable(*binding)) {
            unavailable.push_back(code);
            continue;
        }
        const bool hooked = binding->Key.Button != 0 ? mouseHooked_ : keyboardHooked_;
        if (hooked && !inUse_) {
            wanted.emplace(code, *binding);
        }
    }
    unavailable_ = std::move(unavailable);

    for (auto it = bound_.begin(); it != bound_.end();) {
        if (wanted.count(it->first) == 0) {
            Unbind(it->second);
            it = bound_.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& [code, binding] : wanted) {
        if (bound_.count(code) == 0 &&
            Bind(binding, std::string(CommandPrefix) + std::to_string(code))) {
            bound_.emplace(code, binding);
        }
    }
    const bool wantAbort = inUse_ && bindable(AbortBinding());
    if (wantAbort && !abortBound_) {
        if (Bind(AbortBinding(), std::string(CommandPrefix) + std::string(AbortWord))) {
            abortBound_ = AbortBinding();
        }
    } else if (!wantAbort && abortBound_) {
        Unbind(*abortBound_);
        abortBound_.reset();
    }
    Record();
    Trace("bound " + std::to_string(bound_.size()) + " unavailable " +
          std::to_string(unavailable_.size()));
}

bool SwayHotKeys::Bind(const SwayBinding& binding, const std::string& command) {
    std::string text = "bindsym --no-repeat ";
    if (!binding.Flags.empty()) {
        text += binding.Flags + " ";
    }
    const std::vector<CommandResult> results =
        connection_->Command(text + binding.Combination + " " + command);
    return !results.empty() && results.front().Success;
}

void SwayHotKeys::Unbind(const SwayBinding& binding) {
    connection_->Command("unbindsym " + UnbindArguments(binding));
}

void SwayHotKeys::Record() {
    std::vector<std::string> lines;
    for (const auto& [code, binding] : bound_) {
        lines.push_back(UnbindArguments(binding));
    }
    if (abortBound_) {
        lines.push_back(UnbindArguments(*abortBound_));
    }
    record_.Write(lines);
}

std::vector<std::string> SwayHotKeys::BoundCombinations() const {
    std::vector<std::string> combinations;
    for (const auto& [code, binding] : bound_) {
        combinations.push_back(binding.Combination);
    }
    if (abortBound_) {
        combinations.push_back(abortBound_->Combination);
    }
    return combinations;
}

void SwayHotKeys::ProcessEvents() {
    connection_->ProcessEvents();
    while (!pending_.empty()) {
        const HookMessage message = pending_.front();
        pending_.pop_front();
        if (receiver_ != nullptr) {
            receiver_->Receive(message);
        }
        connection_->ProcessEvents();
    }
}

void SwayHotKeys::HandleEvent(const IpcMessage& event) {
    if (event.Type == IpcType::BindingEvent) {
        HandleBinding(BindingCommandOf(event.Payload));
    } else if (event.Type == IpcType::WorkspaceEvent && EventChangeOf(event.Payload) == "reload") {
        // The reload dropped every run-time binding, and the config may bind other keys now.
        Trace("reload");
        bound_.clear();
        abortBound_.reset();
        ReadConfig();
        Sync();
    } else if (event.Type == IpcType::WindowEvent) {
        // Another window in front: program-specific macros look at its program.
        if (const auto focused = FocusedContainerOf(event.Payload); focused && *focused > 0) {
            Post(HookMessageId::UM_PROGCHANGED, static_cast<std::uint64_t>(*focused), 0);
        }
    }
}

void SwayHotKeys::HandleBinding(const std::string& command) {
    if (!command.starts_with(CommandPrefix)) {
        return;
    }
    const std::string_view word = std::string_view(command).substr(CommandPrefix.size());
    if (word == AbortWord) {
        if (inUse_) {
            Trace("abort");
            Post(HookMessageId::UM_ABORT, 0, 0);
        }
        return;
    }
    std::uint16_t code = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), code);
    // Only what this object bound counts: another run's binding is not ours to answer.
    if (error != std::errc() || end != word.data() + word.size() || bound_.count(code) == 0) {
        return;
    }
    if (secondWindowOn_) {
        Post(HookMessageId::UM_KEYPICK, code, 0, secondWindow_);
        Trace("keypick " + std::to_string(code));
        return;
    }
    Trace("hotkey " + std::to_string(code));
    Post(HookMessageId::UM_HOTKEY, code, static_cast<std::int64_t>(FocusedWindow()));
}

WindowId SwayHotKeys::FocusedWindow() {
    const std::optional<std::string> tree = connection_->Request(IpcType::GetTree, "");
    if (!tree) {
        return NoWindow;
    }
    for (const CompositorWindow& window : WindowsOfTree(*tree)) {
        if (window.Focused) {
            return window.Id;
        }
    }
    return NoWindow;
}

void SwayHotKeys::Post(HookMessageId id, std::uint64_t wParam, std::int64_t lParam,
                       std::uint32_t window) {
    pending_.push_back({id, wParam, lParam, window != 0 ? window : mainWindow_});
}

void SwayHotKeys::Trace(const std::string& line) {
    if (!trace_) {
        return;
    }
    for (const char c : line) {
        Post(HookMessageId::UM_TRACE, 0, static_cast<unsigned char>(c));
    }
    Post(HookMessageId::UM_TRACE, 0, 0);
}

void SwayHotKeys::EndMark() {
    inUse_ = false;
    Trace("end");
    Sync();
}

HookHandle SwayHotKeys::OrvHookKeyboard() {
    keyboardHooked_ = true;
    Sync();
    return KeyboardHandle;
}

HookHandle SwayHotKeys::OrvHookMouse() {
    mouseHooked_ = true;
    Sync();
    return MouseHandle;
}

void SwayHotKeys::OrvUnHook(HookHandle hook) {
    if (hook == KeyboardHandle) {
        keyboardHooked_ = false;
        Sync();
    } else if (hook == MouseHandle) {
        mouseHooked_ = false;
        Sync();
    }
}

void SwayHotKeys::OrvUpInit(const MacroTable& table) {
    mainWindow_ = table.MainWindow();
    if (inUse_) {
        // The hot keys a playback took away come back.
        inUse_ = false;
        Sync();
    }
}

void SwayHotKeys::OrvUpWindow(const MacroTable& table) {
    mainWindow_ = table.MainWindow();
}

void SwayHotKeys::OrvUpWindow2(const MacroTable& table) {
    secondWindow_ = table.SecondWindow();
    secondWindowOn_ = table.SecondWindowOn();
}

void SwayHotKeys::OrvUpKeys(const MacroTable& table) {
    std::array<bool, HotKeyCount> keys{};
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        keys[code] = table.KeyInUse(code);
    }
    if (keys != keysInUse_) {
        keysInUse_ = keys;
        Sync();
    }
}

void SwayHotKeys::OrvUpInUse(const MacroTable& table) {
    const bool inUse = table.InUse();
    if (inUse != inUse_) {
        inUse_ = inUse;
        Sync();
    }
}

} // namespace orvane
