// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ConsistListing.h"

namespace dovrel {

std::vector<std::string> ConsistListing::listedUnits(std::size_t slot) const {
    std::vector<std::string> units;
    if (slot >= slotStarts_.size()) {
        return units;
    }
    const std::size_t end = slot + 1 < slotStarts_.size() ? slotStarts_[slot + 1] : slotUnits_.size();
    for (std::size_t i = slotStarts_[slot]; i < end; ++i) {
        units.push_back(unitTexts_[slotUnits_[i]]);
    }
    return units;
}

std::string ConsistListing::listedConsist(std::size_t slot) const {
    std::string text;
    bool first = true;
    for (const std::string& unit : listedUnits(slot)) {
        if (!first) {
            text.push_back(':');
        }
        text.append(unit);
        first = false;
    }
    return text;
}

std::uint32_t ConsistListing::unitNumber(std::string_view record, std::string_view heading) {
    unitText_.assign(record).append("|").append(heading);
    const auto [known, added] =
        unitNumbers_.try_emplace(unitText_, static_cast<std::uint32_t>(unitTexts_.size()));
    if (added) {
        unitTexts_.push_back(unitText_);
    }
    return known->second;
}

void ConsistListing::listOpenConsist(ConsistRow row) {
    rows_.push_back(std::move(row));
    slotStarts_.push_back(slotUnits_.size());
}

} // namespace dovrel
