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
    return EquipmentRecord::join({
        fields.unitClass,
        fields.englishName,
        std::string(provider),
        std::string(product),
        std::string(blueprintPath),
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
        fields.bulkFreightType.empty() ? std::string("None") : fields.bulkFreightType,
        fields.multipleUnit,
    });
}

} // namespace dovrel
