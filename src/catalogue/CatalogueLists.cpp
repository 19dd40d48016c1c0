// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueLists.h"

#include "core/TextRules.h"

#include <unordered_set>

namespace dovrel {

namespace {

// Entries joined by "|" and made distinct, whole entries compared with case.
std::string distinctList(const std::vector<std::string>& entries) {
    std::string joined;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            joined.push_back('|');
        }
        joined.append(entries[i]);
    }
    return makeDistinct(joined);
}

// Appends a name the list does not hold yet; `held` holds the list's names, so that each name is
// looked up in constant time rather than compared with every name before it.
void addWhenNew(std::vector<std::string>& list, std::unordered_set<std::string>& held, std::string name) {
    if (held.insert(name).second) {
        list.push_back(std::move(name));
    }
}

} // namespace

CatalogueLists CatalogueLists::of(const Catalogue& catalogue) {
    std::vector<std::string> providers;
    std::vector<std::string> pairs;
    CatalogueLists lists;
    std::unordered_set<std::string> couplers;
    for (const std::string& line : catalogue.records()) {
        const EquipmentRecord record(line);
        const std::string provider(record.field(RecordField::provider));
        providers.push_back(provider);
        pairs.push_back(provider + "\\" + std::string(record.field(RecordField::product)));
        addWhenNew(lists.couplerList, couplers, shortCouplerName(record.field(RecordField::frontCouplingId)));
        addWhenNew(lists.couplerList, couplers, shortCouplerName(record.field(RecordField::rearCouplingId)));
    }
    lists.providerList = distinctList(providers);
    lists.providerProductList = distinctList(pairs);
    return lists;
}

} // namespace dovrel
