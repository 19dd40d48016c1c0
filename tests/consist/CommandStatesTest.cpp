#include "consist/CommandStates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace dovrel {
namespace {

const std::set<std::string> kAlwaysOn = {"mnuOpenVTScenarioConsists", "butCouplingFilter",
                                         "mnuRefreshEquipmentList", "butNewConsist", "mnuNewConsist"};

CommandInputs line(std::int32_t count, std::int32_t selected) {
    CommandInputs inputs;
    inputs.unitCount = count;
    inputs.selectedIndex = selected;
    return inputs;
}

// The controls a case expects enabled; every other control of the table must be disabled.
struct AvailabilityCase {
    const char* name;
    CommandInputs inputs;
    std::set<std::string> enabledBesidesAlwaysOn;
};

TEST(CommandStates, FollowsTheAvailabilityTable) {
    CommandInputs locoChosen = line(0, -1);
    locoChosen.locoEntryChosen = true;
    locoChosen.locoEntryCount = 4;
    CommandInputs wagonChosen = line(3, -1);
    wagonChosen.wagonEntryChosen = true;
    wagonChosen.wagonEntryCount = 1;
    CommandInputs listed = line(0, -1);
    listed.listedConsistCount = 2;
    CommandInputs unchosenEntries = line(0, -1);
    unchosenEntries.locoEntryCount = 5;
    unchosenEntries.wagonEntryCount = 5;

    const std::set<std::string> selection = {"butReplaceLoco", "butReplaceWagon",    "butToSelected",
                                             "butReverseUnit", "butDeleteUnitRight", "butDeleteUnitLeft"};
    const auto with = [&selection](std::set<std::string> extra) {
        extra.insert(selection.begin(), selection.end());
        return extra;
    };
    const std::set<std::string> lineOfTwo = {"mnuSaveConsistToVTUserConsists",
                                             "butMirrorConsist",
                                             "butReverseAll",
                                             "HScroll2",
                                             "butHead",
                                             "butTail"};
    const auto withLineOfTwo = [&](std::set<std::string> extra) {
        extra.insert(lineOfTwo.begin(), lineOfTwo.end());
        return with(extra);
    };

    const AvailabilityCase cases[] = {
        {"empty line, nothing chosen", line(0, -1), {}},
        {"one unit, not selected", line(1, -1), {"mnuSaveConsistToVTUserConsists", "butHead", "butTail"}},
        {"one unit selected", line(1, 0), with({"mnuSaveConsistToVTUserConsists", "butHead", "butTail"})},
        {"two units, first selected", line(2, 0), withLineOfTwo({"butShiftUnitRight"})},
        {"two units, last selected", line(2, 1), withLineOfTwo({"butShiftUnitLeft"})},
        {"five units, middle selected", line(5, 2), withLineOfTwo({"butShiftUnitLeft", "butShiftUnitRight"})},
        {"two units, none selected",
         line(2, -1),
         {"mnuSaveConsistToVTUserConsists", "butMirrorConsist", "butReverseAll", "HScroll2", "butHead",
          "butTail"}},
        {"loco entry chosen on an empty line",
         locoChosen,
         {"butAddLocoLeft", "butAddLocoRight", "butDisplayLoco"}},
        {"wagon entry chosen, nothing selected",
         wagonChosen,
         {"butAddWagonLeft", "butAddWagonRight", "butDisplayWagon", "mnuSaveConsistToVTUserConsists",
          "butMirrorConsist", "butReverseAll", "HScroll2", "butHead", "butTail"}},
        {"lists filled, nothing chosen", unchosenEntries, {"butDisplayLoco", "butDisplayWagon"}},
        {"a listed consist", listed, {"butView"}},
    };
    for (const auto& [name, inputs, enabledBesides] : cases) {
        const CommandStates states = computeCommandStates(inputs);
        EXPECT_EQ(states.inOrder().size(), 26u) << name;
        for (const CommandState& state : states.inOrder()) {
            const std::string control(state.control);
            const bool expected = kAlwaysOn.contains(control) || enabledBesides.contains(control);
            EXPECT_EQ(state.enabled, expected) << name << ": " << control;
        }
    }
}

TEST(CommandStates, ViewScrollKeepsItsStateWithOneUnit) {
    struct Case {
        std::int32_t count;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {0, true, false}, {0, false, false}, {1, true, true},  {1, false, false},
        {2, false, true}, {2, true, true},   {7, false, true},
    };
    for (const Case& c : cases) {
        CommandInputs inputs = line(c.count, -1);
        inputs.viewScrollEnabled = c.before;
        EXPECT_EQ(computeCommandStates(inputs).enabled("HScroll2"), c.after)
            << c.count << " units, enabled before: " << c.before;
    }
}

TEST(CommandStates, RulesAreSetInTheTablesOrder) {
    const CommandStates states = computeCommandStates(line(3, 1));
    const std::vector<std::string_view> expectedStart = {
        "mnuOpenVTScenarioConsists", "mnuSaveConsistToVTUserConsists", "butCouplingFilter"};
    ASSERT_GE(states.inOrder().size(), expectedStart.size());
    for (std::size_t i = 0; i < expectedStart.size(); ++i) {
        EXPECT_EQ(states.inOrder()[i].control, expectedStart[i]);
    }
    EXPECT_EQ(states.inOrder().back().control, "butView");
    // Controls the rules leave to other commands are not set.
    EXPECT_EQ(states.enabled("mnuOpenVTUserConsists"), std::nullopt);
    EXPECT_EQ(states.enabled("mnuDeleteConsist"), std::nullopt);
}

TEST(CommandStates, DisableAllTurnsOffItsListInOrder) {
    const std::vector<std::string_view> expected = {
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
    };
    // Whatever the state, the reset request gives the same list.
    CommandInputs busy = line(4, 2);
    busy.request = AvailabilityRequest::DisableAll;
    busy.locoEntryChosen = true;
    busy.viewScrollEnabled = true;
    for (const CommandStates& states : {disableAllCommands(), computeCommandStates(busy)}) {
        ASSERT_EQ(states.inOrder().size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(states.inOrder()[i].control, expected[i]);
            EXPECT_FALSE(states.inOrder()[i].enabled) << expected[i];
        }
    }
}

TEST(CommandStates, EveryTableControlIsResetByDisableAll) {
    const CommandStates reset = disableAllCommands();
    for (const CommandState& state : computeCommandStates(line(2, 0)).inOrder()) {
        EXPECT_EQ(reset.enabled(state.control), false) << state.control;
    }
}

} // namespace
} // namespace dovrel
