// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>

namespace dovrel {

// Geometry of the coupling filter panel `Frame4`, in twips as 32-bit floats.
struct PanelPosition {
    float left = 0;
    float top = 0;
};

// Where "Show Filter" puts the panel inside a main window whose inner size is innerWidth x innerHeight:
// centred across, with its bottom edge 360 twips above the window's bottom edge.
PanelPosition couplingFilterPlacement(float innerWidth, float innerHeight, float panelWidth,
                                      float panelHeight);

// The column of coupler check boxes under the template element 0: each box's top is the previous one's
// top + the template's height + 120, so element 1 lies below the Check All / Check None row.
struct CouplerBoxColumn {
    static constexpr float kGap = 120.0f;
    float templateTop = 360.0f;
    float templateHeight = 255.0f;

    float topOf(std::size_t element) const;
    // The panel's height with `boxCount` boxes: the last box's top + its height + 120. Empty optional
    // without boxes: the panel keeps its height.
    std::optional<float> panelHeight(std::size_t boxCount) const;
};

// Dragging the panel by its title strip `Label21`. X and Y are the mouse position in the strip's own
// coordinates, so while the panel follows the mouse the grab point stays under it and the anchor is
// never updated. Buttons use the window system's masks: 1 left, 2 right, 4 middle; only the left
// button, pressed alone, drags.
class TitleStripDrag {
public:
    static constexpr int kLeftButton = 1;
    static constexpr int kDragging = 2;

    // Mouse down: the left button starts a drag at (x, y).
    void mouseDown(int button, float x, float y);
    // Mouse move with `buttons` held: during a drag with only the left button held, the panel moves by
    // the distance from the anchor. Returns the panel's new position.
    PanelPosition mouseMove(int buttons, float x, float y, PanelPosition panel) const;
    // Mouse up: the left button moves the panel once more (drag or not) and ends the drag.
    PanelPosition mouseUp(int button, float x, float y, PanelPosition panel);

    float dragAnchorX() const { return dragAnchorX_; }
    float dragAnchorY() const { return dragAnchorY_; }
    int dragState() const { return dragState_; }

private:
    PanelPosition movedBy(float x, float y, PanelPosition panel) const;

    float dragAnchorX_ = 0;
    float dragAnchorY_ = 0;
    int dragState_ = 0;
};

} // namespace dovrel
