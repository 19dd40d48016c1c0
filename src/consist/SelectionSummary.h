// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace dovrel {

// What a screen reader says of the consist line: "Unit 3 of 12: Class 66, forward" for the selected
// unit (counted from 1, its English name, its heading), "12 units, none selected" without a
// selection, "No units" for an empty line.
std::string selectionSummary(std::span<const std::string> units, std::int32_t selected);

} // namespace dovrel
