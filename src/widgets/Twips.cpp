// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Twips.h"

#include <QRectF>
#include <QVariant>
#include <cmath>

namespace dovrel {

namespace {
constexpr const char* kTwipsProperty = "dovrelTwips";
}

int twipsToPixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

float pixelsToTwips(int pixels) {
    return static_cast<float>(pixels) * kTwipsPerPixel;
}

void placeInTwips(QWidget* widget, const TwipsRect& rect) {
    widget->setProperty(kTwipsProperty, QRectF(rect.left, rect.top, rect.width, rect.height));
    widget->setGeometry(twipsToPixels(rect.left), twipsToPixels(rect.top), twipsToPixels(rect.width),
                        twipsToPixels(rect.height));
}

void moveInTwips(QWidget* widget, float left, float top) {
    TwipsRect rect = twipsGeometry(widget);
    rect.left = left;
    rect.top = top;
    placeInTwips(widget, rect);
}

void resizeInTwips(QWidget* widget, float width, float height) {
    TwipsRect rect = twipsGeometry(widget);
    rect.width = width;
    rect.height = height;
    placeInTwips(widget, rect);
}

TwipsRect twipsGeometry(const QWidget* widget) {
    const QVariant stored = widget->property(kTwipsProperty);
    if (stored.isValid()) {
        const QRectF rect = stored.toRectF();
        return {static_cast<float>(rect.x()), static_cast<float>(rect.y()), static_cast<float>(rect.width()),
                static_cast<float>(rect.height())};
    }
    const QRect pixels = widget->geometry();
    return {pixelsToTwips(pixels.x()), pixelsToTwips(pixels.y()), pixelsToTwips(pixels.width()),
            pixelsToTwips(pixels.height())};
}

} // namespace dovrel
