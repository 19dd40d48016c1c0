// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace dovrel {

// Positions and sizes are kept in twips as single-precision floats and shown at
// round(twips / 15) pixels.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

inline constexpr float kTwipsPerPixel = 15.0f;

int twipsToPixels(float twips);
float pixelsToTwips(int pixels);

// Places a widget at a twips geometry (kept on the widget) and moves it to the matching pixels.
void placeInTwips(QWidget* widget, const TwipsRect& rect);
void moveInTwips(QWidget* widget, float left, float top);
void resizeInTwips(QWidget* widget, float width, float height);
// The twips geometry last set on the widget; its pixel geometry × 15 when none was set.
TwipsRect twipsGeometry(const QWidget* widget);

} // namespace dovrel
