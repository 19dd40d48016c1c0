// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: real key events on the real window.
#include "app/SecondaryWindows.h"
#include "consist/ConsistUnit.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

// Names the menu items that shortcuts reach, without running their commands.
class ShortcutCatcher final : public QObject {
public:
    std::string reached;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool shortcut = event->type() == QEvent::Shortcut;
        if (shortcut) {
            reached += watched->objectName().toStdString();
        }
        return shortcut;
    }
};

class KeyboardTest : public testing::WindowTest {
protected:
    void SetUp() override {
        start({unit("diesel", "Loco A"), unit("diesel", "Loco B"), unit("diesel", "Loco C"),
               unit("freight", "Hopper")});
    }
    // Each added right of the selected unit (the first added stays selected).
    void addLocos(const std::vector<int>& rows) {
        for (const int row : rows) {
            clickRow(c().List1, row);
            QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
        }
    }
    void clickUnit(int index) {
        const NamedControl* body = form->namedControls().find("Label1[" + std::to_string(index + 1) + "]");
        const TwipsRect rect = *body->geometry();
        const TwipsRect band = twipsGeometry(c().strip);
        QTest::mouseClick(c().strip, Qt::LeftButton, {},
                          QPoint(twipsToPixels(rect.left + 600 - band.left, kActualSize),
                                 twipsToPixels(rect.top + 150 - band.top, kActualSize)));
    }
    // "Loco A Loco B<": names in line order, "<" after a reversed unit.
    std::string line() const {
        std::string names;
        for (const std::string& unitText : form->editor().line().units()) {
            names += (names.empty() ? "" : " ") +
                     std::string(EquipmentRecord(unitText).field(RecordField::englishName)) +
                     (isForward(unitText) ? "" : "<");
        }
        return names;
    }
};

// The line follows the name box in the Tab order, shows its focus by a frame, and a click on it
// selects without taking the focus.
TEST_F(KeyboardTest, TheLineFollowsTheNameBoxInTheTabOrderWithAFocusFrame) {
    addLocos({0});
    c().Text1->setFocus();
    clickUnit(0);
    EXPECT_TRUE(c().Text1->hasFocus()) << "a click takes no focus";
    const QImage unfocused = c().strip->grab().toImage();
    QTest::keyClick(c().Text1, Qt::Key_Tab);
    ASSERT_TRUE(c().strip->hasFocus());
    const QImage focused = c().strip->grab().toImage();
    const QColor highlight = c().strip->palette().color(QPalette::Highlight);
    EXPECT_NE(unfocused.pixelColor(1, 1), highlight);
    EXPECT_EQ(focused.pixelColor(1, 1), highlight);
    EXPECT_EQ(focused.pixelColor(focused.width() - 2, focused.height() / 2), highlight);
    QTest::keyClick(c().strip, Qt::Key_Backtab);
    EXPECT_TRUE(c().Text1->hasFocus());
}

// One key of each command on the focused line; a disabled command does nothing.
TEST_F(KeyboardTest, KeysOnTheLineRunTheCommandsOfItsButtons) {
    addLocos({0, 2, 1});
    c().strip->setFocus();
    clickUnit(1);
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(c().strip, key, modifiers);
        return line() + " @" + std::to_string(selected());
    };
    EXPECT_EQ(press(Qt::Key_Left), "Loco A Loco B Loco C @0");
    EXPECT_EQ(press(Qt::Key_Left, Qt::ShiftModifier), "Loco A Loco B Loco C @0") << "disabled at the head";
    EXPECT_EQ(press(Qt::Key_Right, Qt::ShiftModifier), "Loco B Loco A Loco C @1");
    EXPECT_EQ(press(Qt::Key_Space), "Loco B Loco A< Loco C @1");
    EXPECT_EQ(press(Qt::Key_Delete), "Loco B Loco C @1");
    form->backgroundClick();
    EXPECT_EQ(press(Qt::Key_Delete), "Loco B Loco C @-1") << "disabled with none selected";
}

TEST_F(KeyboardTest, MenuShortcutsReachTheirItemsAndADisabledItemTakesNone) {
    ShortcutCatcher catcher;
    for (QAction* action :
         {c().mnuSaveConsistToVTUserConsists, c().mnuOpenVTScenarioConsists, c().mnuRefreshEquipmentList}) {
        action->installEventFilter(&catcher);
    }
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        catcher.reached.clear();
        QTest::keyClick(c().List1, key, modifiers);
        return catcher.reached;
    };
    c().List1->setFocus();
    EXPECT_EQ(press(Qt::Key_S, Qt::ControlModifier), "") << "no units: Save is disabled";
    EXPECT_EQ(press(Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier), "mnuOpenVTScenarioConsists");
    EXPECT_EQ(press(Qt::Key_F5, Qt::NoModifier), "mnuRefreshEquipmentList");
    addLocos({0});
    EXPECT_EQ(press(Qt::Key_S, Qt::ControlModifier), "mnuSaveConsistToVTUserConsists");
}

// Ctrl+D shows the Details of the panel that has the focus; elsewhere it does nothing.
TEST_F(KeyboardTest, CtrlDShowsTheDetailsOfTheFocusedList) {
    QTreeWidget* details = form->unitDetails().listView();
    for (const auto& [focus, firstRow] :
         {std::pair<QWidget*, const char*>{c().Text1, ""}, {c().List1, "Loco A"}, {c().Combo4, "Hopper"}}) {
        form->unitDetails().hide();
        details->clear();
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_D, Qt::ControlModifier);
        EXPECT_EQ(form->unitDetails().isVisible(), *firstRow != '\0') << focus->objectName().toStdString();
        if (*firstRow != '\0' && details->topLevelItemCount() > 0) {
            EXPECT_EQ(details->topLevelItem(0)->text(2), QLatin1String(firstRow));
        }
    }
}

TEST_F(KeyboardTest, EscClosesTheAboutTipsDetailsAndRestoreWindows) {
    for (const auto& [name, opener] : {std::pair<const char*, QAction*>{"Form2", c().mnuAbout},
                                       {"Form3", c().mnuTips},
                                       {"Form4", nullptr}, // opened by its button
                                       {"FormRestore", c().mnuRestoreUserConsists}}) {
        QWidget* window = form->namedControls().find(name)->widget();
        opener != nullptr ? opener->trigger() : c().butDisplayLoco->click();
        ASSERT_TRUE(window->isVisible()) << name;
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << name;
        QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << name;
    }
}

} // namespace
} // namespace dovrel
