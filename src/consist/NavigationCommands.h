// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consist/ArrangeCommands.h"
#include "consist/ConsistParts.h"

#include <cstdint>
#include <optional>

namespace dovrel {

// Mouse buttons as the press handler receives them.
enum class MouseButton : int { Left = 1, Right = 2, Middle = 4 };

inline constexpr int kCtrlKeyCode = 17;

// A move of the selection by the keyboard: to the neighbour on either side, or to either end.
enum class SelectionStep { Previous, Next, Head, Tail };

// The unit a step selects in a line of unitCount units with `selected` selected (-1 none); nothing at
// either end or in an empty line. With nothing selected, Next starts at the head, Previous at the tail.
std::optional<std::int32_t> unitAfterStep(SelectionStep step, std::int32_t selected, std::int32_t unitCount);

// Pointing at units and moving the view: presses on unit bodies, a click on the window's background,
// TO HEAD, TO TAIL and To-->Selected, and moving the mouse pointer onto a unit.
class NavigationCommands {
public:
    static constexpr float kPointerDx = 630.0f;
    static constexpr float kPointerDy = 240.0f;

    NavigationCommands(ConsistParts parts, ArrangeCommands& arrange) : parts_(parts), arrange_(arrange) {}

    // A mouse press on unit's body: button 1 left, 2 right, 4 middle; x, y twips inside the body;
    // heldKeyCode the key held down (0 none, 17 Ctrl). Left selects in place, right reverses the
    // unit, middle or Ctrl + left centres it; anything else does nothing.
    void pressUnitBody(std::int32_t unit, int button, float x, float y, int heldKeyCode);
    // A click on the main window's own surface.
    void backgroundClicked();
    // butHead ("TO HEAD"), butTail ("TO TAIL"), butToSelected ("To-->Selected").
    void toHead();
    void toTail();
    void toSelected();
    // Moves the mouse pointer onto the unit's body, dx and dy twips from its top-left corner.
    void pointAtUnit(std::int32_t unit, float dx, float dy);
    // Edit > "Next Coupler Mismatch": centres and selects the unit after the next gap whose couplers
    // do not meet. False, and nothing changes, when every gap meets.
    bool nextCouplerMismatch();
    // The keyboard's choice of a unit: selected where it stands, as a left click selects it, when its
    // body lies wholly between 0 and viewWidth twips; otherwise centred and selected. The pointer stays.
    void selectByKey(std::int32_t unit, float viewWidth);

private:
    void selectInPlace(std::int32_t unit);
    void centreOn(std::int32_t unit);
    void centreAndSelect(std::int32_t unit);

    ConsistParts parts_;
    ArrangeCommands& arrange_;
};

} // namespace dovrel
