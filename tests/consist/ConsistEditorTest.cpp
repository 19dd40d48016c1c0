#include "ConsistTestHost.h"

#include "consist/ConsistMessages.h"

#include <gtest/gtest.h>

namespace dovrel::testing {
namespace {

TEST(NewConsist, OnAnEmptyLineClearsWithoutAsking) {
    EditorFixture fx;
    fx.editor.display().panelTexts().consistName = "draft";
    fx.editor.newConsist();
    EXPECT_TRUE(fx.messages.shown().empty());
    EXPECT_EQ(fx.editor.display().panelTexts().consistName, "");
    EXPECT_TRUE(fx.host.isEnabled("butNewConsist"));
    EXPECT_FALSE(fx.host.isEnabled("butHead"));
}

TEST(NewConsist, AsksFirstAndOnlyYesAbandonsTheLine) {
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        EditorFixture fx;
        fx.buildLine(1, 0);
        const float frameLeft = fx.element(LabelSet::Label3, 0).left;
        fx.messages.queue(answer);
        fx.editor.newConsist();
        ASSERT_EQ(fx.messages.shown().size(), 1u);
        const auto& question = fx.messages.shown().front();
        EXPECT_EQ(question.text, "You are currently editing as consist.\r\n\r\nOkay to abandon?");
        EXPECT_EQ(question.icon, MessageIcon::None);
        EXPECT_EQ(question.buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(fx.namesText(), "U0");
        EXPECT_EQ(fx.editor.line().selectedIndex(), 0);
        EXPECT_EQ(fx.element(LabelSet::Label3, 0).left, frameLeft);
        EXPECT_EQ(fx.bodyLeft(0), 6180.0f);
    }

    EditorFixture fx;
    fx.buildLine(1, 0);
    fx.editor.display().panelTexts().consistName = "draft";
    fx.messages.queue(MessageAnswer::Yes);
    fx.editor.newConsist();
    EXPECT_EQ(fx.editor.line().unitCount(), 0);
    EXPECT_EQ(fx.editor.line().selectedIndex(), -1);
    const ConsistPanelTexts& panel = fx.editor.display().panelTexts();
    EXPECT_EQ(panel.consistName, "");
    EXPECT_EQ(panel.frontCouplingBox, "");
    EXPECT_EQ(panel.rearCouplingBox, "");
    EXPECT_EQ(panel.unitCountBox, "");
    for (const LabelSet set : kAllLabelSets) {
        EXPECT_EQ(fx.editor.display().labels().highestIndex(set), 0u) << labelSetName(set);
        EXPECT_EQ(fx.element(set, 0).left, kHiddenLeft) << labelSetName(set);
    }
    EXPECT_FALSE(fx.host.isEnabled("mnuSaveConsistToVTUserConsists"));
    EXPECT_FALSE(fx.host.isEnabled("HScroll2"));
}

TEST(NewConsist, AddingAfterwardsStartsAtIndexZeroCentred) {
    EditorFixture fx;
    fx.buildLine(4, 3);
    fx.messages.queue(MessageAnswer::Yes);
    fx.editor.newConsist();
    fx.addRight("U6");
    EXPECT_EQ(fx.namesText(), "U6");
    EXPECT_EQ(fx.bodyLeft(0), 6180.0f);
    EXPECT_EQ(fx.element(LabelSet::Label28, 1).caption, "A [NEW] B");
    const ConsistStateValues state = fx.editor.stateValues();
    EXPECT_EQ(state.consistUnits, std::vector<std::string>{fx.host.catalogue[6] + "|0"});
    EXPECT_EQ(std::make_pair(state.unitCount, state.selectedIndex), std::make_pair(1, 0));
}

TEST(ClearConsistLine, ResetsTheViewAfterTheStepHandlerSawTheOldReference) {
    EditorFixture fx;
    fx.buildLine(3, 0);
    fx.editor.navigation().toHead();
    fx.editor.scrollBarMoved(16390); // one step towards the tail: anchor 1
    ASSERT_EQ(fx.editor.display().anchorIndex(), 1);
    fx.editor.display().setAnchorLeft(77.0f);
    fx.editor.clearConsistLine();
    EXPECT_EQ(fx.editor.display().scrollBarValue(), 16384);
    EXPECT_EQ(fx.editor.display().scrollReference(), 16384);
    EXPECT_EQ(fx.editor.display().anchorLeft(), 6180.0f);
    // The value's change ran the step handler towards the head on the empty line: its redraw wrote
    // "0" into the count box that clearing had emptied.
    EXPECT_EQ(fx.editor.display().anchorIndex(), 0);
    EXPECT_EQ(fx.editor.display().panelTexts().unitCountBox, "0");
    const ConsistStateValues state = fx.editor.stateValues();
    EXPECT_EQ(std::make_tuple(state.unitCount, state.selectedIndex, state.anchorIndex, state.anchorLeft,
                              state.firstUnitLeft, state.scrollReference, state.consistUnits.size()),
              std::make_tuple(0, -1, 0, 6180.0f, 6180.0f, 16384, std::size_t{0}));

    // Without a step away from the middle, the count box stays empty.
    EditorFixture still;
    still.buildLine(3, 0);
    still.editor.clearConsistLine();
    EXPECT_EQ(still.editor.display().panelTexts().unitCountBox, "");
}

TEST(ConfirmAbandonConsist, OnlyYesProceeds) {
    const std::pair<MessageAnswer, bool> cases[] = {
        {MessageAnswer::Yes, true}, {MessageAnswer::No, false}, {MessageAnswer::Cancel, false}};
    for (const auto& [answer, proceeds] : cases) {
        EditorFixture fx;
        EXPECT_TRUE(fx.editor.confirmAbandonConsist());
        fx.buildLine(2, 0);
        fx.messages.queue(answer);
        EXPECT_EQ(fx.editor.confirmAbandonConsist(), proceeds);
        EXPECT_EQ(fx.editor.line().unitCount(), 2);
    }
}

// Every command changes units through the line's one place for edits: undoing the recorded edits
// in reverse order walks back through every state the commands produced.
class EditLog final : public ConsistLineObserver {
public:
    std::vector<ConsistEdit> edits;
    void lineEdited(const ConsistLine&, const ConsistEdit& edit) override { edits.push_back(edit); }
};

struct Snapshot {
    std::vector<std::string> units;
    std::int32_t selected;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshotOf(const ConsistLine& line) {
    return {{line.units().begin(), line.units().end()}, line.selectedIndex()};
}

TEST(ConsistEditor, EveryCommandsEditIsUndoneByItsInverse) {
    EditorFixture fx;
    EditLog log;
    fx.editor.line().addObserver(log);
    std::vector<Snapshot> states = {snapshotOf(fx.editor.line())};
    std::vector<std::string> kinds;
    const auto record = [&] {
        ASSERT_EQ(log.edits.size(), states.size()) << "one edit per command";
        kinds.emplace_back(editKindName(log.edits.back()));
        states.push_back(snapshotOf(fx.editor.line()));
    };
    fx.addRight("U0");
    record();
    fx.editor.units().addUnit(Side::Left, UnitList::Locos, ListChoice{2, "U1"});
    record();
    fx.editor.units().addUnit(Side::Right, UnitList::Locos, ListChoice{2, "U2"});
    record();
    fx.editor.units().tradeUnit(UnitList::Wagons, ListChoice{2, "U3"});
    record();
    fx.editor.arrangement().shiftUnit(Side::Left);
    record();
    fx.editor.arrangement().reverseUnit();
    record();
    fx.editor.arrangement().reverseAll();
    record();
    fx.editor.arrangement().mirrorConsist();
    record();
    fx.editor.navigation().pressUnitBody(0, 2, 1.0f, 1.0f, 0);
    record();
    fx.editor.units().deleteUnit(Side::Right);
    record();
    fx.messages.queue(MessageAnswer::Yes);
    fx.editor.newConsist();
    record();
    EXPECT_EQ(kinds,
              (std::vector<std::string>{"insert unit", "insert unit", "insert unit", "replace unit",
                                        "swap units", "toggle heading", "toggle all headings", "mirror line",
                                        "toggle heading", "remove unit", "replace line"}));
    fx.editor.line().removeObserver(log);
    for (std::size_t k = log.edits.size(); k-- > 0;) {
        ASSERT_EQ(fx.editor.line().apply(invert(log.edits[k])), EditStatus::Applied) << kinds[k];
        EXPECT_EQ(snapshotOf(fx.editor.line()), states[k]) << "undoing " << kinds[k];
    }
}

} // namespace
} // namespace dovrel::testing
