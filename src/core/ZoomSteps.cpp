// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ZoomSteps.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace dovrel {

int zoomStepAbove(int percent) {
    const auto* above = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return above == kZoomSteps.end() ? kZoomSteps.back() : *above;
}

int zoomStepBelow(int percent) {
    const auto* notBelow = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return notBelow == kZoomSteps.begin() ? kZoomSteps.front() : *(notBelow - 1);
}

int nearestZoomStep(double percent) {
    int nearest = kZoomSteps.front();
    for (const int step : kZoomSteps) {
        if (std::abs(step - percent) < std::abs(nearest - percent)) {
            nearest = step;
        }
    }
    return nearest;
}

int startZoom(std::optional<std::string_view> stored, double desktopFontPoints) {
    if (stored) {
        int percent = 0;
        const char* end = stored->data() + stored->size();
        const auto [last, error] = std::from_chars(stored->data(), end, percent);
        if (error == std::errc() && last == end) {
            return nearestZoomStep(percent);
        }
    }
    if (desktopFontPoints > kDesignedFontPoints) {
        return nearestZoomStep(100.0 * desktopFontPoints / kDesignedFontPoints);
    }
    return kZoomSteps.front();
}

} // namespace dovrel
