// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WallClock.h"

namespace orvane {

// The local time of the system clock and time zone.
class SystemWallClock final : public WallClock {
public:
    LocalDateTime LocalNow() override;
};

} // namespace orvane
