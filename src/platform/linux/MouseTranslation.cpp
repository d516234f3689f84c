// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/MouseTranslation.h"

#include <algorithm>

namespace orvane {

int PixelOfAbsolute(std::int32_t absolute, int extent) {
    if (extent <= 0) {
        return 0;
    }
    // 64-bit: 65535 * extent overflows nothing, and the rounding is (2a*e + 65535) / (2*65535).
    const std::int64_t clamped = std::clamp<std::int64_t>(absolute, 0, 65535);
    const std::int64_t pixel = (2 * clamped * extent + 65535) / (2 * 65535);
    return static_cast<int>(std::min<std::int64_t>(pixel, extent - 1));
}

WheelClicks WheelClicksOf(std::int32_t data) {
    if (data == 0) {
        return {};
    }
    const std::int64_t magnitude = data < 0 ? -static_cast<std::int64_t>(data) : data;
    const int count = static_cast<int>(std::max<std::int64_t>(1, magnitude / 120));
    return {data > 0 ? 4U : 5U, count};
}

} // namespace orvane
