// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ConsistLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dovrel {
namespace {

class CountingObserver final : public ConsistLineObserver {
public:
    int heard = 0;
    void lineEdited(const ConsistLine&, const ConsistEdit&) override { ++heard; }
};

// An edit that does not fit the line of A and B, A selected, changes nothing and is not told.
TEST(ConsistLine, RefusesEditsThatDoNotFitAndChangesNothing) {
    const std::string a = "A|0", b = "B|0", n = "N|0";
    struct Case {
        const char* name;
        ConsistEdit edit;
        EditStatus status;
    };
    const Case cases[] = {
        {"insert past the tail", InsertUnit{3, n, {0, 0}}, EditStatus::OutOfRange},
        {"remove outside", RemoveUnit{2, a, {0, 0}}, EditStatus::OutOfRange},
        {"remove another unit", RemoveUnit{1, a, {0, 0}}, EditStatus::Mismatch},
        {"replace another unit", ReplaceUnit{0, b, n, {0, 0}}, EditStatus::Mismatch},
        {"swap outside", SwapUnits{0, 2, {0, 0}}, EditStatus::OutOfRange},
        {"toggle outside", ToggleHeading{-1, {0, 0}}, EditStatus::OutOfRange},
        {"selection past the line", ToggleHeading{0, {0, 2}}, EditStatus::OutOfRange},
        {"selection after removal", RemoveUnit{1, b, {1, 1}}, EditStatus::OutOfRange},
        {"replace a line it does not hold", ReplaceLine{{a}, {}, {0, -1}}, EditStatus::Mismatch},
    };
    for (const Case& c : cases) {
        ConsistLine line;
        ASSERT_EQ(line.apply(ReplaceLine{{}, {a, b}, {-1, 0}}), EditStatus::Applied);
        CountingObserver observer;
        line.addObserver(observer);
        EXPECT_EQ(line.apply(c.edit), c.status) << c.name;
        EXPECT_EQ(std::vector<std::string>(line.units().begin(), line.units().end()),
                  (std::vector<std::string>{a, b}))
            << c.name;
        EXPECT_EQ(std::make_pair(line.selectedIndex(), observer.heard), std::make_pair(0, 0)) << c.name;
    }
}

} // namespace
} // namespace dovrel
