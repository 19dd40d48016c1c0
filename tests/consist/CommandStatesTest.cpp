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

// Every availability case names the controls it expects enabled; every other control of the table
// must be disabled.
TEST(CommandStates, FollowTheAvailabilityTable) {
    using C = Controls;
    const C alwaysOn = {"mnuOpenVTScenarioConsists", "butCouplingFilter", "mnuRefreshEquipmentList",
                        "butNewConsist", "mnuNewConsist"};
    const C hasUnits = {"mnuSaveConsistToVTUserConsists", "butHead", "butTail"};
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
        {"empty line", {}, {}},
        {"empty line, scroll bar on", {.viewScrollEnabled = true}, {}},
        {"one unit", {.unitCount = 1}, hasUnits},
        {"one unit, scroll bar on", {.unitCount = 1, .viewScrollEnabled = true}, hasUnits + C{"HScroll2"}},
        {"one unit selected", {.unitCount = 1, .selectedIndex = 0}, hasUnits + selection},
        {"two units", {.unitCount = 2}, twoOrMore},
        {"first of two",
         {.unitCount = 2, .selectedIndex = 0},
         twoOrMore + selection + C{"butShiftUnitRight"}},
        {"last of two", {.unitCount = 2, .selectedIndex = 1}, twoOrMore + selection + C{"butShiftUnitLeft"}},
        {"middle of five",
         {.unitCount = 5, .selectedIndex = 2},
         twoOrMore + selection + C{"butShiftUnitLeft", "butShiftUnitRight"}},
        {"a loco chosen", {.locoEntryChosen = true, .locoEntryCount = 4}, addLoco},
        {"a wagon chosen",
         {.unitCount = 3, .wagonEntryChosen = true, .wagonEntryCount = 1},
         twoOrMore + addWagon},
        {"lists, none chosen",
         {.locoEntryCount = 5, .wagonEntryCount = 5},
         {"butDisplayLoco", "butDisplayWagon"}},
        {"a listed consist", {.listedConsistCount = 2}, {"butView"}},
    };
    for (const Case& c : cases) {
        const CommandStates states = computeCommandStates(c.inputs);
        EXPECT_EQ(states.inOrder().size(), 26u) << c.name;
        for (const std::string_view control : alwaysOn + c.enabled) {
            EXPECT_EQ(states.enabled(control), true) << c.name << ": " << control;
        }
        for (const CommandState& state : states.inOrder()) {
            EXPECT_EQ(state.enabled, (alwaysOn + c.enabled).contains(state.control))
                << c.name << ": " << state.control;
        }
    }
}

// The reset turns off every control of the table and the two user-consist menus.
TEST(CommandStates, DisableAllTurnsEveryCommandOff) {
    Controls expected = {"mnuOpenVTUserConsists", "mnuDeleteConsist"};
    for (const CommandState& state : computeCommandStates({.unitCount = 2}).inOrder()) {
        expected.insert(state.control);
    }
    const CommandStates states = disableAllCommands();
    Controls off;
    for (const CommandState& state : states.inOrder()) {
        EXPECT_FALSE(state.enabled) << state.control;
        off.insert(state.control);
    }
    EXPECT_EQ(off, expected);
    EXPECT_EQ(states.inOrder().size(), expected.size());
}

} // namespace
} // namespace dovrel
