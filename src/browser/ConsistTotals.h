// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The masses of a whole consist in one weight unit. Each unit counts as the details window computes
// it: its mass converted; its loaded gross the converted mass plus every bulk cargo capacity
// converted, each product and each sum rounded to a 32-bit float. The units' figures are added up
// in double.
struct ConsistTotals {
    bool unitKnown = true; // false when `unitWeight` names no weight unit
    double mass = 0.0;
    double loadedGross = 0.0;
    std::vector<std::string> withoutMass;     // names of units whose mass is not a number
    std::vector<std::string> unreadableCargo; // names of units with a capacity that is not a number
};

// The totals of the units (consist unit texts: a record, "|" and the heading flag).
ConsistTotals consistTotals(std::span<const std::string> units, std::string_view unitWeight);

// The totals caption: "Mass 120.00 tons¹, loaded 250.00 tons¹" in the unit's layout and the locale's
// number format, then ", 2 coupler mismatches" when there are any. Empty for an empty line; without
// the masses when the weight unit is unknown.
std::string totalsCaption(std::size_t unitCount, const ConsistTotals& totals, std::size_t mismatches,
                          std::string_view unitWeight, const QLocale& locale);

// The caption's tool tip: "3 units without a mass: A, B, C" and the same for unreadable capacities,
// one line each, at most ten names and then how many more; empty when every number was read.
std::string totalsToolTip(const ConsistTotals& totals);

} // namespace dovrel
