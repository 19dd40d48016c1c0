// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/NavigationCommands.h"

#include "consist/ConsistDisplay.h"
#include "consist/ConsistHost.h"
#include "consist/ConsistLine.h"
#include "consist/ConsistMessages.h"
#include "consist/CouplerCheck.h"
#include "consist/PointerPosition.h"
#include "platform/MessageBoxes.h"

namespace dovrel {

namespace msg = consistmessages;

std::optional<std::int32_t> unitAfterStep(SelectionStep step, std::int32_t selected, std::int32_t unitCount) {
    if (unitCount <= 0) {
        return std::nullopt;
    }
    const bool none = selected < 0 || selected >= unitCount;
    std::int32_t unit = 0;
    switch (step) {
    case SelectionStep::Head:
        unit = 0;
        break;
    case SelectionStep::Tail:
        unit = unitCount - 1;
        break;
    case SelectionStep::Previous:
        unit = none ? unitCount - 1 : selected - 1;
        break;
    case SelectionStep::Next:
        unit = none ? 0 : selected + 1;
        break;
    }
    if (unit < 0 || unit >= unitCount) {
        return std::nullopt;
    }
    return unit;
}

void NavigationCommands::pressUnitBody(std::int32_t unit, int button, float x, float y, int heldKeyCode) {
    if (!parts_.line.holds(unit) || parts_.display.bodyOf(unit) == nullptr) {
        return;
    }
    const bool left = button == static_cast<int>(MouseButton::Left);
    if (heldKeyCode != 0) {
        if (heldKeyCode == kCtrlKeyCode && left) {
            centreOn(unit);
            pointAtUnit(unit, x, y);
        }
        return;
    }
    if (left) {
        selectInPlace(unit);
    } else if (button == static_cast<int>(MouseButton::Right)) {
        arrange_.reverseClickedUnit(unit);
    } else if (button == static_cast<int>(MouseButton::Middle)) {
        centreOn(unit);
        pointAtUnit(unit, x, y);
    }
}

// The view stays; a later redraw anchored on this unit that keeps `anchorLeft` draws it here again.
void NavigationCommands::selectInPlace(std::int32_t unit) {
    ConsistDisplay& display = parts_.display;
    const float left = display.bodyOf(unit)->left;
    display.highlightInPlace(unit, true);
    display.setAnchorLeft(left);
}

void NavigationCommands::centreOn(std::int32_t unit) {
    ConsistDisplay& display = parts_.display;
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    display.redrawConsistLine(unit);
    display.raiseUnitLabels();
    display.selectUnit(parts_.line.selectedIndex());
}

void NavigationCommands::backgroundClicked() {
    parts_.display.deselectUnit();
}

void NavigationCommands::toHead() {
    centreOn(0);
    pointAtUnit(0, kPointerDx, kPointerDy);
}

void NavigationCommands::toTail() {
    const std::int32_t last = parts_.line.unitCount() - 1;
    centreOn(last);
    pointAtUnit(last, kPointerDx, kPointerDy);
}

void NavigationCommands::toSelected() {
    const ConsistLine& line = parts_.line;
    if (line.empty()) {
        parts_.messages.warn(std::string(msg::kNoConsist));
        return;
    }
    const std::int32_t s = line.selectedIndex();
    if (s == -1) {
        parts_.messages.warn(std::string(msg::kNothingSelected));
        return;
    }
    centreOn(s);
    pointAtUnit(s, kPointerDx, kPointerDy);
}

bool NavigationCommands::nextCouplerMismatch() {
    const std::vector<std::int32_t> gaps = couplerMismatchGaps(parts_.line.units());
    const std::optional<std::int32_t> unit = unitAfterNextMismatch(gaps, parts_.line.selectedIndex());
    if (!unit) {
        return false;
    }
    centreAndSelect(*unit);
    return true;
}

void NavigationCommands::selectByKey(std::int32_t unit, float viewWidth) {
    const LabelElement* body = parts_.display.bodyOf(unit);
    if (!parts_.line.holds(unit) || body == nullptr) {
        return;
    }
    if (body->left >= 0.0f && body->left + body->width <= viewWidth) {
        selectInPlace(unit);
    } else {
        centreAndSelect(unit);
    }
}

void NavigationCommands::centreAndSelect(std::int32_t unit) {
    ConsistDisplay& display = parts_.display;
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    display.redrawConsistLine(unit);
    display.raiseUnitLabels();
    display.selectUnit(unit);
}

void NavigationCommands::pointAtUnit(std::int32_t unit, float dx, float dy) {
    const LabelElement* body = parts_.display.bodyOf(unit);
    if (body == nullptr) {
        return; // no such unit drawn: the pointer stays where it is
    }
    const ConsistHost& host = parts_.host;
    parts_.host.movePointer(pointerPositionFor(body->left, body->top, dx, dy, host.windowLeftTwips(),
                                               host.windowTopTwips(), host.zoomPercent()));
}

} // namespace dovrel
