// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InputFilters.h"
#include "app/SecondaryWindows.h"
#include "consist/ConsistUnit.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
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
        std::vector<testing::RecordParts> records = {
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
        const int row = locoRow(QString::fromLatin1(name));
        ASSERT_GE(row, 0) << name;
        clickRow(c().List1, row);
        click(button);
    }
    // The row of List1 that shows a name, -1 when none does.
    int locoRow(const QString& name) const {
        for (int row = 0; row < c().List1->count(); ++row) {
            if (c().List1->text(row) == name) {
                return row;
            }
        }
        return -1;
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
    ASSERT_NE(selected(), -1);
    click(c().lblConsistTotals);
    EXPECT_EQ(selected(), -1);
}

TEST_F(EditAdditionsTest, F3CentresAndSelectsTheUnitAfterTheMismatchWhoseMarkShowsOverTheFrame) {
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
    ASSERT_EQ(form->namedControls().find("Label1[4]")->geometry()->left, 6180.0f);
    EXPECT_EQ(text("mnuUndo"), "Undo Add Loco Right") << "going to a mismatch is no step";
    // The selection frame reaches into the gap beside the selected unit, and the mark there shows
    // through it: under the frame (from 6060), left of the unit's front marker (from 6135); mid-height.
    const QImage strip = c().strip->grab().toImage();
    EXPECT_EQ(strip.pixelColor(6090 / 15, (1260 - 990) / 15), QColor(255, 0, 0));
}

// The coupling boxes as a list click left them are what a step keeps: the step that does not rewrite
// them leaves them, and Undo brings them back.
TEST_F(EditAdditionsTest, UndoBringsBackTheCouplingBoxesAsShown) {
    addLoco("Loco B", c().butAddLocoRight);
    ASSERT_EQ(c().Label25->text() + QLatin1Char('/') + c().Label6->text(), QStringLiteral("Buffer/Knuckle"));
    clickRow(c().List1, locoRow(QStringLiteral("Loco C")));
    click(c().butReverseUnit);
    EXPECT_EQ(c().Label25->text() + QLatin1Char('/') + c().Label6->text(), QStringLiteral("Knuckle/Knuckle"));
    click(c().butReverseUnit);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), "Loco B");
    EXPECT_EQ(c().Label25->text() + QLatin1Char('/') + c().Label6->text(), QStringLiteral("Knuckle/Knuckle"));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line(), "");
    EXPECT_EQ(c().Label25->text() + QLatin1Char('/') + c().Label6->text(), QStringLiteral("Buffer/Knuckle"))
        << "as the click on Loco B left them before it was added";
}

// The shown texts of a list's items (their bytes are compared end to end in tests/e2e).
std::vector<QString> textsOf(const ListRowsView* list) {
    std::vector<QString> texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.push_back(list->text(i));
    }
    return texts;
}

class FindBarTest : public testing::WindowTest {
protected:
    // The second "Class 66", from another provider, in its own folder, has knuckle couplers.
    void SetUp() override {
        testing::RecordParts zedClass66 = unit("diesel", "Class 66", "Zed", "Heritage",
                                               testing::kKnuckleCoupling, testing::kKnuckleCoupling);
        zedClass66.blueprintPath = "RailVehicles\\Zed\\Class66\\unit.xml";
        start({
            unit("diesel", "Class 66", "Acme", "Freight"),
            unit("steam", "J\xC3\xBCrgen's Tank", "Acme", "Freight"),
            zedClass66,
            unit("electric", "Class 90", "Zed", "Heritage"),
            unit("freight", "Coal Hopper", "Acme", "Freight"),
            unit("passenger", "Mk1 Coach", "Zed", "Heritage"),
            unit("freight", "CLASS 66 Shunter Wagon", "Zed", "Heritage"),
        });
    }
};

TEST_F(FindBarTest, TypingNarrowsBothListsAndEscGivesThemBack) {
    const auto locos = textsOf(c().List1);
    const auto wagons = textsOf(c().List2);
    ASSERT_FALSE(c().findBar->isVisible());

    QTest::keyClick(c().List1, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(c().findBar->isVisible());
    ASSERT_TRUE(c().txtFindUnit->hasFocus());
    // Each key narrows again (the names are the find tests' matter).
    QTest::keyClicks(c().txtFindUnit, QStringLiteral("class 9"));
    EXPECT_EQ(textsOf(c().List1), std::vector<QString>{QStringLiteral("Class 90")});
    QTest::keyClick(c().txtFindUnit, Qt::Key_Backspace);
    EXPECT_EQ(textsOf(c().List1),
              (std::vector<QString>{QStringLiteral("Class 66 (Acme)"), QStringLiteral("Class 66 (Zed)"),
                                    QStringLiteral("Class 90")}));
    EXPECT_EQ(textsOf(c().List2), std::vector<QString>{QStringLiteral("CLASS 66 Shunter Wagon")});

    // Esc from the list, after a click there, still closes the bar.
    clickRow(c().List1, 0);
    QTest::keyClick(c().List1, Qt::Key_Escape);
    EXPECT_FALSE(c().findBar->isVisible());
    EXPECT_EQ(c().txtFindUnit->text(), QString());
    EXPECT_EQ(textsOf(c().List1), locos);
    EXPECT_EQ(textsOf(c().List2), wagons);
}

TEST_F(FindBarTest, AddingADuplicateAddsTheRecordPicked) {
    const std::span<const std::string> records = form->catalogue().records();
    QTest::keyClick(c().Combo3, Qt::Key_F, Qt::ControlModifier); // the combo key lock lets it through
    ASSERT_TRUE(c().findBar->isVisible());
    QTest::keyClicks(c().txtFindUnit, QStringLiteral("class 66"));
    ASSERT_EQ(textsOf(c().List1),
              (std::vector<QString>{QStringLiteral("Class 66 (Acme)"), QStringLiteral("Class 66 (Zed)")}));

    ASSERT_NE(makeConsistUnit(records[2]), makeConsistUnit(records[0]));
    clickRow(c().List1, 1);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Knuckle"));
    clickRow(c().List1, 0);
    QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    clickRow(c().List1, 1);
    QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    ASSERT_EQ(form->editor().line().unitCount(), 2);
    EXPECT_EQ(form->editor().line().unit(1), makeConsistUnit(records[2]));
    // Its coupling boxes, as its caption letters, describe the record picked.
    QTest::mouseClick(c().strip, Qt::LeftButton, {}, QPoint((6180 + 1635) / 15 + 20, (1080 - 990) / 15 + 5));
    ASSERT_EQ(selected(), 1);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Knuckle"));

    clickRow(c().List1, 0);
    QTest::mouseClick(c().butReplaceLoco, Qt::LeftButton);
    EXPECT_EQ(form->editor().line().unit(1), makeConsistUnit(records[0]));
}

// A key that finds the items the list shows leaves its choice alone; one that finds others shows them
// with none chosen, and the script's dump lists the bytes of the rows shown.
TEST_F(FindBarTest, AKeyKeepsTheChoiceOnlyWhileItFindsTheSameItems) {
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(c().txtFindUnit, QStringLiteral("class 6"));
    ASSERT_EQ(c().List1->count(), 2);
    clickRow(c().List1, 1);
    ASSERT_TRUE(c().butAddLocoRight->isEnabled());

    QTest::keyClick(c().txtFindUnit, Qt::Key_6);
    EXPECT_EQ(c().List1->chosenRow(), 1) << "\"class 66\" finds the same two";
    EXPECT_TRUE(c().butAddLocoRight->isEnabled());

    QTest::keyClick(c().txtFindUnit, Qt::Key_Backspace);
    QTest::keyClick(c().txtFindUnit, Qt::Key_Backspace);
    EXPECT_EQ(c().List1->chosenRow(), -1) << "\"class \" finds Class 90 too";
    EXPECT_EQ(c().List1->currentRow(), -1);
    EXPECT_FALSE(c().butAddLocoRight->isEnabled());
    EXPECT_EQ(form->namedControls().find("List1")->items(),
              (std::vector<std::string>{"Class 66 (Acme)", "Class 66 (Zed)", "Class 90"}));
}

TEST_F(FindBarTest, DetailsShowEachFoundItemsOwnRecord) {
    QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(c().txtFindUnit, QStringLiteral("66"));
    QTest::mouseClick(c().butDisplayLoco, Qt::LeftButton);
    const QTreeWidget* view = form->unitDetails().listView();
    ASSERT_EQ(view->topLevelItemCount(), 2);
    EXPECT_EQ(view->topLevelItem(0)->text(6), QStringLiteral("Buffer")) << "the front coupler";
    EXPECT_EQ(view->topLevelItem(1)->text(6), QStringLiteral("Knuckle"));
}

} // namespace
} // namespace dovrel
