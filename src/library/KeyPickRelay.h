// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/HookLibrary.h"

#include <cstdint>
#include <functional>

namespace orvane {

// Hands the hot keys the backend reports as picked (UM_KEYPICK, while a dialog's key field is
// published as the second window) to that dialog. One dialog picks at a time; codes outside the
// hot key table are dropped.
class KeyPickRelay final : public HookMessageReceiver {
public:
    using Target = std::function<void(std::uint16_t code)>;

    // Where picked keys go from now on; an empty target drops them.
    void SetTarget(Target target) { target_ = std::move(target); }
    bool HasTarget() const { return static_cast<bool>(target_); }

    void Receive(const HookMessage& message) override {
        if (message.Id == HookMessageId::UM_KEYPICK && target_ && message.WParam < HotKeyCount) {
            target_(static_cast<std::uint16_t>(message.WParam));
        }
    }

private:
    Target target_;
};

} // namespace orvane
