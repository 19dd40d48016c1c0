// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueIndex.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

#include <algorithm>

namespace dovrel {

CatalogueIndex::CatalogueIndex(std::span<const std::string> records) {
    for (Table* table : {&names_, &namesIgnoringCase_, &paths_}) {
        table->reserve(records.size());
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto position = static_cast<std::uint32_t>(i);
        const std::string_view name = recordFieldView(records[i], RecordField::englishName);
        names_.push_back({fnv1aDigest(name, false), position});
        namesIgnoringCase_.push_back({fnv1aDigest(name, true), position});
        paths_.push_back(
            {fnv1aDigest(recordFieldView(records[i], RecordField::blueprintPath), true), position});
    }
    for (Table* table : {&names_, &namesIgnoringCase_, &paths_}) {
        std::sort(table->begin(), table->end());
    }
}

template <typename Visit> void CatalogueIndex::forEach(const Table& table, std::uint64_t hash, Visit visit) {
    for (auto keyed = std::lower_bound(table.begin(), table.end(), Keyed{hash, 0});
         keyed != table.end() && keyed->hash == hash; ++keyed) {
        if (visit(static_cast<std::size_t>(keyed->position))) {
            return;
        }
    }
}

std::optional<std::size_t> CatalogueIndex::firstNamed(std::span<const std::string> records,
                                                      std::string_view name) const {
    std::optional<std::size_t> found;
    forEach(names_, fnv1aDigest(name, false), [&](std::size_t position) {
        if (recordFieldView(records[position], RecordField::englishName) == name) {
            found = position;
        }
        return found.has_value();
    });
    return found;
}

std::optional<std::size_t> CatalogueIndex::firstNamedIgnoringCase(std::span<const std::string> records,
                                                                  std::string_view name) const {
    std::optional<std::size_t> found;
    forEach(namesIgnoringCase_, fnv1aDigest(name, true), [&](std::size_t position) {
        if (equalsIgnoringCase(recordFieldView(records[position], RecordField::englishName), name)) {
            found = position;
        }
        return found.has_value();
    });
    return found;
}

std::vector<std::size_t> CatalogueIndex::withBlueprintPath(std::span<const std::string> records,
                                                           std::string_view path) const {
    std::vector<std::size_t> found;
    forEach(paths_, fnv1aDigest(path, true), [&](std::size_t position) {
        if (equalsIgnoringCase(recordFieldView(records[position], RecordField::blueprintPath), path)) {
            found.push_back(position);
        }
        return false;
    });
    return found;
}

} // namespace dovrel
