// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11InputSynth.h"

#include "platform/x11/KeyRemapper.h"
#include "platform/x11/KeysymText.h"
#include "platform/x11/MouseTranslation.h"
#include "platform/x11/VirtualKeys.h"
#include "platform/x11/XProperty.h"
#include "platform/x11/XkbKeymapReader.h"
#include "script/AltCode.h"

namespace orvane {
// XInput's headers (pulled in by XTest's) define Absolute as a macro.
inline constexpr std::uint32_t AbsoluteMoveFlag = MouseFlag::Absolute;
} // namespace orvane

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <set>
#include <thread>
#include <unistd.h>
#include <utility>

namespace orvane {
namespace {

using Clock = std::chrono::steady_clock;

// How long clients that do not answer pings get to take in a keyboard mapping change before a
// key just typed through is bound anew (see the class comment). 20 ms was measured to suffice
// for an idle client; the margin is for clients on a loaded machine.
constexpr auto SettleTime = std::chrono::milliseconds(50);

// Groups a spare keycode is bound with: all an XKB key may have.
constexpr unsigned SpareGroups = XkbNumKbdGroups;

// How long a program that has answered our pings before may take to work through the events
// queued for it before we stop waiting (and take it for one that does not answer).
constexpr auto PingLimit = std::chrono::milliseconds(5000);

// How long the first ping to a program waits. A program that answers does within milliseconds,
// even behind a long text on a loaded machine; one that advertises pings and never answers
// costs this once, and is then listed as silent for every later playback.
constexpr auto FirstPingLimit = std::chrono::milliseconds(1000);

bool ProcessGone(long pid) {
    return pid > 0 && kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH;
}

} // namespace

std::unique_ptr<X11InputSynth> X11InputSynth::Open(const char* displayName, std::string& error) {
    DisplayHandle display = OpenDisplay(displayName, error);
    if (!display) {
        return nullptr;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &eventBase, &errorBase, &major, &minor)) {
        error = "the X server does not offer the XTEST extension";
        return nullptr;
    }
    int opcode = 0;
    major = XkbMajorVersion;
    minor = XkbMinorVersion;
    if (!XkbQueryExtension(display.get(), &opcode, &eventBase, &errorBase, &major, &minor)) {
        error = "the X server does not offer the XKEYBOARD extension";
        return nullptr;
    }
    std::unique_ptr<X11InputSynth> synth(new X11InputSynth(std::move(display)));
    synth->xkbEventBase_ = eventBase;
    KeyRemapper::RepairLeftovers(synth->display_.get());
    synth->LoadKeymap();
    synth->AdoptLeftovers();
    return synth;
}

X11InputSynth::X11InputSynth(DisplayHandle display) : display_(std::move(display)) {
    Display* d = display_.get();
    root_ = DefaultRootWindow(d);
    fenceAtom_ = XInternAtom(d, FenceProperty, False);
    wmProtocolsAtom_ = XInternAtom(d, "WM_PROTOCOLS", False);
    netWmPingAtom_ = XInternAtom(d, "_NET_WM_PING", False);
    silentAtom_ = XInternAtom(d, SilentProgramsProperty, False);
    clockAtom_ = XInternAtom(d, "_ORVANE_CLOCK", False);
    const std::string boundName = BoundKeysPropertyPrefix + std::to_string(getpid());
    boundKeysAtom_ = XInternAtom(d, boundName.c_str(), False);
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(d, &minKeycode, &maxKeycode);
    KeySym* row = XGetKeyboardMapping(d, static_cast<KeyCode>(minKeycode), 1, &keysymsPerKeycode_);
    if (row != nullptr) {
        XFree(row);
    }
    keysymsPerKeycode_ = std::max(keysymsPerKeycode_, 2);
    // Only mapping changes matter to us: they redraw the character table.
    XkbSelectEvents(d, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
}

X11InputSynth::~X11InputSynth() {
    RestoreKeyboard();
}

void X11InputSynth::LoadKeymap() {
    KeymapSnapshot snapshot = ReadXkbKeymap(display_.get());
    // A remapped key types its replacement: macros type their own characters through other
    // keys (a spare key when no other has it), and the remapped key is no spare key.
    const std::vector<std::uint8_t> remapped =
        KeyRemapper::HideRemappedKeys(display_.get(), snapshot);
    // A binding of ours that the keymap no longer shows was undone by someone else (a layout
    // switch): forget it rather than blank a key that now means something.
    for (auto it = bound_.begin(); it != bound_.end();) {
        const KeyEntry& key = snapshot.Keys[it->second.Keycode];
        const SpareSlot& slot = it->second;
        const bool stillOurs = slot.Group < key.Groups.size() &&
                               slot.Level < key.Groups[slot.Group].Levels.size() &&
                               key.Groups[slot.Group].Levels[slot.Level] == it->first;
        if (stillOurs) {
            ++it;
            continue;
        }
        auto row = spareRows_.find(slot.Keycode);
        if (row != spareRows_.end() && RowIndex(slot) < row->second.size()) {
            row->second[RowIndex(slot)] = NoKeysym;
        }
        it = bound_.erase(it);
    }
    std::erase_if(spareRows_, [](const auto& row) {
        return std::all_of(row.second.begin(), row.second.end(),
                           [](Keysym k) { return k == NoKeysym; });
    });
    for (const auto& [keycode, row] : spareRows_) {
        snapshot.Keys[keycode].Groups.clear();
    }
    const KeymapSnapshot typesOnly{snapshot.MinKeycode, snapshot.MaxKeycode, snapshot.Types, {}};
    keymap_ = Keymap(std::move(snapshot));
    // Highest first, as other XTest typists do; the lowest keycode (8, "reserved" in the evdev
    // numbering) is left alone: a key event on it was seen to reach an Xlib client as NoSymbol
    // after a rebinding.
    spares_ = keymap_.EmptyKeycodes();
    std::erase_if(spares_, [&](std::uint8_t kc) {
        return kc <= XkbMinLegalKeyCode ||
               std::find(remapped.begin(), remapped.end(), kc) != remapped.end();
    });
    std::reverse(spares_.begin(), spares_.end());

    const unsigned shiftMask = keymap_.ModifierOfKeysym(XK_Shift_L);
    shiftKeycode_ = keymap_.KeycodeOfKeysym(XK_Shift_L, 0).value_or(0);
    level3Mask_ = keymap_.ModifierOfKeysym(XK_ISO_Level3_Shift);
    level3Keycode_ = keymap_.KeycodeOfKeysym(XK_ISO_Level3_Shift, 0).value_or(0);
    numLockMask_ = keymap_.ModifierOfKeysym(XK_Num_Lock);
    pressable_ = {0};
    if (shiftMask != 0 && shiftKeycode_ != 0) {
        pressable_.push_back(shiftMask);
    }
    if (level3Mask_ != 0 && level3Keycode_ != 0) {
        pressable_.push_back(level3Mask_);
        if (shiftMask != 0 && shiftKeycode_ != 0) {
            pressable_.push_back(shiftMask | level3Mask_);
        }
    }
    const unsigned lockMasks = LockMask | numLockMask_;
    const SpareKeyType chosen = ChooseSpareKeyType(typesOnly, lockMasks, pressable_);
    if (chosen.TypeIndex != spareType_.TypeIndex || chosen.LevelMods != spareType_.LevelMods) {
        // Bindings made with the old type keep their keycodes until they are restored; only
        // new ones take the new type.
        spareType_ = chosen;
    }
    state_.reset();
}

void X11InputSynth::HandleEvent(const XEvent& event) {
    if (event.type == MappingNotify) {
        XMappingEvent mapping = event.xmapping;
        XRefreshKeyboardMapping(&mapping);
        keymapDirty_ = true;
    } else if (event.type == xkbEventBase_) {
        keymapDirty_ = true; // only map and new-keyboard notifications are selected
    } else if (event.type == ClientMessage && ping_.Client != 0) {
        const XClientMessageEvent& m = event.xclient;
        const PingMessage message{
            m.window, m.message_type, m.format, {m.data.l[0], m.data.l[1], m.data.l[2]}};
        pingAnswered_ = pingAnswered_ || AnswersPing(message, ping_);
    }
}

int X11InputSynth::ConnectionFd() const {
    return ConnectionNumber(display_.get());
}

void X11InputSynth::ServeEvents() {
    Display* d = display_.get();
    while (XEventsQueued(d, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(d, &event);
        HandleEvent(event);
    }
}

void X11InputSynth::RefreshIfKeymapChanged() {
    ServeEvents();
    if (keymapDirty_) {
        keymapDirty_ = false;
        LoadKeymap();
    }
}

unsigned long X11InputSynth::FocusClientAnsweringPings() {
    Display* d = display_.get();
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    // Walk up from the focus window to the first window that names its protocols.
    for (int depth = 0; focus != 0 && focus != PointerRoot && focus != root_ && depth < 32;
         ++depth) {
        Atom* protocols = nullptr;
        int count = 0;
        if (XGetWMProtocols(d, focus, &protocols, &count) != 0) {
            const bool pings =
                std::find(protocols, protocols + count, netWmPingAtom_) != protocols + count;
            XFree(protocols);
            return pings ? focus : 0;
        }
        Window rootReturn = 0;
        Window parent = 0;
        Window* children = nullptr;
        unsigned int childCount = 0;
        if (XQueryTree(d, focus, &rootReturn, &parent, &children, &childCount) == 0) {
            return 0;
        }
        if (children != nullptr) {
            XFree(children);
        }
        focus = parent;
    }
    return 0;
}

bool X11InputSynth::WaitForFocusClient(PingWait where) {
    if (ping_.Client != 0) {
        return false; // re-entered from the event loop while a ping is out: that one decides
    }
    const Window client = FocusClientAnsweringPings();
    if (client == 0) {
        return false;
    }
    const PingProgram program = ProgramOf(client);
    const std::vector<PingProgram> silent = SilentPrograms();
    if (std::find(silent.begin(), silent.end(), program) != silent.end()) {
        return false;
    }
    Display* d = display_.get();
    // The client sends the ping back to the root window, GTK with the substructure masks, Qt
    // with StructureNotifyMask (and SubstructureRedirectMask, which only the window manager can
    // select): listen there with both until the answer comes or the limit passes.
    XSelectInput(d, root_, StructureNotifyMask | SubstructureNotifyMask);
    // A real server time, as the protocol has it: a toolkit may take it for the time of the
    // user's last action.
    ping_ = {root_, wmProtocolsAtom_, netWmPingAtom_, client, ServerTime()};
    pingAnswered_ = false;
    XEvent ping{};
    ping.xclient.type = ClientMessage;
    ping.xclient.window = client;
    ping.xclient.message_type = wmProtocolsAtom_;
    ping.xclient.format = 32;
    ping.xclient.data.l[0] = static_cast<long>(netWmPingAtom_);
    ping.xclient.data.l[1] = static_cast<long>(ping_.Stamp);
    ping.xclient.data.l[2] = static_cast<long>(client);
    XSendEvent(d, client, False, NoEventMask, &ping);
    XFlush(d);
    const auto deadline =
        Clock::now() + (answering_.contains(program) ? PingLimit : FirstPingLimit);
    if (where == PingWait::InEventLoop && wait_) {
        // The keys wait; the rest of the program goes on meanwhile.
        wait_(
            [this] {
                ServeEvents();
                return pingAnswered_;
            },
            deadline);
    }
    while (!pingAnswered_) {
        if (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            HandleEvent(event);
            continue;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
    XSelectInput(d, root_, NoEventMask);
    ping_.Client = 0;
    if (pingAnswered_) {
        answering_.insert(program);
    } else {
        answering_.erase(program);
        RememberSilent(program); // no more waiting on it: pauses from now on
    }
    return pingAnswered_;
}

unsigned long X11InputSynth::ServerTime() {
    Display* d = display_.get();
    if (clock_ == 0) {
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        clock_ = XCreateWindow(d, root_, -1, -1, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                               CWEventMask, &attributes);
    }
    XChangeProperty(d, clock_, clockAtom_, XA_INTEGER, 32, PropModeAppend, nullptr, 0);
    XEvent event;
    XWindowEvent(d, clock_, PropertyChangeMask, &event);
    return event.xproperty.time;
}

PingProgram X11InputSynth::ProgramOf(unsigned long window) {
    // The server knows which connection made the window, and for a local one its process.
    PingProgram program{window, 0};
    XResClientIdSpec wanted{window, XRES_CLIENT_ID_XID_MASK | XRES_CLIENT_ID_PID_MASK};
    long count = 0;
    XResClientIdValue* values = nullptr;
    if (XResQueryClientIds(display_.get(), 1, &wanted, &count, &values) == Success) {
        for (long i = 0; i < count; ++i) {
            if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_XID) {
                program.Client = values[i].spec.client;
            } else if (XResGetClientIdType(&values[i]) == XRES_CLIENT_ID_PID) {
                program.Pid = std::max<long>(XResGetClientPid(&values[i]), 0);
            }
        }
        XResClientIdsDestroy(count, values);
    }
    return program;
}

std::vector<PingProgram> X11InputSynth::SilentPrograms() {
    const auto values = ReadCardinals(display_.get(), root_, silentAtom_, XA_INTEGER);
    return values ? ProgramsOfList(*values) : std::vector<PingProgram>{};
}

void X11InputSynth::RememberSilent(const PingProgram& program) {
    const std::vector<long> values =
        ListOfPrograms(WithSilentProgram(SilentPrograms(), program, ProcessGone));
    XChangeProperty(display_.get(), root_, silentAtom_, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
    XFlush(display_.get());
}

X11InputSynth::XkbStateNow X11InputSynth::State() {
    if (!state_) {
        XkbStateRec rec{};
        XkbGetState(display_.get(), XkbUseCoreKbd, &rec);
        state_ = XkbStateNow{rec.group, rec.locked_mods};
    }
    return *state_;
}

unsigned X11InputSynth::HeldModifiers() const {
    // Only what we hold ourselves: modifiers the user holds physically combine in the server
    // and are not ours to compensate.
    unsigned mods = 0;
    if (shiftKeycode_ != 0 && held_[shiftKeycode_]) {
        mods |= ModifierMask::Shift;
    }
    if (level3Keycode_ != 0 && held_[level3Keycode_]) {
        mods |= level3Mask_;
    }
    return mods;
}

void X11InputSynth::SendKey(std::uint8_t keycode, bool down) {
    XTestFakeKeyEvent(display_.get(), keycode, down ? True : False, CurrentTime);
    held_[keycode] = down;
    unfenced_ = true;
}

void X11InputSynth::TapKeycode(std::uint8_t keycode) {
    SendKey(keycode, true);
    SendKey(keycode, false);
}

void X11InputSynth::PostKey(std::uint8_t virtualKey, bool up) {
    RefreshIfKeymapChanged();
    Display* d = display_.get();
    if (virtualKey == VirtualKeyCode::Execute) {
        // The end mark of playback: it tells the program's own input watcher that playback is
        // over and never reaches an application.
        if (up) {
            EndOfBatch();
        }
        return;
    }
    if (const unsigned button = MouseButtonOfVirtualKey(virtualKey)) {
        XTestFakeButtonEvent(d, button, up ? False : True, CurrentTime);
        buttonsHeld_[button] = !up;
        unfenced_ = true;
        XFlush(d);
        return;
    }
    const Keysym keysym = KeysymOfVirtualKey(virtualKey);
    if (keysym == NoKeysym) {
        return;
    }
    // 0: no key to press (keycodes start at 8).
    std::uint8_t keycode = 0;
    std::optional<unsigned> pressGroup; // the group a spare slot's press is made in
    if (up && pressedVia_[virtualKey] != 0) {
        keycode = std::exchange(pressedVia_[virtualKey], std::uint8_t{0}); // released where pressed
    } else {
        keycode = keymap_.KeycodeOfKeysym(keysym, State().Group).value_or(0);
        const bool modifierKey = keycode != 0 && keymap_.ModifierOfKeysym(keysym) != 0;
        if (!up && keycode != 0 && !modifierKey && PhysicallyDown(keycode)) {
            keycode = 0; // pressing it again would be lost: the user still holds it
        }
        if (keycode == 0) {
            if (const auto slot = SlotForKeysym(keysym, !up)) {
                keycode = slot->Keycode;
                if (!up) {
                    PressLevelModifiers(keycode, spareType_.LevelMods[slot->Level]);
                    pressGroup = slot->Group;
                }
            }
        }
        if (!up) {
            pressedVia_[virtualKey] = keycode;
        }
    }
    if (keycode == 0) {
        return;
    }
    if (!up && IsNumLockKeypadKey(virtualKey) && numLockMask_ != 0) {
        // The keypad digits sit on the Num Lock level: with Num Lock off the key would be an
        // arrow or Home. Switch it on for the key, as the key names a digit.
        const auto level = keymap_.LevelOfKeysym(keycode, State().Group, keysym);
        const KeyType* type = keymap_.TypeOf(keycode, State().Group);
        const unsigned locked = State().Locked;
        if (level && type != nullptr && LevelOf(*type, locked | HeldModifiers()) != *level &&
            LevelOf(*type, (locked ^ numLockMask_) | HeldModifiers()) == *level) {
            XkbLockModifiers(d, XkbUseCoreKbd, numLockMask_,
                             (locked ^ numLockMask_) & numLockMask_);
            numLockToggled_ = !numLockToggled_;
            state_.reset();
        }
    }
    const unsigned group = State().Group;
    const bool switchGroup = pressGroup && *pressGroup != group;
    if (switchGroup) {
        XkbLockGroup(d, XkbUseCoreKbd, *pressGroup);
    }
    SendKey(keycode, !up);
    if (switchGroup) {
        XkbLockGroup(d, XkbUseCoreKbd, group);
    }
    if (up) {
        ReleaseLevelModifiers(keycode);
    }
    if (keysym == XK_Caps_Lock || keysym == XK_Num_Lock) {
        state_.reset();
    }
    if (up && numLockToggled_ && !KeypadKeyHeld()) {
        RestoreNumLock();
    }
    // No flush per key: Flush() (between the steps of a macro) and EndOfBatch send them.
}

void X11InputSynth::PressLevelModifiers(std::uint8_t keycode, unsigned mods) {
    // The level's modifiers stay down with the key, as a physical AltGr would.
    unsigned pressed = 0;
    if ((mods & ModifierMask::Shift) != 0 && shiftKeycode_ != 0 && !held_[shiftKeycode_]) {
        SendKey(shiftKeycode_, true);
        pressed |= ModifierMask::Shift;
    }
    if ((mods & level3Mask_) != 0 && level3Keycode_ != 0 && !held_[level3Keycode_]) {
        SendKey(level3Keycode_, true);
        pressed |= level3Mask_;
    }
    slotModsPressed_[keycode] = pressed;
}

void X11InputSynth::ReleaseLevelModifiers(std::uint8_t keycode) {
    const unsigned pressed = std::exchange(slotModsPressed_[keycode], 0U);
    if ((pressed & level3Mask_) != 0) {
        SendKey(level3Keycode_, false);
    }
    if ((pressed & ModifierMask::Shift) != 0) {
        SendKey(shiftKeycode_, false);
    }
}

bool X11InputSynth::KeypadKeyHeld() {
    for (int vk = VirtualKeyCode::Numpad0; vk <= VirtualKeyCode::Decimal; ++vk) {
        const Keysym keysym = KeysymOfVirtualKey(static_cast<std::uint8_t>(vk));
        const auto keycode = keymap_.KeycodeOfKeysym(keysym, State().Group);
        if (keycode && held_[*keycode]) {
            return true;
        }
    }
    return false;
}

void X11InputSynth::RestoreNumLock() {
    if (!numLockToggled_) {
        return;
    }
    const unsigned locked = State().Locked;
    XkbLockModifiers(display_.get(), XkbUseCoreKbd, numLockMask_,
                     (locked ^ numLockMask_) & numLockMask_);
    numLockToggled_ = false;
    state_.reset();
}

std::optional<KeyScan> X11InputSynth::ScanCharacter(unsigned char ch) {
    RefreshIfKeymapChanged();
    return ScanAscii(keymap_, ch, State().Group);
}

void X11InputSynth::TypeCharacter(char32_t ch) {
    RefreshIfKeymapChanged();
    const char32_t typed = ch == U'\n' ? U'\r' : ch;
    const XkbStateNow state = State();
    const auto placed =
        keymap_.PlaceCharacter(typed, state.Group, state.Locked | HeldModifiers(), pressable_);
    if (placed && !PhysicallyDown(placed->Keycode)) {
        TypePlacement(*placed);
    } else if (const auto slot = SlotForKeysym(BindingKeysymOfCharacter(ch), true)) {
        TypePlacement({slot->Keycode, slot->Group, slot->Level, spareType_.LevelMods[slot->Level]});
    }
}

void X11InputSynth::TypePlacement(const KeyPlacement& placed) {
    Display* d = display_.get();
    const XkbStateNow state = State();
    const bool switchGroup = placed.Group != state.Group;
    if (switchGroup) {
        XkbLockGroup(d, XkbUseCoreKbd, placed.Group);
    }
    std::vector<std::uint8_t> pressed;
    auto press = [&](unsigned mask, std::uint8_t keycode) {
        if ((placed.Mods & mask) != 0 && mask != 0 && keycode != 0 && !held_[keycode]) {
            SendKey(keycode, true);
            pressed.push_back(keycode);
        }
    };
    press(ModifierMask::Shift, shiftKeycode_);
    press(level3Mask_, level3Keycode_);
    TapKeycode(placed.Keycode);
    for (auto it = pressed.rbegin(); it != pressed.rend(); ++it) {
        SendKey(*it, false);
    }
    if (switchGroup) {
        XkbLockGroup(d, XkbUseCoreKbd, state.Group);
    }
}

void X11InputSynth::PostAltCode(std::string_view digits) {
    if (const auto ch = AltCodeCharacter(digits)) {
        TypeCharacter(*ch);
    }
}

void X11InputSynth::PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                              std::int32_t data) {
    Display* d = display_.get();
    // The order Windows applies the parts of one event in: move, buttons, wheel.
    if ((flags & MouseFlag::Move) != 0) {
        if ((flags & AbsoluteMoveFlag) != 0) {
            const ScreenSize size = GetScreenSize();
            XTestFakeMotionEvent(d, DefaultScreen(d), PixelOfAbsolute(dx, size.Width),
                                 PixelOfAbsolute(dy, size.Height), CurrentTime);
        } else {
            XTestFakeRelativeMotionEvent(d, dx, dy, CurrentTime);
        }
    }
    const struct {
        std::uint32_t Flag;
        unsigned Button;
        bool Down;
    } buttons[] = {
        {MouseFlag::LeftDown, 1, true},   {MouseFlag::LeftUp, 1, false},
        {MouseFlag::RightDown, 3, true},  {MouseFlag::RightUp, 3, false},
        {MouseFlag::MiddleDown, 2, true}, {MouseFlag::MiddleUp, 2, false},
    };
    for (const auto& b : buttons) {
        if ((flags & b.Flag) != 0) {
            XTestFakeButtonEvent(d, b.Button, b.Down ? True : False, CurrentTime);
            buttonsHeld_[b.Button] = b.Down;
        }
    }
    if ((flags & MouseFlag::Wheel) != 0) {
        const WheelClicks clicks = WheelClicksOf(data);
        for (int i = 0; i < clicks.Count; ++i) {
            XTestFakeButtonEvent(d, clicks.Button, True, CurrentTime);
            XTestFakeButtonEvent(d, clicks.Button, False, CurrentTime);
        }
    }
    unfenced_ = true;
    XFlush(d);
}

bool X11InputSynth::CapsLockOn() {
    XkbStateRec rec{};
    XkbGetState(display_.get(), XkbUseCoreKbd, &rec);
    return (rec.locked_mods & LockMask) != 0;
}

ScreenSize X11InputSynth::GetScreenSize() {
    Display* d = display_.get();
    return {DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))};
}

bool X11InputSynth::PhysicallyDown(std::uint8_t keycode) {
    if (!physicallyDown_) {
        char keys[32] = {};
        XQueryKeymap(display_.get(), keys);
        std::array<bool, 256> down{};
        for (std::size_t kc = 0; kc < down.size(); ++kc) {
            down[kc] = (static_cast<unsigned char>(keys[kc / 8]) & (1U << (kc % 8))) != 0;
        }
        physicallyDown_ = down;
    }
    return (*physicallyDown_)[keycode] && !held_[keycode];
}

std::optional<X11InputSynth::SpareSlot> X11InputSynth::SlotForKeysym(Keysym keysym, bool mayBind) {
    if (keysym == NoKeysym) {
        return std::nullopt;
    }
    if (!bound_.contains(keysym)) {
        if (!mayBind) {
            return std::nullopt;
        }
        Rebind(plan_.ChunkFor(keysym, SpareCapacity()));
    }
    const auto it = bound_.find(keysym);
    if (it == bound_.end()) {
        return std::nullopt; // every spare keycode is held down: nothing to bind
    }
    plan_.Consume(keysym);
    lastSpareUse_ = Clock::now();
    return it->second;
}

bool X11InputSynth::RowOfOtherType(std::uint8_t keycode) const {
    const auto row = spareRows_.find(keycode);
    return row != spareRows_.end() && row->second.size() != SlotsPerKey() &&
           std::any_of(row->second.begin(), row->second.end(),
                       [](Keysym k) { return k != NoKeysym; });
}

std::size_t X11InputSynth::SpareCapacity() const {
    const auto free = static_cast<std::size_t>(
        std::count_if(spares_.begin(), spares_.end(), [&](std::uint8_t kc) { return !held_[kc]; }));
    return free * SlotsPerKey();
}

std::size_t X11InputSynth::SlotsPerKey() const {
    return spareType_.LevelMods.size() * SpareGroups;
}

std::size_t X11InputSynth::RowIndex(const SpareSlot& slot) const {
    return slot.Group * spareType_.LevelMods.size() + slot.Level;
}

void X11InputSynth::Rebind(const std::vector<Keysym>& chunk) {
    const std::set<Keysym> wanted(chunk.begin(), chunk.end());
    std::size_t missing = 0;
    for (Keysym keysym : chunk) {
        missing += bound_.contains(keysym) ? 0 : 1;
    }
    const std::size_t levels = spareType_.LevelMods.size();
    const std::size_t slots = SlotsPerKey();
    auto slotAt = [&](std::uint8_t keycode, std::size_t index) {
        return SpareSlot{keycode, static_cast<unsigned>(index % levels),
                         static_cast<unsigned>(index / levels)};
    };
    // Free places first: a binding stays until its place is needed for something else, since
    // every change of a keycode that was typed through means waiting for the programs.
    std::vector<SpareSlot> available;
    for (std::uint8_t kc : spares_) {
        if (held_[kc]) {
            continue;
        }
        const auto row = spareRows_.find(kc);
        if (row == spareRows_.end()) {
            for (std::size_t index = 0; index < slots; ++index) {
                available.push_back(slotAt(kc, index));
            }
        } else if (row->second.size() == slots) {
            for (std::size_t index = 0; index < slots; ++index) {
                if (row->second[index] == NoKeysym) {
                    available.push_back(slotAt(kc, index));
                }
            }
        }
    }
    std::set<std::uint8_t> changed;
    bool released = false;
    for (auto it = bound_.begin(); it != bound_.end() && available.size() < missing;) {
        if (!wanted.contains(it->first) && !held_[it->second.Keycode]) {
            // A keycode bound with another type than today's is freed whole.
            available.push_back(it->second);
            spareRows_[it->second.Keycode][RowIndex(it->second)] = NoKeysym;
            changed.insert(it->second.Keycode);
            released = true;
            it = bound_.erase(it);
        } else {
            ++it;
        }
    }
    if (released) {
        // Programs must have taken in what was typed through these keys before they change.
        SettleAfterUse();
    }
    std::vector<bool> used(available.size(), false);
    for (Keysym keysym : chunk) {
        if (bound_.contains(keysym)) {
            continue;
        }
        // A named key (F24, a media key) goes on a first level: a level's Shift or AltGr would
        // turn a combination the macro spells into another one. A keycode still bound with an
        // earlier key type (before a layout change) takes nothing new until it is free.
        const bool plainLevel = CharacterOfKeysym(keysym) == 0;
        std::size_t pick = 0;
        while (pick < available.size() && (used[pick] || available[pick].Level >= levels ||
                                           available[pick].Group >= SpareGroups ||
                                           (plainLevel && available[pick].Level != 0) ||
                                           RowOfOtherType(available[pick].Keycode))) {
            ++pick;
        }
        if (pick == available.size()) {
            continue;
        }
        used[pick] = true;
        const SpareSlot slot = available[pick];
        std::vector<Keysym>& row = spareRows_[slot.Keycode];
        if (row.size() != slots) {
            row.assign(slots, NoKeysym);
        }
        row[RowIndex(slot)] = keysym;
        bound_[keysym] = slot;
        changed.insert(slot.Keycode);
    }
    if (!changed.empty()) {
        WriteSpareRows({changed.begin(), changed.end()});
        RecordBindings();
        // Only our own request queue needs to be through; programs read the notice before any
        // key that follows.
        XSync(display_.get(), False);
        lastSpareUse_ = Clock::now();
    }
}

void X11InputSynth::WriteSpareRows(const std::vector<std::uint8_t>& keycodes) {
    Display* d = display_.get();
    // One XKB request for the whole set: every change makes every client reload its keymap (a
    // Qt client takes milliseconds for that), so keys written one by one cost a reload each.
    XkbDescPtr xkb = XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    auto rowOf = [&](std::uint8_t keycode) {
        const auto it = spareRows_.find(keycode);
        const bool empty =
            it == spareRows_.end() || std::all_of(it->second.begin(), it->second.end(),
                                                  [](Keysym k) { return k == NoKeysym; });
        return empty ? std::vector<Keysym>{} : it->second;
    };
    if (xkb == nullptr) {
        for (std::uint8_t keycode : keycodes) {
            const std::vector<Keysym> row = rowOf(keycode);
            WriteKeycode(keycode, row.empty() ? NoKeysym : row.front());
        }
        return;
    }
    XkbMapChangesRec changes{};
    int lowest = 255;
    int highest = 0;
    for (std::uint8_t keycode : keycodes) {
        const std::vector<Keysym> row = rowOf(keycode);
        if (row.empty()) {
            spareRows_.erase(keycode);
            int types[XkbNumKbdGroups] = {XkbOneLevelIndex};
            XkbChangeTypesOfKey(xkb, keycode, 0, XkbGroup1Mask, types, &changes);
        } else {
            // The same type in every group: a level is reached the same way in each.
            const int groups = static_cast<int>(row.size() / spareType_.LevelMods.size());
            int types[XkbNumKbdGroups] = {};
            for (int& type : types) {
                type = static_cast<int>(spareType_.TypeIndex);
            }
            if (XkbChangeTypesOfKey(xkb, keycode, groups, XkbAllGroupsMask, types, &changes) ==
                Success) {
                if (KeySym* syms = XkbResizeKeySyms(xkb, keycode, static_cast<int>(row.size()))) {
                    for (std::size_t level = 0; level < row.size(); ++level) {
                        syms[level] = row[level];
                    }
                }
            }
        }
        lowest = std::min<int>(lowest, keycode);
        highest = std::max<int>(highest, keycode);
    }
    changes.changed |= XkbKeySymsMask;
    changes.first_key_sym = static_cast<KeyCode>(lowest);
    changes.num_key_syms = static_cast<unsigned char>(highest - lowest + 1);
    XkbChangeMap(d, xkb, &changes);
    XkbFreeKeyboard(xkb, 0, True);
}

void X11InputSynth::WriteKeycode(std::uint8_t keycode, Keysym keysym) {
    std::vector<KeySym> row(static_cast<std::size_t>(keysymsPerKeycode_), NoSymbol);
    row[0] = keysym;
    row[1] = keysym;
    XChangeKeyboardMapping(display_.get(), keycode, keysymsPerKeycode_, row.data(), 1);
}

void X11InputSynth::SettleAfterUse() {
    if (WaitForFocusClient(PingWait::InEventLoop)) {
        return;
    }
    const auto until = lastSpareUse_ + SettleTime;
    if (Clock::now() < until) {
        XSync(display_.get(), False);
        if (wait_) {
            wait_([] { return false; }, until);
        } else {
            std::this_thread::sleep_until(until);
        }
    }
}

void X11InputSynth::UnbindAll() {
    if (bound_.empty()) {
        return;
    }
    std::set<std::uint8_t> changed;
    for (auto it = bound_.begin(); it != bound_.end();) {
        if (held_[it->second.Keycode]) {
            ++it; // a key a macro still holds keeps its meaning until released
            continue;
        }
        spareRows_[it->second.Keycode][RowIndex(it->second)] = NoKeysym;
        changed.insert(it->second.Keycode);
        it = bound_.erase(it);
    }
    if (!changed.empty()) {
        WriteSpareRows({changed.begin(), changed.end()});
    }
    RecordBindings();
    XSync(display_.get(), False);
}

void X11InputSynth::RecordBindings() {
    Display* d = display_.get();
    if (bound_.empty()) {
        XDeleteProperty(d, root_, boundKeysAtom_);
        return;
    }
    std::vector<long> pairs;
    for (const auto& [keysym, slot] : bound_) {
        pairs.push_back(slot.Keycode);
        pairs.push_back(static_cast<long>(keysym));
    }
    XChangeProperty(d, root_, boundKeysAtom_, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(pairs.data()),
                    static_cast<int>(pairs.size()));
}

void X11InputSynth::AdoptLeftovers() {
    Display* d = display_.get();
    int count = 0;
    Atom* atoms = XListProperties(d, root_, &count);
    if (atoms == nullptr) {
        return;
    }
    std::vector<char*> names(static_cast<std::size_t>(count), nullptr);
    const std::string prefix = BoundKeysPropertyPrefix;
    std::vector<std::pair<std::uint8_t, Keysym>> left;
    if (count > 0 && XGetAtomNames(d, atoms, count, names.data())) {
        for (int i = 0; i < count; ++i) {
            const std::string name = names[static_cast<std::size_t>(i)];
            if (name.rfind(prefix, 0) != 0) {
                continue;
            }
            const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
            if (pid == getpid() || !ProcessGone(pid)) {
                continue;
            }
            Atom type = 0;
            int format = 0;
            unsigned long items = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(d, root_, atoms[i], 0, 1024, False, XA_INTEGER, &type, &format,
                                   &items, &after, &data) == Success &&
                format == 32 && data != nullptr) {
                const auto* values = reinterpret_cast<const long*>(data);
                for (unsigned long p = 0; p + 1 < items; p += 2) {
                    left.emplace_back(static_cast<std::uint8_t>(values[p]),
                                      static_cast<Keysym>(values[p + 1]));
                }
            }
            if (data != nullptr) {
                XFree(data);
            }
            XDeleteProperty(d, root_, atoms[i]);
        }
        for (char* n : names) {
            if (n != nullptr) {
                XFree(n);
            }
        }
    }
    XFree(atoms);
    if (left.empty()) {
        return;
    }
    // Keys an earlier process bound and left (a play command that ended while a program was
    // still reading its keys, or one that was killed) are taken over as they stand when they
    // still look as it left them: changing them now could change keys a program has yet to
    // read. Anything else of theirs that still carries their keysym is blanked.
    const KeymapSnapshot server = ReadXkbKeymap(d);
    const std::size_t levels = spareType_.LevelMods.size();
    std::set<std::uint8_t> blank;
    for (const auto& [keycode, keysym] : left) {
        const KeyEntry& key = server.Keys[keycode];
        const bool carries = std::any_of(key.Groups.begin(), key.Groups.end(), [&](const auto& g) {
            return std::find(g.Levels.begin(), g.Levels.end(), keysym) != g.Levels.end();
        });
        if (!carries) {
            continue;
        }
        const bool adoptable =
            key.Groups.size() == SpareGroups && key.ModMap == 0 &&
            std::all_of(key.Groups.begin(), key.Groups.end(), [&](const auto& g) {
                return g.Type == spareType_.TypeIndex && g.Levels.size() == levels;
            });
        if (!adoptable) {
            blank.insert(keycode);
            continue;
        }
        std::vector<Keysym>& row = spareRows_[keycode];
        row.clear();
        for (unsigned group = 0; group < SpareGroups; ++group) {
            for (unsigned level = 0; level < levels; ++level) {
                const Keysym sym = key.Groups[group].Levels[level];
                row.push_back(sym);
                if (sym != NoKeysym && !bound_.contains(sym)) {
                    bound_[sym] = {keycode, level, group};
                }
            }
        }
    }
    for (const std::uint8_t keycode : blank) {
        WriteKeycode(keycode, NoKeysym);
    }
    RecordBindings();
    XSync(d, False);
    LoadKeymap(); // adopted keys are ours now, not characters of the layout
}

void X11InputSynth::PrepareCharacters(std::u32string_view text) {
    RefreshIfKeymapChanged();
    const XkbStateNow state = State();
    std::vector<Keysym> missing;
    for (char32_t ch : text) {
        const char32_t typed = ch == U'\n' ? U'\r' : ch;
        const auto placed = keymap_.PlaceCharacter(typed, state.Group, state.Locked, pressable_);
        if (placed && !PhysicallyDown(placed->Keycode)) {
            continue;
        }
        const Keysym keysym = BindingKeysymOfCharacter(ch);
        if (keysym != NoKeysym) {
            missing.push_back(keysym);
        }
    }
    if (missing.empty()) {
        plan_.Announce({});
        return;
    }
    const Keysym first = missing.front();
    plan_.Announce(std::move(missing));
    // All that fits now, in one rebinding; the rest follows chunk by chunk as typing gets there.
    Rebind(plan_.ChunkFor(first, SpareCapacity()));
}

void X11InputSynth::Flush() {
    XFlush(display_.get());
}

void X11InputSynth::EndOfBatch() {
    if (!unfenced_) {
        return;
    }
    Display* d = display_.get();
    XSync(d, False);
    const long serial = ++fenceSerial_;
    XChangeProperty(d, root_, fenceAtom_, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&serial), 1);
    XFlush(d);
    unfenced_ = false;
    state_.reset();
    physicallyDown_.reset();
}

void X11InputSynth::EndOfPlayback() {
    // Bindings stay (see the class comment); the next playback announces its own characters.
    plan_.Announce({});
    EndOfBatch();
    physicallyDown_.reset();
}

void X11InputSynth::RestoreKeyboard() {
    if (!display_) {
        return;
    }
    Display* d = display_.get();
    for (std::size_t kc = 0; kc < held_.size(); ++kc) {
        if (held_[kc]) {
            SendKey(static_cast<std::uint8_t>(kc), false);
        }
    }
    for (std::size_t b = 0; b < buttonsHeld_.size(); ++b) {
        if (buttonsHeld_[b]) {
            XTestFakeButtonEvent(d, static_cast<unsigned>(b), False, CurrentTime);
            buttonsHeld_[b] = false;
        }
    }
    RestoreNumLock();
    // Bound keys go back only once the program with the focus has proven it has read every key
    // typed through them; a program that cannot prove it (plain Xlib clients, terminals) may
    // still be reading them, so they stay, recorded, for the next start to take over.
    if (!bound_.empty()) {
        if (WaitForFocusClient(PingWait::Here)) {
            UnbindAll();
        } else {
            RecordBindings();
        }
    }
    EndOfBatch();
}

} // namespace orvane
