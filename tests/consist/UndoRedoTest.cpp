#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace dovrel::testing {
namespace {

// Everything the drawn line shows besides the stacking order: units, selection, view, frame,
// highlighted and marked captions, panel texts, and every element's place, caption and flags.
struct LineState {
    std::vector<std::string> units;
    DisplayState display;
    std::vector<std::tuple<int, std::size_t, float, std::string, bool, bool>> elements;
    bool operator==(const LineState&) const = default;
};

LineState stateOf(const ConsistEditor& editor) {
    LineState state{
        {editor.line().units().begin(), editor.line().units().end()}, editor.display().capture(), {}};
    for (const LabelSet set : kAllLabelSets) {
        const auto& elements = editor.display().labels().elements(set);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            const LabelElement& e = elements[i];
            state.elements.emplace_back(static_cast<int>(set), i, e.left, e.caption, e.opaque, e.visible);
        }
    }
    return state;
}

// A step of the session as the window runs it: the command between beginStep and endStep.
class UndoRedo : public ::testing::Test {
protected:
    EditorFixture fx{12};
    std::mt19937 random{77031u};

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }

    template <typename Command> void run(Command command) {
        fx.editor.beginStep();
        command();
        fx.editor.endStep();
    }
    // One random command of any kind, refusals and view moves included.
    void randomCommand();
    void expectAvailabilityFollowsTheLine() {
        CommandInputs inputs{.unitCount = fx.editor.line().unitCount(), .selectedIndex = fx.selected()};
        inputs.locoEntryCount = inputs.wagonEntryCount = 3;
        inputs.viewScrollEnabled = fx.host.isEnabled("HScroll2");
        for (const CommandState& state : computeCommandStates(inputs).inOrder()) {
            EXPECT_EQ(fx.host.isEnabled(state.control), state.enabled) << state.control;
        }
    }
};

void UndoRedo::randomCommand() {
    fx.messages = QueuedMessageBoxes([](const std::string&) {}); // refusals answer OK by themselves
    const int n = fx.editor.line().unitCount();
    const Side side = pick(2) == 0 ? Side::Left : Side::Right;
    const UnitList list = pick(2) == 0 ? UnitList::Locos : UnitList::Wagons;
    const int entry = pick(8);
    const ListChoice choice =
        entry == 0 ? ListChoice{12, std::nullopt} : ListChoice{12, "U" + std::to_string(pick(12))};
    switch (pick(12)) {
    case 0:
    case 1:
    case 2:
        return run([&] { fx.editor.units().addUnit(side, list, choice); });
    case 3:
        return run([&] { fx.editor.units().tradeUnit(list, choice); });
    case 4:
        return run([&] { fx.editor.units().deleteUnit(side); });
    case 5:
        return run([&] { fx.editor.arrangement().shiftUnit(side); });
    case 6: {
        const int turn = pick(3);
        return run([&] {
            turn == 0   ? fx.editor.arrangement().reverseUnit()
            : turn == 1 ? fx.editor.arrangement().reverseAll()
                        : fx.editor.arrangement().mirrorConsist();
        });
    }
    case 7: // left selects, right reverses, middle centres
        return run(
            [&] { fx.editor.navigation().pressUnitBody(pick(n + 1), 1 << pick(3), 600.0f, 200.0f, 0); });
    case 8:
        return run([&] { fx.editor.navigation().backgroundClicked(); });
    case 9:
        return run([&] { fx.editor.scrollBarMoved(pick(32768)); });
    case 10:
        return run([&] { pick(2) == 0 ? fx.editor.navigation().toHead() : fx.editor.navigation().toTail(); });
    default:
        fx.messages.queue(pick(3) == 0 ? MessageAnswer::Yes : MessageAnswer::No);
        return run([&] { fx.editor.newConsist(); });
    }
}

// After any random session, Undo walks back through the state before every command that changed the
// line, down to the start, and Redo walks forward through the state after each of them, up to the end.
TEST_F(UndoRedo, UndoingEveryStepGivesTheStartAndRedoingThemGivesTheEnd) {
    for (int session = 0; session < 6; ++session) {
        SCOPED_TRACE("session " + std::to_string(session));
        fx.messages = QueuedMessageBoxes([](const std::string&) {});
        fx.messages.queue(MessageAnswer::Yes);
        fx.editor.newConsist(); // each session starts on an empty line with a name
        fx.editor.history().clear();
        fx.panel().consistName = "Start " + std::to_string(session);
        std::vector<LineState> beforeSteps;
        std::vector<LineState> afterSteps;
        std::set<std::string> names;
        const LineState start = stateOf(fx.editor);
        // The session starts and ends with a command that changes the line.
        bool lastMadeAStep = false;
        for (int i = 0; i < 400 || !lastMadeAStep; ++i) {
            const LineState before = stateOf(fx.editor);
            const std::size_t steps = fx.editor.history().stepCount();
            if (i == 0) {
                run([&] { fx.editor.units().addUnit(Side::Right, UnitList::Locos, {12, "U1"}); });
            } else {
                randomCommand();
            }
            ASSERT_LE(fx.editor.history().stepCount(), steps + 1);
            lastMadeAStep = fx.editor.history().stepCount() > steps;
            if (lastMadeAStep) {
                beforeSteps.push_back(before);
                afterSteps.push_back(stateOf(fx.editor));
                names.insert(fx.editor.history().undoStep()->name);
            }
        }
        const LineState end = stateOf(fx.editor);
        EXPECT_GE(names.size(), 10u) << "the session met most kinds of step";

        fx.messages = QueuedMessageBoxes(); // neither Undo nor Redo asks anything
        for (std::size_t k = beforeSteps.size(); k-- > 0;) {
            ASSERT_TRUE(fx.editor.undo()) << "step " << k;
            ASSERT_EQ(stateOf(fx.editor), beforeSteps[k]) << "undoing step " << k;
            expectAvailabilityFollowsTheLine();
        }
        EXPECT_FALSE(fx.editor.undo());
        EXPECT_EQ(stateOf(fx.editor), start);
        for (std::size_t k = 0; k < afterSteps.size(); ++k) {
            ASSERT_TRUE(fx.editor.redo()) << "step " << k;
            ASSERT_EQ(stateOf(fx.editor), afterSteps[k]) << "redoing step " << k;
        }
        EXPECT_FALSE(fx.editor.redo());
        EXPECT_EQ(stateOf(fx.editor), end);
        if (HasFailure()) {
            return;
        }
    }
}

TEST_F(UndoRedo, ANewStepDropsTheStepsUndoneAndCommandsWithoutAnEditMakeNone) {
    fx.buildLine(3, 1);
    fx.editor.history().clear();
    run([&] { fx.editor.arrangement().shiftUnit(Side::Right); });
    run([&] { fx.editor.arrangement().reverseAll(); });
    ASSERT_EQ(fx.names(), "U0< U2< U1<");
    ASSERT_TRUE(fx.editor.undo());
    EXPECT_EQ(fx.editor.history().redoStep()->name, "Reverse All");
    run([&] { fx.editor.navigation().toHead(); });
    run([&] { fx.editor.arrangement().shiftUnit(Side::Right); }); // already at the tail: no edit
    EXPECT_NE(fx.editor.history().redoStep(), nullptr) << "commands that change nothing keep Redo";
    run([&] { fx.editor.arrangement().mirrorConsist(); });
    EXPECT_EQ(fx.editor.history().redoStep(), nullptr);
    EXPECT_EQ(fx.editor.history().undoStep()->name, "Mirror Consist");
    ASSERT_TRUE(fx.editor.undo());
    ASSERT_TRUE(fx.editor.undo());
    EXPECT_EQ(fx.names(), "U0 U1 U2");
    EXPECT_FALSE(fx.editor.undo());
}

// The consist name comes back only with a step that changed it.
TEST_F(UndoRedo, TheNameReturnsWithNewConsistButTypingIsNotTakenBack) {
    fx.buildLine(2, 0);
    fx.editor.history().clear();
    fx.panel().consistName = "Coal train";
    fx.messages.queue(MessageAnswer::Yes);
    run([&] { fx.editor.newConsist(); });
    EXPECT_EQ(fx.panel().consistName, "");
    ASSERT_TRUE(fx.editor.undo());
    EXPECT_EQ(fx.panel().consistName, "Coal train");
    EXPECT_EQ(fx.names(), "U0 U1");
    fx.panel().consistName = "Typed later";
    run([&] { fx.editor.arrangement().reverseUnit(); });
    ASSERT_TRUE(fx.editor.undo());
    EXPECT_EQ(fx.panel().consistName, "Typed later");
}

// Undo takes nothing back when the line has been changed behind the history's back.
TEST_F(UndoRedo, ALineChangedOutsideTheHistoryIsLeftAlone) {
    fx.buildLine(2, 0);
    fx.editor.history().clear();
    run([&] { fx.editor.units().addUnit(Side::Right, UnitList::Wagons, {12, "U5"}); });
    run([&] { fx.editor.units().addUnit(Side::Right, UnitList::Wagons, {12, "U6"}); });
    fx.putUnits({"U9"});
    EXPECT_FALSE(fx.editor.undo());
    EXPECT_EQ(fx.names(), "U9");
    EXPECT_EQ(fx.editor.history().undoStep(), nullptr);
}

} // namespace
} // namespace dovrel::testing
