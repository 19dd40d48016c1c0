// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/CouplerCheck.h"

#include "catalogue/EquipmentRecord.h"
#include "consist/ConsistUnit.h"

#include <algorithm>

namespace dovrel {

namespace {

// The part after the last "\", then before the last "." when there is one.
std::string_view shortName(std::string_view id) {
    const std::size_t slash = id.rfind('\\');
    if (slash != std::string_view::npos) {
        id.remove_prefix(slash + 1);
    }
    const std::size_t dot = id.rfind('.');
    return dot == std::string_view::npos ? id : id.substr(0, dot);
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view couplerFacingHead(std::string_view unit) {
    return unitFieldView(unit, isForward(unit) ? RecordField::frontCouplingId : RecordField::rearCouplingId);
}

std::string_view couplerFacingTail(std::string_view unit) {
    return unitFieldView(unit, isForward(unit) ? RecordField::rearCouplingId : RecordField::frontCouplingId);
}

bool couplersMeet(std::string_view leftId, std::string_view rightId) {
    if (leftId == "*" || rightId == "*") {
        return true;
    }
    return std::ranges::equal(shortName(leftId), shortName(rightId),
                              [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
}

std::vector<std::int32_t> couplerMismatchGaps(std::span<const std::string> units) {
    std::vector<std::int32_t> gaps;
    std::string_view towardsTail = units.empty() ? std::string_view() : couplerFacingTail(units.front());
    for (std::size_t i = 1; i < units.size(); ++i) {
        if (!couplersMeet(towardsTail, couplerFacingHead(units[i]))) {
            gaps.push_back(static_cast<std::int32_t>(i - 1));
        }
        towardsTail = couplerFacingTail(units[i]);
    }
    return gaps;
}

std::optional<std::int32_t> unitAfterNextMismatch(std::span<const std::int32_t> gaps, std::int32_t selected) {
    if (gaps.empty()) {
        return std::nullopt;
    }
    // The first gap whose right-hand unit lies beyond the selection.
    const auto next = std::ranges::upper_bound(gaps, selected - 1);
    return (next != gaps.end() ? *next : gaps.front()) + 1;
}

} // namespace dovrel
