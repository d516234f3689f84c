// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/WaylandInputSynth.h"

#include "platform/linux/KeysymText.h"
#include "platform/linux/MouseTranslation.h"
#include "platform/linux/VirtualKeys.h"
#include "script/AltCode.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace orvane {

std::unique_ptr<WaylandInputSynth> WaylandInputSynth::Open(std::string& error,
                                                           std::optional<KeymapNames> names) {
    std::unique_ptr<WaylandConnection> connection = WaylandConnection::Open(error);
    if (!connection) {
        return nullptr;
    }
    if (!names) {
        names = KeymapNamesFrom([](const char* name) { return std::getenv(name); });
    }
    std::optional<KeyboardLayout> layout = KeyboardLayout::Compile(*names, error);
    if (!layout) {
        return nullptr;
    }
    std::unique_ptr<WaylandInputSynth> synth(
        new WaylandInputSynth(std::move(connection), std::move(*layout)));
    if (synth->layoutText_.empty() || !synth->keyboard_.SetKeymap(synth->layoutText_)) {
        error = "the keyboard layout could not be handed to the Wayland compositor";
        return nullptr;
    }
    synth->SendModifiers();
    if (!synth->connection_->Roundtrip()) {
        error = "the Wayland compositor refused the virtual keyboard";
        return nullptr;
    }
    return synth;
}

WaylandInputSynth::WaylandInputSynth(std::unique_ptr<WaylandConnection> connection,
                                     KeyboardLayout layout)
    : connection_(std::move(connection)), layout_(std::move(layout)), layoutText_(layout_.Text()),
      keyboard_(*connection_), pointer_(*connection_), state_(xkb_state_new(layout_.Keymap())),
      extras_(layout_.FreeKeycodes()) {}

WaylandInputSynth::~WaylandInputSynth() {
    const std::set<xkb_keycode_t> held = held_;
    for (const xkb_keycode_t keycode : held) {
        SendKey(keycode, false);
    }
    numLockFlip_ = 0;
    SendModifiers();
    pointer_.ReleaseAll();
    if (extras_.Clear()) {
        keyboard_.SetKeymap(layoutText_);
        SendModifiers();
    }
    connection_->Roundtrip();
}

ModifierState WaylandInputSynth::CurrentModifiers() const {
    xkb_state* s = state_.get();
    return {xkb_state_serialize_mods(s, XKB_STATE_MODS_DEPRESSED),
            xkb_state_serialize_mods(s, XKB_STATE_MODS_LATCHED),
            xkb_state_serialize_mods(s, XKB_STATE_MODS_LOCKED) ^ numLockFlip_,
            xkb_state_serialize_layout(s, XKB_STATE_LAYOUT_EFFECTIVE)};
}

void WaylandInputSynth::SendModifiers() {
    keyboard_.Modifiers(CurrentModifiers());
}

void WaylandInputSynth::Sent() {
    connection_->Flush();
    unsynced_ = true;
}

void WaylandInputSynth::SendKey(xkb_keycode_t keycode, bool down) {
    keyboard_.Key(keycode, down);
    // Keys of ours that are no key of the layout change no modifier: xkbcommon ignores them.
    xkb_state_update_key(state_.get(), keycode, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    if (down) {
        held_.insert(keycode);
    } else {
        held_.erase(keycode);
    }
}

void WaylandInputSynth::PostKey(std::uint8_t virtualKey, bool up) {
    if (virtualKey == VirtualKeyCode::Execute) {
        // The end mark of playback: it never reaches an application.
        if (up) {
            EndOfBatch();
        }
        return;
    }
    if (const unsigned button = MouseButtonOfVirtualKey(virtualKey)) {
        pointer_.Button(button == 1 ? BTN_LEFT : button == 3 ? BTN_RIGHT : BTN_MIDDLE, !up);
        Sent();
        return;
    }
    const Keysym keysym = KeysymOfVirtualKey(virtualKey);
    if (keysym == NoKeysym) {
        return;
    }
    const auto keycode = KeycodeFor(virtualKey, keysym, up);
    if (!keycode) {
        return;
    }
    if (!up) {
        ForceNumLockFor(virtualKey, *keycode, keysym);
    }
    SendKey(*keycode, !up);
    if (up && numLockFlip_ != 0 && !KeypadKeyHeld()) {
        numLockFlip_ = 0;
    }
    SendModifiers();
    Sent();
}

std::optional<xkb_keycode_t> WaylandInputSynth::KeycodeFor(std::uint8_t virtualKey, Keysym keysym,
                                                           bool up) {
    if (up && pressedVia_[virtualKey] != 0) {
        return std::exchange(pressedVia_[virtualKey], xkb_keycode_t{0}); // released where pressed
    }
    const xkb_layout_index_t layout = CurrentModifiers().Layout;
    std::optional<xkb_keycode_t> keycode = layout_.KeycodeOfKeysym(keysym, layout);
    if (!keycode) {
        keycode = ExtraKeyFor(keysym);
    }
    if (!up && keycode) {
        pressedVia_[virtualKey] = *keycode;
    }
    return keycode;
}

void WaylandInputSynth::ForceNumLockFor(std::uint8_t virtualKey, xkb_keycode_t keycode,
                                        Keysym keysym) {
    const xkb_mod_mask_t numLock = layout_.NumLockMask();
    if (!IsNumLockKeypadKey(virtualKey) || numLock == 0 || numLockFlip_ != 0) {
        return;
    }
    // The keypad digits sit on the Num Lock level: with Num Lock off the key would be an arrow
    // or Home. The key names a digit, so Num Lock is turned for as long as keypad keys are down.
    const ModifierState now = CurrentModifiers();
    const auto level = layout_.LevelOfKeysym(keycode, now.Layout, keysym);
    const xkb_mod_mask_t mods = now.Depressed | now.Latched | now.Locked;
    if (level && layout_.LevelOf(keycode, now.Layout, mods) != *level &&
        layout_.LevelOf(keycode, now.Layout, mods ^ numLock) == *level) {
        numLockFlip_ = numLock;
        SendModifiers(); // before the key, which is read with it
    }
}

bool WaylandInputSynth::KeypadKeyHeld() const {
    for (int vk = VirtualKeyCode::Numpad0; vk <= VirtualKeyCode::Decimal; ++vk) {
        if (pressedVia_[static_cast<std::size_t>(vk)] != 0) {
            return true;
        }
    }
    return false;
}

std::optional<KeyScan> WaylandInputSynth::ScanCharacter(unsigned char ch) {
    return ScanAsciiOn(layout_, ch, CurrentModifiers().Layout);
}

void WaylandInputSynth::TypeCharacter(char32_t ch) {
    const char32_t typed = ch == U'\n' ? U'\r' : ch;
    const ModifierState now = CurrentModifiers();
    if (const auto placed = layout_.PlaceCharacter(typed, now.Layout, now.Depressed | now.Latched,
                                                   now.Locked, layout_.Pressable())) {
        Strike(placed->Keycode, placed->Mods, placed->Layout);
        return;
    }
    const Keysym keysym = BindingKeysymOfCharacter(ch);
    if (keysym == NoKeysym) {
        return;
    }
    if (const auto keycode = ExtraKeyFor(keysym)) {
        Strike(*keycode, 0, now.Layout);
    }
}

void WaylandInputSynth::Strike(xkb_keycode_t keycode, xkb_mod_mask_t mods,
                               xkb_layout_index_t layout) {
    const ModifierState now = CurrentModifiers();
    ModifierState forKey = now;
    forKey.Depressed |= mods;
    forKey.Layout = layout;
    if (forKey != now) {
        keyboard_.Modifiers(forKey);
    }
    keyboard_.Key(keycode, true);
    keyboard_.Key(keycode, false);
    if (forKey != now) {
        keyboard_.Modifiers(now);
    }
    Sent();
}

std::optional<xkb_keycode_t> WaylandInputSynth::ExtraKeyFor(Keysym keysym) {
    const auto next = [&]() -> std::optional<std::size_t> {
        for (std::size_t i = 0; i < announced_.size(); ++i) {
            const std::size_t at = (cursor_ + i) % announced_.size();
            if (announced_[at] == keysym) {
                return at;
            }
        }
        return std::nullopt;
    }();
    if (!extras_.KeycodeOf(keysym)) {
        // Bound together with what the playback types next, so that rebinding is rare.
        std::vector<Keysym> wanted{keysym};
        if (next) {
            for (std::size_t i = 0; i < announced_.size(); ++i) {
                wanted.push_back(announced_[(*next + i) % announced_.size()]);
            }
        }
        if (extras_.Bind(wanted)) {
            UploadKeymap();
        }
    }
    if (next) {
        cursor_ = *next + 1;
    }
    return extras_.KeycodeOf(keysym);
}

void WaylandInputSynth::UploadKeymap() {
    const std::string text = KeymapWithExtraKeys(layout_, extras_.Keys());
    std::string error;
    // Checked here first: a keymap the compositor cannot compile would cost the keyboard.
    if (text.empty() || !KeyboardLayout::FromText(text, error) || !keyboard_.SetKeymap(text)) {
        if (extras_.Clear()) {
            keyboard_.SetKeymap(layoutText_);
        }
    }
    SendModifiers();
    Sent();
}

void WaylandInputSynth::PostAltCode(std::string_view digits) {
    if (const auto ch = AltCodeCharacter(digits)) {
        TypeCharacter(*ch);
    }
}

void WaylandInputSynth::PostMouse(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                                  std::int32_t data) {
    // The order Windows applies the parts of one event in: move, buttons, wheel.
    if ((flags & MouseFlag::Move) != 0) {
        if ((flags & MouseFlag::Absolute) != 0) {
            const LayoutBox box = connection_->Layout();
            pointer_.MoveTo(box, PointOfAbsolute(box, dx, dy));
        } else {
            pointer_.MoveBy(dx, dy);
        }
    }
    const struct {
        std::uint32_t Flag;
        std::uint32_t Button;
        bool Down;
    } buttons[] = {
        {MouseFlag::LeftDown, BTN_LEFT, true},     {MouseFlag::LeftUp, BTN_LEFT, false},
        {MouseFlag::RightDown, BTN_RIGHT, true},   {MouseFlag::RightUp, BTN_RIGHT, false},
        {MouseFlag::MiddleDown, BTN_MIDDLE, true}, {MouseFlag::MiddleUp, BTN_MIDDLE, false},
    };
    for (const auto& b : buttons) {
        if ((flags & b.Flag) != 0) {
            pointer_.Button(b.Button, b.Down);
        }
    }
    if ((flags & MouseFlag::Wheel) != 0) {
        const WheelClicks clicks = WheelClicksOf(data);
        pointer_.Wheel(clicks.Button == 4 ? clicks.Count : -clicks.Count);
    }
    Sent();
}

bool WaylandInputSynth::CapsLockOn() {
    return (CurrentModifiers().Locked & layout_.LockMask()) != 0;
}

ScreenSize WaylandInputSynth::GetScreenSize() {
    const LayoutBox box = connection_->Layout();
    return {box.Width, box.Height};
}

void WaylandInputSynth::PrepareCharacters(std::u32string_view text) {
    announced_.clear();
    cursor_ = 0;
    const ModifierState now = CurrentModifiers();
    for (const char32_t ch : text) {
        const char32_t typed = ch == U'\n' ? U'\r' : ch;
        if (layout_.PlaceCharacter(typed, now.Layout, now.Depressed | now.Latched, now.Locked,
                                   layout_.Pressable())) {
            continue;
        }
        if (const Keysym keysym = BindingKeysymOfCharacter(ch); keysym != NoKeysym) {
            announced_.push_back(keysym);
        }
    }
    if (!announced_.empty() && extras_.Bind(announced_)) {
        UploadKeymap();
    }
}

void WaylandInputSynth::EndOfBatch() {
    if (!unsynced_) {
        return;
    }
    connection_->Roundtrip();
    unsynced_ = false;
}

void WaylandInputSynth::EndOfPlayback() {
    announced_.clear();
    cursor_ = 0;
    // The keys typed through the extra keys are ahead of the keymap change in every program's
    // event stream, so they are read with the keymap they were typed with.
    if (extras_.Clear()) {
        keyboard_.SetKeymap(layoutText_);
        SendModifiers();
        Sent();
    }
    EndOfBatch();
}

int WaylandInputSynth::ConnectionFd() const {
    return connection_->Fd();
}

void WaylandInputSynth::ServeEvents() {
    connection_->ServeEvents();
}

void WaylandInputSynth::Flush() {
    connection_->Flush();
}

} // namespace orvane
