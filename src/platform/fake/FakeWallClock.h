// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/WallClock.h"

namespace orvane {

// A wall clock that shows whatever the test sets.
class FakeWallClock : public WallClock {
public:
    LocalDateTime LocalNow() override { return Now; }

    LocalDateTime Now{1998, 3, 5, 9, 5, 0};
};

} // namespace orvane
