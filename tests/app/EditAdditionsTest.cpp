#include "app/InputFilters.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::kBufferCoupling;
using testing::kKnuckleCoupling;
using testing::unit;

// The window on five locos: A buffer/buffer, B buffer/knuckle, C knuckle/knuckle without a readable
// mass, D a tender with two loads, E buffer/buffer; driven with real mouse clicks and keys.
class EditAdditionsTest : public testing::WindowTest {
protected:
    void SetUp() override {
        std::vector<testing::RecordSpec> records = {
            unit("diesel", "Loco A"),
            unit("diesel", "Loco B", "Acme", "Pack", kBufferCoupling, kKnuckleCoupling),
            unit("diesel", "Loco C", "Acme", "Pack", kKnuckleCoupling, kKnuckleCoupling),
            unit("tender", "Loco D"), unit("diesel", "Loco E")};
        records[2].mass = "heavy";
        records[3].capacity = "10;20";
        records[3].freightType = "Coal;Water";
        world.settings.setValue("UnitMeasure", "metric");
        QLocale::setDefault(QLocale(QStringLiteral("en_US")));
        start(records);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    std::string text(const std::string& address) const { return form->namedControls().find(address)->text(); }
    bool enabled(const std::string& address) const { return form->namedControls().find(address)->enabled(); }

    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    // Chooses a loco by clicking its row, then clicks the button.
    void addLoco(const char* name, QPushButton* button) {
        const auto found = c().List1->findItems(QString::fromLatin1(name), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        clickRow(c().List1, c().List1->row(found.front()));
        click(button);
    }
    // "Loco A Loco B<": names in line order, "<" after a reversed unit.
    std::string line() const {
        std::string names;
        for (const std::string& unitText : form->editor().line().units()) {
            names += (names.empty() ? "" : " ") +
                     std::string(EquipmentRecord(unitText).field(RecordField::englishName)) +
                     (unitText.ends_with('0') ? "" : "<");
        }
        return names;
    }
    void key(int keyCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(form.get(), static_cast<Qt::Key>(keyCode), modifiers);
    }
};

TEST_F(EditAdditionsTest, CtrlZAndCtrlYOrCtrlShiftZWalkTheLineBackAndForth) {
    EXPECT_FALSE(enabled("mnuUndo"));
    EXPECT_EQ(text("mnuUndo"), "Undo");
    addLoco("Loco A", c().butAddLocoRight);
    addLoco("Loco B", c().butAddLocoRight);
    click(c().butShiftUnitRight);
    ASSERT_EQ(line(), "Loco B Loco A");
    EXPECT_EQ(text("mnuUndo"), "Undo Shift Unit Right");
    EXPECT_TRUE(enabled("mnuUndo"));
    EXPECT_FALSE(enabled("mnuRedo"));

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), "Loco A Loco B");
    EXPECT_EQ(selected(), 0);
    EXPECT_EQ(text("mnuUndo"), "Undo Add Loco Right");
    EXPECT_EQ(text("mnuRedo"), "Redo Shift Unit Right");
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(line(), "Loco B Loco A");
    EXPECT_EQ(selected(), 1);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(line(), "Loco B Loco A");

    for (int i = 0; i < 4; ++i) { // one more than there are steps
        key(Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(line(), "");
    EXPECT_EQ(c().Label10->text(), QString()) << "the count box is empty again, as at the start";
    EXPECT_FALSE(enabled("mnuUndo"));
    EXPECT_EQ(text("mnuRedo"), "Redo Add Loco Right");
}

// Keys that meant something before keep their meaning: the name box undoes its own typing, and the
// held key is the last key that went down even when a shortcut took it.
TEST_F(EditAdditionsTest, TheNameBoxKeepsItsOwnUndoAndTheHeldKeyIsKept) {
    addLoco("Loco A", c().butAddLocoRight);
    c().Text1->setFocus();
    QTest::keyClicks(c().Text1, QStringLiteral("Coal"));
    QTest::keyClick(c().Text1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(c().Text1->text(), QString());
    EXPECT_EQ(line(), "Loco A");

    c().List1->setFocus();
    QTest::keyPress(c().List1, Qt::Key_Control);
    EXPECT_EQ(form->heldKeyCode(), 17);
    QTest::keyPress(c().List1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), "") << "the shortcut took the key";
    EXPECT_EQ(form->heldKeyCode(), 90);
    QTest::keyRelease(c().List1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->heldKeyCode(), 0);
    QTest::keyRelease(c().List1, Qt::Key_Control);
}

// The totals caption lies on the window's surface: a click on it still clears the selection.
TEST_F(EditAdditionsTest, TheTotalsFollowTheLineAndTheWeightUnitAndAClickOnThemIsABackgroundClick) {
    addLoco("Loco A", c().butAddLocoRight);
    addLoco("Loco D", c().butAddLocoRight);
    EXPECT_EQ(text("lblConsistTotals"), "Mass 162,568 kgs, loaded 193,049 kgs");
    c().mnuImperialTons2240->trigger();
    addLoco("Loco C", c().butAddLocoRight);
    EXPECT_EQ(text("lblConsistTotals"),
              "Mass 160.00 tons\xC2\xB9, loaded 190.00 tons\xC2\xB9, 2 coupler mismatches");
    EXPECT_EQ(c().lblConsistTotals->toolTip(), QStringLiteral("1 unit without a mass: Loco C"));
    ASSERT_NE(selected(), -1);
    click(c().lblConsistTotals);
    EXPECT_EQ(selected(), -1);
}

TEST_F(EditAdditionsTest, F3CentresAndSelectsTheUnitAfterTheMismatch) {
    EXPECT_FALSE(enabled("mnuNextCouplerMismatch"));
    for (const char* name : {"Loco A", "Loco E", "Loco B", "Loco A", "Loco E"}) {
        addLoco(name, c().butAddLocoRight);
        click(c().butTail);
        QTest::mouseClick(c().strip, Qt::LeftButton, {}, QPoint(6180 / 15 + 20, (1080 - 990) / 15 + 5));
    }
    // Loco B's knuckle meets Loco A's buffer between units 2 and 3.
    ASSERT_EQ(line(), "Loco A Loco E Loco B Loco A Loco E");
    EXPECT_EQ(c().strip->gapMarks(), (std::vector<std::int32_t>{2}));
    EXPECT_TRUE(enabled("mnuNextCouplerMismatch"));
    click(c().butHead);
    key(Qt::Key_F3);
    EXPECT_EQ(selected(), 3);
    EXPECT_EQ(form->namedControls().find("Label1[4]")->geometry()->left, 6180.0f);
    EXPECT_EQ(text("mnuUndo"), "Undo Add Loco Right") << "going to a mismatch is no step";

    QTest::mouseClick(c().strip, Qt::LeftButton, {},
                      QPoint(6180 / 15 - 1635 / 15 + 20, (1080 - 990) / 15 + 5));
    click(c().butDeleteUnitRight);
    ASSERT_EQ(line(), "Loco A Loco E Loco A Loco E");
    EXPECT_EQ(selected(), 2) << "the unit right of the deleted one";
    EXPECT_TRUE(c().strip->gapMarks().empty());
    EXPECT_FALSE(enabled("mnuNextCouplerMismatch"));
    EXPECT_EQ(text("lblConsistTotals").find("mismatch"), std::string::npos);
}

} // namespace
} // namespace dovrel
