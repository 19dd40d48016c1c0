// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The coupler check: neighbouring units of the line should meet with the same coupler.
namespace dovrel {

// The coupling ID at the unit's end that faces the head of the line (its left) and the tail (its
// right): a forward unit has its front coupler at its left and its rear coupler at its right; a
// reversed unit the other way round.
std::string_view couplerFacingHead(std::string_view unit);
std::string_view couplerFacingTail(std::string_view unit);

// Whether two facing coupling IDs meet: "*" meets anything; otherwise their short names (as the
// captions and the coupling filter use them) are equal ignoring case.
bool couplersMeet(std::string_view leftId, std::string_view rightId);

// The gaps where neighbours do not meet; gap i lies between unit i and unit i + 1. In line order.
std::vector<std::int32_t> couplerMismatchGaps(std::span<const std::string> units);

// The unit "Next Coupler Mismatch" goes to: the unit right of the first gap after the selected unit
// (from the head when nothing is selected), wrapping round to the first gap; none without gaps.
std::optional<std::int32_t> unitAfterNextMismatch(std::span<const std::int32_t> gaps, std::int32_t selected);

} // namespace dovrel
