#include "ConsistTestHost.h"

#include "consist/ConsistMessages.h"
#include "consist/ConsistUnit.h"
#include "consist/CouplerLetters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace dovrel::testing {
namespace {

namespace msg = consistmessages;

// A small model of the line written straight from the command descriptions: the units' names and
// headings in order, and the selection. It knows nothing of labels or the view.
struct LineModel {
    struct Unit {
        int catalogueIndex;
        bool reversed;
        bool operator==(const Unit&) const = default;
    };
    std::vector<Unit> units;
    int selected = -1;

    int count() const { return static_cast<int>(units.size()); }
    std::string emptyOrUnselected() const {
        if (units.empty()) {
            return std::string(msg::kNoConsist);
        }
        return selected == -1 ? std::string(msg::kSelectInConsist) : std::string();
    }
};

enum class Op {
    AddLeft,
    AddRight,
    Trade,
    DeleteLeft,
    DeleteRight,
    ShiftLeft,
    ShiftRight,
    ReverseUnit,
    ReverseAll,
    Mirror,
    Click,
    RightClick,
    MiddleClick,
    Background,
    Scroll,
    ToHead,
    ToTail,
    ToSelected,
    NewConsist,
    Count
};

const char* const kCouplerLetters[] = {"A", "B", "C"};

// The caption the model expects for unit i: the letter of the coupler at each physical end.
std::string expectedCaption(const LineModel::Unit& unit, int position) {
    const std::string front = kCouplerLetters[unit.catalogueIndex % 3];
    const std::string rear = kCouplerLetters[(unit.catalogueIndex + 1) % 3];
    return unit.reversed ? unitCaptionText(rear, position, front) : unitCaptionText(front, position, rear);
}

class RandomEditing : public ::testing::Test {
protected:
    EditorFixture fx{20};
    LineModel model;
    std::mt19937 random{20240611u};
    int newUnit = -1; // the unit whose caption carries the new mark, until the next redraw or refresh

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }

    // Runs one operation on the editor and on the model; returns the message the model expects.
    std::string step(Op op, bool& deletedOnlyUnit);
    void expectEditorMatchesModel(Op op, bool staleAvailability, int stepNumber);
};

std::string RandomEditing::step(Op op, bool& deletedOnlyUnit) {
    auto& units = model.units;
    int& s = model.selected;
    const int n = model.count();
    const int name = pick(20);
    const ListChoice choice{20, "U" + std::to_string(name)};
    const int target = n > 0 ? pick(n) : 0;
    std::string expected;
    switch (op) {
    case Op::AddLeft:
    case Op::AddRight: {
        const Side side = op == Op::AddLeft ? Side::Left : Side::Right;
        if (n == 0) {
            units = {{name, false}};
            s = 0;
            newUnit = 0;
        } else if (s == -1) {
            expected = msg::kSelectInConsist;
        } else if (side == Side::Left) {
            units.insert(units.begin() + s, {name, false});
            newUnit = s;
            s += 1;
        } else {
            units.insert(units.begin() + s + 1, {name, false});
            newUnit = s + 1;
        }
        fx.messages.queue(MessageAnswer::OK);
        fx.editor.units().addUnit(side, op == Op::AddLeft ? UnitList::Locos : UnitList::Wagons, choice);
        break;
    }
    case Op::Trade:
        expected = model.emptyOrUnselected();
        if (expected.empty()) {
            units[static_cast<std::size_t>(s)] = {name, false};
            newUnit = -1;
        }
        fx.messages.queue(MessageAnswer::OK);
        fx.editor.units().tradeUnit(UnitList::Locos, choice);
        break;
    case Op::DeleteLeft:
    case Op::DeleteRight:
        expected = model.emptyOrUnselected();
        if (expected.empty()) {
            units.erase(units.begin() + s);
            deletedOnlyUnit = n == 1;
            if (n == 1) {
                s = -1;
            } else if (s == n - 1) {
                s = n - 2;
            } else if (s != 0 && op == Op::DeleteLeft) {
                s -= 1;
            }
            newUnit = -1;
        }
        fx.messages.queue(MessageAnswer::OK);
        fx.editor.units().deleteUnit(op == Op::DeleteLeft ? Side::Left : Side::Right);
        break;
    case Op::ShiftLeft:
    case Op::ShiftRight: {
        const bool left = op == Op::ShiftLeft;
        if (n == 0) {
            expected = msg::kNoConsist;
        } else if (s == (left ? 0 : n - 1)) {
            // already at that end
        } else if (s == -1) {
            expected = msg::kSelectInConsist;
        } else {
            const int to = left ? s - 1 : s + 1;
            std::swap(units[static_cast<std::size_t>(s)], units[static_cast<std::size_t>(to)]);
            s = to;
            newUnit = -1;
        }
        fx.messages.queue(MessageAnswer::OK);
        fx.editor.arrangement().shiftUnit(left ? Side::Left : Side::Right);
        break;
    }
    case Op::ReverseUnit:
        expected = model.emptyOrUnselected();
        if (expected.empty()) {
            units[static_cast<std::size_t>(s)].reversed = !units[static_cast<std::size_t>(s)].reversed;
            newUnit = -1;
        }
        fx.messages.queue(MessageAnswer::OK);
        fx.editor.arrangement().reverseUnit();
        break;
    case Op::ReverseAll:
    case Op::Mirror:
        if (n == 0) {
            expected = msg::kNoConsist;
        } else {
            for (auto& unit : units) {
                unit.reversed = !unit.reversed;
            }
            if (op == Op::Mirror) {
                std::ranges::reverse(units);
                s = s == -1 ? -1 : n - 1 - s;
            }
            newUnit = -1;
        }
        fx.messages.queue(MessageAnswer::OK);
        if (op == Op::Mirror) {
            fx.editor.arrangement().mirrorConsist();
        } else {
            fx.editor.arrangement().reverseAll();
        }
        break;
    case Op::Click:
        if (n > 0) {
            s = target;
        }
        fx.editor.navigation().pressUnitBody(target, 1, 600.0f, 200.0f, 0);
        break;
    case Op::RightClick:
        if (n > 0) {
            units[static_cast<std::size_t>(target)].reversed =
                !units[static_cast<std::size_t>(target)].reversed;
            newUnit = -1;
        }
        fx.editor.navigation().pressUnitBody(target, 2, 600.0f, 200.0f, 0);
        break;
    case Op::MiddleClick:
        if (n > 0) {
            newUnit = -1;
        }
        fx.editor.navigation().pressUnitBody(target, 4, 600.0f, 200.0f, 0);
        break;
    case Op::Background:
        s = -1;
        fx.editor.navigation().backgroundClicked();
        break;
    case Op::Scroll: {
        const std::int32_t anchor = fx.editor.display().anchorIndex();
        const std::int32_t value = pick(ConsistDisplay::kScrollMaximum + 1);
        const bool towardsTail = value > fx.editor.display().scrollReference();
        if (towardsTail ? anchor + 1 <= n - 1 : anchor - 1 >= 0) {
            newUnit = -1;
        }
        fx.editor.scrollBarMoved(value);
        break;
    }
    case Op::ToHead:
    case Op::ToTail:
        newUnit = -1;
        if (op == Op::ToHead) {
            fx.editor.navigation().toHead();
        } else {
            fx.editor.navigation().toTail();
        }
        break;
    case Op::ToSelected:
        if (n == 0) {
            expected = msg::kNoConsist;
        } else if (s == -1) {
            expected = msg::kNothingSelected;
        } else {
            newUnit = -1;
        }
        fx.messages.queue(MessageAnswer::OK);
        fx.editor.navigation().toSelected();
        break;
    case Op::NewConsist: {
        const bool yes = pick(4) == 0;
        if (n > 0) {
            expected = msg::kAbandonQuestion;
            fx.messages.queue(yes ? MessageAnswer::Yes : MessageAnswer::No);
        }
        if (n == 0 || yes) {
            units.clear();
            s = -1;
            newUnit = -1;
        }
        fx.editor.newConsist();
        break;
    }
    case Op::Count:
        break;
    }
    return expected;
}

void RandomEditing::expectEditorMatchesModel(Op op, bool staleAvailability, int stepNumber) {
    const std::string where =
        "step " + std::to_string(stepNumber) + " (op " + std::to_string(static_cast<int>(op)) + ")";
    const ConsistLine& line = fx.editor.line();
    const ConsistDisplay& display = fx.editor.display();
    ASSERT_EQ(line.unitCount(), model.count()) << where;
    ASSERT_EQ(line.selectedIndex(), model.selected) << where;
    for (int i = 0; i < model.count(); ++i) {
        const LineModel::Unit& unit = model.units[static_cast<std::size_t>(i)];
        const std::string forward =
            makeConsistUnit(fx.host.catalogue[static_cast<std::size_t>(unit.catalogueIndex)]);
        ASSERT_EQ(line.unit(i), unit.reversed ? withToggledHeading(forward) : forward)
            << where << " unit " << i;
    }
    // The drawn line: one body, marker and caption per unit, a pitch apart, each showing its unit.
    const ConsistLabels& labels = display.labels();
    ASSERT_EQ(labels.highestIndex(LabelSet::Label1), static_cast<std::size_t>(model.count())) << where;
    ASSERT_EQ(labels.highestIndex(LabelSet::Label2), static_cast<std::size_t>(model.count())) << where;
    ASSERT_EQ(labels.highestIndex(LabelSet::Label28), static_cast<std::size_t>(model.count())) << where;
    for (int i = 0; i < model.count(); ++i) {
        const LineModel::Unit& unit = model.units[static_cast<std::size_t>(i)];
        const LabelElement& body = fx.element(LabelSet::Label1, i + 1);
        EXPECT_EQ(body.left, display.firstUnitLeft() + 1635.0f * static_cast<float>(i)) << where;
        EXPECT_EQ(body.caption, "U" + std::to_string(unit.catalogueIndex)) << where;
        EXPECT_EQ(fx.element(LabelSet::Label2, i + 1).left,
                  unit.reversed ? body.left + 1440.0f : body.left - 45.0f)
            << where;
        const std::string caption = expectedCaption(unit, i + 1);
        EXPECT_EQ(fx.element(LabelSet::Label28, i + 1).caption, i == newUnit ? markedAsNew(caption) : caption)
            << where << " caption " << i;
    }
    // The frame stands behind the selected unit, or is parked.
    const LabelElement& frame = fx.element(LabelSet::Label3, 0);
    if (model.selected == -1) {
        EXPECT_EQ(frame.left, kHiddenLeft) << where;
    } else {
        const LabelElement& body = fx.element(LabelSet::Label1, model.selected + 1);
        EXPECT_EQ(frame.left, body.left - 120.0f) << where;
        EXPECT_GT(body.stacking, frame.stacking) << where;
    }
    // Availability follows the state, but for deleting the only unit, which recomputes while the unit
    // is still counted and then turns TO HEAD and TO TAIL off itself; that lasts until the next
    // recomputation.
    if (staleAvailability) {
        EXPECT_TRUE(fx.host.isEnabled("mnuSaveConsistToVTUserConsists")) << where;
        EXPECT_FALSE(fx.host.isEnabled("butHead")) << where;
        return;
    }
    CommandInputs inputs;
    inputs.unitCount = model.count();
    inputs.selectedIndex = model.selected;
    inputs.locoEntryCount = 3;
    inputs.wagonEntryCount = 3;
    inputs.viewScrollEnabled = fx.host.isEnabled("HScroll2");
    for (const CommandState& state : computeCommandStates(inputs).inOrder()) {
        EXPECT_EQ(fx.host.isEnabled(state.control), state.enabled) << where << " " << state.control;
    }
    EXPECT_EQ(display.panelTexts().unitCountBox.empty() || display.panelTexts().unitCountBox == "0",
              model.count() == 0)
        << where;
}

TEST_F(RandomEditing, TwoThousandRandomCommandsKeepTheLineEqualToTheModel) {
    constexpr int kSteps = 2000;
    bool staleAvailability = false;
    int longestLine = 0;
    for (int i = 0; i < kSteps; ++i) {
        // Adding is weighted up so the line grows to a few dozen units.
        const int roll = pick(static_cast<int>(Op::Count) + 4);
        const Op op = roll >= static_cast<int>(Op::Count) ? (roll % 2 == 0 ? Op::AddLeft : Op::AddRight)
                                                          : static_cast<Op>(roll);
        bool deletedOnlyUnit = false;
        const int updatesBefore = fx.host.availabilityUpdates;
        const std::size_t shownBefore = fx.messages.shown().size();
        const std::string expected = step(op, deletedOnlyUnit);
        // Answers queued for messages that did not come are dropped by refilling the queue each step.
        const auto& shown = fx.messages.shown();
        if (expected.empty()) {
            ASSERT_EQ(shown.size(), shownBefore)
                << "step " << i << ": unexpected message " << shown.back().text;
        } else {
            ASSERT_EQ(shown.size(), shownBefore + 1) << "step " << i << ": expected " << expected;
            ASSERT_EQ(shown.back().text, expected) << "step " << i;
        }
        fx.messages = QueuedMessageBoxes();
        if (deletedOnlyUnit) {
            staleAvailability = true;
        } else if (fx.host.availabilityUpdates != updatesBefore) {
            staleAvailability = false;
        }
        expectEditorMatchesModel(op, staleAvailability, i);
        if (::testing::Test::HasFailure()) {
            return;
        }
        longestLine = std::max(longestLine, model.count());
    }
    // The walk reached lines long enough to leave the window on both sides.
    EXPECT_GE(longestLine, 12);
}

} // namespace
} // namespace dovrel::testing
