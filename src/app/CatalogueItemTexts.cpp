// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CatalogueItemTexts.h"

#include "catalogue/EquipmentRecord.h"

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
    if (!widths_ || font != widths_->font()) {
        for (std::optional<Made>& kept : made_) {
            if (kept) {
                kept->width = -1;
            }
        }
        widths_.emplace(font);
    }
    Made& record = made(position);
    if (!showsName(record, shown)) {
        return widths_->of(textOf(position, shown).text);
    }
    if (record.width < 0) {
        record.width = widths_->of(record.text.text);
    }
    return record.width;
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
