// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace dovrel {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// Where the mouse pointer goes to point at a spot dx, dy twips from the top-left corner of a unit
// body whose left and top (window client twips) are given, with the main window's outer left and top
// edges on the screen in twips. Single-precision arithmetic: 15 twips a pixel, 3 and 48 pixels from the
// window's outer corner to its client area, each coordinate rounded to the nearest pixel, halves to
// even. In a window zoomed to zoomPercent the twips inside it take as many more pixels.
PixelPoint pointerPositionFor(float bodyLeft, float bodyTop, float dx, float dy, float windowLeft,
                              float windowTop, int zoomPercent = 100);

} // namespace dovrel
