// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CatalogueSearch.h"

#include <algorithm>

namespace dovrel {

std::span<const std::string> recordsInUse(std::span<const std::string> slots) {
    const std::span<const std::string> table = slots.first(std::min(slots.size(), kTableSlots));
    const auto firstEmpty =
        std::find_if(table.begin(), table.end(), [](const std::string& s) { return s.empty(); });
    return table.first(static_cast<std::size_t>(firstEmpty - table.begin()));
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
