// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/WaylandBackend.h"

#include "app/desktop/InactiveBackend.h"

#ifdef ORVANE_WAYLAND_BACKEND
#include "platform/linux/VirtualKeys.h"
#include "platform/sway/SwayHotKeys.h"
#include "platform/sway/SwayWindowSystem.h"
#include "platform/wayland/WaylandInputSynth.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <QSocketNotifier>
#endif

namespace orvane {

#ifdef ORVANE_WAYLAND_BACKEND
namespace {

// Playback marks its end with a key no program must see; the hot keys hear it here instead.
class EndMarkedInput final : public InputSynth {
public:
    EndMarkedInput(InputSynth& input, SwayHotKeys* hotKeys) : input_(input), hotKeys_(hotKeys) {}

    void PostKey(std::uint8_t virtualKey, bool up) override {
        if (virtualKey == VirtualKeyCode::Execute) {
            if (up && hotKeys_ != nullptr) {
                hotKeys_->EndMark();
            }
            return;
        }
        input_.PostKey(virtualKey, up);
    }
    std::optional<KeyScan> ScanCharacter(unsigned char ch) override {
        return input_.ScanCharacter(ch);
    }
    void TypeCharacter(char32_t ch) override { input_.TypeCharacter(ch); }
    void PostAltCode(std::string_view digits) override { input_.PostAltCode(digits); }
    void PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                   std::int32_t data) override {
        input_.PostMouse(flags, dx, dy, data);
    }
    bool CapsLockOn() override { return input_.CapsLockOn(); }
    ScreenSize GetScreenSize() override { return input_.GetScreenSize(); }
    void PrepareCharacters(std::u32string_view text) override { input_.PrepareCharacters(text); }
    void EndOfBatch() override { input_.EndOfBatch(); }
    void EndOfPlayback() override { input_.EndOfPlayback(); }

private:
    InputSynth& input_;
    SwayHotKeys* hotKeys_;
};

class SwayWindows final : public DesktopWindows {
public:
    explicit SwayWindows(std::unique_ptr<SwayWindowSystem> windows)
        : windows_(std::move(windows)) {}

    // The compositor's answers (a window that became focused) wake the event loop's waits.
    void Listen(const EventLoopWait& wait) {
        events_ =
            std::make_unique<QSocketNotifier>(windows_->ConnectionFd(), QSocketNotifier::Read);
        SwayWindowSystem* windows = windows_.get();
        QObject::connect(events_.get(), &QSocketNotifier::activated,
                         [windows] { windows->ProcessEvents(); });
        windows_->SetEventLoopWait(wait);
    }
    WindowSystem& Windows() override { return *windows_; }
    // The compositor has no bell of its own; the sound theme's bell stands in (see CanberraSound).
    void Bell() override {}

private:
    std::unique_ptr<SwayWindowSystem> windows_;
    std::unique_ptr<QSocketNotifier> events_;
};

class WaylandBackend final : public DesktopBackend {
public:
    WaylandBackend(std::unique_ptr<WaylandInputSynth> synth, std::unique_ptr<SwayHotKeys> hotKeys)
        : synth_(std::move(synth)), hotKeys_(std::move(hotKeys)), input_(*synth_, hotKeys_.get()) {}

    BackendKind Kind() const override { return BackendKind::Wayland; }
    DesktopAbilities Abilities() const override { return {false, false, false}; }
    bool Live() const override { return true; }
    HookLibrary& Hook() override {
        return hotKeys_ ? static_cast<HookLibrary&>(*hotKeys_) : inactive_;
    }
    InputSynth& Input() override { return input_; }

    void Listen(QObject& context, const EventLoopWait& /*wait*/) override {
        WaylandInputSynth* synth = synth_.get();
        synthEvents_ =
            std::make_unique<QSocketNotifier>(synth->ConnectionFd(), QSocketNotifier::Read);
        QObject::connect(synthEvents_.get(), &QSocketNotifier::activated, &context,
                         [synth] { synth->ServeEvents(); });
        if (hotKeys_) {
            ListenToHotKeys(context);
        }
    }
    void EndOfBatch() override { input_.EndOfBatch(); }
    void Flush() override { synth_->Flush(); }
    // The user's keyboard is not ours to read; the compositor keeps each keyboard's modifiers
    // apart, so the user's held hot key does not change what the virtual keyboard types.
    void SettleHeldKeys(std::chrono::milliseconds) override {}
    std::vector<std::uint16_t> UnavailableHotKeys() const override {
        return hotKeys_ ? hotKeys_->UnavailableHotKeys() : std::vector<std::uint16_t>{};
    }
    std::unique_ptr<TextPaste> OpenPaste(QObject&, const EventLoopWait&) override {
        return nullptr;
    }
    std::unique_ptr<ScreenSaver> OpenScreenSaver() override { return nullptr; }
    std::unique_ptr<DesktopWindows> OpenWindows(const EventLoopWait* wait,
                                                std::string& error) override {
        std::unique_ptr<SwayWindowSystem> windows = SwayWindowSystem::Open(error);
        if (!windows) {
            return nullptr;
        }
        auto opened = std::make_unique<SwayWindows>(std::move(windows));
        if (wait != nullptr) {
            opened->Listen(*wait);
        }
        return opened;
    }
    void RestoreKeyboard() override { synth_->EndOfPlayback(); }

private:
    // As on X11: messages are delivered from a posted call, so that a macro the message plays
    // goes on hearing the compositor (the abort key) from its nested event loops.
    void ListenToHotKeys(QObject& context) {
        SwayHotKeys* hotKeys = hotKeys_.get();
        QObject* target = &context;
        const auto process = [hotKeys, target] {
            QMetaObject::invokeMethod(
                target, [hotKeys] { hotKeys->ProcessEvents(); }, Qt::QueuedConnection);
        };
        hotKeyEvents_ =
            std::make_unique<QSocketNotifier>(hotKeys->EventFd(), QSocketNotifier::Read);
        QObject::connect(hotKeyEvents_.get(), &QSocketNotifier::activated, &context, process);
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &context, [hotKeys, process] {
                             if (hotKeys->HasWork()) {
                                 process();
                             }
                         });
    }

    std::unique_ptr<WaylandInputSynth> synth_;
    std::unique_ptr<SwayHotKeys> hotKeys_;
    EndMarkedInput input_;
    NullHookLibrary inactive_;
    std::unique_ptr<QSocketNotifier> synthEvents_;
    std::unique_ptr<QSocketNotifier> hotKeyEvents_;
};

} // namespace

std::unique_ptr<DesktopBackend> OpenWaylandBackend(BackendUse use, bool traceHooks,
                                                   std::string& error) {
    std::unique_ptr<WaylandInputSynth> synth = WaylandInputSynth::Open(error);
    if (!synth) {
        return std::make_unique<InactiveBackend>(BackendKind::Wayland);
    }
    std::unique_ptr<SwayHotKeys> hotKeys;
    if (use == BackendUse::Program) {
        hotKeys = SwayHotKeys::Open(traceHooks, error);
        if (!hotKeys) {
            return std::make_unique<InactiveBackend>(BackendKind::Wayland);
        }
    }
    return std::make_unique<WaylandBackend>(std::move(synth), std::move(hotKeys));
}

#else

std::unique_ptr<DesktopBackend> OpenWaylandBackend(BackendUse, bool, std::string& error) {
    error = "this build of Orvane has no Wayland backend";
    return std::make_unique<InactiveBackend>(BackendKind::Wayland);
}

#endif

} // namespace orvane
