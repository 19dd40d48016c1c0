// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistUnit.h"

namespace dovrel {

std::string makeConsistUnit(std::string_view record) {
    std::string unit(record);
    unit.push_back('|');
    unit.push_back(kForwardFlag);
    return unit;
}

bool isForward(std::string_view unit) {
    return !unit.empty() && unit.back() == kForwardFlag;
}

std::string withToggledHeading(std::string_view unit) {
    std::string toggled(unit);
    if (!toggled.empty()) {
        toggled.back() = isForward(unit) ? kReversedFlag : kForwardFlag;
    }
    return toggled;
}

std::string_view recordOfUnit(std::string_view unit) {
    return unit.substr(0, unit.rfind('|'));
}

std::string unitField(std::string_view unit, RecordField field) {
    return std::string(EquipmentRecord(unit).field(field));
}

std::string_view unitFieldView(std::string_view unit, RecordField field) {
    return recordFieldView(unit, field);
}

} // namespace dovrel
