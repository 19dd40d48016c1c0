// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/UnitCommands.h"

#include "consist/CatalogueLookup.h"
#include "consist/CommandStates.h"
#include "consist/ConsistDisplay.h"
#include "consist/ConsistHost.h"
#include "consist/ConsistLine.h"
#include "consist/ConsistMessages.h"
#include "consist/ConsistUnit.h"
#include "consist/EditHistory.h"
#include "platform/MessageBoxes.h"

namespace dovrel {

namespace msg = consistmessages;

namespace {

std::string_view listMessage(UnitList list) {
    return list == UnitList::Locos ? msg::kSelectInLocos : msg::kSelectInWagons;
}

} // namespace

bool UnitCommands::listReady(UnitList list, const ListChoice& choice) {
    if (choice.entryCount <= 0) {
        return false;
    }
    if (!choice.chosen) {
        parts_.messages.warn(std::string(listMessage(list)));
        return false;
    }
    return true;
}

std::optional<std::string> UnitCommands::unitFor(const ListChoice& choice) {
    if (choice.record) {
        parts_.display.rememberPickedRecord(*choice.record);
        return makeConsistUnit(*choice.record);
    }
    const std::string& chosenName = *choice.chosen;
    const std::optional<std::string> record = findRecordIgnoringCase(parts_.host.catalogue(), chosenName);
    if (!record) {
        parts_.messages.warn(chosenName + "\r\n\r\n" + std::string(msg::kNotInCatalogue));
        return std::nullopt;
    }
    return makeConsistUnit(*record);
}

void UnitCommands::startLine(const std::string& unit) {
    ConsistDisplay& display = parts_.display;
    parts_.line.apply(InsertUnit{0, unit, {parts_.line.selectedIndex(), 0}});
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    display.redrawConsistLine(0);
    display.raiseUnitLabels();
    display.selectUnit(0);
    display.markUnitAsNew(0);
}

void UnitCommands::addUnit(Side side, UnitList list, const ListChoice& choice) {
    const bool locos = list == UnitList::Locos;
    parts_.history.name(side == Side::Left ? (locos ? "Add Loco Left" : "Add Wagon Left")
                                           : (locos ? "Add Loco Right" : "Add Wagon Right"));
    if (!listReady(list, choice)) {
        return;
    }
    ConsistLine& line = parts_.line;
    ConsistDisplay& display = parts_.display;
    if (line.empty()) {
        if (const auto unit = unitFor(choice)) {
            startLine(*unit);
        }
        return;
    }
    const std::int32_t s = line.selectedIndex();
    if (s == -1) {
        parts_.messages.warn(std::string(msg::kSelectInConsist));
        return;
    }
    if (line.full()) {
        parts_.messages.warn(std::string(msg::kConsistFull));
        return;
    }
    const auto unit = unitFor(choice);
    if (!unit) {
        return;
    }
    // Where the selected unit's body stood before the insertion decides whether the view recentres.
    const LabelElement* selectedBody = display.bodyOf(s);
    const float before = selectedBody != nullptr ? selectedBody->left : ConsistDisplay::kCentredLeft;

    if (side == Side::Left) {
        line.apply(InsertUnit{s, *unit, {s, s + 1}});
        if (before < kLeftRecentreEdge) {
            display.setAnchorLeft(ConsistDisplay::kCentredLeft);
        }
        display.redrawConsistLine(s + 1);
        display.raiseUnitLabels();
        display.selectUnit(s + 1);
        display.markUnitAsNew(s);
        return;
    }
    line.apply(InsertUnit{s + 1, *unit, {s, s}});
    if (before > kRightRecentreEdge) {
        display.setAnchorLeft(ConsistDisplay::kCentredLeft);
    }
    display.redrawConsistLine(s);
    display.raiseUnitLabels();
    display.selectUnit(s);
    display.markUnitAsNew(s + 1);
}

void UnitCommands::tradeUnit(UnitList list, const ListChoice& choice) {
    parts_.history.name(list == UnitList::Locos ? "Trade w/Loco" : "Trade w/Wagon");
    if (!listReady(list, choice)) {
        return;
    }
    ConsistLine& line = parts_.line;
    const std::optional<std::int32_t> selected = selectedUnitOrTell(parts_);
    if (!selected) {
        return;
    }
    const std::int32_t s = *selected;
    const auto unit = unitFor(choice);
    if (!unit) {
        return;
    }
    line.apply(ReplaceUnit{s, line.unit(s), *unit, {s, s}});
    parts_.display.refreshConsistLine();
    parts_.display.raiseUnitLabels();
}

void UnitCommands::deleteOnlyUnit() {
    ConsistDisplay& display = parts_.display;
    const std::string unit = parts_.line.unit(0);
    display.deselectUnit(); // availability is recomputed while the line still holds its unit
    parts_.line.apply(RemoveUnit{0, unit, {0, -1}});
    display.removeUnitLabels();
    display.panelTexts().unitCountBox.clear();
    display.setScrollBarValue(ConsistDisplay::kScrollMiddle);
    display.setScrollReference(ConsistDisplay::kScrollMiddle);
    const auto headAndTail = controlsOffAfterLastUnitDeleted();
    parts_.host.disableCommands(headAndTail);
    display.setAnchorLeft(ConsistDisplay::kCentredLeft);
}

void UnitCommands::deleteUnit(Side side) {
    parts_.history.name("Delete Unit");
    ConsistLine& line = parts_.line;
    const std::optional<std::int32_t> selected = selectedUnitOrTell(parts_);
    if (!selected) {
        return;
    }
    const std::int32_t s = *selected;
    const std::int32_t n = line.unitCount();
    if (n == 1) {
        deleteOnlyUnit();
        return;
    }
    std::int32_t next = side == Side::Left ? s - 1 : s;
    if (s == 0) {
        next = 0;
    } else if (s == n - 1) {
        next = n - 2;
    }
    line.apply(RemoveUnit{s, line.unit(s), {s, next}});
    ConsistDisplay& display = parts_.display;
    display.redrawConsistLine(next);
    display.raiseUnitLabels();
    display.selectUnit(next);
}

} // namespace dovrel
