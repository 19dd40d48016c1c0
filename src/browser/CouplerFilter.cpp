// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CouplerFilter.h"

#include "browser/CouplerCaptions.h"
#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

namespace dovrel {

CouplerFilter::CouplerFilter(std::span<const CouplerBox> boxes) {
    for (const CouplerBox& box : boxes) {
        if (box.checked) {
            checkedNames_.insert(asciiLower(couplerNameOfCaption(box.caption)));
        }
    }
}

bool CouplerFilter::isChecked(std::string_view couplingId) const {
    const std::string name = asciiLower(shortCouplerName(couplingId));
    return checkedNames_.contains(name);
}

bool CouplerFilter::unitPassesCouplerFilter(std::string_view frontCouplingId,
                                            std::string_view rearCouplingId) const {
    // The front pass and the rear pass both run; either match lets the unit through.
    const bool front = isChecked(frontCouplingId);
    const bool rear = isChecked(rearCouplingId);
    return front || rear;
}

} // namespace dovrel
