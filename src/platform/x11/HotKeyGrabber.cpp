// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/HotKeyGrabber.h"

#include <X11/Xlib.h>

#include <algorithm>

namespace orvane {
namespace {

// Grab requests fail asynchronously; while grabbing, errors are collected here instead of
// being dropped by the program-wide handler.
int grabErrors = 0;
int CountGrabError(Display*, XErrorEvent* error) {
    if (error->error_code == BadAccess) {
        ++grabErrors;
    }
    return 0;
}

} // namespace

HotKeyGrabber::~HotKeyGrabber() {
    Release();
    XSync(display_, False);
}

HotKeyGrabber::GrabSet HotKeyGrabber::Wanted(const GrabRequest& request) {
    GrabSet wanted;
    for (std::uint16_t code = 0; code < HotKeyCount; ++code) {
        if (request.KeysInUse[code] == 0) {
            continue;
        }
        const auto grab = GrabOf(code, request.Keymap, request.Group);
        if (grab && (grab->Button ? request.Mouse : request.Keyboard) &&
            std::find(wanted.Targets.begin(), wanted.Targets.end(), *grab) ==
                wanted.Targets.end()) {
            wanted.Targets.push_back(*grab);
        }
    }
    wanted.Locks = LockCombinations(request.Keymap.Masks);
    return wanted;
}

bool HotKeyGrabber::Differs(const GrabRequest& request) const {
    return Wanted(request) != grabbed_;
}

void HotKeyGrabber::Release() {
    // Each grab goes with the lock combinations it was made with, whatever the keymap says now.
    for (const GrabTarget& grab : grabbed_.Targets) {
        for (const unsigned lock : grabbed_.Locks) {
            if (grab.Button) {
                XUngrabButton(display_, grab.Detail, grab.Modifiers | lock, root_);
            } else {
                XUngrabKey(display_, static_cast<int>(grab.Detail), grab.Modifiers | lock, root_);
            }
        }
    }
    grabbed_ = {};
}

void HotKeyGrabber::Grab(const GrabRequest& request) {
    Release();
    unavailable_.clear();
    grabbed_.Locks = LockCombinations(request.Keymap.Masks);
    XSync(display_, False);
    auto* previous = XSetErrorHandler(CountGrabError);
    for (std::uint16_t code = 0; code < HotKeyCount; ++code) {
        if (request.KeysInUse[code] == 0) {
            continue;
        }
        const auto grab = GrabOf(code, request.Keymap, request.Group);
        if (!grab || (grab->Button ? !request.Mouse : !request.Keyboard) ||
            std::find(grabbed_.Targets.begin(), grabbed_.Targets.end(), *grab) !=
                grabbed_.Targets.end()) {
            continue;
        }
        grabErrors = 0;
        for (const unsigned lock : grabbed_.Locks) {
            if (grab->Button) {
                XGrabButton(display_, grab->Detail, grab->Modifiers | lock, root_, False,
                            ButtonPressMask | ButtonReleaseMask, GrabModeSync, GrabModeAsync, None,
                            None);
            } else {
                XGrabKey(display_, static_cast<int>(grab->Detail), grab->Modifiers | lock, root_,
                         False, GrabModeAsync, GrabModeSync);
            }
        }
        XSync(display_, False);
        grabbed_.Targets.push_back(*grab);
        if (grabErrors > 0) {
            // Another program holds some lock combination: the key would work only with Num
            // Lock on (or off), which no user can tell. It is let go whole and reported.
            for (const unsigned lock : grabbed_.Locks) {
                if (grab->Button) {
                    XUngrabButton(display_, grab->Detail, grab->Modifiers | lock, root_);
                } else {
                    XUngrabKey(display_, static_cast<int>(grab->Detail), grab->Modifiers | lock,
                               root_);
                }
            }
            XSync(display_, False);
            unavailable_.push_back(code);
        }
    }
    XSetErrorHandler(previous);
}

} // namespace orvane
