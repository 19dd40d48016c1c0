// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CouplingFilterPanel.h"

namespace dovrel {

PanelPosition couplingFilterPlacement(float innerWidth, float innerHeight, float panelWidth,
                                      float panelHeight) {
    return {(innerWidth - panelWidth) / 2.0f, innerHeight - panelHeight - 360.0f};
}

float CouplerBoxColumn::topOf(std::size_t element) const {
    float top = templateTop;
    for (std::size_t i = 0; i < element; ++i) {
        top = top + templateHeight + kGap;
    }
    return top;
}

std::optional<float> CouplerBoxColumn::panelHeight(std::size_t boxCount) const {
    if (boxCount == 0) {
        return std::nullopt;
    }
    return topOf(boxCount) + templateHeight + kGap;
}

void TitleStripDrag::mouseDown(int button, float x, float y) {
    if (button != kLeftButton) {
        return;
    }
    dragAnchorX_ = x;
    dragAnchorY_ = y;
    dragState_ = kDragging;
}

PanelPosition TitleStripDrag::mouseMove(int buttons, float x, float y, PanelPosition panel) const {
    if (buttons != kLeftButton || dragState_ != kDragging) {
        return panel;
    }
    return movedBy(x, y, panel);
}

PanelPosition TitleStripDrag::mouseUp(int button, float x, float y, PanelPosition panel) {
    if (button != kLeftButton) {
        return panel;
    }
    const PanelPosition moved = movedBy(x, y, panel);
    dragState_ = 0;
    return moved;
}

PanelPosition TitleStripDrag::movedBy(float x, float y, PanelPosition panel) const {
    if (x != dragAnchorX_) {
        panel.left = panel.left - (dragAnchorX_ - x);
    }
    if (y != dragAnchorY_) {
        panel.top = panel.top - (dragAnchorY_ - y);
    }
    return panel;
}

} // namespace dovrel
