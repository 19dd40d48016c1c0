#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"
#include "consist/CouplerCheck.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

const std::string kBuffer = "RailVehicles\\Couplings\\Buffer.xml";
const std::string kChain = "RailVehicles\\Couplings\\Chain.xml";
const std::string kBufferOtherPack = "Kuju\\RailVehicles\\BUFFER.bin";

// A unit with the front and rear coupling IDs, forward or reversed.
std::string unitWith(const std::string& front, const std::string& rear, bool reversed) {
    const std::string unit = makeConsistUnit(catalogueRecord("V", front, rear));
    return reversed ? withToggledHeading(unit) : unit;
}

// The left unit shows its rear coupler to the right when forward, its front when reversed; the right
// unit shows its front to the left when forward, its rear when reversed. "*" meets anything.
TEST(CouplerMismatchGaps, NeighboursMeetOnTheCouplersTheyTurnToEachOther) {
    const struct {
        const char* what;
        std::string leftFront, leftRear;
        bool leftReversed;
        std::string rightFront, rightRear;
        bool rightReversed;
        bool meet;
    } cases[] = {
        {"forward rear against forward front", kChain, kBuffer, false, kBuffer, kChain, false, true},
        {"forward rear differs from forward front", kBuffer, kChain, false, kBuffer, kChain, false, false},
        {"reversed left shows its front", kBuffer, kChain, true, kBuffer, kChain, false, true},
        {"reversed right shows its rear", kBuffer, kChain, false, kBuffer, kChain, true, true},
        {"both reversed: front against rear", kChain, kBuffer, true, kBuffer, kChain, true, true},
        {"the far couplers do not count", kChain, kBuffer, false, kBuffer, kChain, true, false},
        {"star on the left meets anything", kBuffer, "*", false, kChain, kChain, false, true},
        {"star on the right meets anything", kBuffer, kBuffer, false, "*", kChain, false, true},
        {"star at the far end does not help", kBuffer, kBuffer, false, kChain, "*", false, false},
        {"short names compared ignoring case and folder", kBuffer, kBuffer, false, kBufferOtherPack, kChain,
         false, true},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> units = {unitWith(c.leftFront, c.leftRear, c.leftReversed),
                                                unitWith(c.rightFront, c.rightRear, c.rightReversed)};
        EXPECT_EQ(couplerMismatchGaps(units).empty(), c.meet) << c.what;
    }
}

TEST(CouplerMismatchGaps, EveryGapOfALineIsCheckedAndTheNextUnitWrapsRound) {
    const std::vector<std::string> units = {unitWith(kBuffer, kBuffer, false),
                                            unitWith(kBuffer, kChain, false),  // gap 0 meets
                                            unitWith(kBuffer, kBuffer, false), // gap 1 differs
                                            unitWith(kBuffer, kBuffer, false), // gap 2 meets
                                            unitWith(kChain, kBuffer, false)}; // gap 3 differs
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
