// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard: real key events on the real window.
#include "app/FormRestore.h"
#include "app/SecondaryWindows.h"
#include "consist/ConsistUnit.h"
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

// Swallows the shortcut events that reach menu items and names the item each reached, so a key's
// path to its command is seen without running the command.
class ShortcutCatcher final : public QObject {
public:
    explicit ShortcutCatcher(const std::vector<QAction*>& actions) {
        for (QAction* action : actions) {
            action->installEventFilter(this);
        }
    }
    std::vector<QString> reached;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut) {
            return false;
        }
        reached.push_back(watched->objectName());
        return true;
    }
};

class KeyboardTest : public testing::WindowTest {
protected:
    void SetUp() override {
        start({unit("diesel", "Loco A"), unit("diesel", "Loco B"), unit("diesel", "Loco C"),
               unit("freight", "Hopper")});
    }
    // Adds locos with the mouse, each right of the selected unit (the first added stays selected).
    void addLocos(const std::vector<int>& rows) {
        for (const int row : rows) {
            clickRow(c().List1, row);
            QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
        }
    }
    // Left-clicks unit `index`'s body on the strip.
    void clickUnit(int index) {
        const NamedControl* body = form->namedControls().find("Label1[" + std::to_string(index + 1) + "]");
        const TwipsRect rect = *body->geometry();
        const TwipsRect band = twipsGeometry(c().strip);
        QTest::mouseClick(c().strip, Qt::LeftButton, {},
                          QPoint(twipsToPixels(rect.left + 600 - band.left, kActualSize),
                                 twipsToPixels(rect.top + 150 - band.top, kActualSize)));
    }
    // Tab from the name box, as a person reaches the line.
    void tabToStrip() {
        c().Text1->setFocus();
        QTest::keyClick(c().Text1, Qt::Key_Tab);
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

TEST_F(KeyboardTest, TheLineFollowsTheNameBoxInTheTabOrderAndAClickLeavesTheFocus) {
    addLocos({0});
    c().Text1->setFocus();
    clickUnit(0);
    EXPECT_TRUE(c().Text1->hasFocus()) << "a click selects, as it always did, and takes no focus";
    QTest::keyClick(c().Text1, Qt::Key_Tab);
    EXPECT_TRUE(c().strip->hasFocus());
    QTest::keyClick(c().strip, Qt::Key_Backtab);
    EXPECT_TRUE(c().Text1->hasFocus());
}

TEST_F(KeyboardTest, AFrameShowsTheFocusOnTheLine) {
    addLocos({0});
    const QImage unfocused = c().strip->grab().toImage();
    tabToStrip();
    const QImage focused = c().strip->grab().toImage();
    const QColor highlight = c().strip->palette().color(QPalette::Highlight);
    EXPECT_NE(unfocused.pixelColor(1, 1), highlight);
    EXPECT_EQ(focused.pixelColor(1, 1), highlight);
    EXPECT_EQ(focused.pixelColor(focused.width() - 2, focused.height() / 2), highlight);
}

// Loco A, B and C in a line, one of them selected (-1: none), then one key on the focused line: each
// key reaches its command, and a disabled command does nothing.
TEST_F(KeyboardTest, KeysOnTheLineRunTheCommandsOfItsButtons) {
    struct Case {
        const char* name;
        int selectedBefore;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* lineAfter;
        int selectedAfter;
    };
    const Case cases[] = {
        {"Left", 1, Qt::Key_Left, Qt::NoModifier, "Loco A Loco B Loco C", 0},
        {"Right", 1, Qt::Key_Right, Qt::NoModifier, "Loco A Loco B Loco C", 2},
        {"Home", 2, Qt::Key_Home, Qt::NoModifier, "Loco A Loco B Loco C", 0},
        {"End", 0, Qt::Key_End, Qt::NoModifier, "Loco A Loco B Loco C", 2},
        {"Shift+Left", 1, Qt::Key_Left, Qt::ShiftModifier, "Loco B Loco A Loco C", 0},
        {"Shift+Right", 1, Qt::Key_Right, Qt::ShiftModifier, "Loco A Loco C Loco B", 2},
        {"Shift+Left at the head: disabled", 0, Qt::Key_Left, Qt::ShiftModifier, "Loco A Loco B Loco C", 0},
        {"Space", 1, Qt::Key_Space, Qt::NoModifier, "Loco A Loco B< Loco C", 1},
        {"Space, none selected: disabled", -1, Qt::Key_Space, Qt::NoModifier, "Loco A Loco B Loco C", -1},
        {"Delete", 1, Qt::Key_Delete, Qt::NoModifier, "Loco A Loco C", 1},
        {"Delete, none selected: disabled", -1, Qt::Key_Delete, Qt::NoModifier, "Loco A Loco B Loco C", -1},
    };
    addLocos({0, 2, 1});
    tabToStrip();
    ASSERT_TRUE(c().strip->hasFocus());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Every case starts from the same line, built again by taking back the steps of the last.
        while (form->controls().mnuUndo->isEnabled() && line() != "Loco A Loco B Loco C") {
            form->controls().mnuUndo->trigger();
        }
        ASSERT_EQ(line(), "Loco A Loco B Loco C");
        if (c.selectedBefore < 0) {
            form->backgroundClick();
        } else {
            clickUnit(c.selectedBefore);
        }
        ASSERT_EQ(selected(), c.selectedBefore);
        QTest::keyClick(form->controls().strip, c.key, c.modifiers);
        EXPECT_EQ(line(), c.lineAfter);
        EXPECT_EQ(selected(), c.selectedAfter);
    }
}

TEST_F(KeyboardTest, MenuShortcutsReachTheirItemsAndADisabledItemTakesNone) {
    const Form1Controls& controls = c();
    ShortcutCatcher catcher({controls.mnuSaveConsistToVTUserConsists, controls.mnuOpenVTUserConsists,
                             controls.mnuOpenVTScenarioConsists, controls.mnuNewConsist, controls.mnuExit,
                             controls.mnuRefreshEquipmentList});
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* item; // nothing when the item is disabled
    };
    const Case cases[] = {
        {Qt::Key_S, Qt::ControlModifier, ""}, // no units: Save is disabled
        {Qt::Key_O, Qt::ControlModifier, ""}, // no user-consist file yet
        {Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier, "mnuOpenVTScenarioConsists"},
        {Qt::Key_N, Qt::ControlModifier, "mnuNewConsist"},
        {Qt::Key_Q, Qt::ControlModifier, "mnuExit"},
        {Qt::Key_F5, Qt::NoModifier, "mnuRefreshEquipmentList"},
    };
    c().List1->setFocus();
    for (const Case& c : cases) {
        catcher.reached.clear();
        QTest::keyClick(form->controls().List1, c.key, c.modifiers);
        const std::vector<QString> expected =
            *c.item == '\0' ? std::vector<QString>{} : std::vector<QString>{QString::fromLatin1(c.item)};
        EXPECT_EQ(catcher.reached, expected) << c.item << " " << c.key;
    }
    addLocos({0});
    catcher.reached.clear();
    QTest::keyPress(controls.List1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(catcher.reached, std::vector<QString>{QStringLiteral("mnuSaveConsistToVTUserConsists")});
    EXPECT_EQ(form->heldKeyCode(), 83) << "the held key is S, though the shortcut took it";
    QTest::keyRelease(controls.List1, Qt::Key_S, Qt::ControlModifier);
}

// Ctrl+D shows the Details of the panel that has the focus; elsewhere it does nothing.
TEST_F(KeyboardTest, CtrlDShowsTheDetailsOfTheFocusedList) {
    QTreeWidget* details = form->unitDetails().listView();
    struct Case {
        QWidget* focus;
        const char* firstRow; // nothing: the window stays closed
    };
    const Case cases[] = {
        {c().Text1, ""},
        {c().List1, "Loco A"},
        {c().List2, "Hopper"},
        {c().Combo4, "Hopper"},
    };
    for (const Case& k : cases) {
        form->unitDetails().hide();
        details->clear();
        k.focus->setFocus();
        QTest::keyClick(k.focus, Qt::Key_D, Qt::ControlModifier);
        const bool shown = *k.firstRow != '\0';
        EXPECT_EQ(form->unitDetails().isVisible(), shown) << k.focus->objectName().toStdString();
        if (shown && details->topLevelItemCount() > 0) {
            EXPECT_EQ(details->topLevelItem(0)->text(2), QString::fromLatin1(k.firstRow));
        }
    }
}

TEST_F(KeyboardTest, EscClosesTheAboutTipsDetailsAndRestoreWindows) {
    const std::vector<std::pair<const char*, QAction*>> windows = {
        {"Form2", c().mnuAbout},
        {"Form3", c().mnuTips},
        {"Form4", nullptr},
        {"FormRestore", c().mnuRestoreUserConsists},
    };
    for (const auto& [name, opener] : windows) {
        QWidget* window = form->namedControls().find(name)->widget();
        if (opener != nullptr) {
            opener->trigger();
        } else {
            c().butDisplayLoco->click();
        }
        ASSERT_TRUE(window->isVisible()) << name;
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << name;
        QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(window->isVisible()) << name;
    }
}

} // namespace
} // namespace dovrel
