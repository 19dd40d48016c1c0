// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/ListFilter.h"

#include "browser/CatalogueSearch.h"
#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

namespace dovrel {

namespace {

// The filter values in lower case, as the rebuild compares them.
struct LowerFilters {
    std::string provider;
    std::string product;
    std::string unitClass;
};

bool passesClassTest(BrowserSide side, std::string_view unitClass, std::string_view value) {
    if (value == "all") {
        return true;
    }
    if (side == BrowserSide::Loco) {
        if (value == "steam") {
            return unitClass == "steam" || unitClass == "tender";
        }
        return unitClass == value;
    }
    return equalsIgnoringCase(unitClass, value);
}

// A filter value against a record's field, both in lower case; "all" takes every field. The record
// is read in place: a rebuild of a large catalogue copies no record.
bool passesTextFilter(std::string_view lowerValue, std::string_view field) {
    return lowerValue == "all" || equalsIgnoringCase(field, lowerValue);
}

bool passesCatalogueFilters(BrowserSide side, std::string_view record, const LowerFilters& filters) {
    const std::string_view unitClass = recordFieldView(record, RecordField::unitClass);
    return belongsToSide(side, unitClass) &&
           passesTextFilter(filters.provider, recordFieldView(record, RecordField::provider)) &&
           passesTextFilter(filters.product, recordFieldView(record, RecordField::product)) &&
           passesClassTest(side, unitClass, filters.unitClass);
}

} // namespace

bool belongsToSide(BrowserSide side, std::string_view unitClass) {
    if (side == BrowserSide::Loco) {
        return unitClass == "diesel" || unitClass == "electric" || unitClass == "steam" ||
               unitClass == "tender";
    }
    return unitClass == "passenger" || unitClass == "freight";
}

std::optional<std::vector<std::size_t>> listedRecords(BrowserSide side,
                                                      std::span<const std::string> catalogue,
                                                      const ListFilterTexts& texts,
                                                      std::span<const CouplerBox> boxes) {
    if (texts.unitClass.empty()) {
        return std::nullopt;
    }
    const LowerFilters filters{asciiLower(texts.provider), asciiLower(texts.product),
                               asciiLower(texts.unitClass)};
    const CouplerFilter couplers(boxes);
    const std::span<const std::string> inUse = recordsInUse(catalogue);
    std::vector<std::size_t> positions;
    for (std::size_t position = 0; position < inUse.size(); ++position) {
        const std::string_view record = inUse[position];
        if (passesCatalogueFilters(side, record, filters) &&
            couplers.unitPassesCouplerFilter(recordFieldView(record, RecordField::frontCouplingId),
                                             recordFieldView(record, RecordField::rearCouplingId))) {
            positions.push_back(position);
        }
    }
    return positions;
}

} // namespace dovrel
