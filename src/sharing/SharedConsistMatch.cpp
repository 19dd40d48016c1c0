// SPDX-License-Identifier: GPL-3.0-or-later
#include "sharing/SharedConsistMatch.h"

#include "consistfiles/BlueprintLookup.h"

namespace dovrel {

SharedConsistMatch matchSharedConsist(const SharedConsist& consist,
                                      const std::vector<std::string>& catalogue) {
    const BlueprintLookup lookup(catalogue);
    SharedConsistMatch match;
    for (std::size_t i = 0; i < consist.units.size(); ++i) {
        const SharedUnit& unit = consist.units[i];
        if (const std::string* record = lookup.findUnit(unit.provider, unit.product, unit.blueprint)) {
            match.units.push_back(*record + (unit.reversed ? "|1" : "|0"));
        } else {
            match.missing.push_back(i);
        }
    }
    return match;
}

} // namespace dovrel
