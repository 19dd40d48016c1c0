// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns of the windows.
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace dovrel {
namespace {

using testing::unit;

class ScreenReaderTest : public testing::WindowTest {
protected:
    void SetUp() override {
        start({unit("diesel", "Class 66"), unit("diesel", "Class 20"), unit("freight", "Hopper")});
    }

    static QString spoken(QWidget* widget, QAccessible::Text text = QAccessible::Name) {
        return QAccessible::queryAccessibleInterface(widget)->text(text);
    }
};

// Every control that takes the focus by Tab, and every menu and menu item, in every window.
TEST_F(ScreenReaderTest, EveryReachableControlHasANameOfItsOwn) {
    std::map<const QWidget*, std::set<QString>> namesInWindow;
    int walked = 0;
    for (const std::string& address : form->namedControls().addresses()) {
        const NamedControl* control = form->namedControls().find(address);
        QWidget* widget = control->widget();
        const bool reachable =
            control->action() != nullptr || (widget != nullptr && widget->focusPolicy() & Qt::TabFocus);
        if (!reachable || address.starts_with("chkCoupler")) {
            continue; // the coupler boxes are named by their couplers
        }
        ++walked;
        const QString name = *control->accessibleName();
        SCOPED_TRACE(address + ": \"" + name.toStdString() + "\"");
        EXPECT_TRUE(name.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}"))));
        EXPECT_FALSE(name.contains(QLatin1Char('&'))) << "no accelerator marks";
        EXPECT_FALSE(name.startsWith(QLatin1Char('<')) || name.endsWith(QLatin1Char('>')))
            << "no arrows read out";
        if (widget != nullptr) {
            EXPECT_TRUE(namesInWindow[widget->window()].insert(name).second)
                << "another control of the window says the same";
        }
    }
    EXPECT_GT(walked, 50);
}

// A drop-down says what it filters, not only the item it shows ("All"): its own name, and the
// caption above it as its label.
TEST_F(ScreenReaderTest, DropDownsSayWhatTheyFilter) {
    for (const auto& [combo, name, caption] : {std::tuple<QComboBox*, const char*, const char*>{
                                                   c().Combo5, "Provider filter for locomotives", "Provider"},
                                               {c().Combo4, "Class filter for wagons", "Filter"}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(spoken(combo), QLatin1String(name));
        QStringList captions;
        for (const auto& [label, relation] :
             QAccessible::queryAccessibleInterface(combo)->relations(QAccessible::Label)) {
            captions << label->text(QAccessible::Name);
        }
        EXPECT_TRUE(captions.contains(QLatin1String(caption)));
        EXPECT_EQ(spoken(combo, QAccessible::Value), combo->currentText()) << "the value is still said";
    }
}

// The consist line says which unit is selected, anew with each change of the selection.
TEST_F(ScreenReaderTest, TheLineDescribesTheSelectedUnit) {
    ConsistStrip* strip = c().strip;
    EXPECT_EQ(spoken(strip), QStringLiteral("Consist line"));
    for (const int row : {0, 0, 1}) { // Class 66, Class 20, Class 66; the first stays selected
        clickRow(c().List1, row);
        QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    }
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(spoken(strip, QAccessible::Description), QStringLiteral("Unit 2 of 3: Class 20, forward"));
    QTest::keyClick(strip, Qt::Key_Space);
    EXPECT_EQ(spoken(strip, QAccessible::Description), QStringLiteral("Unit 2 of 3: Class 20, reversed"));
}

} // namespace
} // namespace dovrel
