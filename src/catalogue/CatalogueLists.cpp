#include "catalogue/CatalogueLists.h"

#include "core/TextRules.h"

#include <algorithm>

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

void addWhenNew(std::vector<std::string>& list, std::string name) {
    if (std::find(list.begin(), list.end(), name) == list.end()) {
        list.push_back(std::move(name));
    }
}

} // namespace

CatalogueLists CatalogueLists::of(const Catalogue& catalogue) {
    std::vector<std::string> providers;
    std::vector<std::string> pairs;
    CatalogueLists lists;
    for (const std::string& line : catalogue.records()) {
        const EquipmentRecord record(line);
        const std::string provider(record.field(RecordField::provider));
        providers.push_back(provider);
        pairs.push_back(provider + "\\" + std::string(record.field(RecordField::product)));
        addWhenNew(lists.couplerList, shortCouplerName(record.field(RecordField::frontCouplingId)));
        addWhenNew(lists.couplerList, shortCouplerName(record.field(RecordField::rearCouplingId)));
    }
    lists.providerList = distinctList(providers);
    lists.providerProductList = distinctList(pairs);
    return lists;
}

} // namespace dovrel
