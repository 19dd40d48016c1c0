// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CatalogueItemTexts.h"

#include "catalogue/EquipmentRecord.h"

#include <QtMath>

namespace dovrel {

std::string_view CatalogueItemTexts::name(std::size_t position) {
    return made(position).name;
}

const ListItemText& CatalogueItemTexts::textOf(std::size_t position, std::string_view shown) {
    const Made& record = made(position);
    if (showsName(record, shown)) {
        return record.text;
    }
    other_ = listItemText(shown);
    return other_;
}

int CatalogueItemTexts::widthOf(std::size_t position, std::string_view shown, const QFont& font) {
    if (!widthMetrics_ || font != widthFont_) {
        for (std::optional<Made>& kept : made_) {
            if (kept) {
                kept->width = -1;
            }
        }
        widthFont_ = font;
        widthMetrics_.emplace(font);
        const QFontMetricsF exact(font);
        for (char16_t letter = 0; letter < asciiAdvances_.size(); ++letter) {
            asciiAdvances_[letter] = exact.horizontalAdvance(QChar(letter));
        }
    }
    Made& record = made(position);
    if (!showsName(record, shown)) {
        return measured(textOf(position, shown).text);
    }
    if (record.width < 0) {
        record.width = measured(record.text.text);
    }
    return record.width;
}

int CatalogueItemTexts::measured(const QString& text) const {
    // An ASCII text is as wide as its letters' advances together, or narrower where the font kerns a
    // pair: tens of thousands of names are measured without laying each out. Any other text is laid
    // out.
    qreal width = 0;
    for (const QChar letter : text) {
        if (letter.unicode() >= asciiAdvances_.size()) {
            return widthMetrics_->horizontalAdvance(text);
        }
        width += asciiAdvances_[letter.unicode()];
    }
    return qCeil(width);
}

CatalogueItemTexts::Made& CatalogueItemTexts::made(std::size_t position) {
    if (made_.empty()) {
        made_.resize(catalogue_.size());
    }
    std::optional<Made>& kept = made_[position];
    if (!kept) {
        const std::string_view name = recordFieldView(catalogue_[position], RecordField::englishName);
        kept = Made{name, listItemText(name)};
    }
    return *kept;
}

} // namespace dovrel
