// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/KeyCodes.h"

#include <Qt>

namespace dovrel {

int windowsKeyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Alt:
        return 18;
    default:
        break;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return 65 + (qtKey - Qt::Key_A);
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return 48 + (qtKey - Qt::Key_0);
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    return 255;
}

} // namespace dovrel
