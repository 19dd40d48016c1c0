// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/SelectionSummary.h"

#include "consist/ConsistUnit.h"

namespace dovrel {

std::string selectionSummary(std::span<const std::string> units, std::int32_t selected) {
    if (units.empty()) {
        return "No units";
    }
    const std::string count = std::to_string(units.size());
    if (selected < 0 || static_cast<std::size_t>(selected) >= units.size()) {
        return count + (units.size() == 1 ? " unit" : " units") + ", none selected";
    }
    const std::string& unit = units[static_cast<std::size_t>(selected)];
    return "Unit " + std::to_string(selected + 1) + " of " + count + ": " +
           std::string(unitFieldView(unit, RecordField::englishName)) + ", " +
           (isForward(unit) ? "forward" : "reversed");
}

} // namespace dovrel
