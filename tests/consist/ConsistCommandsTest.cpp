// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"
#include "consist/PointerPosition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace dovrel::testing {
namespace {

using Command = std::function<void(ConsistEditor&)>;

// The view after each command: five built units stand at 6180 + i * 1635, six from -360, the tail of
// five centred from -360. Adding or shifting to left of 1275 or right of 12540 recentres on the
// selection; a delete draws the new selection where the deleted unit stood. The front box shows a
// newly selected unit's couplers.
TEST(EditingCommands, MoveUnitsViewFrameAndMarks) {
    using enum Side;
    const auto adding = [](Side side) -> Command {
        return [=](ConsistEditor& e) { e.units().addUnit(side, UnitList::Locos, {3, "U9"}); };
    };
    const auto deleting = [](Side side) -> Command {
        return [=](ConsistEditor& e) { e.units().deleteUnit(side); };
    };
    const auto shifting = [](Side side) -> Command {
        return [=](ConsistEditor& e) { e.arrangement().shiftUnit(side); };
    };
    const Command trade = [](ConsistEditor& e) { e.units().tradeUnit(UnitList::Wagons, {3, "U8"}); };
    const Command reverseAll = [](ConsistEditor& e) { e.arrangement().reverseAll(); };
    const Command mirror = [](ConsistEditor& e) { e.arrangement().mirrorConsist(); };
    // Tail, Head: that end centred and the selected unit clicked again; Flip1: unit 1 right-clicked.
    enum Setup { Built, Tail, Head, Flip1 };
    struct Case {
        const char* name;
        int count, selected;
        Setup setup;
        Command command;
        int selectedAfter;
        float left;
        int marked;       // the unit whose caption carries the new mark
        bool highlighted; // the selected unit's caption is opaque
        const char* front;
    };
    const Case cases[] = {
        {"add left, -360", 5, 0, Tail, adding(Left), 1, 6180, 0, true, "Buffer"},
        {"add left, 1275", 5, 1, Tail, adding(Left), 2, 1275, 1, true, "Chain"},
        {"add right, 12720", 5, 4, Head, adding(Right), 4, 6180, 5, true, "Chain"},
        {"add right, 11085", 5, 3, Head, adding(Right), 3, 11085, 4, true, "Buffer"},
        {"trade", 3, 1, Flip1, trade, 1, 7815, -1, false, "kept"},
        {"delete left", 6, 3, Built, deleting(Left), 2, 4545, -1, true, "Knuckle"},
        {"shift left, -360", 5, 1, Tail, shifting(Left), 0, 6180, -1, true, "Chain"},
        {"shift left, 1275", 5, 2, Tail, shifting(Left), 1, 1275, -1, true, "kept"},
        {"shift right, 12720", 5, 3, Head, shifting(Right), 4, 6180, -1, true, "Buffer"},
        {"shift right, 11085", 5, 2, Head, shifting(Right), 3, 11085, -1, true, "kept"},
        {"reverse all", 3, 1, Flip1, reverseAll, 1, 7815, -1, false, "kept"},
        {"mirror, A selected", 3, 0, Flip1, mirror, 2, 9450, -1, true, "Buffer"},
    };
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(c.count, c.selected);
        if (c.setup == Tail || c.setup == Head) {
            c.setup == Tail ? fx.editor.navigation().toTail() : fx.editor.navigation().toHead();
            fx.click(c.selected); // anchorLeft becomes the unit's left edge
        } else if (c.setup == Flip1) {
            fx.click(1, 2);
        }
        const float anchorLeft = fx.display().anchorLeft();
        fx.panel().frontCouplingBox = "kept";
        c.command(fx.editor);
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(fx.messages.shown().empty());
        EXPECT_EQ(fx.selected(), c.selectedAfter);
        fx.expectDrawnAsTheLine(c.marked);
        EXPECT_EQ(fx.panel().unitCountBox, std::to_string(fx.editor.line().unitCount()));
        EXPECT_EQ(fx.opaqueCaptions(),
                  c.highlighted ? std::vector<int>{c.selectedAfter} : std::vector<int>{});
        EXPECT_EQ(fx.panel().frontCouplingBox, c.front);
        // Mirroring keeps the anchor; other commands anchor the view on the selected unit.
        const bool mirrors = std::string_view(c.name).starts_with("mirror");
        EXPECT_EQ(fx.display().anchorLeft(), mirrors ? anchorLeft : c.left);
        EXPECT_EQ(fx.bodyLeft(c.selectedAfter), c.left);
        const auto hit = fx.display().labels().unitBodyAt(c.left + 100.0f, 1100.0f);
        EXPECT_EQ(hit ? hit->unitIndex : -1, c.selectedAfter);
    }
}

// The command refuses with its message; the line itself refuses an insertion.
TEST(AddUnit, AFullLineRefusesAnotherUnit) {
    EditorFixture fx;
    const std::vector<std::string> units(5001, makeConsistUnit(fx.host.slots[0]));
    ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{}, units, {-1, 5000}}), EditStatus::Applied);
    fx.editor.display().redrawConsistLine(5000);
    fx.editor.display().selectUnit(5000);
    fx.messages.queue(MessageAnswer::OK);
    fx.editor.units().addUnit(Side::Right, UnitList::Locos, {3, "U1"});
    EXPECT_EQ(fx.messages.texts(),
              std::vector<std::string>{"Consist is full.\r\n\r\nA consist holds at most 5001 units."});
    EXPECT_EQ(
        std::make_pair(fx.editor.line().unitCount(), fx.display().labels().highestIndex(LabelSet::Label1)),
        std::make_pair(5001, std::size_t{5001}));
    EXPECT_EQ(fx.editor.line().apply(InsertUnit{0, units[0], {5000, 5000}}), EditStatus::Full);
}

TEST(PointerPosition, ConvertsTwipsToScreenPixelsRoundingHalvesToEven) {
    struct Case {
        float bodyLeft, bodyTop, dx, dy, windowLeft, windowTop;
        PixelPoint expected;
    };
    const Case cases[] = {
        {-360, 1080, 630, 240, 1500, 750, {121, 186}},
        {100, 0, 12.5f, 7.5f, 0, 0, {10, 48}},  // 10.5 and 48.5
        {100, 0, 27.5f, 22.5f, 0, 0, {12, 50}}, // 11.5 and 49.5
        {0, 0, -52.5f, -727.5f, 0, 0, {0, 0}},  // -0.5 and -0.5
        {1e30f, 0, 1e30f, 0, 1e30f, 0, {2000000000, 48}},
        {std::nanf(""), 0, 0, 0, 0, 0, {0, 48}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pointerPositionFor(c.bodyLeft, c.bodyTop, c.dx, c.dy, c.windowLeft, c.windowTop),
                  c.expected)
            << c.bodyLeft << "+" << c.dx << ", " << c.bodyTop << "+" << c.dy;
    }
}

} // namespace
} // namespace dovrel::testing
