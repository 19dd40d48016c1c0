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

std::string unitField(std::string_view unit, RecordField field) {
    return std::string(EquipmentRecord(unit).field(field));
}

std::string couplerShortName(std::string_view couplingId) {
    std::string_view name = couplingId;
    if (const std::size_t slash = name.rfind('\\'); slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos) {
        name = name.substr(0, dot);
    }
    return std::string(name);
}

} // namespace dovrel
