// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/EquipmentRecord.h"

#include <array>
#include <string>
#include <vector>

namespace dovrel::fuzz {

// A small catalogue for the consist readers to look units up in: the blueprint paths the seeds use,
// so that found and missing units both occur.
inline std::vector<std::string> lookupCatalogue() {
    std::vector<std::string> records;
    for (const char* path :
         {"RailVehicles\\Diesel\\Class 66\\Engine\\class66.xml", "RailVehicles\\Freight\\Box\\Wagon\\box.xml",
          "RailVehicles\\Wagon.xml", "Engine\\e.xml", "a"}) {
        std::array<std::string, kRecordFieldCount> fields{"engine", "Name: one", "Acme", "Pack", path};
        fields[10] = "120";
        records.push_back(EquipmentRecord::join(fields));
    }
    return records;
}

} // namespace dovrel::fuzz
