// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Twips.h"

#include "widgets/WindowZoom.h"

#include <QRectF>
#include <QVariant>
#include <cmath>

namespace dovrel {

namespace {
constexpr const char* kTwipsProperty = "dovrelTwips";

float zoomFactor(int zoomPercent) {
    // 1.0f at the actual size, so the pixels there are exactly twips / 15.
    return static_cast<float>(zoomPercent) / static_cast<float>(kActualSize);
}
} // namespace

int twipsToPixels(float twips, int zoomPercent) {
    return static_cast<int>(std::lround(twips * zoomFactor(zoomPercent) / kTwipsPerPixel));
}

float pixelsToTwips(int pixels, int zoomPercent) {
    return static_cast<float>(pixels) * kTwipsPerPixel / zoomFactor(zoomPercent);
}

int zoomOf(const QWidget* widget) {
    const QVariant zoom = widget->window()->property(kZoomProperty);
    return zoom.isValid() ? zoom.toInt() : kActualSize;
}

void placeInTwips(QWidget* widget, const TwipsRect& rect) {
    widget->setProperty(kTwipsProperty, QRectF(rect.left, rect.top, rect.width, rect.height));
    const int zoom = zoomOf(widget);
    widget->setGeometry(twipsToPixels(rect.left, zoom), twipsToPixels(rect.top, zoom),
                        twipsToPixels(rect.width, zoom), twipsToPixels(rect.height, zoom));
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
    // A window lies on the screen, which no zoom changes: its place and size are its pixels.
    const int zoom = widget->isWindow() ? kActualSize : zoomOf(widget);
    return {pixelsToTwips(pixels.x(), zoom), pixelsToTwips(pixels.y(), zoom),
            pixelsToTwips(pixels.width(), zoom), pixelsToTwips(pixels.height(), zoom)};
}

bool hasTwipsGeometry(const QWidget* widget) {
    return widget->property(kTwipsProperty).isValid();
}

} // namespace dovrel
