#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

std::vector<float> bodyLefts(const EditorFixture& fx) {
    std::vector<float> lefts;
    for (int i = 0; i < fx.editor.line().unitCount(); ++i) {
        lefts.push_back(fx.bodyLeft(i));
    }
    return lefts;
}

std::vector<int> opaqueCaptions(const EditorFixture& fx) {
    std::vector<int> opaque;
    for (int i = 1; i <= fx.editor.line().unitCount(); ++i) {
        if (fx.element(LabelSet::Label28, i).opaque) {
            opaque.push_back(i - 1);
        }
    }
    return opaque;
}

TEST(ShiftUnit, InPlaceKeepsTheViewAndMovesTheFrameOnePitch) {
    struct Case {
        Side side;
        int from;
        int to;
        const char* namesAfter;
    };
    const Case cases[] = {{Side::Left, 2, 1, "U0 U2 U1 U3"}, {Side::Right, 1, 2, "U0 U2 U1 U3"}};
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(4, c.from);
        const auto lefts = bodyLefts(fx);
        const float frameBefore = fx.element(LabelSet::Label3, 0).left;
        // Whatever the boxes show (a trade does not rewrite them), a shift leaves them alone.
        fx.editor.display().panelTexts().frontCouplingBox = "kept";
        const auto couplings = fx.editor.display().panelTexts();
        fx.editor.arrangement().shiftUnit(c.side);
        EXPECT_EQ(fx.namesText(), c.namesAfter);
        EXPECT_EQ(bodyLefts(fx), lefts);
        EXPECT_EQ(fx.editor.line().selectedIndex(), c.to);
        const float pitch = c.side == Side::Left ? -1635.0f : 1635.0f;
        EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, frameBefore + pitch);
        EXPECT_EQ(fx.editor.display().anchorLeft(), lefts[static_cast<std::size_t>(c.to)]);
        EXPECT_EQ(opaqueCaptions(fx), std::vector<int>{c.to});
        EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, couplings.frontCouplingBox);
        EXPECT_EQ(fx.editor.display().panelTexts().rearCouplingBox, couplings.rearCouplingBox);
        // The moved unit lies above the frame.
        const auto& labels = fx.editor.display().labels();
        EXPECT_GT(labels.element(LabelSet::Label1, c.to + 1)->stacking,
                  labels.element(LabelSet::Label3, 0)->stacking);
        const auto hit = labels.unitBodyAt(fx.bodyLeft(c.to) + 100, 1100);
        ASSERT_TRUE(hit.has_value());
        EXPECT_EQ(hit->unitIndex, c.to);
    }
}

TEST(ShiftUnit, RecentresPastTheWindowEdges) {
    struct Case {
        const char* name;
        bool tailCentred;
        int from;
        Side side;
        bool recentres;
    };
    // With the tail of five centred the units stand at -360, 1275, 2910, 4545, 6180; with the head
    // centred at 6180, 7815, 9450, 11085, 12720.
    const Case cases[] = {
        {"left into -360", true, 1, Side::Left, true},
        {"left into 1275", true, 2, Side::Left, false},
        {"right into 12720", false, 3, Side::Right, true},
        {"right into 11085", false, 2, Side::Right, false},
    };
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(5, 0);
        if (c.tailCentred) {
            fx.editor.navigation().toTail();
        } else {
            fx.editor.navigation().toHead();
        }
        fx.editor.navigation().pressUnitBody(c.from, 1, 5.0f, 5.0f, 0);
        const int to = c.side == Side::Left ? c.from - 1 : c.from + 1;
        const float destination = fx.bodyLeft(to);
        fx.editor.arrangement().shiftUnit(c.side);
        EXPECT_EQ(fx.editor.line().selectedIndex(), to) << c.name;
        EXPECT_EQ(fx.bodyLeft(to), c.recentres ? 6180.0f : destination) << c.name;
        EXPECT_EQ(fx.editor.display().anchorLeft(), c.recentres ? 6180.0f : destination) << c.name;
        EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, fx.bodyLeft(to) - 120.0f) << c.name;
    }
}

TEST(ReverseUnit, TurnsTheSelectedUnitAround) {
    EditorFixture fx;
    fx.buildLine(2, 1);
    const std::string before = fx.editor.line().unit(1);
    const float left = fx.bodyLeft(1);
    EXPECT_EQ(fx.element(LabelSet::Label2, 2).left, left - 45.0f);
    EXPECT_EQ(fx.element(LabelSet::Label28, 2).caption, "B [NEW] C"); // the mark lasts until a refresh
    fx.editor.arrangement().reverseUnit();
    const std::string after = fx.editor.line().unit(1);
    EXPECT_EQ(after.back(), '1');
    EXPECT_EQ(after.substr(0, after.size() - 1), before.substr(0, before.size() - 1));
    EXPECT_EQ(fx.element(LabelSet::Label2, 2).left, left + 1440.0f);
    EXPECT_EQ(fx.element(LabelSet::Label28, 2).caption, "C  [2]  B");
    EXPECT_EQ(fx.editor.line().selectedIndex(), 1);
    EXPECT_TRUE(opaqueCaptions(fx).empty()); // the refresh leaves the highlight off
}

TEST(ReverseAll, TwiceRestoresEveryHeading) {
    EditorFixture fx;
    fx.buildLine(3, 1);
    fx.editor.arrangement().reverseUnit();
    const std::vector<std::string> before(fx.editor.line().units().begin(), fx.editor.line().units().end());
    fx.editor.arrangement().reverseAll();
    EXPECT_EQ(fx.namesText(), "U0< U1 U2<");
    EXPECT_EQ(fx.editor.line().selectedIndex(), 1);
    fx.editor.arrangement().reverseAll();
    EXPECT_EQ(std::vector<std::string>(fx.editor.line().units().begin(), fx.editor.line().units().end()),
              before);
}

TEST(MirrorConsist, TurnsTheLineEndForEndKeepingTheSelectedVehicle) {
    struct Case {
        int selected;
        const char* namesAfter;
        int selectedAfter;
    };
    const Case cases[] = {{1, "U2< U1 U0<", 1}, {0, "U2< U1 U0<", 2}, {-1, "U2< U1 U0<", -1}};
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.buildLine(3, 1);
        fx.editor.arrangement().reverseUnit(); // U0, U1 reversed, U2
        if (c.selected == -1) {
            fx.editor.navigation().backgroundClicked();
        } else {
            fx.editor.navigation().pressUnitBody(c.selected, 1, 5.0f, 5.0f, 0);
        }
        const auto lefts = bodyLefts(fx);
        const auto anchor =
            std::make_pair(fx.editor.display().anchorIndex(), fx.editor.display().anchorLeft());
        fx.editor.arrangement().mirrorConsist();
        EXPECT_EQ(fx.namesText(), c.namesAfter) << c.selected;
        EXPECT_EQ(fx.editor.line().selectedIndex(), c.selectedAfter) << c.selected;
        EXPECT_EQ(bodyLefts(fx), lefts);
        EXPECT_EQ(std::make_pair(fx.editor.display().anchorIndex(), fx.editor.display().anchorLeft()),
                  anchor);
        EXPECT_EQ(fx.element(LabelSet::Label1, 1).caption, "U2");
        if (c.selectedAfter >= 0) {
            EXPECT_EQ(opaqueCaptions(fx), std::vector<int>{c.selectedAfter}) << c.selected;
            EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, fx.bodyLeft(c.selectedAfter) - 120.0f);
        } else {
            EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, kHiddenLeft);
        }
    }
}

TEST(MirrorConsist, OfOneUnitOnlyReversesIt) {
    EditorFixture fx;
    fx.buildLine(1, 0);
    fx.editor.arrangement().mirrorConsist();
    EXPECT_EQ(fx.namesText(), "U0<");
    EXPECT_EQ(fx.editor.line().selectedIndex(), 0);
}

} // namespace
} // namespace dovrel::testing
