// SPDX-License-Identifier: GPL-3.0-or-later
#include "consist/CommandStates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dovrel {
namespace {

using Controls = std::set<std::string_view>;

Controls operator+(Controls a, const Controls& b) {
    a.insert(b.begin(), b.end());
    return a;
}

// Each case names the controls it expects enabled; every other control of the table is disabled.
TEST(CommandStates, FollowTheAvailabilityTable) {
    using C = Controls;
    const C alwaysOn = {"mnuOpenVTScenarioConsists",
                        "butCouplingFilter",
                        "mnuRefreshEquipmentList",
                        "butNewConsist",
                        "mnuNewConsist",
                        "mnuImportConsist"};
    const C hasUnits = {"mnuSaveConsistToVTUserConsists", "butHead", "butTail", "mnuExportConsist"};
    const C twoOrMore = hasUnits + C{"butMirrorConsist", "butReverseAll", "HScroll2"};
    const C selection = {"butReplaceLoco", "butReplaceWagon",    "butToSelected",
                         "butReverseUnit", "butDeleteUnitRight", "butDeleteUnitLeft"};
    const C addLoco = {"butAddLocoLeft", "butAddLocoRight", "butDisplayLoco"};
    const C addWagon = {"butAddWagonLeft", "butAddWagonRight", "butDisplayWagon"};
    struct Case {
        const char* name;
        CommandInputs inputs;
        C enabled;
    };
    const Case cases[] = {
        {"empty line, scroll bar on", {.viewScrollEnabled = true}, {}},
        {"one unit, scroll bar on", {.unitCount = 1, .viewScrollEnabled = true}, hasUnits + C{"HScroll2"}},
        {"one unit selected", {.unitCount = 1, .selectedIndex = 0}, hasUnits + selection},
        {"first of two",
         {.unitCount = 2, .selectedIndex = 0},
         twoOrMore + selection + C{"butShiftUnitRight"}},
        {"last of two", {.unitCount = 2, .selectedIndex = 1}, twoOrMore + selection + C{"butShiftUnitLeft"}},
        {"middle of five",
         {.unitCount = 5, .selectedIndex = 2},
         twoOrMore + selection + C{"butShiftUnitLeft", "butShiftUnitRight"}},
        {"a loco chosen, a listed consist",
         {.locoEntryChosen = true, .locoEntryCount = 4, .listedConsistCount = 2},
         addLoco + C{"butView"}},
        {"a wagon chosen",
         {.unitCount = 3, .wagonEntryChosen = true, .wagonEntryCount = 1},
         twoOrMore + addWagon},
        {"lists, none chosen",
         {.locoEntryCount = 5, .wagonEntryCount = 5},
         {"butDisplayLoco", "butDisplayWagon"}},
    };
    // The reset turns off every control of the table and the two user-consist menus.
    Controls all = {"mnuOpenVTUserConsists", "mnuDeleteConsist"}, off;
    for (const Case& c : cases) {
        Controls on;
        const std::vector<CommandState> states = computeCommandStates(c.inputs).inOrder();
        for (const CommandState& state : states) {
            all.insert(state.control);
            if (state.enabled) {
                on.insert(state.control);
            }
        }
        EXPECT_EQ(std::make_pair(states.size(), on), std::make_pair(std::size_t{28}, alwaysOn + c.enabled))
            << c.name;
    }
    for (const CommandState& state : disableAllCommands().inOrder()) {
        off.insert(state.enabled ? "enabled" : state.control);
    }
    EXPECT_EQ(off, all);
}

} // namespace
} // namespace dovrel
