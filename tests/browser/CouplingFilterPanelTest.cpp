#include "browser/CouplingFilterPanel.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;

void expectAt(PanelPosition panel, float left, float top) {
    EXPECT_FLOAT_EQ(panel.left, left);
    EXPECT_FLOAT_EQ(panel.top, top);
}

// The panel follows the pointer from the anchor pressed; the release moves it by the same anchor. Only
// the left button alone drags.
TEST(CouplingFilterPanel, TheTitleStripDragsThePanelFromItsAnchor) {
    TitleStripDrag drag;
    for (const int button : {kRight, kMiddle, kLeft | kRight}) {
        drag.mouseDown(button, 10, 10);
        EXPECT_EQ(drag.dragState(), 0) << button;
    }
    PanelPosition panel{1000, 2000};
    drag.mouseDown(kLeft, 100, 100);
    EXPECT_EQ(drag.dragState(), 2);
    for (const int buttons : {kLeft | kRight, kLeft | kMiddle, 0}) {
        expectAt(drag.mouseMove(buttons, 500, 500, panel), 1000, 2000);
    }
    expectAt(drag.mouseUp(kRight, 500, 500, panel), 1000, 2000);
    panel = drag.mouseMove(kLeft, 150, 80, panel);
    expectAt(panel, 1050, 1980);
    panel = drag.mouseMove(kLeft, 110, 100, panel);
    expectAt(panel, 1060, 1980);
    expectAt(drag.mouseUp(kLeft, 90, 130, panel), 1050, 2010);
    EXPECT_EQ(drag.dragState(), 0);
    expectAt(drag.mouseMove(kLeft, 900, 900, panel), 1060, 1980); // no press, no drag
    // A later left release moves by the same anchor without looking at dragState.
    expectAt(drag.mouseUp(kLeft, 125, 100, panel), 1085, 1980);
}

} // namespace
} // namespace dovrel
