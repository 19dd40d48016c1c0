// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/BlueprintFields.h"

#include "catalogue/EquipmentRecord.h"

namespace dovrel {

void BlueprintFields::resetAllButKind() {
    BlueprintFields fresh;
    fresh.blueprintKind = std::move(blueprintKind);
    *this = std::move(fresh);
}

std::string assembleRecord(const BlueprintFields& fields, std::string_view provider, std::string_view product,
                           std::string_view blueprintPath) {
    // Views of the values: the record is the one string made.
    const std::array<std::string_view, kRecordFieldCount> values = {
        fields.unitClass,
        fields.englishName,
        provider,
        product,
        blueprintPath,
        fields.frontCouplingId,
        fields.rearCouplingId,
        fields.frontCoupler,
        fields.rearCoupler,
        fields.commonName,
        fields.mass,
        fields.capacity,
        fields.easeOfDerailment,
        fields.dragCoefficient,
        fields.rollingFriction,
        fields.dryFriction,
        fields.wetFriction,
        fields.snowFriction,
        fields.sandFriction,
        fields.bulkFreightType.empty() ? std::string_view("None") : std::string_view(fields.bulkFreightType),
        fields.multipleUnit,
    };
    return EquipmentRecord::join(values);
}

} // namespace dovrel
