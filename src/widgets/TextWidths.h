// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <array>

namespace dovrel {

// The widths in pixels of texts in one font, as wide as they are drawn or a little wider: an ASCII
// text as its letters' advances together (kerning only narrows it), any other text laid out. Tens of
// thousands of names are measured without laying each one out.
class TextWidths {
public:
    explicit TextWidths(const QFont& font);

    const QFont& font() const { return font_; }
    int of(const QString& text) const;

private:
    QFont font_;
    QFontMetrics metrics_;
    std::array<qreal, 128> asciiAdvances_{};
};

} // namespace dovrel
