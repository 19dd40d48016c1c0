// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ConsistStrip.h"

#include "consist/ConsistLabels.h"
#include "platform/qt/TextConversion.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"
#include "widgets/WindowZoom.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace dovrel {

namespace {
QColor colourOf(StoredColour colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}
} // namespace

ConsistStrip::ConsistStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ConsistStrip"));
}

void ConsistStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (labels_ == nullptr) {
        return;
    }
    paintGapMarks(painter);
    const TwipsRect band = twipsGeometry(this);
    const int zoom = zoomOf(this);
    const QRectF visible(0, 0, width(), height());
    for (const LabelRef& ref : labels_->stackingOrder()) {
        const LabelElement* element = labels_->element(ref);
        if (element == nullptr || !element->visible) {
            continue;
        }
        const QRect area(twipsToPixels(element->left - band.left, zoom),
                         twipsToPixels(element->top - band.top, zoom), twipsToPixels(element->width, zoom),
                         twipsToPixels(element->height, zoom));
        if (!visible.intersects(area)) {
            continue;
        }
        if (element->opaque) {
            painter.fillRect(area, colourOf(element->background));
        }
        if (!element->caption.empty()) {
            painter.setPen(colourOf(element->foreground));
            painter.setFont(zoomedFont(
                requestedFont(QString::fromStdString(element->font.family), element->font.points), zoom));
            const int flags = ref.set == LabelSet::Label1 ? Qt::AlignCenter | Qt::TextWordWrap
                                                          : Qt::AlignLeft | Qt::AlignVCenter;
            painter.drawText(area, flags, displayText(element->caption));
        }
        if (ref.set == LabelSet::Label3 && element->opaque) {
            // The frame reaches into the gaps beside the selected unit: their marks show through it,
            // under the selected unit's own body and marker, which lie above the frame.
            painter.save();
            painter.setClipRect(area);
            paintGapMarks(painter);
            painter.restore();
        }
    }
}

// Below every label, so front markers that reach into a gap stay on top of its mark; again over the
// selection frame where it covers a gap. Bodies stand left to right in line order, so only the gaps
// from the first one that reaches the band are looked at.
void ConsistStrip::paintGapMarks(QPainter& painter) const {
    const TwipsRect band = twipsGeometry(this);
    const int zoom = zoomOf(this);
    const QRectF visible(0, 0, width(), height());
    const auto bodyOf = [this](std::int32_t unit) {
        return labels_->element(LabelSet::Label1, static_cast<std::size_t>(unit) + 1);
    };
    const auto firstInBand = std::partition_point(gapMarks_.begin(), gapMarks_.end(), [&](std::int32_t gap) {
        const LabelElement* right = bodyOf(gap + 1);
        return right != nullptr && right->left < band.left;
    });
    for (auto gap = firstInBand; gap != gapMarks_.end(); ++gap) {
        const LabelElement* left = bodyOf(*gap);
        const LabelElement* right = bodyOf(*gap + 1);
        if (left == nullptr || right == nullptr) {
            break;
        }
        const float from = left->left + left->width;
        if (from > band.left + band.width) {
            break;
        }
        const QRect area(twipsToPixels(from - band.left, zoom), twipsToPixels(left->top - band.top, zoom),
                         twipsToPixels(right->left - from, zoom), twipsToPixels(left->height, zoom));
        if (left->visible && right->visible && visible.intersects(area)) {
            painter.fillRect(area, QColor(255, 0, 0));
        }
    }
}

void ConsistStrip::mousePressEvent(QMouseEvent* event) {
    if (!onPress_) {
        return;
    }
    const TwipsRect band = twipsGeometry(this);
    const QPointF at = event->position();
    const int zoom = zoomOf(this);
    onPress_(event->button(), band.left + pixelsToTwips(static_cast<int>(at.x()), zoom),
             band.top + pixelsToTwips(static_cast<int>(at.y()), zoom));
}

} // namespace dovrel
