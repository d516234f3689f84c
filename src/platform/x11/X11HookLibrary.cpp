// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11HookLibrary.h"

#include "platform/x11/XProperty.h"
#include "platform/x11/XkbKeymapReader.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>
#include <poll.h>

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

} // namespace

std::unique_ptr<X11HookLibrary> X11HookLibrary::Open(const char* displayName, bool trace,
                                                     std::string& error) {
    DisplayHandle display = OpenDisplay(displayName, error);
    if (!display) {
        return nullptr;
    }
    Display* d = display.get();
    // Before anything else: a keyboard a killed run left remapped is given back.
    KeyRemapper::RepairLeftovers(d);
    std::optional<RawInputObserver> raw = RawInputObserver::Open(d, DefaultRootWindow(d), error);
    if (!raw) {
        return nullptr;
    }
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    int xkbOpcode = 0;
    int xkbEventBase = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(d, &xkbOpcode, &xkbEventBase, &errorBase, &major, &minor)) {
        error = "the X server does not offer the XKEYBOARD extension";
        return nullptr;
    }
    std::unique_ptr<X11HookLibrary> hook(new X11HookLibrary(std::move(display)));
    hook->raw_ = std::move(raw);
    hook->xkbEventBase_ = xkbEventBase;
    hook->trace_ = trace;
    hook->Select();
    hook->LoadKeymap();
    hook->activeWindow_ = hook->ReadActiveWindow();
    // Changes are reported as they happen; the state at the start is reported once, so a timed
    // macro run while Caps Lock was already on knows it.
    hook->Post(HookMessageId::UM_CAPSLOCK, (hook->locked_ & LockMask) != 0 ? 1 : 0, 0);
    XSync(d, False);
    return hook;
}

X11HookLibrary::X11HookLibrary(DisplayHandle display)
    : display_(std::move(display)), root_(DefaultRootWindow(display_.get())),
      grabber_(display_.get(), root_),
      recorder_(display_.get(), [this](HookMessageId id, std::uint64_t wParam,
                                       std::int64_t lParam) { Post(id, wParam, lParam); }),
      remapper_(display_.get()) {
    Display* d = display_.get();
    fenceAtom_ = XInternAtom(d, SynthFenceProperty, False);
    activeAtom_ = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
}

X11HookLibrary::~X11HookLibrary() = default;

void X11HookLibrary::Select() {
    Display* d = display_.get();
    XSelectInput(d, root_, PropertyChangeMask);
    XkbSelectEvents(d, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    XkbSelectEventDetails(d, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask,
                          XkbGroupStateMask | XkbModifierLockMask);
    XkbStateRec state{};
    XkbGetState(d, XkbUseCoreKbd, &state);
    group_ = state.group;
    locked_ = state.locked_mods;
}

void X11HookLibrary::LoadKeymap() {
    KeymapSnapshot now = ReadXkbKeymap(display_.get());
    typed_ = HookKeymapOf(now);
    PutBackOriginals(now, remapper_.Remapped());
    keymap_ = HookKeymapOf(std::move(now));
}

int X11HookLibrary::ConnectionFd() const {
    return ConnectionNumber(display_.get());
}

bool X11HookLibrary::HasWork() const {
    return !pending_.empty() || XQLength(display_.get()) > 0;
}

void X11HookLibrary::ReadEvents() {
    Display* d = display_.get();
    while (XPending(d) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        Handle(event);
    }
}

void X11HookLibrary::ProcessEvents() {
    ReadEvents();
    while (!pending_.empty()) {
        const HookMessage message = pending_.front();
        pending_.pop_front();
        if (receiver_ != nullptr) {
            receiver_->Receive(message);
        }
        ReadEvents();
    }
}

void X11HookLibrary::Post(HookMessageId id, std::uint64_t wParam, std::int64_t lParam,
                          std::uint32_t window) {
    pending_.push_back({id, wParam, lParam, window != 0 ? window : mainWindow_});
}

void X11HookLibrary::Trace(const std::string& line) {
    if (!trace_) {
        return;
    }
    for (const char c : line) {
        Post(HookMessageId::UM_TRACE, 0, static_cast<unsigned char>(c));
    }
    Post(HookMessageId::UM_TRACE, 0, 0);
}

void X11HookLibrary::Handle(XEvent& event) {
    if (event.type == KeyPress) {
        HandleGrabbedKey(event.xkey.keycode, event.xkey.state, event.xkey.time);
    } else if (event.type == ButtonPress) {
        HandleGrabbedButton(event.xbutton.button, event.xbutton.state, event.xbutton.time);
    } else if (event.type == PropertyNotify && event.xproperty.window == root_) {
        if (event.xproperty.atom == fenceAtom_) {
            fence_.FenceSeen();
            if (endFence_ != 0 && fence_.Seen(endFence_)) {
                endFence_ = 0;
                inUse_ = false;
            }
        } else if (event.xproperty.atom == activeAtom_) {
            ActiveWindowChanged();
        }
    } else if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
    } else if (const std::optional<RawInput> raw = raw_->Read(event)) {
        HandleRaw(*raw);
    } else if (event.type == xkbEventBase_) {
        const auto* xkb = reinterpret_cast<const XkbEvent*>(&event);
        if (xkb->any.xkb_type == XkbStateNotify) {
            group_ = static_cast<unsigned>(xkb->state.group);
            const bool capsBefore = (locked_ & LockMask) != 0;
            locked_ = xkb->state.locked_mods;
            const bool capsNow = (locked_ & LockMask) != 0;
            if (capsBefore != capsNow) {
                Post(HookMessageId::UM_CAPSLOCK, capsNow ? 1 : 0, 0);
            }
        } else {
            // A new layout or keyboard: keys may sit elsewhere now. The notice also comes each
            // time another keyboard (the physical one after XTest's) drives the core keyboard,
            // with nothing moved; grabs are redone only when they would differ, since between
            // letting go and taking again a struck hot key would reach the window. A layout
            // that replaced remapped keys is remapped again.
            remapper_.KeymapChanged();
            LoadKeymap();
            if (grabber_.Differs(Request())) {
                Regrab();
            }
        }
    }
}

void X11HookLibrary::HandleRaw(const RawInput& raw) {
    const auto detail = static_cast<std::size_t>(raw.Detail);
    // During a batch of ours the XTEST devices type for us.
    const bool own = fence_.Pending() && raw.FromXtest;
    if (recorder_.Recording() && !own) {
        recorder_.Observe(raw, keymap_, HeldModifiersOf(keymap_, userHeld_) | locked_, group_,
                          activeWindow_);
    }
    if (raw.Type == RawInput::Kind::ButtonUp) {
        return;
    }
    if (raw.Type == RawInput::Kind::KeyUp) {
        if (own || (releasedForUser_[detail] && raw.FromXtest)) {
            releasedForUser_[detail] = false;
            return;
        }
        userHeld_[detail] = false;
        return;
    }
    if (raw.Type == RawInput::Kind::ButtonDown) {
        if (own) {
            OwnPressSeen();
            return;
        }
        if (raw.Detail > 3) {
            return; // the wheel is not a click
        }
        // A click is never reported as a pick: where it was made decides whether it is one,
        // and the pick field reads that from the click itself.
        if (haveShortKeys_) {
            Post(HookMessageId::UM_SHORTKEYCHAR, 1, 0);
        }
        return;
    }
    // A key press.
    lastPressOwn_[detail] = own;
    if (own) {
        OwnPressSeen();
        return;
    }
    const auto keycode = static_cast<std::uint8_t>(detail);
    const unsigned state = HeldModifiersOf(keymap_, userHeld_) | locked_;
    userHeld_[detail] = true;
    if (inUse_ && endFence_ == 0 &&
        abort_.Pressed(keymap_.Keys.BaseKeysym(keycode, group_),
                       static_cast<std::uint32_t>(raw.Time))) {
        Trace("abort");
        Post(HookMessageId::UM_ABORT, 0, 0);
    }
    if (secondWindowOn_) {
        if (const auto code = HotKeyOfKey(keymap_, keycode, state, group_)) {
            Post(HookMessageId::UM_KEYPICK, *code, 0, secondWindow_);
            Trace("keypick " + std::to_string(*code));
        }
        return;
    }
    if (haveShortKeys_ && !inUse_) {
        if (TakesHotKey(HotKeyOfKey(keymap_, keycode, state, group_))) {
            // The strike never reaches the window, but its macro types there: the word the
            // user was typing is broken by it.
            Post(HookMessageId::UM_SHORTKEYCHAR, 1, 0);
        } else if (const auto ch = TypedCharacterOf(typed_, keycode, state, group_)) {
            Post(HookMessageId::UM_SHORTKEYCHAR, (locked_ & LockMask) != 0 ? 2 : 0, *ch);
        } else if (IsKeypadKey(keymap_, keycode, group_) &&
                   (state & (ControlMask | keymap_.Masks.Alt | keymap_.Masks.Win)) == 0) {
            // A keypad operator or cursor key: the word ends there.
            Post(HookMessageId::UM_SHORTKEYCHAR, 1, 0);
        } else if (keymap_.ModMap[keycode] == 0) {
            // Another key that types nothing (an arrow, Delete, a shortcut): the word stays,
            // but an expansion is no longer the last thing typed.
            Post(HookMessageId::UM_SHORTKEYCHAR, 3, 0);
        }
    }
}

void X11HookLibrary::HandleGrabbedKey(unsigned keycode, unsigned state, unsigned long time) {
    Display* d = display_.get();
    const auto code = HotKeyOfKey(keymap_, static_cast<std::uint8_t>(keycode), state, group_);
    const bool own = keycode < 256 && lastPressOwn_[keycode] && fence_.Pending();
    if (own || !TakesHotKey(code)) {
        // Our own playback typed it (or it is not ours to take): the key goes on to the
        // focused window as if no grab existed.
        XAllowEvents(d, ReplayKeyboard, time);
        XFlush(d);
        return;
    }
    // Swallowed. The keyboard is let go at once, so the macro's keys and the user's releases
    // reach the target; the sync makes sure the server has done so before playback starts
    // typing from the other connection.
    XAllowEvents(d, AsyncKeyboard, time);
    XUngrabKeyboard(d, time);
    XSync(d, False);
    if (secondWindowOn_ || recorder_.EndsCapture(code, static_cast<std::uint32_t>(time))) {
        return; // the key picking dialog, or the recorder, has it from the raw event
    }
    Trace("hotkey " + std::to_string(*code));
    // The window in front as the server has it now: a change notice still on its way (a window
    // activated just before the strike) must not leave the strike with the window before it.
    ActiveWindowChanged();
    const std::uint64_t caps = (state & LockMask) != 0 ? 0x8000 : 0;
    Post(HookMessageId::UM_HOTKEY, *code | caps, static_cast<std::int64_t>(activeWindow_));
}

void X11HookLibrary::HandleGrabbedButton(unsigned button, unsigned state, unsigned long time) {
    Display* d = display_.get();
    const auto code = HotKeyOfButton(keymap_, button, state);
    // While a dialog picks a hot key a click goes where it was made: onto the pick field (which
    // takes it as the pick) or onto the control the user moves on to.
    if (fence_.Pending() || !code || keysInUse_[*code] == 0 || !mouseHooked_ || secondWindowOn_) {
        XAllowEvents(d, ReplayPointer, time);
        XFlush(d);
        return;
    }
    XAllowEvents(d, AsyncPointer, time);
    XUngrabPointer(d, time);
    XSync(d, False);
    if (recorder_.EndsCapture(code, static_cast<std::uint32_t>(time))) {
        return;
    }
    Trace("hotkey " + std::to_string(*code));
    // The window in front as the server has it now: a change notice still on its way (a window
    // activated just before the strike) must not leave the strike with the window before it.
    ActiveWindowChanged();
    const std::uint64_t caps = (state & LockMask) != 0 ? 0x8000 : 0;
    Post(HookMessageId::UM_HOTKEY, *code | caps, static_cast<std::int64_t>(activeWindow_));
}

WindowId X11HookLibrary::ReadActiveWindow() const {
    Display* d = display_.get();
    if (const auto active = ReadCardinals(d, root_, activeAtom_, XA_WINDOW, 1)) {
        return active->empty() ? 0 : (*active)[0];
    }
    // No window manager keeps the property: the input focus is the window in front.
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    return focus > PointerRoot ? focus : 0;
}

void X11HookLibrary::ActiveWindowChanged() {
    const WindowId now = ReadActiveWindow();
    if (now == activeWindow_) {
        return;
    }
    activeWindow_ = now;
    if (now == 0) {
        return;
    }
    Post(HookMessageId::UM_PROGCHANGED, now, 0);
    if (haveShortKeys_) {
        Post(HookMessageId::UM_SHORTKEYCHAR, 1, 0); // a new window: the word ends
    }
}

GrabRequest X11HookLibrary::Request() const {
    return {keysInUse_, keymap_, group_, keyboardHooked_, mouseHooked_};
}

void X11HookLibrary::Regrab() {
    grabber_.Grab(Request());
    Trace("grabs " + std::to_string(grabber_.Count()) + " unavailable " +
          std::to_string(grabber_.Unavailable().size()));
}

void X11HookLibrary::OwnInputStarts(std::uint32_t lastFence) {
    if (haveShortKeys_ && !inUse_) {
        // A playback not marked in use (a timed macro) types after whatever the server has
        // taken from the user so far, and the keys of it we have not handed on yet (the end of
        // a ShortKey among them) would be matched only after our typing: erasing would take
        // the macro's text. They go, with the word.
        XSync(display_.get(), False);
        ReadEvents();
        std::erase_if(pending_, [](const HookMessage& message) {
            return message.Id == HookMessageId::UM_SHORTKEYCHAR;
        });
        Post(HookMessageId::UM_SHORTKEYCHAR, 1, 0);
    }
    fence_.BatchStarts(lastFence);
}

void X11HookLibrary::OwnInputEnds(std::uint32_t lastFence) {
    fence_.BatchEnds(lastFence);
}

bool X11HookLibrary::TakesHotKey(const std::optional<std::uint16_t>& code) const {
    return code && keysInUse_[*code] != 0 && keyboardHooked_;
}

void X11HookLibrary::OwnPressSeen() {
    // Our own key or click outside a start marked in use (a timed macro, which starts at any
    // moment) lands in the middle of whatever the user was typing: the word kept is no longer
    // the one in the window, and erasing it would take the macro's text instead.
    if (haveShortKeys_ && !inUse_) {
        Post(HookMessageId::UM_SHORTKEYCHAR, 1, 0);
    }
}

void X11HookLibrary::EndMark(std::uint32_t lastFence) {
    // The playback's last keys may not have reached us yet; until its fence is seen they are
    // still the marked start's, not a macro typing into the user's next word.
    if (fence_.Seen(lastFence)) {
        inUse_ = false;
        endFence_ = 0;
    } else {
        endFence_ = lastFence;
    }
    abort_.Reset();
    Trace("end");
}

void X11HookLibrary::SettleHeldKeys(std::chrono::milliseconds limit) {
    Display* d = display_.get();
    const auto deadline = Clock::now() + limit;
    const auto held = [this](bool modifiersOnly) {
        return KeysHeldDown(keymap_, userHeld_, modifiersOnly);
    };
    // Messages that arrive meanwhile are queued and delivered from the event loop as usual.
    XSync(d, False);
    ReadEvents();
    // A release we took for our own (it came from the shared XTest device during a batch of
    // ours) would leave a key held here for good and make every hot key wait: the server's
    // word on what is down settles it.
    char down[32] = {};
    XQueryKeymap(d, down);
    for (std::size_t kc = 0; kc < userHeld_.size(); ++kc) {
        if ((static_cast<unsigned char>(down[kc / 8]) & (1U << (kc % 8))) == 0) {
            userHeld_[kc] = false;
        }
    }
    if (wait_) {
        // The user's releases arrive on our connection, which the event loop watches.
        wait_(
            [this, &held] {
                ReadEvents();
                return held(false).empty();
            },
            deadline);
    } else {
        while (!held(false).empty()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                break;
            }
            if (XPending(d) == 0) {
                pollfd fd{ConnectionNumber(d), POLLIN, 0};
                poll(&fd, 1, static_cast<int>(left.count()));
            }
            ReadEvents();
        }
    }
    const std::vector<std::uint8_t> still = held(true);
    for (const std::uint8_t keycode : still) {
        XTestFakeKeyEvent(d, keycode, False, CurrentTime);
        userHeld_[keycode] = false;
        releasedForUser_[keycode] = true;
    }
    if (!still.empty()) {
        Trace("released " + std::to_string(still.size()));
        XSync(d, False);
    }
}

HookHandle X11HookLibrary::OrvHookKeyboard() {
    keyboardHooked_ = true;
    Regrab();
    return KeyboardHandle;
}

HookHandle X11HookLibrary::OrvHookMouse() {
    mouseHooked_ = true;
    Regrab();
    return MouseHandle;
}

HookHandle X11HookLibrary::OrvHookCBT() {
    return CbtHandle;
}

HookHandle X11HookLibrary::OrvHookSwap() {
    swapHooked_ = true;
    remapper_.Apply(swaps_);
    LoadKeymap();
    return SwapHandle;
}

void X11HookLibrary::OrvUpSwap(const SwapTable& swaps) {
    swaps_ = swaps;
    if (swapHooked_) {
        remapper_.Apply(swaps_);
        LoadKeymap();
    }
}

void X11HookLibrary::OrvUnHook(HookHandle hook) {
    if (hook == SwapHandle) {
        swapHooked_ = false;
        remapper_.Restore();
        LoadKeymap();
    } else if (hook == KeyboardHandle) {
        keyboardHooked_ = false;
        Regrab();
    } else if (hook == MouseHandle) {
        mouseHooked_ = false;
        Regrab();
    }
}

void X11HookLibrary::OrvUpInit(const MacroTable& table) {
    mainWindow_ = table.MainWindow();
    inUse_ = false;
    endFence_ = 0;
}

void X11HookLibrary::OrvUpWindow(const MacroTable& table) {
    mainWindow_ = table.MainWindow();
}

void X11HookLibrary::OrvUpWindow2(const MacroTable& table) {
    secondWindow_ = table.SecondWindow();
    secondWindowOn_ = table.SecondWindowOn();
    Trace(secondWindowOn_ ? "keypick on" : "keypick off");
}

void X11HookLibrary::OrvUpKeys(const MacroTable& table) {
    std::array<std::uint8_t, HotKeyCount> keys{};
    for (std::uint32_t code = 0; code < HotKeyCount; ++code) {
        keys[code] = table.KeyInUse(code) ? 1 : 0;
    }
    if (keys != keysInUse_) {
        keysInUse_ = keys;
        Regrab();
    }
}

void X11HookLibrary::OrvUpShort(const MacroTable& table) {
    haveShortKeys_ = table.HaveShortKeys();
}

void X11HookLibrary::OrvUpCapture(const MacroTable& table) {
    recorder_.Publish(table);
}

void X11HookLibrary::OrvUpCaptureOn(const MacroTable& table) {
    captureOn_ = table.CaptureOn();
    recorder_.SetOn(captureOn_);
    Trace(captureOn_ ? "capture on" : "capture off");
}

void X11HookLibrary::OrvUpInUse(const MacroTable& table) {
    inUse_ = table.InUse();
    endFence_ = 0;
    abort_.Reset();
}

} // namespace orvane
