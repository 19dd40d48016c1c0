// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CatalogueListRows.h"

namespace dovrel {

const ListItemText& CatalogueListRows::text(std::size_t row) const {
    const FoundUnit& unit = items_->units[row];
    return texts_->textOf(unit.record, unit.shown);
}

} // namespace dovrel
