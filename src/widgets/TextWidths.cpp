// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TextWidths.h"

#include <QFontMetricsF>
#include <QtMath>

namespace dovrel {

TextWidths::TextWidths(const QFont& font) : font_(font), metrics_(font) {
    const QFontMetricsF exact(font);
    for (char16_t letter = 0; letter < asciiAdvances_.size(); ++letter) {
        asciiAdvances_[letter] = exact.horizontalAdvance(QChar(letter));
    }
}

int TextWidths::of(const QString& text) const {
    qreal width = 0;
    for (const QChar letter : text) {
        if (letter.unicode() >= asciiAdvances_.size()) {
            return metrics_.horizontalAdvance(text);
        }
        width += asciiAdvances_[letter.unicode()];
    }
    return qCeil(width);
}

} // namespace dovrel
