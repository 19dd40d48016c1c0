// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CatalogueItemTexts.h"

#include "catalogue/EquipmentRecord.h"

namespace dovrel {

std::string_view CatalogueItemTexts::name(std::size_t position) {
    return made(position).name;
}

ListItemText CatalogueItemTexts::textOf(std::size_t position, std::string_view shown) {
    const Made& record = made(position);
    return shown == record.name ? record.text : listItemText(shown);
}

const CatalogueItemTexts::Made& CatalogueItemTexts::made(std::size_t position) {
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
