// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ZoomSteps.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

// Zoom In and Zoom Out walk the steps and stop at either end; a zoom between steps goes to the
// step on its side.
TEST(ZoomSteps, InAndOutWalkTheStepsAndStopAtTheEnds) {
    const struct {
        int from;
        int in;
        int out;
    } cases[] = {{100, 110, 100}, {110, 125, 100}, {125, 150, 110}, {150, 175, 125},
                 {175, 200, 150}, {200, 200, 175}, {130, 150, 125}, {90, 100, 100}};
    for (const auto& c : cases) {
        EXPECT_EQ(zoomStepAbove(c.from), c.in) << c.from;
        EXPECT_EQ(zoomStepBelow(c.from), c.out) << c.from;
    }
}

// A stored zoom wins over the desktop's font; without one, a desktop font larger than 8.25 points
// picks the step nearest to it.
TEST(ZoomSteps, TheStartTakesTheStoredZoomElseTheDesktopFontsNearestStep) {
    const struct {
        std::optional<std::string_view> stored;
        double desktopPoints;
        int zoom;
    } cases[] = {
        {std::nullopt, 0, 100},    // the desktop tells no font
        {std::nullopt, 8.25, 100}, // the designed size
        {std::nullopt, 7, 100},    // smaller: never below 100
        {std::nullopt, 9, 110},    // 109 %
        {std::nullopt, 10, 125},   // 121 %
        {std::nullopt, 11, 125},   // 133 %: nearer 125 than 150
        {std::nullopt, 12, 150},   // 145 %
        {std::nullopt, 14, 175},   // 170 %
        {std::nullopt, 24, 200},   // beyond the largest step
        {"150", 9, 150},           // stored, whatever the desktop
        {"100", 12, 100},          // Actual Size chosen once stays
        {"130", 0, 125},           // between steps: the nearest
        {"", 12, 150},             // not a number: as never stored
        {"big", 9, 110},
        {"150%", 0, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(startZoom(c.stored, c.desktopPoints), c.zoom)
            << (c.stored ? *c.stored : "(none)") << " " << c.desktopPoints;
    }
}

} // namespace
} // namespace dovrel
