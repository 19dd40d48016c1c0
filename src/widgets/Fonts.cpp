// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Fonts.h"

namespace dovrel {

QFont requestedFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    const QString lower = family.toLower();
    if (lower.contains(QStringLiteral("courier")) || lower.contains(QStringLiteral("console"))) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        font.setStyleHint(QFont::SansSerif);
    }
    return font;
}

QFont smallFonts() {
    return requestedFont(QStringLiteral("Small Fonts"), 6.75);
}

QFont lucidaConsole() {
    return requestedFont(QStringLiteral("Lucida Console"), 8.25);
}

QFont courierNew() {
    return requestedFont(QStringLiteral("Courier New"), 9.0);
}

QFont dialogFont() {
    return requestedFont(QStringLiteral("Arial"), 8.25);
}

} // namespace dovrel
