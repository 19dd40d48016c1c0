// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ConsistStrip.h"

#include "consist/ConsistLabels.h"
#include "platform/qt/TextConversion.h"
#include "widgets/Fonts.h"
#include "widgets/Twips.h"
#include "widgets/WindowZoom.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace dovrel {

namespace {
QColor colourOf(StoredColour colour) {
    return QColor(colour.red(), colour.green(), colour.blue());
}
} // namespace

std::optional<StripKey> stripKeyOf(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::ShiftModifier) {
        if (key == Qt::Key_Left) {
            return StripKey::ShiftLeft;
        }
        if (key == Qt::Key_Right) {
            return StripKey::ShiftRight;
        }
        return std::nullopt;
    }
    if (held != Qt::NoModifier) {
        return std::nullopt;
    }
    switch (key) {
    case Qt::Key_Left:
        return StripKey::Previous;
    case Qt::Key_Right:
        return StripKey::Next;
    case Qt::Key_Home:
        return StripKey::Head;
    case Qt::Key_End:
        return StripKey::Tail;
    case Qt::Key_Space:
    case Qt::Key_R:
        return StripKey::Reverse;
    case Qt::Key_Delete:
        return StripKey::Delete;
    default:
        return std::nullopt;
    }
}

ConsistStrip::ConsistStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ConsistStrip"));
    setFocusPolicy(Qt::TabFocus);
}

void ConsistStrip::setSelectionSummary(const QString& summary) {
    if (summary == accessibleDescription()) {
        return;
    }
    setAccessibleDescription(summary); // which tells a listening screen reader of the change
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
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
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

void ConsistStrip::keyPressEvent(QKeyEvent* event) {
    const std::optional<StripKey> key = stripKeyOf(event->key(), event->modifiers());
    if (!key || !onKey_) {
        QWidget::keyPressEvent(event);
        return;
    }
    onKey_(*key);
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
