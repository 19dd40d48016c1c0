// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"
#include "consist/NavigationCommands.h"
#include "consist/SelectionSummary.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

TEST(SelectionKeys, EachStepNamesTheUnitItSelects) {
    using enum SelectionStep;
    const std::tuple<SelectionStep, std::int32_t, std::int32_t, std::optional<std::int32_t>> cases[] = {
        {Previous, 2, 5, 1}, {Next, 2, 5, 3},  {Head, 3, 5, 0},      {Tail, 1, 5, 4},   {Previous, 0, 5, {}},
        {Next, 4, 5, {}},    {Next, -1, 5, 0}, {Previous, -1, 5, 4}, {Head, -1, 0, {}},
    };
    for (const auto& [step, selected, count, unit] : cases) {
        EXPECT_EQ(unitAfterStep(step, selected, count), unit)
            << static_cast<int>(step) << " from " << selected << " of " << count;
    }
}

// Five units stand at 6180 + i * 1635: units 0 to 3 lie wholly inside a view 13815 twips wide, unit
// 4 (12720 to 14055) does not.
TEST(SelectionKeys, AUnitInViewIsSelectedWhereItStandsAnotherIsCentred) {
    constexpr float kViewWidth = 13815.0f;
    EditorFixture fx;
    fx.buildLine(5, 0);
    fx.host.pointerMoves.clear();
    fx.editor.navigation().selectByKey(3, kViewWidth);
    EXPECT_EQ(fx.selected(), 3);
    EXPECT_EQ(fx.bodyLeft(0), 6180.0f) << "the view stays, as for a click";
    EXPECT_EQ(fx.display().anchorLeft(), fx.bodyLeft(3));
    EXPECT_EQ(fx.opaqueCaptions(), std::vector<int>{3});

    fx.editor.navigation().selectByKey(4, kViewWidth);
    EXPECT_EQ(fx.selected(), 4);
    EXPECT_EQ(fx.bodyLeft(4), 6180.0f) << "brought into the middle of the view";
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, 6180.0f - 120.0f) << "the frame around it";
    EXPECT_TRUE(fx.host.pointerMoves.empty()) << "the keyboard leaves the pointer alone";
}

TEST(SelectionSummary, SaysWhichUnitOfHowManyWithItsNameAndHeading) {
    const std::string coal = makeConsistUnit("diesel|Class 66|a|b");
    const std::vector<std::string> units = {coal, withToggledHeading(coal), coal};
    EXPECT_EQ(selectionSummary(units, 0), "Unit 1 of 3: Class 66, forward");
    EXPECT_EQ(selectionSummary(units, 1), "Unit 2 of 3: Class 66, reversed");
    EXPECT_EQ(selectionSummary(units, -1), "3 units, none selected");
    EXPECT_EQ(selectionSummary(std::span(units).first(1), -1), "1 unit, none selected");
    EXPECT_EQ(selectionSummary({}, -1), "No units");
}

} // namespace
} // namespace dovrel::testing
