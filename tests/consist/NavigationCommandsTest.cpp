#include "ConsistTestHost.h"

#include "consist/PointerPosition.h"

#include <gtest/gtest.h>

#include <cmath>

namespace dovrel::testing {
namespace {

TEST(PointerPosition, ConvertsTwipsToScreenPixels) {
    struct Case {
        float bodyLeft, bodyTop, dx, dy, windowLeft, windowTop;
        PixelPoint expected;
    };
    const Case cases[] = {
        {6180, 1080, 630, 240, 0, 0, {457, 136}},
        {6180, 1080, 630, 240, 1500, 750, {557, 186}},
        {-360, 1080, 630, 240, 0, 0, {21, 136}},
        {100, 0, 12.5f, 7.5f, 0, 0, {10, 48}},  // 7.5 + 3 = 10.5 and 0.5 + 48 = 48.5: halves to even
        {100, 0, 27.5f, 22.5f, 0, 0, {12, 50}}, // 11.5 and 49.5 round up to the even neighbour
        {0, 0, 7, 8, 0, 0, {3, 49}},            // 0.47 rounds down, 0.53 up
        {0, 0, -52.5f, -727.5f, 0, 0, {0, 0}},  // -0.5 and -0.5: halves to even below zero too
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pointerPositionFor(c.bodyLeft, c.bodyTop, c.dx, c.dy, c.windowLeft, c.windowTop),
                  c.expected)
            << c.bodyLeft << "+" << c.dx << ", " << c.bodyTop << "+" << c.dy;
    }
}

TEST(PointerPosition, StaysFiniteForAbsurdInput) {
    const PixelPoint far = pointerPositionFor(1e30f, 0, 1e30f, 0, 1e30f, 0);
    EXPECT_GT(far.x, 1000000000);
    const PixelPoint none = pointerPositionFor(std::nanf(""), 0, 0, 0, 0, 0);
    EXPECT_EQ(none.x, 0);
}

TEST(UnitPress, LeftClickSelectsWithoutMovingTheView) {
    EditorFixture fx;
    fx.buildLine(4, 0);
    const float left = fx.bodyLeft(2);
    const std::int32_t anchor = fx.editor.display().anchorIndex();
    fx.editor.navigation().pressUnitBody(2, 1, 100.0f, 100.0f, 0);
    EXPECT_EQ(fx.editor.line().selectedIndex(), 2);
    EXPECT_EQ(fx.bodyLeft(2), left);
    EXPECT_EQ(fx.editor.display().anchorIndex(), anchor);
    EXPECT_EQ(fx.editor.display().anchorLeft(), left);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, left - 120.0f);
    EXPECT_FALSE(fx.element(LabelSet::Label28, 1).opaque);
    EXPECT_TRUE(fx.element(LabelSet::Label28, 3).opaque);
    EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, "Knuckle"); // U2
    EXPECT_EQ(fx.editor.display().panelTexts().rearCouplingBox, "Buffer");
    EXPECT_TRUE(fx.host.isEnabled("butShiftUnitLeft"));
    EXPECT_TRUE(fx.host.pointerMoves.empty());
}

TEST(UnitPress, KeysAndButtons) {
    struct Case {
        const char* name;
        int button;
        int key;
        bool selects;
        bool centres;
        bool reverses;
    };
    const Case cases[] = {
        {"left", 1, 0, true, false, false},
        {"shift + left", 1, 16, false, false, false},
        {"ctrl + left", 1, 17, false, true, false},
        {"ctrl + right", 2, 17, false, false, false},
        {"ctrl + middle", 4, 17, false, false, false},
        {"A + left", 1, 65, false, false, false},
        {"right", 2, 0, false, false, true},
        {"middle", 4, 0, false, true, false},
        {"another button", 8, 0, false, false, false},
    };
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.host.windowLeft = 1500.0f;
        fx.host.windowTop = 750.0f;
        fx.buildLine(5, 1);
        const float anchorLeft = fx.editor.display().anchorLeft();
        const auto lefts = std::make_pair(fx.bodyLeft(0), fx.bodyLeft(4));
        fx.editor.navigation().pressUnitBody(3, c.button, 200.0f, 100.0f, c.key);
        EXPECT_EQ(fx.editor.line().selectedIndex(), c.selects ? 3 : 1) << c.name;
        EXPECT_EQ(fx.namesText(), c.reverses ? "U0 U1 U2 U3< U4" : "U0 U1 U2 U3 U4") << c.name;
        if (c.centres) {
            EXPECT_EQ(fx.bodyLeft(3), 6180.0f) << c.name;
            EXPECT_EQ(fx.editor.display().anchorIndex(), 3) << c.name;
            // The pointer lands on the same spot of the same unit, now centred.
            const PixelPoint expected = pointerPositionFor(6180.0f, 1080.0f, 200.0f, 100.0f, 1500.0f, 750.0f);
            EXPECT_EQ(fx.host.pointerMoves, std::vector<PixelPoint>{expected}) << c.name;
            EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, fx.bodyLeft(1) - 120.0f) << c.name;
        } else {
            EXPECT_EQ(std::make_pair(fx.bodyLeft(0), fx.bodyLeft(4)), lefts) << c.name;
            EXPECT_TRUE(fx.host.pointerMoves.empty()) << c.name;
            if (!c.selects) {
                EXPECT_EQ(fx.editor.display().anchorLeft(), anchorLeft) << c.name;
            }
        }
    }
}

TEST(UnitPress, OnAUnitThatIsNotDrawnDoesNothing) {
    EditorFixture fx;
    fx.buildLine(2, 0);
    for (const int unit : {-1, 2, 5000}) {
        fx.editor.navigation().pressUnitBody(unit, 1, 0.0f, 0.0f, 0);
        fx.editor.navigation().pressUnitBody(unit, 2, 0.0f, 0.0f, 0);
        fx.editor.navigation().pressUnitBody(unit, 4, 0.0f, 0.0f, 0);
    }
    EXPECT_EQ(fx.namesText(), "U0 U1");
    EXPECT_EQ(fx.editor.line().selectedIndex(), 0);
    EXPECT_TRUE(fx.host.pointerMoves.empty());
}

TEST(BackgroundClick, ClearsTheSelectionOnly) {
    EditorFixture fx;
    fx.buildLine(3, 1);
    fx.editor.navigation().backgroundClicked();
    EXPECT_EQ(fx.editor.line().selectedIndex(), -1);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, kHiddenLeft);
    EXPECT_TRUE(fx.element(LabelSet::Label28, 2).opaque);
    EXPECT_EQ(fx.editor.display().panelTexts().frontCouplingBox, "Chain");
    for (const char* control :
         {"butReplaceLoco", "butShiftUnitLeft", "butReverseUnit", "butDeleteUnitLeft", "butToSelected"}) {
        EXPECT_FALSE(fx.host.isEnabled(control)) << control;
    }
    EXPECT_TRUE(fx.host.isEnabled("butMirrorConsist"));
}

TEST(Navigation, ToHeadAndToTailCentreAnEndAndKeepTheSelection) {
    struct Case {
        const char* name;
        void (NavigationCommands::*command)();
        int centred;
    };
    const Case cases[] = {{"TO HEAD", &NavigationCommands::toHead, 0},
                          {"TO TAIL", &NavigationCommands::toTail, 9}};
    for (const Case& c : cases) {
        EditorFixture fx;
        fx.host.windowLeft = 150.0f;
        fx.host.windowTop = 300.0f;
        fx.buildLine(10, 7);
        (fx.editor.navigation().*c.command)();
        EXPECT_EQ(fx.bodyLeft(c.centred), 6180.0f) << c.name;
        EXPECT_EQ(fx.editor.line().selectedIndex(), 7) << c.name;
        EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, 6180.0f + (7 - c.centred) * 1635.0f - 120.0f)
            << c.name;
        EXPECT_EQ(fx.host.pointerMoves, std::vector<PixelPoint>{pointerPositionFor(6180.0f, 1080.0f, 630.0f,
                                                                                   240.0f, 150.0f, 300.0f)})
            << c.name;
        EXPECT_TRUE(fx.messages.shown().empty());
    }
}

TEST(Navigation, ToSelectedCentresTheSelectedUnit) {
    EditorFixture fx;
    fx.buildLine(6, 4);
    fx.editor.navigation().toHead();
    fx.editor.navigation().toSelected();
    EXPECT_EQ(fx.bodyLeft(4), 6180.0f);
    EXPECT_EQ(fx.editor.display().anchorIndex(), 4);
    EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, 6060.0f);
    EXPECT_EQ(fx.host.pointerMoves.back(), pointerPositionFor(6180.0f, 1080.0f, 630.0f, 240.0f, 0.0f, 0.0f));
}

} // namespace
} // namespace dovrel::testing
