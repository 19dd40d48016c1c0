// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtEventPump.h"

#include <QCoreApplication>

namespace dovrel {

void QtEventPump::pump() {
    constexpr qint64 kMinimumGapMs = 10;
    if (sinceLast_.isValid() && sinceLast_.elapsed() < kMinimumGapMs) {
        return;
    }
    QCoreApplication::processEvents();
    sinceLast_.start();
}

} // namespace dovrel
