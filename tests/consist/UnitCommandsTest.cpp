#include "ConsistTestHost.h"

#include "consist/ConsistMessages.h"
#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

namespace msg = consistmessages;

ListChoice chosen(const std::string& name) {
    return ListChoice{3, name};
}

TEST(AddUnit, StartsAnEmptyLineWithoutASelection) {
    EditorFixture fx;
    fx.editor.units().addUnit(Side::Left, UnitList::Locos, chosen("u7"));
    EXPECT_EQ(fx.names(), std::vector<std::string>{"U7"});
    EXPECT_EQ(fx.editor.line().unit(0), makeConsistUnit(fx.host.catalogue[7]));
    EXPECT_EQ(fx.bodyLeft(0), 6180.0f);
    EXPECT_EQ(fx.editor.line().selectedIndex(), 0);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, 6060.0f);
    // U7: front Chain (B), rear Knuckle (C).
    EXPECT_EQ(fx.element(LabelSet::Label28, 1).caption, "B [NEW] C");
    EXPECT_TRUE(fx.element(LabelSet::Label28, 1).opaque);
    EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, "1");
    EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, "Chain");
    EXPECT_TRUE(fx.messages.shown().empty());
}

TEST(AddUnit, LeftOfTheSelectedUnitKeepsItInPlace) {
    EditorFixture fx;
    fx.buildLine(5, 2);
    const float selectedLeft = fx.bodyLeft(2);
    fx.editor.units().addUnit(Side::Left, UnitList::Locos, chosen("U9"));
    EXPECT_EQ(fx.namesText(), "U0 U1 U9 U2 U3 U4");
    EXPECT_EQ(fx.editor.line().selectedIndex(), 3);
    EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, "6");
    EXPECT_EQ(fx.bodyLeft(3), selectedLeft);
    EXPECT_EQ(fx.bodyLeft(2), selectedLeft - 1635.0f);
    EXPECT_EQ(fx.element(LabelSet::Label28, 3).caption, "A [NEW] B");
    EXPECT_EQ(fx.element(LabelSet::Label28, 4).caption, "C  [4]  A");
}

TEST(AddUnit, RightOfTheLastUnitAppends) {
    EditorFixture fx;
    fx.buildLine(3, 2);
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, chosen("U5"));
    EXPECT_EQ(fx.namesText(), "U0 U1 U2 U5");
    EXPECT_EQ(fx.editor.line().selectedIndex(), 2);
    EXPECT_EQ(fx.element(LabelSet::Label28, 4).caption, "C [NEW] A");
    EXPECT_EQ(fx.element(LabelSet::Label28, 3).caption, "C  [3]  A");
}

TEST(AddUnit, TakesTheLowerCatalogueSlotOfASharedName) {
    EditorFixture fx(0);
    fx.host.catalogue = {catalogueRecord("Twin", "a", "b", "Lower"),
                         catalogueRecord("twin", "c", "d", "Higher")};
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, chosen("TWIN"));
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, chosen("twin"));
    ASSERT_EQ(fx.editor.line().unitCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(unitField(fx.editor.line().unit(i), RecordField::provider), "Lower");
    }
}

// Where the selected unit stood decides whether the view recentres on it.
TEST(AddUnit, RecentresPastTheWindowEdges) {
    struct Case {
        const char* name;
        bool fromTail; // the tail (else the head) was centred before selecting
        std::int32_t selected;
        Side side;
        float selectedLeftBefore;
        float anchorLeftAfter;
    };
    // Five units: with the tail centred they stand at -360, 1275, 2910, 4545, 6180; with the head
    // centred at 6180, 7815, 9450, 11085, 12720.
    const Case cases[] = {
        {"left of a unit left of 1275", true, 0, Side::Left, -360.0f, 6180.0f},
        {"left of a unit at 1275", true, 1, Side::Left, 1275.0f, 1275.0f},
        {"right of a unit right of 12540", false, 4, Side::Right, 12720.0f, 6180.0f},
        {"right of a unit at 11085", false, 3, Side::Right, 11085.0f, 11085.0f},
    };
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(5, 0);
        if (c.fromTail) {
            fx.editor.navigation().toTail();
        } else {
            fx.editor.navigation().toHead();
        }
        ASSERT_EQ(fx.bodyLeft(c.selected), c.selectedLeftBefore) << c.name;
        // A click makes anchorLeft the unit's left edge; only a recentring changes it.
        fx.editor.navigation().pressUnitBody(c.selected, 1, 10.0f, 10.0f, 0);
        fx.editor.units().addUnit(c.side, UnitList::Locos, chosen("U9"));
        const std::int32_t selectedNow = c.side == Side::Left ? c.selected + 1 : c.selected;
        EXPECT_EQ(fx.editor.line().selectedIndex(), selectedNow) << c.name;
        EXPECT_EQ(fx.editor.display().anchorLeft(), c.anchorLeftAfter) << c.name;
        // The anchor is the selected unit, drawn at anchorLeft.
        EXPECT_EQ(fx.bodyLeft(selectedNow), c.anchorLeftAfter) << c.name;
    }
}

TEST(AddUnit, AFullLineRefusesAnotherUnit) {
    EditorFixture fx;
    const std::vector<std::string> units(5001, makeConsistUnit(fx.host.catalogue[0]));
    ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{}, units, {-1, 5000}}), EditStatus::Applied);
    fx.editor.display().redrawConsistLine(5000);
    fx.editor.display().selectUnit(5000);
    fx.messages.queue(MessageAnswer::OK);
    fx.editor.units().addUnit(Side::Right, UnitList::Locos, chosen("U1"));
    EXPECT_EQ(fx.messageTexts(),
              std::vector<std::string>{"Consist is full.\r\n\r\nA consist holds at most 5001 units."});
    EXPECT_EQ(fx.editor.line().unitCount(), 5001);
    EXPECT_EQ(fx.editor.display().labels().highestIndex(LabelSet::Label1), 5001u);
    EXPECT_EQ(unitField(fx.editor.line().unit(5000), RecordField::englishName), "U0");
}

TEST(TradeUnit, PutsAForwardUnitInPlaceWithoutMovingAnything) {
    EditorFixture fx;
    fx.buildLine(3, 1);
    fx.editor.arrangement().reverseUnit();
    fx.editor.display().selectUnit(1);
    const auto frameLeft = fx.element(LabelSet::Label3, 0).left;
    const auto bodies = std::make_tuple(fx.bodyLeft(0), fx.bodyLeft(1), fx.bodyLeft(2));
    fx.editor.display().panelTexts().frontCouplingBox = "kept";
    fx.editor.units().tradeUnit(UnitList::Wagons, chosen("U8"));
    EXPECT_EQ(fx.namesText(), "U0 U8 U2");
    EXPECT_TRUE(isForward(fx.editor.line().unit(1)));
    EXPECT_EQ(fx.editor.line().selectedIndex(), 1);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, frameLeft);
    EXPECT_EQ(std::make_tuple(fx.bodyLeft(0), fx.bodyLeft(1), fx.bodyLeft(2)), bodies);
    EXPECT_EQ(fx.element(LabelSet::Label1, 2).caption, "U8");
    EXPECT_EQ(fx.element(LabelSet::Label28, 2).caption, "C  [2]  A");
    EXPECT_FALSE(fx.element(LabelSet::Label28, 2).opaque);
    EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, "kept");
}

TEST(DeleteUnit, SelectsTheNeighbourTheButtonNames) {
    struct Case {
        int count;
        int selected;
        Side side;
        std::string namesAfter;
        int selectedAfter;
    };
    const Case cases[] = {
        {6, 3, Side::Left, "U0 U1 U2 U4 U5", 2},
        {6, 3, Side::Right, "U0 U1 U2 U4 U5", 3},
        {6, 0, Side::Left, "U1 U2 U3 U4 U5", 0},
        {6, 0, Side::Right, "U1 U2 U3 U4 U5", 0},
        {6, 5, Side::Left, "U0 U1 U2 U3 U4", 4},
        {6, 5, Side::Right, "U0 U1 U2 U3 U4", 4},
        {2, 1, Side::Right, "U0", 0},
    };
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(c.count, c.selected);
        const float anchorLeft = fx.editor.display().anchorLeft();
        fx.editor.units().deleteUnit(c.side);
        EXPECT_EQ(fx.namesText(), c.namesAfter) << c.count << "/" << c.selected;
        EXPECT_EQ(fx.editor.line().selectedIndex(), c.selectedAfter) << c.count << "/" << c.selected;
        // The view keeps anchorLeft: the newly selected unit is the anchor, drawn there.
        EXPECT_EQ(fx.editor.display().anchorIndex(), c.selectedAfter);
        EXPECT_EQ(fx.bodyLeft(c.selectedAfter), anchorLeft);
        EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, std::to_string(c.count - 1));
        EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, anchorLeft - 120.0f);
    }
}

TEST(DeleteUnit, TheOnlyUnitLeavesAnEmptyLine) {
    EditorFixture fx;
    fx.buildLine(1, 0);
    fx.editor.display().panelTexts().consistName = "My train";
    fx.editor.display().scrollBarMoved(16390); // the view reference moved away from the middle
    fx.editor.display().setAnchorLeft(900.0f);
    fx.editor.units().deleteUnit(Side::Right);
    EXPECT_EQ(fx.editor.line().unitCount(), 0);
    EXPECT_EQ(fx.editor.line().selectedIndex(), -1);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, kHiddenLeft);
    EXPECT_EQ(fx.editor.display().labels().highestIndex(LabelSet::Label1), 0u);
    EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, "");
    EXPECT_EQ(fx.editor.display().panelTexts().consistName, "My train");
    EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, "Buffer");
    EXPECT_EQ(fx.editor.display().scrollBarValue(), 16384);
    EXPECT_EQ(fx.editor.display().scrollReference(), 16384);
    EXPECT_EQ(fx.editor.display().anchorLeft(), 6180.0f);
    // Availability was recomputed while the unit was still counted, then TO HEAD and TO TAIL were
    // turned off; Save keeps the state of that recomputation until the next one.
    EXPECT_FALSE(fx.host.isEnabled("butHead"));
    EXPECT_FALSE(fx.host.isEnabled("butTail"));
    EXPECT_FALSE(fx.host.isEnabled("butDeleteUnitLeft"));
    EXPECT_TRUE(fx.host.isEnabled("mnuSaveConsistToVTUserConsists"));
    fx.host.updateCommandAvailability();
    EXPECT_FALSE(fx.host.isEnabled("mnuSaveConsistToVTUserConsists"));
    EXPECT_TRUE(fx.editor.confirmAbandonConsist()); // an empty line is abandoned without asking
}

} // namespace
} // namespace dovrel::testing
