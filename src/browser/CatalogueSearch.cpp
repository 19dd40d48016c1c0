// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CatalogueSearch.h"

#include <algorithm>

namespace dovrel {

std::span<const std::string> recordsInUse(std::span<const std::string> slots) {
    const auto firstEmpty =
        std::find_if(slots.begin(), slots.end(), [](const std::string& s) { return s.empty(); });
    return slots.first(static_cast<std::size_t>(firstEmpty - slots.begin()));
}

std::optional<EquipmentRecord> findFirstRecordNamed(std::span<const std::string> slots,
                                                    std::string_view englishName) {
    for (const std::string& line : recordsInUse(slots)) {
        EquipmentRecord record(line);
        if (record.field(RecordField::englishName) == englishName) {
            return record;
        }
    }
    return std::nullopt;
}

} // namespace dovrel
