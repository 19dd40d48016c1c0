// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

namespace dovrel::testing {

using Field = RecordField;

// A record line with plausible values (a diesel "Class 66" with buffers at both ends, mass 126, no
// cargo), the given fields replaced.
inline std::string recordWith(std::initializer_list<std::pair<Field, std::string>> fields) {
    const std::vector<std::string> plain = splitAt(
        "diesel|Class 66|Acme|Freightliner|RailVehicles\\Diesel\\Class66\\class66.xml|"
        "RailVehicles\\Couplings\\Buffer.xml|RailVehicles\\Couplings\\Buffer.xml|Buffer|Buffer|class66|"
        "126||0.5|0.3|0.001|0.35|0.25|0.15|1.5|None|0",
        "|");
    std::array<std::string, kRecordFieldCount> values;
    std::copy(plain.begin(), plain.end(), values.begin());
    for (const auto& [field, value] : fields) {
        values[static_cast<std::size_t>(field)] = value;
    }
    return EquipmentRecord::join(values);
}

// A record of a class and name with buffers at both ends.
inline std::string unitRecord(std::string unitClass, std::string englishName, std::string provider = "Acme",
                              std::string product = "Pack") {
    return recordWith({{Field::unitClass, std::move(unitClass)},
                       {Field::englishName, std::move(englishName)},
                       {Field::provider, std::move(provider)},
                       {Field::product, std::move(product)}});
}

} // namespace dovrel::testing
