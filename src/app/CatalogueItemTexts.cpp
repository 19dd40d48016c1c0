// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CatalogueItemTexts.h"

#include "catalogue/EquipmentRecord.h"

namespace dovrel {

std::string_view CatalogueItemTexts::name(std::size_t position) {
    return made(position).name;
}

const ListItemText& CatalogueItemTexts::textOf(std::size_t position, std::string_view shown) {
    const Made& record = made(position);
    // Items of a catalogue's names mostly point at the names themselves.
    if ((shown.data() == record.name.data() && shown.size() == record.name.size()) || shown == record.name) {
        return record.text;
    }
    other_ = listItemText(shown);
    return other_;
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
