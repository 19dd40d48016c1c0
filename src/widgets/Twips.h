// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace dovrel {

// Positions and sizes are kept in twips as single-precision floats and shown at
// round(twips x zoom / 15) pixels: 15 twips a pixel at the window's actual size (zoom 100 %).
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

inline constexpr float kTwipsPerPixel = 15.0f;
inline constexpr int kActualSize = 100;

int twipsToPixels(float twips, int zoomPercent);
float pixelsToTwips(int pixels, int zoomPercent);

// The zoom of the window a widget lies in, in percent: 100 until the window is zoomed.
int zoomOf(const QWidget* widget);

// Places a widget at a twips geometry (kept on the widget) and moves it to the matching pixels at
// its window's zoom.
void placeInTwips(QWidget* widget, const TwipsRect& rect);
void moveInTwips(QWidget* widget, float left, float top);
void resizeInTwips(QWidget* widget, float width, float height);
// The twips geometry last set on the widget; its pixel geometry in twips at its window's zoom when
// none was set, and for a window its place and size on the screen (pixels x 15).
TwipsRect twipsGeometry(const QWidget* widget);
// Whether a twips geometry was set on the widget.
bool hasTwipsGeometry(const QWidget* widget);

} // namespace dovrel
