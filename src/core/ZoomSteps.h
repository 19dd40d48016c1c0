// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace dovrel {

// The zoom steps of View > Zoom In and Zoom Out, in percent of the window's designed size.
inline constexpr std::array<int, 6> kZoomSteps{100, 110, 125, 150, 175, 200};
// The point size of the windows' ordinary font at 100 %.
inline constexpr double kDesignedFontPoints = 8.25;

// The step after or before a zoom; the largest or smallest step stays where it is.
int zoomStepAbove(int percent);
int zoomStepBelow(int percent);
// The step nearest to a percentage; of two as near, the smaller.
int nearestZoomStep(double percent);

// The zoom a start shows: the stored "Zoom" when it is a whole number (taken to its nearest step);
// else, with the desktop's ordinary font larger than the designed 8.25 points, the step nearest to
// their ratio; else 100. desktopFontPoints is 0 when the desktop does not tell its font.
int startZoom(std::optional<std::string_view> stored, double desktopFontPoints);

} // namespace dovrel
