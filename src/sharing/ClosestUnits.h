// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sharing/SharedConsistFile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The number of single-byte insertions, deletions and substitutions that turn one text into the
// other, ASCII case ignored.
std::size_t editDistance(std::string_view a, std::string_view b);

// Installed stand-ins for a unit that is not installed: the records of the same class and front and
// rear couplers (each compared ignoring ASCII case, and only where the shared unit names it) whose
// English names (their first 48 bytes) are nearest to the unit's name, nearest first, ties in catalogue
// order; at most `count`. The catalogue ends at its first empty slot.
std::vector<std::string> closestInstalledUnits(const SharedUnit& unit,
                                               const std::vector<std::string>& catalogue,
                                               std::size_t count = 3);

} // namespace dovrel
