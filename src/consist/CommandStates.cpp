// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/CommandStates.h"

#include <algorithm>

namespace dovrel {

namespace {

constexpr std::string_view kViewScroll = "HScroll2";

// disableAllCommands turns these off, in this order.
constexpr std::string_view kDisabledByReset[] = {
    "mnuOpenVTUserConsists",
    "mnuDeleteConsist",
    "mnuOpenVTScenarioConsists",
    "mnuSaveConsistToVTUserConsists",
    "mnuNewConsist",
    "mnuRefreshEquipmentList",
    "butAddLocoLeft",
    "butAddLocoRight",
    "butReplaceLoco",
    "butShiftUnitLeft",
    "butToSelected",
    "butReverseUnit",
    "butDeleteUnitRight",
    "butDeleteUnitLeft",
    "butMirrorConsist",
    "butReverseAll",
    "butAddWagonLeft",
    "butAddWagonRight",
    "butReplaceWagon",
    "butShiftUnitRight",
    "butNewConsist",
    "butHead",
    "butTail",
    "butView",
    "butCouplingFilter",
    "HScroll2",
    "butDisplayLoco",
    "butDisplayWagon",
    "mnuExportConsist",
    "mnuImportConsist",
};

bool viewScrollEnabled(const CommandInputs& in) {
    if (in.unitCount >= 2) {
        return true;
    }
    if (in.unitCount == 1) {
        return in.viewScrollEnabled;
    }
    return false;
}

std::vector<CommandState> availabilityTable(const CommandInputs& in) {
    const bool hasUnits = in.unitCount >= 1;
    const bool twoOrMore = in.unitCount >= 2;
    const bool selected = in.selectedIndex != -1;
    return {
        {"mnuOpenVTScenarioConsists", true},
        {"mnuSaveConsistToVTUserConsists", hasUnits},
        {"butCouplingFilter", true},
        {"mnuRefreshEquipmentList", true},
        {"butNewConsist", true},
        {"mnuNewConsist", true},
        {"butReplaceLoco", selected},
        {"butReplaceWagon", selected},
        {"butShiftUnitLeft", selected && twoOrMore && in.selectedIndex != 0},
        {"butShiftUnitRight", selected && twoOrMore && in.selectedIndex != in.unitCount - 1},
        {"butToSelected", selected},
        {"butReverseUnit", selected},
        {"butDeleteUnitRight", selected},
        {"butDeleteUnitLeft", selected},
        {"butAddLocoLeft", in.locoEntryChosen},
        {"butAddLocoRight", in.locoEntryChosen},
        {"butAddWagonLeft", in.wagonEntryChosen},
        {"butAddWagonRight", in.wagonEntryChosen},
        {"butDisplayLoco", in.locoEntryCount >= 1},
        {"butDisplayWagon", in.wagonEntryCount >= 1},
        {"butMirrorConsist", twoOrMore},
        {"butReverseAll", twoOrMore},
        {kViewScroll, viewScrollEnabled(in)},
        {"butHead", hasUnits},
        {"butTail", hasUnits},
        {"butView", in.listedConsistCount >= 1},
        // Sharing consists (File > Export Consist..., Import Consist...).
        {"mnuExportConsist", hasUnits},
        {"mnuImportConsist", true},
    };
}

std::vector<CommandState> resetTable() {
    std::vector<CommandState> states;
    for (const std::string_view control : kDisabledByReset) {
        states.push_back({control, false});
    }
    return states;
}

} // namespace

std::optional<bool> CommandStates::enabled(std::string_view control) const {
    const auto found = std::ranges::find_if(
        states_, [control](const CommandState& state) { return state.control == control; });
    if (found == states_.end()) {
        return std::nullopt;
    }
    return found->enabled;
}

CommandStates computeCommandStates(const CommandInputs& inputs) {
    if (inputs.request == AvailabilityRequest::DisableAll) {
        return CommandStates(resetTable());
    }
    return CommandStates(availabilityTable(inputs));
}

CommandStates disableAllCommands() {
    CommandInputs inputs;
    inputs.request = AvailabilityRequest::DisableAll;
    return computeCommandStates(inputs);
}

std::vector<std::string_view> controlsOffAfterLastUnitDeleted() {
    return {"butHead", "butTail"};
}

} // namespace dovrel
