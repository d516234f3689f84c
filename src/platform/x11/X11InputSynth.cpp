// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/X11InputSynth.h"

#include "platform/linux/KeysymText.h"
#include "platform/linux/VirtualKeys.h"
#include "platform/x11/KeyRemapper.h"
#include "platform/x11/SynthFence.h"
#include "platform/x11/XkbKeymapReader.h"
#include "script/AltCode.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <utility>

namespace orvane {

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
    if (synth->spares_.AdoptLeftovers()) {
        synth->LoadKeymap(); // adopted keys are ours now, not characters of the layout
    }
    return synth;
}

X11InputSynth::X11InputSynth(DisplayHandle display)
    : display_(std::move(display)), root_(DefaultRootWindow(display_.get())),
      focus_(display_.get(), [this] { ServeEvents(); }), spares_(display_.get(), held_, focus_),
      pointer_(display_.get()) {
    Display* d = display_.get();
    fenceAtom_ = XInternAtom(d, SynthFenceProperty, False);
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
    spares_.ForgetUndone(snapshot);
    const KeymapSnapshot typesOnly{snapshot.MinKeycode, snapshot.MaxKeycode, snapshot.Types, {}};
    keymap_ = Keymap(std::move(snapshot));
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
    spares_.Use(keymap_.EmptyKeycodes(), remapped,
                ChooseSpareKeyType(typesOnly, lockMasks, pressable_));
    state_.reset();
}

void X11InputSynth::HandleEvent(const XEvent& event) {
    if (event.type == MappingNotify) {
        XMappingEvent mapping = event.xmapping;
        XRefreshKeyboardMapping(&mapping);
        keymapDirty_ = true;
    } else if (event.type == xkbEventBase_) {
        keymapDirty_ = true; // only map and new-keyboard notifications are selected
    } else {
        focus_.Observe(event); // the answer to a ping, when one is out
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
        pointer_.Button(button, !up);
        unfenced_ = true;
        XFlush(d);
        return;
    }
    const Keysym keysym = KeysymOfVirtualKey(virtualKey);
    if (keysym == NoKeysym) {
        return;
    }
    std::optional<unsigned> pressGroup;
    const std::uint8_t keycode = KeycodeFor(virtualKey, keysym, up, pressGroup);
    if (keycode == 0) {
        return;
    }
    if (!up) {
        LockNumLockFor(virtualKey, keycode, keysym);
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

std::uint8_t X11InputSynth::KeycodeFor(std::uint8_t virtualKey, Keysym keysym, bool up,
                                       std::optional<unsigned>& pressGroup) {
    if (up && pressedVia_[virtualKey] != 0) {
        return std::exchange(pressedVia_[virtualKey], std::uint8_t{0}); // released where pressed
    }
    // 0: no key to press (keycodes start at 8).
    std::uint8_t keycode = keymap_.KeycodeOfKeysym(keysym, State().Group).value_or(0);
    const bool modifierKey = keycode != 0 && keymap_.ModifierOfKeysym(keysym) != 0;
    if (!up && keycode != 0 && !modifierKey && PhysicallyDown(keycode)) {
        keycode = 0; // pressing it again would be lost: the user still holds it
    }
    if (keycode == 0) {
        if (const auto slot = spares_.SlotFor(keysym, !up)) {
            keycode = slot->Keycode;
            if (!up) {
                PressLevelModifiers(keycode, spares_.ModsOf(*slot));
                pressGroup = slot->Group;
            }
        }
    }
    if (!up) {
        pressedVia_[virtualKey] = keycode;
    }
    return keycode;
}

void X11InputSynth::LockNumLockFor(std::uint8_t virtualKey, std::uint8_t keycode, Keysym keysym) {
    if (!IsNumLockKeypadKey(virtualKey) || numLockMask_ == 0) {
        return;
    }
    // The keypad digits sit on the Num Lock level: with Num Lock off the key would be an
    // arrow or Home. Switch it on for the key, as the key names a digit.
    const auto level = keymap_.LevelOfKeysym(keycode, State().Group, keysym);
    const KeyType* type = keymap_.TypeOf(keycode, State().Group);
    const unsigned locked = State().Locked;
    if (level && type != nullptr && LevelOf(*type, locked | HeldModifiers()) != *level &&
        LevelOf(*type, (locked ^ numLockMask_) | HeldModifiers()) == *level) {
        XkbLockModifiers(display_.get(), XkbUseCoreKbd, numLockMask_,
                         (locked ^ numLockMask_) & numLockMask_);
        numLockToggled_ = !numLockToggled_;
        state_.reset();
    }
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
    } else if (const auto slot = spares_.SlotFor(BindingKeysymOfCharacter(ch), true)) {
        TypePlacement({slot->Keycode, slot->Group, slot->Level, spares_.ModsOf(*slot)});
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
    pointer_.Post(flags, dx, dy, data);
    unfenced_ = true;
    XFlush(display_.get());
}

bool X11InputSynth::CapsLockOn() {
    XkbStateRec rec{};
    XkbGetState(display_.get(), XkbUseCoreKbd, &rec);
    return (rec.locked_mods & LockMask) != 0;
}

ScreenSize X11InputSynth::GetScreenSize() {
    return pointer_.Screen();
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
    spares_.Prepare(std::move(missing));
}

void X11InputSynth::SetEventLoopWait(const EventLoopWait& wait) {
    focus_.SetEventLoopWait(wait);
    spares_.SetEventLoopWait(wait);
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
    spares_.Prepare({});
    EndOfBatch();
    physicallyDown_.reset();
}

void X11InputSynth::RestoreKeyboard() {
    if (!display_) {
        return;
    }
    for (std::size_t kc = 0; kc < held_.size(); ++kc) {
        if (held_[kc]) {
            SendKey(static_cast<std::uint8_t>(kc), false);
        }
    }
    pointer_.ReleaseAll();
    RestoreNumLock();
    // Bound keys go back only once the program with the focus has proven it has read every key
    // typed through them; a program that cannot prove it (plain Xlib clients, terminals) may
    // still be reading them, so they stay, recorded, for the next start to take over.
    spares_.Release();
    EndOfBatch();
}

} // namespace orvane
