// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace dovrel {

// The values the blueprint reader leaves behind for one unit; all are text, exactly as cut from the
// XML. blueprintKind is "loco", "wagon" or "tender" once the blueprint element has been seen.
struct BlueprintFields {
    std::string blueprintKind;
    std::string unitClass;
    std::string commonName;
    std::string englishName;
    std::string frontCouplingId;
    std::string frontCoupler;
    std::string rearCouplingId;
    std::string rearCoupler;
    std::string mass;
    std::string easeOfDerailment;
    std::string dragCoefficient;
    std::string rollingFriction;
    std::string dryFriction;
    std::string wetFriction;
    std::string snowFriction;
    std::string sandFriction;
    std::string capacity;
    std::string bulkFreightType;
    std::string multipleUnit = "0";

    // Every value back to its start value, except blueprintKind, which the caller sets.
    void resetAllButKind();
    // Both coupling IDs are known: the unit can be stored.
    bool hasBothCouplings() const { return !frontCouplingId.empty() && !rearCouplingId.empty(); }
};

// The catalogue record of a unit read from a blueprint, its 21 fields in record order. A unit without
// bulk cargo gets "None" as its freight type.
std::string assembleRecord(const BlueprintFields& fields, std::string_view provider, std::string_view product,
                           std::string_view blueprintPath);

} // namespace dovrel
