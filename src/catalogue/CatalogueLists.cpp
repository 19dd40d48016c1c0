// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueLists.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

#include <string_view>
#include <unordered_set>

namespace dovrel {

namespace {

// Appends an entry to a list joined by "|".
void appendEntry(std::string& joined, bool first, std::string_view entry) {
    if (!first) {
        joined.push_back('|');
    }
    joined.append(entry);
}

} // namespace

CatalogueLists CatalogueLists::of(const Catalogue& catalogue) {
    // Every record's provider, and its provider and product, joined and then made distinct; each
    // coupler's short name once, in the order first met. The names are views into the catalogue's
    // records until a new one is kept.
    std::string providers;
    std::string pairs;
    CatalogueLists lists;
    std::unordered_set<std::string_view> couplers;
    bool first = true;
    for (const std::string& line : catalogue.records()) {
        const std::string_view provider = recordFieldView(line, RecordField::provider);
        appendEntry(providers, first, provider);
        appendEntry(pairs, first, provider);
        pairs.push_back('\\');
        pairs.append(recordFieldView(line, RecordField::product));
        first = false;
        for (const RecordField coupling : {RecordField::frontCouplingId, RecordField::rearCouplingId}) {
            const std::string_view name = shortCouplerView(recordFieldView(line, coupling));
            if (couplers.insert(name).second) {
                lists.couplerList.emplace_back(name);
            }
        }
    }
    lists.providerList = makeDistinct(providers);
    lists.providerProductList = makeDistinct(pairs);
    return lists;
}

} // namespace dovrel
