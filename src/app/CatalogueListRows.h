// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/CatalogueItemTexts.h"
#include "browser/FindNarrowing.h"
#include "widgets/ListRows.h"

#include <memory>

namespace dovrel {

// The rows of a browsing list: catalogue items, found or the panel's own, in order, each showing the
// list text of its bytes, which the catalogue's item texts make once per name. It keeps the items and
// the texts; the catalogue must outlive it and stay as it was.
class CatalogueListRows final : public ListRows {
public:
    CatalogueListRows(FoundItemsPtr items, std::shared_ptr<CatalogueItemTexts> texts)
        : items_(std::move(items)), texts_(std::move(texts)) {}

    std::size_t size() const override { return items_->units.size(); }
    const ListItemText& text(std::size_t row) const override;
    std::string_view bytes(std::size_t row) const override { return items_->units[row].shown; }

private:
    FoundItemsPtr items_;
    std::shared_ptr<CatalogueItemTexts> texts_;
};

} // namespace dovrel
