// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/ArrangeCommands.h"

#include "consist/ConsistDisplay.h"
#include "consist/ConsistLine.h"
#include "consist/ConsistMessages.h"
#include "consist/EditHistory.h"
#include "platform/MessageBoxes.h"

namespace dovrel {

namespace msg = consistmessages;

void ArrangeCommands::refreshInPlace() {
    parts_.display.refreshConsistLine();
    parts_.display.raiseUnitLabels();
}

void ArrangeCommands::shiftUnit(Side side) {
    parts_.history.name(side == Side::Left ? "Shift Unit Left" : "Shift Unit Right");
    ConsistLine& line = parts_.line;
    ConsistDisplay& display = parts_.display;
    if (line.empty()) {
        parts_.messages.warn(std::string(msg::kNoConsist));
        return;
    }
    const std::int32_t s = line.selectedIndex();
    const std::int32_t endOfLine = side == Side::Left ? 0 : line.unitCount() - 1;
    if (s == endOfLine) {
        return; // already at that end
    }
    if (s == -1) {
        parts_.messages.warn(std::string(msg::kSelectInConsist));
        return;
    }
    const std::int32_t destination = side == Side::Left ? s - 1 : s + 1;
    // The left edge of the body that shows the destination, before the move.
    const LabelElement* destinationBody = display.bodyOf(destination);
    const float left = destinationBody != nullptr ? destinationBody->left : ConsistDisplay::kCentredLeft;
    line.apply(SwapUnits{destination, s, {s, destination}});

    const bool recentre =
        side == Side::Left ? left < UnitCommands::kLeftRecentreEdge : left > UnitCommands::kRightRecentreEdge;
    if (recentre) {
        display.setAnchorLeft(ConsistDisplay::kCentredLeft);
        display.redrawConsistLine(destination);
        display.raiseUnitLabels();
        display.selectUnit(destination);
        return;
    }
    refreshInPlace();
    // The selected vehicle is the same, so the coupling boxes stay as they are.
    display.highlightInPlace(destination, false);
    display.setAnchorLeft(left);
}

void ArrangeCommands::reverseUnit() {
    parts_.history.name("Reverse Unit");
    ConsistLine& line = parts_.line;
    const std::optional<std::int32_t> selected = selectedUnitOrTell(parts_);
    if (!selected) {
        return;
    }
    const std::int32_t s = *selected;
    line.apply(ToggleHeading{s, {s, s}});
    refreshInPlace();
}

void ArrangeCommands::reverseAll() {
    parts_.history.name("Reverse All");
    ConsistLine& line = parts_.line;
    if (line.empty()) {
        parts_.messages.warn(std::string(msg::kNoConsist));
        return;
    }
    const std::int32_t s = line.selectedIndex();
    line.apply(ToggleAllHeadings{{s, s}});
    refreshInPlace();
}

void ArrangeCommands::mirrorConsist() {
    parts_.history.name("Mirror Consist");
    ConsistLine& line = parts_.line;
    if (line.empty()) {
        parts_.messages.warn(std::string(msg::kNoConsist));
        return;
    }
    const std::int32_t s = line.selectedIndex();
    const std::int32_t sameVehicle = s == -1 ? -1 : line.unitCount() - 1 - s;
    line.apply(MirrorLine{{s, sameVehicle}});
    refreshInPlace();
    parts_.display.selectUnit(sameVehicle);
}

void ArrangeCommands::reverseClickedUnit(std::int32_t unit) {
    parts_.history.name("Reverse Unit");
    ConsistLine& line = parts_.line;
    if (!line.holds(unit)) {
        return;
    }
    const std::int32_t s = line.selectedIndex();
    line.apply(ToggleHeading{unit, {s, s}});
    refreshInPlace();
}

} // namespace dovrel
