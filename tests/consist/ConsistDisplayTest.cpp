#include "ConsistTestHost.h"

#include "consist/CatalogueLookup.h"
#include "consist/ConsistUnit.h"
#include "consist/CouplerLetters.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dovrel::testing {
namespace {

// Puts catalogue units into the line directly ("U3<" is U3 reversed), with the selection given,
// without drawing anything.
void putUnits(EditorFixture& fx, const std::vector<std::string>& names, std::int32_t selected = -1) {
    std::vector<std::string> units;
    for (std::string name : names) {
        const bool reversed = name.ends_with('<');
        if (reversed) {
            name.pop_back();
        }
        const auto record = findRecordExactly(fx.host.catalogue, name);
        EXPECT_TRUE(record.has_value()) << name;
        const std::string unit = makeConsistUnit(record.value_or(name));
        units.push_back(reversed ? withToggledHeading(unit) : unit);
    }
    const auto current = fx.editor.line().units();
    ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{current.begin(), current.end()}, units, {-1, selected}}),
              EditStatus::Applied);
}

void drawAround(EditorFixture& fx, std::int32_t anchor) {
    ConsistDisplay& display = fx.editor.display();
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    display.redrawConsistLine(anchor);
    display.raiseUnitLabels();
}

TEST(ConsistDisplay, TemplatesHaveTheirDesignLook) {
    EditorFixture fx;
    struct Case {
        LabelSet set;
        float top, width, height;
        std::uint32_t background;
        LabelFont font;
    };
    const Case cases[] = {
        {LabelSet::Label1, 1080, 1455, 375, 0x00800000u, {"Small Fonts", 6.75f}},
        {LabelSet::Label2, 1080, 60, 375, 0x0000FFFFu, {}},
        {LabelSet::Label28, 1590, 1455, 180, 0x00A0A0A0u, {"Lucida Console", 8.25f}},
        {LabelSet::Label3, 1020, 1695, 495, 0x000080FFu, {}},
    };
    for (const Case& c : cases) {
        const LabelElement& element = fx.element(c.set, 0);
        EXPECT_EQ(element.left, kHiddenLeft) << labelSetName(c.set);
        EXPECT_EQ(element.top, c.top) << labelSetName(c.set);
        EXPECT_EQ(element.width, c.width) << labelSetName(c.set);
        EXPECT_EQ(element.height, c.height) << labelSetName(c.set);
        EXPECT_EQ(element.background.value, c.background) << labelSetName(c.set);
        EXPECT_EQ(element.font, c.font) << labelSetName(c.set);
    }
    EXPECT_EQ(fx.element(LabelSet::Label1, 0).foreground.value, 0x00E0E0E0u);
    // Orange is stored blue-green-red: red FF, green 80, blue 00.
    const StoredColour orange = fx.element(LabelSet::Label3, 0).background;
    EXPECT_EQ(std::make_tuple(orange.red(), orange.green(), orange.blue()), std::make_tuple(255, 128, 0));
    EXPECT_EQ(fx.editor.display().unitWidth(), 1455.0f);
    EXPECT_EQ(fx.editor.display().markerWidth(), 60.0f);
    EXPECT_EQ(fx.editor.display().unitPitch(), 1635.0f);
}

TEST(ConsistDisplay, RedrawPlacesBodiesMarkersAndCaptions) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1<", "U2"});
    drawAround(fx, 0);
    const ConsistDisplay& display = fx.editor.display();
    EXPECT_EQ(display.firstUnitLeft(), 6180.0f);
    EXPECT_EQ(display.anchorIndex(), 0);
    EXPECT_EQ(display.panelTexts().unitCountBox, "3");
    const float bodies[] = {6180, 7815, 9450};
    const float markers[] = {6180 - 45, 7815 + 1440, 9450 - 45};
    for (int i = 0; i < 3; ++i) {
        const LabelElement& body = fx.element(LabelSet::Label1, i + 1);
        const LabelElement& marker = fx.element(LabelSet::Label2, i + 1);
        const LabelElement& caption = fx.element(LabelSet::Label28, i + 1);
        EXPECT_EQ(body.left, bodies[i]) << i;
        EXPECT_EQ(body.caption, "U" + std::to_string(i));
        EXPECT_TRUE(body.visible && marker.visible && caption.visible) << i;
        EXPECT_EQ(marker.left, markers[i]) << i;
        EXPECT_EQ(caption.left, bodies[i]) << i;
        EXPECT_FALSE(caption.opaque) << i;
        EXPECT_EQ(caption.top, 1590.0f);
    }
    EXPECT_EQ(display.labels().highestIndex(LabelSet::Label1), 3u);
    EXPECT_EQ(display.labels().highestIndex(LabelSet::Label3), 0u);
}

TEST(ConsistDisplay, RedrawOfAnEmptyLineRemovesEveryUnitLabel) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1"});
    drawAround(fx, 1);
    putUnits(fx, {});
    fx.editor.display().redrawConsistLine(4);
    for (const LabelSet set : {LabelSet::Label1, LabelSet::Label2, LabelSet::Label28}) {
        EXPECT_EQ(fx.editor.display().labels().highestIndex(set), 0u) << labelSetName(set);
    }
    EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, "0");
    EXPECT_EQ(fx.editor.display().anchorIndex(), 4);
}

TEST(ConsistDisplay, CaptionLettersShowTheCouplerAtEachPhysicalEnd) {
    EditorFixture fx;
    // U0: front Buffer (A), rear Chain (B). U1: front Chain (B), rear Knuckle (C).
    putUnits(fx, {"U0", "U0<", "U1<"});
    drawAround(fx, 0);
    EXPECT_EQ(fx.element(LabelSet::Label28, 1).caption, "A  [1]  B");
    EXPECT_EQ(fx.element(LabelSet::Label28, 2).caption, "B  [2]  A");
    EXPECT_EQ(fx.element(LabelSet::Label28, 3).caption, "C  [3]  B");
}

TEST(ConsistDisplay, CaptionLettersMatchIgnoringCaseAndCarryOverWhenNoBoxMatches) {
    EditorFixture fx;
    fx.host.couplers = {"A bUFFER", "B Chain", "Xnoblank"};
    fx.host.catalogue.push_back(catalogueRecord("Odd", "Couplings\\Unknown.xml", "Couplings\\Xnoblank.bin"));
    fx.host.catalogue.push_back(catalogueRecord("Stray", "Nowhere.xml", "Gone.xml"));
    putUnits(fx, {"Stray", "U0", "Odd", "Stray<"});
    drawAround(fx, 0);
    EXPECT_EQ(fx.element(LabelSet::Label28, 1).caption, "  [1]  ");   // nothing matched yet
    EXPECT_EQ(fx.element(LabelSet::Label28, 2).caption, "A  [2]  B"); // "bUFFER" matches Buffer
    // Odd's front matches nothing: its left side keeps A; a caption without a blank is its own name.
    EXPECT_EQ(fx.element(LabelSet::Label28, 3).caption, "A  [3]  X");
    EXPECT_EQ(fx.element(LabelSet::Label28, 4).caption, "A  [4]  X");
    // A refresh starts its own pass with empty letters.
    fx.host.couplers = {};
    fx.editor.display().refreshConsistLine();
    EXPECT_EQ(fx.element(LabelSet::Label28, 2).caption, "  [2]  ");
}

TEST(ConsistDisplay, NewMarkReplacesThePosition) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"A  [3]  B", "A [NEW] B"}, {"  [12]  B", " [NEW] B"},      {"A  [1]  ", "A [NEW] "},
        {"  [1]  ", " [NEW] "},     {"no brackets", "no brackets"},
    };
    for (const auto& [caption, marked] : cases) {
        EXPECT_EQ(markedAsNew(caption), marked) << caption;
    }
    EXPECT_EQ(unitCaptionText("A", 27, "B"), "A  [27]  B");
}

TEST(ConsistDisplay, StackingAfterRedrawRaiseAndSelect) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1", "U2"});
    drawAround(fx, 0);
    const ConsistLabels& labels = fx.editor.display().labels();
    auto order = labels.stackingOrder();
    const auto position = [&order](LabelSet set, std::size_t index) {
        return std::ranges::find(order, LabelRef{set, index}) - order.begin();
    };
    for (std::size_t i = 1; i <= 3; ++i) {
        for (std::size_t j = 1; j <= 3; ++j) {
            EXPECT_LT(position(LabelSet::Label28, i), position(LabelSet::Label1, j));
        }
        EXPECT_LT(position(LabelSet::Label1, i), position(LabelSet::Label2, i));
        if (i > 1) {
            EXPECT_LT(position(LabelSet::Label2, i - 1), position(LabelSet::Label1, i));
        }
    }
    fx.editor.display().selectUnit(1);
    order = labels.stackingOrder();
    const auto frame = position(LabelSet::Label3, 0);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, 7815.0f - 120.0f);
    EXPECT_GT(frame, position(LabelSet::Label2, 3));
    EXPECT_GT(position(LabelSet::Label1, 2), frame);
    EXPECT_GT(position(LabelSet::Label2, 2), position(LabelSet::Label1, 2));
    EXPECT_TRUE(fx.element(LabelSet::Label28, 2).opaque);
    EXPECT_EQ(fx.editor.line().selectedIndex(), 1);
}

TEST(ConsistDisplay, OnlyATopmostBodyIsHit) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1<"});
    drawAround(fx, 0);
    fx.editor.display().selectUnit(0);
    const ConsistLabels& labels = fx.editor.display().labels();
    struct Case {
        const char* where;
        float x, y;
        std::optional<std::int32_t> unit;
    };
    const Case cases[] = {
        {"inside body 0", 6180 + 630, 1080 + 240, 0},
        {"body 0's top edge past its marker", 6180 + 15, 1080, 0},
        {"body 0's left end under its marker", 6180 + 14, 1200, std::nullopt},
        {"front marker of unit 0", 6180 + 5, 1100, std::nullopt},
        {"frame left of unit 0", 6180 - 100, 1100, std::nullopt},
        {"frame above unit 0", 6500, 1030, std::nullopt},
        {"caption of unit 0", 6500, 1600, std::nullopt},
        {"gap between the units", 7700, 1100, std::nullopt},
        {"body 1 (its marker is at the right end)", 7815 + 5, 1100, 1},
        {"marker of unit 1", 7815 + 1450, 1100, std::nullopt},
        {"right edge of body 1 is outside", 7815 + 1455 + 50, 1100, std::nullopt},
        {"a template", -9000, 1100, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto hit = labels.unitBodyAt(c.x, c.y);
        EXPECT_EQ(hit.has_value(), c.unit.has_value()) << c.where;
        if (hit && c.unit) {
            EXPECT_EQ(hit->unitIndex, *c.unit) << c.where;
        }
    }
    const auto inside = labels.unitBodyAt(6180 + 630, 1080 + 240);
    ASSERT_TRUE(inside.has_value());
    EXPECT_EQ(std::make_pair(inside->x, inside->y), std::make_pair(630.0f, 240.0f));
}

TEST(ConsistDisplay, SelectingMinusOneChangesNothing) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1"}, 1);
    drawAround(fx, 0);
    fx.editor.display().selectUnit(1);
    const int updates = fx.host.availabilityUpdates;
    const auto order = fx.editor.display().labels().stackingOrder();
    fx.editor.display().selectUnit(-1);
    EXPECT_EQ(fx.editor.line().selectedIndex(), 1);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, 7815.0f - 120.0f);
    EXPECT_EQ(fx.host.availabilityUpdates, updates);
    EXPECT_EQ(fx.editor.display().labels().stackingOrder(), order);
}

TEST(ConsistDisplay, CouplingBoxesComeFromTheCatalogueByExactName) {
    EditorFixture fx;
    fx.host.catalogue.push_back(catalogueRecord("Starry", "*", "*"));
    fx.host.catalogue.push_back(catalogueRecord("Plain", "Screw", "Couplings\\Hook.v2.xml"));
    fx.host.catalogue.push_back(catalogueRecord("Twin", "First.xml", "First.xml", "Lower"));
    fx.host.catalogue.push_back(catalogueRecord("Twin", "Second.xml", "Second.xml", "Higher"));
    struct Case {
        std::string unit;
        std::string front, rear;
    };
    const Case cases[] = {
        {makeConsistUnit(catalogueRecord("Starry", "*", "*")), "?", "*"},
        {makeConsistUnit(catalogueRecord("Plain", "Screw", "x")), "Screw", "Hook.v2"},
        // The lookup goes by name: the lower slot supplies the couplers, not the unit's own text.
        {makeConsistUnit(catalogueRecord("Twin", "Second.xml", "Second.xml", "Higher")), "First", "First"},
        // The name is compared with its case; without a match both boxes show "?".
        {makeConsistUnit(catalogueRecord("plain", "Screw", "Hook")), "?", "?"},
    };
    for (const Case& c : cases) {
        const auto current = fx.editor.line().units();
        ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{current.begin(), current.end()}, {c.unit}, {-1, -1}}),
                  EditStatus::Applied);
        drawAround(fx, 0);
        fx.editor.display().panelTexts().frontCouplingBox = "old";
        fx.editor.display().panelTexts().rearCouplingBox = "old";
        fx.editor.display().showSelectedCouplings(1);
        EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, c.front) << c.unit;
        EXPECT_EQ(fx.editor.display().panelTexts().rearCouplingBox, c.rear) << c.unit;
    }
}

TEST(ConsistDisplay, CatalogueSearchStopsAtTheFirstEmptySlot) {
    const std::vector<std::string> catalogue = {catalogueRecord("Alpha", "a", "b"), "",
                                                catalogueRecord("Beyond", "a", "b")};
    EXPECT_TRUE(findRecordIgnoringCase(catalogue, "ALPHA").has_value());
    EXPECT_FALSE(findRecordIgnoringCase(catalogue, "Beyond").has_value());
    EXPECT_FALSE(findRecordExactly(catalogue, "Beyond").has_value());
    EXPECT_FALSE(findRecordExactly(catalogue, "alpha").has_value());
}

TEST(ConsistDisplay, ScrollStepsMoveTheViewOneUnitWhateverTheStep) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1", "U2", "U3"}, 2);
    drawAround(fx, 0);
    ConsistDisplay& display = fx.editor.display();
    struct Step {
        std::int32_t value;
        std::int32_t anchor;
    };
    // Increasing values move the anchor towards the tail, others towards the head; the ends stop it.
    const Step steps[] = {{16385, 1}, {20000, 2}, {20001, 3}, {20002, 3}, {20002, 2},
                          {100, 1},   {99, 0},    {98, 0},    {99, 1}};
    for (const Step& step : steps) {
        const std::int32_t anchorBefore = display.anchorIndex();
        const int updatesBefore = fx.host.availabilityUpdates;
        display.scrollBarMoved(step.value);
        // Past an end only the reference changes: nothing is redrawn.
        EXPECT_EQ(fx.host.availabilityUpdates == updatesBefore, step.anchor == anchorBefore) << step.value;
        EXPECT_EQ(display.scrollReference(), step.value);
        EXPECT_EQ(display.anchorIndex(), step.anchor) << "after value " << step.value;
        EXPECT_EQ(fx.bodyLeft(step.anchor), 6180.0f) << "after value " << step.value;
        // The selection stays and its frame follows it.
        EXPECT_EQ(fx.editor.line().selectedIndex(), 2);
        EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, fx.bodyLeft(2) - 120.0f);
    }
}

TEST(ConsistDisplay, SettingTheScrollValueRunsTheStepOnlyOnAChange) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1", "U2"});
    drawAround(fx, 1);
    ConsistDisplay& display = fx.editor.display();
    display.setScrollBarValue(ConsistDisplay::kScrollMiddle); // unchanged: no step
    EXPECT_EQ(display.anchorIndex(), 1);
    display.setScrollBarValue(40000); // held at the scroll bar's maximum, a step to the tail
    EXPECT_EQ(display.scrollBarValue(), ConsistDisplay::kScrollMaximum);
    EXPECT_EQ(display.anchorIndex(), 2);
}

TEST(ConsistDisplay, RefreshRewritesInPlace) {
    EditorFixture fx;
    putUnits(fx, {"U0", "U1"}, 0);
    fx.editor.display().setAnchorLeft(3000.0f);
    fx.editor.display().redrawConsistLine(1);
    fx.editor.display().selectUnit(0);
    ASSERT_EQ(fx.editor.line().apply(ToggleHeading{0, {0, 0}}), EditStatus::Applied);
    ASSERT_EQ(fx.editor.line().apply(
                  ReplaceUnit{1, fx.editor.line().unit(1), makeConsistUnit(fx.host.catalogue[5]), {0, 0}}),
              EditStatus::Applied);
    fx.editor.display().panelTexts().unitCountBox = "kept";
    fx.editor.display().refreshConsistLine();
    EXPECT_FALSE(fx.editor.display().refreshBusy());
    EXPECT_EQ(fx.bodyLeft(0), 3000.0f - 1635.0f);
    EXPECT_EQ(fx.element(LabelSet::Label2, 1).left, 3000.0f - 1635.0f + 1440.0f);
    EXPECT_EQ(fx.element(LabelSet::Label1, 2).caption, "U5");
    EXPECT_EQ(fx.element(LabelSet::Label28, 1).caption, "B  [1]  A");
    EXPECT_FALSE(fx.element(LabelSet::Label28, 1).opaque);
    EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, "kept");
    EXPECT_EQ(fx.editor.display().anchorIndex(), 1);
}

} // namespace
} // namespace dovrel::testing
