// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ConsistListing.h"

namespace dovrel {

const std::vector<std::string>& ConsistListing::listedUnits(std::size_t slot) const {
    static const std::vector<std::string> kNone;
    return slot < listedConsists_.size() ? listedConsists_[slot] : kNone;
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

void ConsistListing::appendUnit(std::string_view record, std::string_view heading) {
    std::string unit;
    unit.reserve(record.size() + 1 + heading.size());
    unit.append(record).append("|").append(heading);
    listedConsists_.back().push_back(std::move(unit));
}

bool ConsistListing::openConsistHasUnits() const {
    return !listedConsists_.back().empty();
}

void ConsistListing::discardOpenConsist() {
    listedConsists_.back().clear();
}

void ConsistListing::listOpenConsist(ConsistRow row) {
    rows_.push_back(std::move(row));
    listedConsists_.emplace_back();
}

} // namespace dovrel
