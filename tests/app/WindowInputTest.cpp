// SPDX-License-Identifier: GPL-3.0-or-later
// The main window driven as a person drives it: real mouse and key events on the real window.
#include "app/SecondaryWindows.h"
#include "consist/PointerPosition.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::kBufferCoupling;
using testing::kKnuckleCoupling;
using testing::unit;

class WindowInputTest : public testing::WindowTest {
protected:
    void startWithStock() {
        start({unit("diesel", "Loco A", "Acme", "Pack", kBufferCoupling, kKnuckleCoupling),
               unit("diesel", "Loco B", "Acme", "Pack", kKnuckleCoupling, kKnuckleCoupling),
               unit("diesel", "Loco C", "Acme", "Pack", kKnuckleCoupling, kBufferCoupling),
               unit("freight", "Hopper", "Acme", "Pack", kKnuckleCoupling, kKnuckleCoupling)});
    }
    // Adds loco `row` of List1 at the right end of the line, as a user does.
    void addLocoRight(int row) {
        clickRow(c().List1, row);
        QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    }
    // The pixel of the strip at window client twips (x, y).
    QPoint stripPixel(float x, float y) const {
        const TwipsRect band = twipsGeometry(c().strip);
        return {twipsToPixels(x - band.left, kActualSize), twipsToPixels(y - band.top, kActualSize)};
    }
    TwipsRect element(const std::string& address) const {
        const NamedControl* found = form->namedControls().find(address);
        EXPECT_NE(found, nullptr) << address;
        return found == nullptr ? TwipsRect{} : *found->geometry();
    }
};

TEST_F(WindowInputTest, PressesOnTheStripReachTheUnitUnderThePointerInTwips) {
    startWithStock();
    addLocoRight(0);
    addLocoRight(2);
    addLocoRight(1); // A B C, A selected
    ASSERT_EQ(selected(), 0);
    ConsistStrip* strip = c().strip;

    // Left: selects the unit under the pointer.
    const TwipsRect unitB = element("Label1[2]");
    QTest::mouseClick(strip, Qt::LeftButton, {}, stripPixel(unitB.left + 600, unitB.top + 150));
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Knuckle"));

    // Right: turns unit A round and leaves the selection where it was.
    const TwipsRect unitA = element("Label1[1]");
    QTest::mouseClick(strip, Qt::RightButton, {}, stripPixel(unitA.left + 600, unitA.top + 150));
    EXPECT_TRUE(form->editor().line().unit(0).ends_with("|1"));
    EXPECT_EQ(selected(), 1);

    // Middle: centres unit C; the pointer lands on the pixel pressed, measured in whole pixels.
    const TwipsRect unitC = element("Label1[3]");
    const QPoint pixel = stripPixel(unitC.left + 450, unitC.top + 105);
    QTest::mouseClick(strip, Qt::MiddleButton, {}, pixel);
    EXPECT_EQ(element("Label1[3]").left, 6180.0f);
    EXPECT_EQ(selected(), 1);
    const float pressedX = twipsGeometry(strip).left + pixelsToTwips(pixel.x(), kActualSize);
    const float pressedY = twipsGeometry(strip).top + pixelsToTwips(pixel.y(), kActualSize);
    const PixelPoint expected =
        pointerPositionFor(6180, unitC.top, pressedX - unitC.left, pressedY - unitC.top,
                           pixelsToTwips(form->frameGeometry().x(), kActualSize),
                           pixelsToTwips(form->frameGeometry().y(), kActualSize));
    ASSERT_EQ(world.pointer.moves().size(), 1u);
    EXPECT_EQ(world.pointer.moves()[0].x, expected.x);
    EXPECT_EQ(world.pointer.moves()[0].y, expected.y);

    // Ctrl held: a left press centres without selecting.
    const TwipsRect unitAfter = element("Label1[1]");
    QTest::keyPress(form.get(), Qt::Key_Control);
    QTest::mouseClick(strip, Qt::LeftButton, Qt::ControlModifier, stripPixel(unitAfter.left + 600, 1230));
    QTest::keyRelease(form.get(), Qt::Key_Control);
    EXPECT_EQ(element("Label1[1]").left, 6180.0f);
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(world.pointer.moves().size(), 2u);

    // Between the labels the strip is the window's surface: a left press there clears the selection.
    QTest::mouseClick(strip, Qt::LeftButton, {}, stripPixel(200, 1000));
    EXPECT_EQ(selected(), -1);
}

TEST_F(WindowInputTest, DraggingOrKeyingTheSelectionOfAListFollowsTheNewUnit) {
    startWithStock();
    ListRowsView* list = c().List1;
    const auto itemPoint = [list](int row) { return list->rowRect(row).center(); };
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, itemPoint(0));
    QTest::mouseMove(list->viewport(), itemPoint(1));
    QTest::mouseMove(list->viewport(), itemPoint(2));
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, itemPoint(2));
    ASSERT_EQ(list->currentRow(), 2);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Knuckle")) << "Loco C's couplers";
    EXPECT_EQ(c().Label6->text(), QStringLiteral("Buffer"));
    EXPECT_TRUE(c().butAddLocoLeft->isEnabled());

    QTest::keyClick(list, Qt::Key_Up);
    ASSERT_EQ(list->currentRow(), 1);
    EXPECT_EQ(c().Label6->text(), QStringLiteral("Knuckle")) << "Loco B's couplers";

    // A click on the chosen item again runs its handler again: it shows the unit over the line's.
    addLocoRight(0);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Buffer"));
    clickRow(list, 0);
    clickRow(c().List2, 0);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Knuckle")) << "the Hopper's couplers";
    clickRow(list, 0);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Buffer"));
}

TEST_F(WindowInputTest, KeysChangeNoComboBoxEvenWithItsListOpen) {
    startWithStock();
    QComboBox* combo = c().Combo3;
    const int listed = c().List1->count();

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 0) << "a closed combo box";

    combo->showPopup();
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) {
        QTest::keyClick(view, key);
    }
    combo->hidePopup();
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(c().List1->count(), listed);
}

// Distinct coupler names keep their case and get a box each, checked; a unit passes by either end.
TEST_F(WindowInputTest, CouplerBoxesFilterBothListsByEitherEnd) {
    const std::string pin = "RailVehicles\\Couplings\\Knuckle&Pin.xml";
    start({unit("diesel", "Buffered"), unit("diesel", "Mixed", "Acme", "Pack", "a\\BUFFER.xml", pin),
           unit("freight", "Knuckled", "Acme", "Pack", pin, pin)});
    const std::vector<QCheckBox*>& boxes = form->couplerBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[2]->text(), QStringLiteral("B BUFFER"));
    EXPECT_EQ(boxes[3]->text(), QStringLiteral("C Knuckle&&Pin")) << "shown with a literal ampersand";
    EXPECT_TRUE(boxes[3]->isChecked());
    boxes[3]->click(); // Knuckle off: "Mixed" keeps its front coupler
    EXPECT_EQ(c().List1->count(), 2);
    EXPECT_EQ(c().List2->count(), 0);
    c().butCheckNone->click();
    EXPECT_EQ(c().List1->count(), 0);
    c().butCheckAll->click();
    EXPECT_EQ(c().List2->count(), 1);
}

TEST_F(WindowInputTest, ADoubleClickOpensTheUnitsFolderOrSaysItIsGone) {
    start({unit("diesel", "Present"), unit("diesel", "Gone")});
    const std::filesystem::path folder = world.temp.gameFolder() / "Assets/Acme/Pack/RailVehicles/Present";
    std::filesystem::create_directories(folder);
    c().butDisplayLoco->click();
    QTreeWidget* view = form->unitDetails().listView();
    emit view->itemDoubleClicked(view->topLevelItem(0), 0);
    EXPECT_EQ(world.folders.opened(), std::vector<std::filesystem::path>{folder});

    world.messages.queue(MessageAnswer::OK);
    emit view->itemDoubleClicked(view->topLevelItem(1), 0);
    EXPECT_EQ(world.messages.texts(), std::vector<std::string>{"Gone\r\n\r\nFolder does not exist."});
    EXPECT_EQ(world.messages.shown()[0].icon, MessageIcon::Exclamation);
}

// A name typed with "&" is saved as typed; the consist list and the chosen-consist label show it as
// typed, not as the file writes it, and View and Save find the same consist again to replace it.
TEST_F(WindowInputTest, ANameWithAnAmpersandIsShownAsTypedAndViewAndSaveReplaceIt) {
    startWithStock();
    addLocoRight(0);
    c().Text1->setFocus();
    QTest::keyClicks(c().Text1, QStringLiteral("Coal & Ballast"));
    world.messages.queue(MessageAnswer::OK);
    c().mnuSaveConsistToVTUserConsists->trigger();
    c().mnuOpenVTUserConsists->trigger();
    ASSERT_EQ(c().List3->count(), 1);
    EXPECT_EQ(c().List3->item(0)->text(), QStringLiteral("100000000\tCoal & Ballast"));
    EXPECT_EQ(c().Label22->text(), QStringLiteral("100000000 Coal & Ballast"));

    world.messages.queue(MessageAnswer::Yes); // abandon the line
    QTest::mouseClick(c().butView, Qt::LeftButton);
    EXPECT_EQ(c().Text1->text(), QStringLiteral("Coal & Ballast"));
    world.messages.queue(MessageAnswer::Yes); // replace
    world.messages.queue(MessageAnswer::OK);
    c().mnuSaveConsistToVTUserConsists->trigger();
    EXPECT_EQ(world.messages.texts().at(2), "Consist currently exists.\r\n\r\nOkay to replace?");
    ASSERT_EQ(c().List3->count(), 1);
    EXPECT_EQ(c().List3->item(0)->text(), QStringLiteral("100000016\tCoal & Ballast"));
    EXPECT_TRUE(world.messages.allAnswersUsed());
}

} // namespace
} // namespace dovrel
