// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"
#include "consist/CouplerCheck.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

// "BC<": Buffer in front, Chain behind, reversed; "b": another pack's BUFFER; "*": a star.
std::vector<std::string> unitsOf(const std::vector<std::string>& codes) {
    const auto id = [](char c) -> std::string {
        return c == 'B'   ? "RailVehicles\\Couplings\\Buffer.xml"
               : c == 'C' ? "RailVehicles\\Couplings\\Chain.xml"
               : c == 'b' ? "Kuju\\RailVehicles\\BUFFER.bin"
                          : "*";
    };
    std::vector<std::string> units;
    for (const std::string& code : codes) {
        const std::string unit = makeConsistUnit(catalogueRecord("V", id(code[0]), id(code[1])));
        units.push_back(code.ends_with('<') ? withToggledHeading(unit) : unit);
    }
    return units;
}

// A forward unit turns its rear coupler to the next unit and its front to the one before; a reversed
// unit the other way round. "*" meets anything; short names compare ignoring case and folder.
TEST(CouplerMismatchGaps, NeighboursMeetOnTheCouplersTheyTurnToEachOther) {
    const std::pair<std::vector<std::string>, bool> pairs[] = {
        {{"CB", "BC"}, true},   {{"BC", "BC"}, false},  {{"BC<", "BC"}, true}, {{"BC", "BC<"}, true},
        {{"CB<", "BC<"}, true}, {{"CB", "BC<"}, false}, {{"B*", "CC"}, true},  {{"BB", "*C"}, true},
        {{"BB", "C*"}, false},  {{"BB", "bC"}, true},
    };
    for (const auto& [codes, meet] : pairs) {
        EXPECT_EQ(couplerMismatchGaps(unitsOf(codes)).empty(), meet) << codes[0] << " " << codes[1];
    }
    // Every gap of a line is checked; the unit after the next mismatch wraps round.
    const std::vector<std::string> units = unitsOf({"BB", "BC", "BB", "BB", "CB"});
    const std::vector<std::int32_t> gaps = couplerMismatchGaps(units);
    EXPECT_EQ(gaps, (std::vector<std::int32_t>{1, 3}));
    EXPECT_TRUE(couplerMismatchGaps(std::span<const std::string>(units).first(1)).empty());
    // From nothing selected, from before, on and after each gap's right-hand unit.
    const std::pair<std::int32_t, std::int32_t> next[] = {{-1, 2}, {0, 2}, {1, 2}, {2, 4}, {3, 4}, {4, 2}};
    for (const auto& [selected, unit] : next) {
        EXPECT_EQ(unitAfterNextMismatch(gaps, selected), unit) << "from " << selected;
    }
    EXPECT_EQ(unitAfterNextMismatch({}, 0), std::nullopt);
}

} // namespace
} // namespace dovrel::testing
