// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/X11Backend.h"

#include "capture/CaptureScriptWriter.h"
#include "platform/x11/HookedInputSynth.h"
#include "platform/x11/X11HookLibrary.h"
#include "platform/x11/X11InputSynth.h"
#include "platform/x11/X11ScreenSaver.h"
#include "platform/x11/X11TextPaste.h"
#include "platform/x11/X11WindowSystem.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <QSocketNotifier>

namespace orvane {
namespace {

class X11Windows final : public DesktopWindows {
public:
    explicit X11Windows(std::unique_ptr<X11WindowSystem> windows) : windows_(std::move(windows)) {}

    // The window manager's answers wake the event loop's waits.
    void Listen(const EventLoopWait& wait) {
        events_ =
            std::make_unique<QSocketNotifier>(windows_->ConnectionFd(), QSocketNotifier::Read);
        X11WindowSystem* windows = windows_.get();
        QObject::connect(events_.get(), &QSocketNotifier::activated,
                         [windows] { windows->DrainEvents(); });
        windows_->SetEventLoopWait(wait);
    }
    WindowSystem& Windows() override { return *windows_; }
    void Bell() override { windows_->Bell(); }

private:
    std::unique_ptr<X11WindowSystem> windows_;
    std::unique_ptr<QSocketNotifier> events_;
};

// A paste helper whose connection the event loop watches.
class WatchedPaste final : public TextPaste {
public:
    WatchedPaste(std::unique_ptr<X11TextPaste> paste, QObject& context, const EventLoopWait& wait)
        : paste_(std::move(paste)), events_(paste_->ConnectionFd(), QSocketNotifier::Read) {
        paste_->SetEventLoopWait(wait);
        X11TextPaste* p = paste_.get();
        QObject::connect(&events_, &QSocketNotifier::activated, &context,
                         [p] { p->ProcessEvents(); });
    }
    bool Paste(std::string_view utf8) override { return paste_->Paste(utf8); }

private:
    std::unique_ptr<X11TextPaste> paste_;
    QSocketNotifier events_;
};

class X11Backend final : public DesktopBackend {
public:
    X11Backend(BackendUse use, bool traceHooks, std::string& error)
        : hook_(use == BackendUse::Program ? X11HookLibrary::Open(nullptr, traceHooks, error)
                                           : nullptr),
          synth_(X11InputSynth::Open(nullptr, error)),
          live_(synth_ && (use == BackendUse::Play || hook_)) {
        if (live_ && hook_) {
            hooked_ = std::make_unique<HookedInputSynth>(*synth_, *hook_);
        }
    }

    BackendKind Kind() const override { return BackendKind::X11; }
    DesktopAbilities Abilities() const override { return {}; }
    bool Live() const override { return live_; }
    HookLibrary& Hook() override {
        return live_ && hook_ ? static_cast<HookLibrary&>(*hook_) : inactive_;
    }
    InputSynth& Input() override { return hooked_ ? static_cast<InputSynth&>(*hooked_) : *synth_; }

    void Listen(QObject& context, const EventLoopWait& wait) override {
        if (!live_) {
            return;
        }
        synth_->SetEventLoopWait(wait);
        // A program's answer to the synthesizer's ping arrives on its own connection: the wait
        // for it sleeps in the event loop until then.
        synthEvents_ =
            std::make_unique<QSocketNotifier>(synth_->ConnectionFd(), QSocketNotifier::Read);
        X11InputSynth* synth = synth_.get();
        QObject::connect(synthEvents_.get(), &QSocketNotifier::activated, &context,
                         [synth] { synth->ServeEvents(); });
        if (hook_) {
            hook_->SetEventLoopWait(wait);
            ListenToHook(context);
        }
    }
    void EndOfBatch() override {
        if (live_) {
            Input().EndOfBatch();
        }
    }
    void Flush() override {
        if (live_) {
            synth_->Flush();
        }
    }
    void SettleHeldKeys(std::chrono::milliseconds limit) override {
        if (hook_) {
            hook_->SettleHeldKeys(limit);
        }
    }
    std::vector<std::uint16_t> UnavailableHotKeys() const override {
        return hook_ ? hook_->UnavailableHotKeys() : std::vector<std::uint16_t>{};
    }
    std::unique_ptr<TextPaste> OpenPaste(QObject& context, const EventLoopWait& wait) override {
        std::unique_ptr<X11TextPaste> paste = live_ ? X11TextPaste::Open(Input()) : nullptr;
        if (!paste) {
            return nullptr;
        }
        return std::make_unique<WatchedPaste>(std::move(paste), context, wait);
    }
    std::unique_ptr<ScreenSaver> OpenScreenSaver() override {
        return X11ScreenSaver::Open(nullptr);
    }
    std::unique_ptr<DesktopWindows> OpenWindows(const EventLoopWait* wait,
                                                std::string& error) override {
        std::unique_ptr<X11WindowSystem> windows = X11WindowSystem::Open(nullptr, error);
        if (!windows) {
            return nullptr;
        }
        auto opened = std::make_unique<X11Windows>(std::move(windows));
        if (wait != nullptr) {
            opened->Listen(*wait);
        }
        return opened;
    }
    // The recorder reads titles and frames of the window in front for positions relative to a
    // window, and the capture's script writer makes the text.
    void WireRecorder(std::string& error) override {
        if (!hook_ || !live_) {
            return;
        }
        captureWindows_ = X11WindowSystem::Open(nullptr, error);
        hook_->Recorder().SetWindows(captureWindows_.get());
        hook_->Recorder().SetTranscribers([](const CaptureSettings& settings) {
            return std::make_unique<CaptureScriptWriter>(settings);
        });
    }
    void RestoreKeyboard() override {
        if (synth_) {
            synth_->RestoreKeyboard();
        }
    }

private:
    // The hook's connection wakes the event loop; events Xlib has already read (during a round
    // trip) do not, so they are looked at before the loop sleeps. Messages are delivered from a
    // posted call, not from the notifier: a message may play a macro, whose nested event loops
    // must go on hearing the hook (the abort key), and the event loop does not reenter a
    // notifier from inside its own slot.
    void ListenToHook(QObject& context) {
        X11HookLibrary* hook = hook_.get();
        QObject* target = &context;
        const auto process = [hook, target] {
            QMetaObject::invokeMethod(
                target, [hook] { hook->ProcessEvents(); }, Qt::QueuedConnection);
        };
        hookEvents_ =
            std::make_unique<QSocketNotifier>(hook->ConnectionFd(), QSocketNotifier::Read);
        QObject::connect(hookEvents_.get(), &QSocketNotifier::activated, &context, [hook, process] {
            hook->ReadPending();
            process();
        });
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &context, [hook, process] {
                             if (hook->HasWork()) {
                                 process();
                             }
                         });
    }

    std::unique_ptr<X11HookLibrary> hook_;
    std::unique_ptr<X11InputSynth> synth_;
    const bool live_;
    std::unique_ptr<HookedInputSynth> hooked_;
    NullHookLibrary inactive_;
    std::unique_ptr<QSocketNotifier> synthEvents_;
    std::unique_ptr<QSocketNotifier> hookEvents_;
    std::unique_ptr<X11WindowSystem> captureWindows_;
};

} // namespace

std::unique_ptr<DesktopBackend> OpenX11Backend(BackendUse use, bool traceHooks,
                                               std::string& error) {
    return std::make_unique<X11Backend>(use, traceHooks, error);
}

} // namespace orvane
