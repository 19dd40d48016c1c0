// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/PointerPosition.h"

#include <algorithm>
#include <cmath>

namespace dovrel {

namespace {

constexpr float kTwipsPerPixel = 15.0f;
constexpr float kClientOffsetX = 3.0f;
constexpr float kClientOffsetY = 48.0f;

// Nearest whole number, halves to the even neighbour, whatever the rounding mode.
// Values beyond the screen's reach (or not numbers) are held at the ends of the int range.
int roundHalfToEven(float value) {
    constexpr float kLimit = 2.0e9f;
    if (!std::isfinite(value)) {
        return 0;
    }
    value = std::clamp(value, -kLimit, kLimit);
    const float lower = std::floor(value);
    const float fraction = value - lower;
    float rounded = lower;
    if (fraction > 0.5f) {
        rounded = lower + 1.0f;
    } else if (fraction == 0.5f) {
        rounded = std::fmod(lower, 2.0f) == 0.0f ? lower : lower + 1.0f;
    }
    return static_cast<int>(rounded);
}

} // namespace

PixelPoint pointerPositionFor(float bodyLeft, float bodyTop, float dx, float dy, float windowLeft,
                              float windowTop, int zoomPercent) {
    // 1.0f at the actual size, where the arithmetic is exactly the unzoomed one.
    const float zoom = static_cast<float>(zoomPercent) / 100.0f;
    float x = (bodyLeft + dx) * zoom;
    float y = (bodyTop + dy) * zoom;
    x = x / kTwipsPerPixel;
    y = y / kTwipsPerPixel;
    x = x + windowLeft / kTwipsPerPixel;
    y = y + windowTop / kTwipsPerPixel;
    x = x + kClientOffsetX;
    y = y + kClientOffsetY;
    return {roundHalfToEven(x), roundHalfToEven(y)};
}

} // namespace dovrel
