// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistTestHost.h"

#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace dovrel::testing {
namespace {

// The line as the command descriptions change it, and the consist name box.
struct LineModel {
    std::vector<std::string> units;
    int selected = -1, marked = -1;
    std::string name;
};

// The units, the display state and every label's place, caption and flags.
struct LineState {
    std::vector<std::string> units;
    DisplayState display;
    std::vector<std::tuple<int, std::size_t, float, std::string, bool, bool>> elements;
    bool operator==(const LineState&) const = default;
};

void PrintTo(const LineState& state, std::ostream* out) {
    *out << "{units " << ::testing::PrintToString(state.units) << ", display "
         << ::testing::PrintToString(state.display) << ", labels " << ::testing::PrintToString(state.elements)
         << '}';
}

LineState withName(LineState state, std::string name) {
    state.display.panel.consistName = std::move(name);
    return state;
}

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

constexpr int kShiftKey = 16, kCtrlKey = 17;

enum Op {
    Add,
    Trade,
    Delete,
    Shift,
    Turn,
    Press,
    Background,
    Scroll,
    Navigate,
    NewConsist,
    View,
    Type,
    OpCount
};

// Run with the history's own limit, and with one small enough that the oldest steps are dropped.
class RandomEditing : public ::testing::TestWithParam<std::size_t> {
protected:
    EditorFixture fx{20, GetParam()};
    LineModel model;
    std::mt19937 random{20240611u};

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }
    // Runs one command on the editor and on the model; returns the message the model expects.
    std::string step(Op op);
    // A command as the window runs it, between beginStep and endStep.
    template <typename Command> void run(Command command) {
        fx.editor.beginStep();
        command();
        fx.editor.endStep();
    }
    void expectAvailabilityFollows() { // recomputing changes nothing
        const auto before = fx.host.enabled;
        fx.host.updateCommandAvailability();
        EXPECT_EQ(fx.host.enabled, before);
    }
    void expectEditorMatchesModel(bool staleAvailability);
    // The unit is centred and the pointer moved once onto it; -1: the pointer stays.
    void expectCentredAndPointedAt(int unit, PixelPoint pointer) {
        ASSERT_EQ(fx.host.pointerMoves.size(), pointerMoves + (unit == -1 ? 0 : 1));
        pointerMoves = fx.host.pointerMoves.size();
        if (unit != -1) {
            EXPECT_EQ(std::make_pair(fx.bodyLeft(unit), fx.host.pointerMoves.back()),
                      std::make_pair(ConsistDisplay::kCentredLeft, pointer));
        }
    }
    std::size_t pointerMoves = 0;
};

std::string RandomEditing::step(Op op) {
    auto& [units, s, marked, typed] = model;
    const int n = static_cast<int>(units.size());
    const int variant = pick(3);
    const bool left = variant == 0;
    const Side side = left ? Side::Left : Side::Right;
    const UnitList list = left ? UnitList::Locos : UnitList::Wagons;
    // No entry in an empty list, none chosen, a name the catalogue lacks, or a unit.
    const int entry = pick(10);
    const int name = pick(20);
    const ListChoice choice = entry == 0   ? ListChoice{0, std::nullopt}
                              : entry == 1 ? ListChoice{20, std::nullopt}
                              : entry == 2 ? ListChoice{20, "Ghost"}
                                           : ListChoice{20, "U" + std::to_string(name)};
    const std::string notChosen = left ? "Select unit in Locos list." : "Select unit in Wagons list.";
    const std::string ghost = "Ghost\r\n\r\nThis unit is not in the equipment list.";
    const int target = pick(n + 2) - 1;
    const bool onUnit = target >= 0 && target < n;
    const auto toggle = [&units](int i) { units[i] = withToggledHeading(units[i]); };
    const std::string unit = makeConsistUnit(fx.host.slots[name]);
    const std::string refusal = n == 0 ? "No consist." : s == -1 ? "Select unit in consist." : "";
    // Ending the line resets HScroll2 before its reference, so the view may step once towards the
    // head, redrawing the empty line (count "0"). New Consist empties the panel, a last delete keeps it.
    const ConsistPanelTexts panelBefore = fx.panel();
    const ConsistDisplay& view = fx.display();
    const std::int32_t anchor = view.anchorIndex();
    const bool stepsBack = view.scrollBarValue() != ConsistDisplay::kScrollMiddle &&
                           ConsistDisplay::kScrollMiddle <= view.scrollReference() && anchor >= 1;
    const auto expectLineEnded = [&](ConsistPanelTexts panel) {
        panel.unitCountBox = stepsBack ? "0" : "";
        EXPECT_EQ(fx.panel(), panel);
        EXPECT_EQ(std::make_tuple(view.anchorIndex(), view.anchorLeft(), view.scrollReference(),
                                  view.scrollBarValue()),
                  std::make_tuple(stepsBack ? anchor - 1 : anchor, ConsistDisplay::kCentredLeft,
                                  ConsistDisplay::kScrollMiddle, ConsistDisplay::kScrollMiddle));
    };
    std::string expected;
    fx.messages.queue(MessageAnswer::OK);
    switch (op) {
    case Add: // adding to an empty line needs no selection
    case Trade:
        expected = entry == 0                                   ? ""
                   : entry == 1                                 ? notChosen
                   : !refusal.empty() && (op == Trade || n > 0) ? refusal
                   : entry == 2                                 ? ghost
                                                                : "";
        if (entry > 2 && expected.empty() && op == Trade) {
            units[s] = unit;
            marked = -1;
        } else if (entry > 2 && expected.empty()) {
            marked = n == 0 ? 0 : left ? s : s + 1;
            units.insert(units.begin() + marked, unit);
            s = n == 0 ? 0 : left ? s + 1 : s;
        }
        op == Add ? fx.editor.units().addUnit(side, list, choice) : fx.editor.units().tradeUnit(list, choice);
        break;
    case Delete:
        if ((expected = refusal).empty()) {
            units.erase(units.begin() + s);
            s = n == 1 ? -1 : s == n - 1 ? n - 2 : s != 0 && left ? s - 1 : s;
            marked = -1;
        }
        fx.editor.units().deleteUnit(side);
        if (n == 1 && expected.empty()) {
            expectLineEnded(panelBefore);
        }
        break;
    case Shift:
        if (n == 0 || s == -1) {
            expected = refusal;
        } else if (s != (left ? 0 : n - 1)) { // a unit already at that end stays
            std::swap(units[s], units[left ? s - 1 : s + 1]);
            s += left ? -1 : 1;
            marked = -1;
        }
        fx.editor.arrangement().shiftUnit(side);
        break;
    case Turn: // reverse unit, reverse all, mirror
        expected = variant == 0 ? refusal : n == 0 ? "No consist." : "";
        for (int i = 0; i < n && expected.empty(); ++i) {
            if (variant != 0 || i == s) {
                toggle(i);
            }
        }
        if (variant == 2) {
            std::ranges::reverse(units);
            s = s == -1 ? -1 : n - 1 - s;
        }
        marked = expected.empty() ? -1 : marked;
        variant == 0   ? fx.editor.arrangement().reverseUnit()
        : variant == 1 ? fx.editor.arrangement().reverseAll()
                       : fx.editor.arrangement().mirrorConsist();
        break;
    case Press: { // left selects, right reverses, middle or Ctrl + left centres; Shift held does nothing
        const int key = entry < 6 ? 0 : entry < 8 ? kShiftKey : kCtrlKey;
        const bool centres = onUnit && (key == 0 ? variant == 2 : key == kCtrlKey && variant == 0);
        if (onUnit && key == 0) {
            s = variant == 0 ? target : s;
            if (variant == 1) {
                toggle(target);
            }
        }
        marked = centres || (onUnit && key == 0 && variant == 1) ? -1 : marked;
        fx.editor.navigation().pressUnitBody(target, 1 << variant, 600.0f, 200.0f, key);
        expectCentredAndPointedAt(centres ? target : -1, PixelPoint{455, 133}); // 600, 200 into the body
        break;
    }
    case Background:
        s = -1;
        fx.editor.navigation().backgroundClicked();
        break;
    case Scroll: {
        // Any change steps the view one unit, towards the tail when the (capped) value grew.
        const std::int32_t value = pick(40000);
        const std::int32_t held = std::min(value, ConsistDisplay::kScrollMaximum);
        const int step = held > fx.display().scrollReference() ? 1 : -1;
        const bool moves = step > 0 ? anchor + 1 <= n - 1 : anchor - 1 >= 0;
        marked = moves ? -1 : marked;
        fx.editor.scrollBarMoved(value);
        EXPECT_EQ(fx.display().scrollReference(), held);
        EXPECT_EQ(fx.display().anchorIndex(), moves ? anchor + step : anchor);
        if (moves && anchor + step < n) {
            EXPECT_EQ(fx.bodyLeft(anchor + step), ConsistDisplay::kCentredLeft);
        }
        break;
    }
    case Navigate: // to head, to tail, to selected
        expected = variant < 2 ? "" : n == 0 ? "No consist." : s == -1 ? "Nothing selected." : "";
        marked = expected.empty() ? -1 : marked;
        variant == 0   ? fx.editor.navigation().toHead()
        : variant == 1 ? fx.editor.navigation().toTail()
                       : fx.editor.navigation().toSelected();
        expectCentredAndPointedAt(n == 0 || !expected.empty() ? -1
                                  : variant == 0              ? 0
                                  : variant == 1              ? n - 1
                                                              : s,
                                  PixelPoint{457, 136}); // 630, 240 into the body
        break;
    case NewConsist: // abandoning the line in one case of six
        fx.messages = QueuedMessageBoxes();
        if (n > 0) {
            expected = "You are currently editing as consist.\r\n\r\nOkay to abandon?";
            fx.messages.queue(left && entry % 2 == 0 ? MessageAnswer::Yes : MessageAnswer::No);
        }
        fx.editor.newConsist();
        if (n == 0 || (left && entry % 2 == 0)) {
            model = LineModel();
            expectLineEnded({});
        }
        break;
    case View: { // a listed consist of up to three units, some reversed, from its head
        std::vector<std::string> listed;
        for (int k = pick(4); k > 0; --k) {
            const std::string listedUnit = makeConsistUnit(fx.host.slots[pick(20)]);
            listed.push_back(pick(2) == 0 ? listedUnit : withToggledHeading(listedUnit));
        }
        model = {listed, listed.empty() ? -1 : 0, -1, "Listed " + std::to_string(name)};
        fx.editor.loadConsist(model.name, listed);
        break;
    }
    case Type: // typing in the name box is no step of its own
        typed = entry == 0 ? "" : "Typed " + std::to_string(name);
        fx.panel().consistName = typed;
        break;
    case OpCount:
        break;
    }
    return expected;
}

void RandomEditing::expectEditorMatchesModel(bool staleAvailability) {
    const ConsistLine& line = fx.editor.line();
    ASSERT_EQ(std::vector<std::string>(line.units().begin(), line.units().end()), model.units);
    ASSERT_EQ(line.selectedIndex(), model.selected);
    fx.expectDrawnAsTheLine(model.marked);
    EXPECT_EQ(fx.panel().unitCountBox.empty() || fx.panel().unitCountBox == "0", model.units.empty());
    EXPECT_EQ(fx.panel().consistName, model.name);
    // Deleting the only unit recomputes while it is still counted, then turns TO HEAD off itself.
    if (staleAvailability) {
        EXPECT_TRUE(fx.host.isEnabled("mnuSaveConsistToVTUserConsists"));
        EXPECT_FALSE(fx.host.isEnabled("butHead"));
        return;
    }
    expectAvailabilityFollows();
}

// Random commands and names typed between them, checked against the model (message, units, drawing,
// command states, name box); then Undo walks back through the state before every step and Redo
// forward through the state after each. The name box changes only with a step that renamed: to the
// name before it on Undo, and on Redo to the name shown when it was undone, typed on the way back or
// not.
TEST_P(RandomEditing, TwoThousandRandomCommandsFollowTheModelAndUndoRedoWalksThroughThem) {
    std::vector<LineState> beforeSteps;
    std::vector<LineState> afterSteps;
    std::set<std::string> messagesSeen;
    bool staleAvailability = false;
    std::size_t longestLine = 0;
    fx.panel().consistName = model.name = "Coal train"; // comes back when New Consist is undone
    for (int i = 0; i < 2000; ++i) {
        const int roll = pick(OpCount + 5); // adding is weighted up so the line grows to a few dozen units
        const Op op = roll >= OpCount ? Add : static_cast<Op>(roll);
        SCOPED_TRACE("step " + std::to_string(i) + ", op " + std::to_string(op));
        const int updatesBefore = fx.host.availabilityUpdates;
        const std::size_t steps = fx.editor.history().stepCount() + fx.editor.history().droppedCount();
        const LineState before = stateOf(fx.editor);
        const bool lastUnit = model.units.size() == 1;
        std::string expected;
        run([&] { expected = step(op); });
        ASSERT_EQ(fx.messages.texts(), expected.empty() ? std::vector<std::string>{} : std::vector{expected});
        for (const auto& shown : fx.messages.shown()) {
            EXPECT_EQ(shown.icon, op == NewConsist ? MessageIcon::None : MessageIcon::Exclamation);
            EXPECT_EQ(shown.buttons == MessageButtons::OK, op != NewConsist);
        }
        messagesSeen.insert(expected);
        fx.messages = QueuedMessageBoxes(); // drops the answers of messages that did not come
        const std::size_t stepsNow = fx.editor.history().stepCount() + fx.editor.history().droppedCount();
        ASSERT_LE(stepsNow, steps + 1);
        if (stepsNow > steps) {
            beforeSteps.push_back(before);
            afterSteps.push_back(stateOf(fx.editor));
        }
        if (op == Delete && lastUnit && expected.empty()) {
            staleAvailability = true;
        } else if (fx.host.availabilityUpdates != updatesBefore) {
            staleAvailability = false;
        }
        expectEditorMatchesModel(staleAvailability);
        ASSERT_FALSE(HasFailure());
        longestLine = std::max(longestLine, model.units.size());
    }
    EXPECT_GE(longestLine, 12u); // long lines and every message were met
    EXPECT_EQ(messagesSeen.size(), 8u);
    EXPECT_LE(fx.editor.history().bytes(), GetParam());
    // Undo and Redo walk the steps kept, from the oldest one on.
    const std::size_t oldest = fx.editor.history().droppedCount();
    EXPECT_EQ(oldest > 0, GetParam() < EditHistory::kDefaultByteLimit);
    ASSERT_EQ(oldest + fx.editor.history().stepCount(), beforeSteps.size());

    const auto renames = [&](std::size_t k) {
        return beforeSteps[k].display.panel.consistName != afterSteps[k].display.panel.consistName;
    };
    std::vector<std::string> shownAtUndo(beforeSteps.size());
    std::size_t renamingSteps = 0;
    for (std::size_t k = beforeSteps.size(); k-- > oldest;) {
        if (pick(4) == 0) {
            fx.panel().consistName = "Typed back " + std::to_string(k);
        }
        shownAtUndo[k] = fx.panel().consistName;
        renamingSteps += renames(k) ? 1 : 0;
        ASSERT_TRUE(fx.editor.undo()) << "step " << k;
        ASSERT_EQ(
            stateOf(fx.editor),
            withName(beforeSteps[k], renames(k) ? beforeSteps[k].display.panel.consistName : shownAtUndo[k]))
            << "undoing step " << k;
        expectAvailabilityFollows();
    }
    EXPECT_GE(renamingSteps, 20u);
    EXPECT_FALSE(fx.editor.undo());
    for (std::size_t k = oldest; k < afterSteps.size(); ++k) {
        const std::string shown = fx.panel().consistName;
        ASSERT_TRUE(fx.editor.redo()) << "step " << k;
        ASSERT_EQ(stateOf(fx.editor), withName(afterSteps[k], renames(k) ? shownAtUndo[k] : shown))
            << "redoing step " << k;
    }
    EXPECT_FALSE(fx.editor.redo());

    // Half undone: a command without an edit keeps Redo; a new two-edit step drops it.
    const std::size_t kept = (oldest + beforeSteps.size()) / 2;
    for (std::size_t k = beforeSteps.size(); k-- > kept;) {
        ASSERT_TRUE(fx.editor.undo());
    }
    run([&] { fx.editor.navigation().backgroundClicked(); });
    EXPECT_NE(fx.editor.history().redoStep(), nullptr);
    fx.messages = QueuedMessageBoxes([](const std::string&) {});
    fx.messages.queue(MessageAnswer::Yes);
    run([&] {
        fx.editor.newConsist();
        fx.editor.units().addUnit(Side::Right, UnitList::Locos, {20, "U1"});
    });
    EXPECT_EQ(fx.editor.history().stepCount(), kept - oldest + 1);
    EXPECT_EQ(fx.editor.history().redoStep(), nullptr);
    ASSERT_TRUE(fx.editor.undo() && fx.editor.undo());
    EXPECT_EQ(withName(stateOf(fx.editor), ""), withName(beforeSteps[kept - 1], ""));
}

// Undo keeps a name typed after the step; a line changed outside the history drops the history.
TEST_P(RandomEditing, UndoKeepsATypedNameAndLeavesALineChangedOutsideAlone) {
    fx.buildLine(2, 0);
    run([&] { fx.editor.arrangement().reverseUnit(); });
    fx.panel().consistName = "Typed later";
    ASSERT_TRUE(fx.editor.undo());
    EXPECT_EQ(fx.panel().consistName + ": " + fx.names(), "Typed later: U0 U1");
    const auto units = fx.editor.line().units();
    ASSERT_EQ(fx.editor.line().apply(ReplaceLine{{units.begin(), units.end()}, {}, {0, -1}}),
              EditStatus::Applied);
    EXPECT_FALSE(fx.editor.redo());
    EXPECT_EQ(std::make_pair(fx.editor.line().unitCount(), fx.editor.history().stepCount()),
              std::make_pair(0, std::size_t{0}));
}

// Views of long consists under a limit that holds four of their lines: a View shares the line it
// replaced with the View before, so three Views are kept; Undo ends at the oldest of them.
TEST(EditHistoryLimit, DropsTheOldestStepsAndUndoEndsAtTheOldestKept) {
    const auto consist = [](int i) {
        std::vector<std::string> units;
        for (int k = 0; k < 300; ++k) {
            units.push_back(makeConsistUnit(catalogueRecord("U" + std::to_string((i + k) % 20), "A", "B")));
        }
        return units;
    };
    const std::size_t lineBytes = SharedUnits(consist(0)).bytes();
    EditorFixture fx(20, lineBytes * 9 / 2);
    const auto view = [&](int i) {
        fx.editor.beginStep();
        fx.editor.loadConsist("Consist " + std::to_string(i), consist(i));
        fx.editor.endStep();
    };
    for (int i = 1; i <= 8; ++i) {
        view(i);
    }
    const EditHistory& history = fx.editor.history();
    EXPECT_EQ(std::make_pair(history.stepCount(), history.droppedCount()),
              std::make_pair(std::size_t{3}, std::size_t{5}));
    EXPECT_LE(history.bytes(), lineBytes * 9 / 2);
    for (int k = 0; k < 3; ++k) {
        ASSERT_TRUE(fx.editor.undo());
    }
    EXPECT_EQ(fx.panel().consistName, "Consist 5");
    EXPECT_EQ(std::vector<std::string>(fx.editor.line().units().begin(), fx.editor.line().units().end()),
              consist(5));
    EXPECT_EQ(history.undoStep(), nullptr); // what mnuUndo's enabled state follows
    EXPECT_FALSE(fx.editor.undo());
    ASSERT_NE(history.redoStep(), nullptr);
    EXPECT_EQ(history.redoStep()->name, "View Consist");
}

INSTANTIATE_TEST_SUITE_P(HistoryLimits, RandomEditing,
                         ::testing::Values(EditHistory::kDefaultByteLimit, std::size_t{128} * 1024));

} // namespace
} // namespace dovrel::testing
