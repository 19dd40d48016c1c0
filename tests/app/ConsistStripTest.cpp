#include "app/Form1.h"
#include "app/InputFilters.h"
#include "consist/ConsistEditor.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

const std::string kKnuckle = "RailVehicles\\Couplings\\Knuckle.xml";

// The window on a catalogue of five locos, each with a Buffer front and a Knuckle rear.
class ConsistStripTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<testing::RecordSpec> records;
        for (const char* name : {"Loco A", "Loco B", "Loco C", "Loco D", "Loco E"}) {
            records.push_back(unit("diesel", name, "Acme", "Pack", testing::kBufferCoupling, kKnuckle));
        }
        world.settings.setValue("GameFolder", world.makeGameFolder().string());
        world.temp.write("program/equipmentlist.txt", testing::cacheText(records));
        form = std::make_unique<Form1>(world.services());
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        form->startAfterShow();
        form->show();
    }

    const Form1Controls& c() const { return form->controls(); }
    NamedControl& control(const std::string& address) const {
        NamedControl* found = form->namedControls().find(address);
        EXPECT_NE(found, nullptr) << address;
        return *found;
    }
    float left(const std::string& address) const { return control(address).geometry()->left; }
    std::string text(const std::string& address) const { return control(address).text(); }

    void chooseLoco(int row) {
        c().List1->setCurrentRow(row);
        emit c().List1->itemClicked(c().List1->item(row));
    }
    void addRight(int row) {
        chooseLoco(row);
        c().butAddLocoRight->click();
    }
    // Presses a unit's body: unit i is element i + 1.
    void pressUnit(int unitIndex, PressButton button) {
        control("Label1[" + std::to_string(unitIndex + 1) + "]").press(button, 630, 240);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (int i = 0; i < form->editor().line().unitCount(); ++i) {
            all.push_back(text("Label1[" + std::to_string(i + 1) + "]"));
        }
        return all;
    }
    // A line of n units named in order, unit 0 selected.
    void buildLine(int n) {
        addRight(0);
        for (int i = n - 1; i >= 1; --i) {
            addRight(i);
        }
    }

    testing::AppWorld world;
    std::unique_ptr<Form1> form;
};

TEST_F(ConsistStripTest, UnitsStandOnePitchApartWithMarkersAtTheirFront) {
    addRight(0);
    EXPECT_EQ(left("Label1[1]"), 6180.0f);
    EXPECT_EQ(text("Label28[1]"), "A [NEW] B");
    addRight(2);
    addRight(1);
    EXPECT_EQ(names(), (std::vector<std::string>{"Loco A", "Loco B", "Loco C"}));
    EXPECT_EQ(left("Label1[1]"), 6180.0f);
    EXPECT_EQ(left("Label1[2]"), 7815.0f);
    EXPECT_EQ(left("Label1[3]"), 9450.0f);
    EXPECT_EQ(left("Label2[2]"), 7815.0f - 45);
    EXPECT_EQ(text("Label28[1]"), "A  [1]  B");
    EXPECT_EQ(text("Label28[2]"), "A [NEW] B");
    EXPECT_EQ(c().Label10->text(), QStringLiteral("3"));
    EXPECT_EQ(form->editor().line().selectedIndex(), 0);

    // A right press turns the unit round: its marker moves to the other end, its letters swap.
    pressUnit(1, PressButton::Right);
    EXPECT_EQ(left("Label2[2]"), 7815.0f + 1440);
    EXPECT_EQ(text("Label28[2]"), "B  [2]  A");
    EXPECT_TRUE(form->editor().line().unit(1).ends_with("|1"));
    EXPECT_EQ(form->editor().line().selectedIndex(), 0) << "a right press does not select";
}

TEST_F(ConsistStripTest, AddLeftOnUnit2Of5KeepsTheSelectionOnTheOldUnit) {
    buildLine(5);
    pressUnit(2, PressButton::Left);
    ASSERT_EQ(form->editor().line().selectedIndex(), 2);
    chooseLoco(4);
    c().butAddLocoLeft->click();
    EXPECT_EQ(names(),
              (std::vector<std::string>{"Loco A", "Loco B", "Loco E", "Loco C", "Loco D", "Loco E"}));
    EXPECT_EQ(form->editor().line().selectedIndex(), 3);
    EXPECT_EQ(c().Label10->text(), QStringLiteral("6"));
}

struct DeleteCase {
    bool rightButton;
    int expectedSelection;
    std::vector<std::string> expectedNames;
};

class DeleteTest : public ConsistStripTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, DeletingUnit3Of6SelectsANeighbour) {
    buildLine(5);
    addRight(0); // six units: A, A, B, C, D, E
    pressUnit(3, PressButton::Left);
    (GetParam().rightButton ? c().butDeleteUnitRight : c().butDeleteUnitLeft)->click();
    EXPECT_EQ(names(), GetParam().expectedNames);
    EXPECT_EQ(form->editor().line().selectedIndex(), GetParam().expectedSelection);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, DeleteTest,
    ::testing::Values(DeleteCase{false, 2, {"Loco A", "Loco A", "Loco B", "Loco D", "Loco E"}},
                      DeleteCase{true, 3, {"Loco A", "Loco A", "Loco B", "Loco D", "Loco E"}}));

TEST_F(ConsistStripTest, DeletingTheOnlyUnitEmptiesTheLine) {
    addRight(0);
    EXPECT_TRUE(c().butHead->isEnabled());
    c().butDeleteUnitRight->click();
    EXPECT_EQ(form->editor().line().unitCount(), 0);
    EXPECT_EQ(form->editor().line().selectedIndex(), -1);
    EXPECT_FALSE(c().butHead->isEnabled());
    EXPECT_FALSE(c().butTail->isEnabled());
    EXPECT_EQ(c().Label10->text(), QString());
    EXPECT_EQ(left("Label3[0]"), -10000.0f);
}

TEST_F(ConsistStripTest, TheScrollBarStepsTheViewOneUnitPerChange) {
    buildLine(4);
    const float first = form->editor().display().firstUnitLeft();
    c().HScroll2->setValue(c().HScroll2->value() + 1);
    EXPECT_EQ(form->editor().display().firstUnitLeft(), first - 1635);
    c().HScroll2->setValue(c().HScroll2->value() - 1);
    EXPECT_EQ(form->editor().display().firstUnitLeft(), first);
}

TEST_F(ConsistStripTest, CtrlClickCentresWithoutSelectingAndShiftClickDoesNothing) {
    buildLine(4);
    form->keyState().keyDown(16);
    pressUnit(3, PressButton::Left);
    EXPECT_EQ(form->editor().line().selectedIndex(), 0) << "another key held: nothing happens";
    EXPECT_TRUE(world.pointer.moves().empty());

    form->keyState().keyDown(17);
    pressUnit(3, PressButton::Left);
    EXPECT_EQ(form->editor().line().selectedIndex(), 0) << "centring keeps the selection";
    EXPECT_EQ(left("Label1[4]"), 6180.0f);
    ASSERT_EQ(world.pointer.moves().size(), 1u);
    form->keyState().keyUp();
}

TEST_F(ConsistStripTest, TheBackgroundDeselectsButKeepsTheCouplingBoxes) {
    addRight(0);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Buffer"));
    form->backgroundClick();
    EXPECT_EQ(form->editor().line().selectedIndex(), -1);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Buffer"));
    EXPECT_FALSE(c().butReverseUnit->isEnabled());
    // A press beside every label on the strip is a click on the window's surface too.
    pressUnit(0, PressButton::Left);
    addRight(1);
    form->stripPressed(1, 200, 1100);
    EXPECT_EQ(form->editor().line().selectedIndex(), -1);
}

} // namespace
} // namespace dovrel
