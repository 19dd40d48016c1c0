#include "widgets/ConsistStrip.h"

#include <QPainter>

namespace dovrel {

ConsistStrip::ConsistStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ConsistStrip"));
}

void ConsistStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
}

} // namespace dovrel
