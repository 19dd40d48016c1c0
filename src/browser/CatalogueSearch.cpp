// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CatalogueSearch.h"

#include <algorithm>

namespace dovrel {

std::span<const std::string> recordsInUse(std::span<const std::string> slots) {
    const auto firstEmpty =
        std::find_if(slots.begin(), slots.end(), [](const std::string& s) { return s.empty(); });
    return slots.first(static_cast<std::size_t>(firstEmpty - slots.begin()));
}

std::optional<EquipmentRecord> findFirstRecordNamed(const Catalogue& catalogue,
                                                    std::string_view englishName) {
    const std::string* line = catalogue.firstNamed(englishName);
    return line != nullptr ? std::optional<EquipmentRecord>(EquipmentRecord(*line)) : std::nullopt;
}

} // namespace dovrel
