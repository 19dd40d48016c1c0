// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/CatalogueLookup.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

namespace dovrel {

namespace {

template <typename Matches>
std::optional<std::string> findRecord(std::span<const std::string> catalogue, Matches matches) {
    for (const std::string& record : catalogue) {
        if (record.empty()) {
            break;
        }
        if (matches(EquipmentRecord(record).field(RecordField::englishName))) {
            return record;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> findRecordIgnoringCase(std::span<const std::string> catalogue,
                                                  std::string_view name) {
    const std::string wanted = asciiLower(name);
    return findRecord(catalogue,
                      [&wanted](std::string_view candidate) { return asciiLower(candidate) == wanted; });
}

std::optional<std::string> findRecordExactly(std::span<const std::string> catalogue, std::string_view name) {
    return findRecord(catalogue, [name](std::string_view candidate) { return candidate == name; });
}

} // namespace dovrel
