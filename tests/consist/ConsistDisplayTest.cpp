#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"
#include "consist/CouplerLetters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dovrel::testing {
namespace {

// The worked example: three units from 6180 one pitch (1455 + 180) apart; the caption letters name
// the coupler at each physical end (U0: Buffer "A" in front, Chain "B" behind). Captions lie below
// every body, each body below its own marker and above the marker before; selecting raises the
// frame, and the unit and its marker above it.
TEST(ConsistDisplay, RedrawDrawsTheLineAndSelectingRaisesTheUnitAboveItsFrame) {
    EditorFixture fx;
    fx.putUnits({"U0", "U0<", "U1<"});
    EXPECT_EQ(fx.bodyLefts(), (std::vector<float>{6180, 7815, 9450}));
    EXPECT_EQ(fx.caption(1), "B  [2]  A");
    EXPECT_EQ(fx.panel().unitCountBox, "3");
    fx.expectDrawnAsTheLine();
    auto order = fx.display().labels().stackingOrder();
    const auto position = [&order](LabelSet set, std::size_t index) {
        return std::ranges::find(order, LabelRef{set, index}) - order.begin();
    };
    for (std::size_t i = 1; i <= 3; ++i) {
        EXPECT_LT(position(LabelSet::Label28, 3), position(LabelSet::Label1, i));
        EXPECT_LT(position(LabelSet::Label1, i), position(LabelSet::Label2, i));
        EXPECT_LT(position(LabelSet::Label2, i - 1), position(LabelSet::Label1, i));
    }
    fx.editor.display().selectUnit(1);
    order = fx.display().labels().stackingOrder();
    EXPECT_GT(position(LabelSet::Label3, 0), position(LabelSet::Label2, 3));
    EXPECT_GT(position(LabelSet::Label1, 2), position(LabelSet::Label3, 0));
    EXPECT_GT(position(LabelSet::Label2, 2), position(LabelSet::Label1, 2));
    EXPECT_EQ(fx.opaqueCaptions(), std::vector<int>{1});
    fx.expectDrawnAsTheLine();
}

// The letters start empty in every pass and are overwritten only on a match, so a side that matches
// no box keeps the letter of that side of an earlier unit. A caption without a blank is its own
// coupler name.
TEST(ConsistDisplay, CaptionLettersMatchIgnoringCaseAndCarryOver) {
    EditorFixture fx;
    fx.host.couplers = {"A bUFFER", "B Chain", "Xnoblank"};
    fx.host.catalogue.push_back(catalogueRecord("Odd", "Couplings\\Unknown.xml", "Couplings\\Xnoblank.bin"));
    fx.host.catalogue.push_back(catalogueRecord("Stray", "Nowhere.xml", "Gone.xml"));
    fx.putUnits({"Stray", "U0", "Odd", "Stray<"});
    fx.editor.display().markUnitAsNew(0);
    EXPECT_EQ(fx.caption(0), " [NEW] ");
    EXPECT_EQ(fx.caption(1), "A  [2]  B");
    EXPECT_EQ(fx.caption(2), "A  [3]  X");
    EXPECT_EQ(fx.caption(3), "A  [4]  X");
    fx.host.couplers = {};
    fx.editor.display().refreshConsistLine();
    EXPECT_EQ(fx.caption(1), "  [2]  ");
}

TEST(ConsistDisplay, OnlyATopmostBodyIsHit) {
    EditorFixture fx;
    fx.putUnits({"U0", "U1<"});
    fx.editor.display().selectUnit(0);
    struct Case {
        const char* where;
        float x, y;
        std::optional<std::int32_t> unit;
    };
    const Case cases[] = {
        {"body 0's top edge past its marker", 6180 + 15, 1080, 0},
        {"body 0's left end under its marker", 6180 + 14, 1200, std::nullopt},
        {"the frame left of unit 0", 6180 - 100, 1100, std::nullopt},
        {"the caption of unit 0", 6500, 1600, std::nullopt},
        {"body 1, its marker at the right end", 7815 + 5, 1100, 1},
        {"the marker of unit 1", 7815 + 1450, 1100, std::nullopt},
        {"a template", -9000, 1100, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto hit = fx.display().labels().unitBodyAt(c.x, c.y);
        EXPECT_EQ(hit ? std::optional(hit->unitIndex) : std::nullopt, c.unit) << c.where;
    }
    const auto inside = fx.display().labels().unitBodyAt(6180 + 630, 1080 + 240);
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(std::make_tuple(inside->unitIndex, inside->x, inside->y), std::make_tuple(0, 630.0f, 240.0f));
}

// The boxes look the body's name up exactly, in the catalogue up to its first empty slot: a front
// coupling "*" shows "?", a rear one "*"; without a match both show "?". Of a name that two records
// share, the lower slot counts.
TEST(ConsistDisplay, CouplingBoxesComeFromTheCatalogueByExactName) {
    EditorFixture fx(0);
    fx.host.catalogue = {catalogueRecord("Starry", "*", "*"),
                         catalogueRecord("Plain", "Screw", "C\\Hook.v2.xml"),
                         catalogueRecord("Twin", "First.xml", "First.xml"),
                         catalogueRecord("Twin", "Second.xml", "x"),
                         "",
                         catalogueRecord("Beyond", "B.xml", "B.xml")};
    struct Case {
        std::string unit;
        std::string front, rear;
    };
    const Case cases[] = {
        {"Starry", "?", "*"}, {"Plain", "Screw", "Hook.v2"}, {"Twin", "First", "First"},
        {"PLAIN", "?", "?"},  {"Beyond", "?", "?"},
    };
    for (const Case& c : cases) {
        const auto current = fx.editor.line().units();
        const std::string unit = makeConsistUnit(catalogueRecord(c.unit, "Own", "Own"));
        ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{current.begin(), current.end()}, {unit}, {-1, -1}}),
                  EditStatus::Applied);
        fx.editor.display().redrawConsistLine(0);
        fx.panel().frontCouplingBox = fx.panel().rearCouplingBox = "old";
        fx.editor.display().showSelectedCouplings(1);
        EXPECT_EQ(std::make_pair(fx.panel().frontCouplingBox, fx.panel().rearCouplingBox),
                  std::make_pair(c.front, c.rear))
            << c.unit;
    }
    // Adding looks the chosen name up ignoring case, and takes the lower slot of a shared name.
    fx.editor.display().selectUnit(0);
    fx.messages.queue(MessageAnswer::OK);
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, ListChoice{3, "BEYOND"});
    fx.editor.units().addUnit(Side::Right, UnitList::Wagons, ListChoice{3, "twin"});
    EXPECT_EQ(fx.messages.texts(),
              std::vector<std::string>{"BEYOND\r\n\r\nThis unit is not in the equipment list."});
    EXPECT_EQ(fx.editor.line().unit(1), makeConsistUnit(fx.host.catalogue[2]));
}

} // namespace
} // namespace dovrel::testing
