// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dovrel::testing {
namespace {

// A failed comparison shows the drawn state's fields, never "N-byte object <...>".
TEST(ConsistPrinters, ShowTheFieldsNotTheBytes) {
    DisplayState state;
    state.newMarks = {2};
    state.panel.consistName = "Coal";
    EXPECT_EQ(::testing::PrintToString(PixelPoint{3, 4}), "(3, 4)");
    const std::string printed = ::testing::PrintToString(state);
    EXPECT_NE(printed.find(R"(new marks { 2 }, panel {unit count "", front coupling "", rear coupling "", )"
                           R"(name "Coal"})"),
              std::string::npos)
        << printed;
}

// Caption letters name the coupler at each physical end; captions lie below every body, each body
// below its own marker and above the marker before; selecting raises the unit above its frame.
TEST(ConsistDisplay, RedrawDrawsTheLineAndSelectingRaisesTheUnitAboveItsFrame) {
    EditorFixture fx;
    fx.buildLine(3, -1);
    fx.click(1, 2); // U1 turned round
    EXPECT_EQ(std::make_pair(fx.bodyLeft(0), fx.caption(1)),
              std::make_pair(6180.0f, std::string("C  [2]  B")));
    fx.expectDrawnAsTheLine();
    const auto order = fx.display().labels().stackingOrder();
    const auto position = [&order](LabelSet set, std::size_t index) {
        return std::ranges::find(order, LabelRef{set, index}) - order.begin();
    };
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_LT(position(LabelSet::Label28, 3), position(LabelSet::Label1, i));
        EXPECT_LT(position(LabelSet::Label1, i), position(LabelSet::Label2, i));
        EXPECT_LT(position(LabelSet::Label2, i - 1), position(LabelSet::Label1, i));
    }
    fx.editor.display().selectUnit(1);
    EXPECT_EQ(fx.opaqueCaptions(), std::vector<int>{1});
    fx.expectDrawnAsTheLine();
}

// Caption letters name the boxes matched ignoring case (a box without a blank is its own name); a
// side matching none keeps an earlier unit's letter. The coupling boxes look the name up exactly,
// before the first empty slot, in the lower of two slots: a front "*" shows "?", a rear one "*";
// without a match both show "?".
TEST(ConsistDisplay, CaptionLettersAndCouplingBoxes) {
    EditorFixture fx(0);
    fx.host.couplers = {"A bUFFER", "B Chain", "Xnoblank"};
    fx.host.slots = {catalogueRecord("Starry", "*", "*"),
                     catalogueRecord("Plain", "Screw", "C\\Hook.v2.xml"),
                     catalogueRecord("Twin", "First.xml", "First.xml"),
                     catalogueRecord("Twin", "Second.xml", "x"),
                     "",
                     catalogueRecord("Beyond", "B.xml", "B.xml")};
    struct Case {
        std::string unit, front, rear, caption, frontBox, rearBox;
    };
    const Case cases[] = {
        {"Stray", "Nowhere.xml", "Gone.xml", "  [1]  ", "?", "?"},
        {"Starry", "P\\Buffer.xml", "Chain.xml", "A  [2]  B", "?", "*"},
        {"Plain", "Unknown.xml", "Couplings\\Xnoblank.bin", "A  [3]  X", "Screw", "Hook.v2"},
        {"Twin", "Nowhere.xml", "Gone.xml", "A  [4]  X", "First", "First"},
        {"PLAIN", "Gone.xml", "Gone.xml", "A  [5]  X", "?", "?"},
        {"Beyond", "Gone.xml", "Gone.xml", "A  [6]  X", "?", "?"},
    };
    std::vector<std::string> units;
    for (const Case& c : cases) {
        units.push_back(makeConsistUnit(catalogueRecord(c.unit, c.front, c.rear)));
    }
    ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{}, units, {-1, -1}}), EditStatus::Applied);
    fx.editor.display().redrawConsistLine(0);
    for (int i = 0; i < 6; ++i) {
        const Case& c = cases[i];
        fx.editor.display().showSelectedCouplings(i + 1);
        EXPECT_EQ(std::make_tuple(fx.caption(i), fx.panel().frontCouplingBox, fx.panel().rearCouplingBox),
                  std::make_tuple(c.caption, c.frontBox, c.rearBox))
            << c.unit;
    }
    fx.host.couplers = {};
    fx.editor.display().refreshConsistLine();
    EXPECT_EQ(fx.caption(1), "  [2]  ");
    // Adding looks the chosen name up ignoring case, and takes the lower slot of a shared name.
    fx.editor.display().selectUnit(0);
    fx.messages.queue(MessageAnswer::OK);
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, ListChoice{3, "BEYOND"});
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, ListChoice{3, "twin"});
    EXPECT_EQ(fx.messages.texts(),
              std::vector<std::string>{"BEYOND\r\n\r\nThis unit is not in the equipment list."});
    EXPECT_EQ(fx.editor.line().unit(1), makeConsistUnit(fx.host.slots[2]));
}

// A unit added or traded by its own list item (a found duplicate) shows its own couplers, wherever it
// is selected again; the other unit of that name still shows the lower slot's.
TEST(ConsistDisplay, AUnitPickedByItsOwnRecordShowsItsOwnCouplings) {
    EditorFixture fx(0);
    fx.host.slots = {catalogueRecord("Twin", "First.xml", "First.xml"),
                     catalogueRecord("Twin", "Second.xml", "Rear.xml")};
    const auto boxes = [&fx] { return fx.panel().frontCouplingBox + "/" + fx.panel().rearCouplingBox; };
    fx.editor.units().addUnit(Side::Right, UnitList::Locos, ListChoice{2, "Twin", fx.host.slots[1]});
    EXPECT_EQ(boxes(), "Second/Rear");
    fx.editor.units().addUnit(Side::Right, UnitList::Locos, ListChoice{2, "Twin"});
    EXPECT_EQ(boxes(), "Second/Rear") << "the selection stays on the picked unit";
    fx.click(1);
    EXPECT_EQ(boxes(), "First/First");
    fx.editor.units().tradeUnit(UnitList::Locos, ListChoice{2, "Twin", fx.host.slots[1]});
    fx.editor.arrangement().reverseUnit();
    fx.click(0);
    fx.click(1);
    EXPECT_EQ(boxes(), "Second/Rear") << "traded in, reversed or not";
}

} // namespace
} // namespace dovrel::testing
