// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader learns of the windows: a name for every control a person can reach, and the
// consist line's selected unit as it changes.
#include "support/WindowTest.h"
#include "widgets/ConsistStrip.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
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

    // What the reader says of a widget.
    static QString spoken(QWidget* widget, QAccessible::Text text = QAccessible::Name) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        return accessible == nullptr ? QString() : accessible->text(text);
    }
    // The names of the labels that label a widget (its buddy captions).
    static QStringList labelledBy(QWidget* widget) {
        QStringList names;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
            names << label->text(QAccessible::Name);
        }
        return names;
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
            continue; // the coupler boxes are named by their couplers, checked below
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
    const std::vector<std::tuple<QComboBox*, const char*, const char*>> combos = {
        {c().Combo5, "Provider filter for locomotives", "Provider"},
        {c().Combo1, "Product filter for locomotives", "Product"},
        {c().Combo3, "Class filter for locomotives", "Filter"},
        {c().Combo6, "Provider filter for wagons", "Provider"},
        {c().Combo2, "Product filter for wagons", "Product"},
        {c().Combo4, "Class filter for wagons", "Filter"},
    };
    for (const auto& [combo, name, caption] : combos) {
        SCOPED_TRACE(name);
        EXPECT_EQ(spoken(combo), QString::fromLatin1(name));
        EXPECT_TRUE(labelledBy(combo).contains(QString::fromLatin1(caption)));
        EXPECT_EQ(spoken(combo, QAccessible::Value), combo->currentText()) << "the value is still said";
    }
}

// The consist line says which unit is selected, anew with each change of the selection (the widget
// tells a listening reader of each change of its description).
TEST_F(ScreenReaderTest, TheLineDescribesTheSelectedUnit) {
    ConsistStrip* strip = c().strip;
    EXPECT_EQ(spoken(strip), QStringLiteral("Consist line"));
    EXPECT_EQ(spoken(strip, QAccessible::Description), QStringLiteral("No units"));
    for (const int row : {0, 0, 1}) { // Class 66, Class 20, Class 66; the first stays selected
        clickRow(c().List1, row);
        QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    }
    c().Text1->setFocus();
    QTest::keyClick(c().Text1, Qt::Key_Tab);
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(spoken(strip, QAccessible::Description), QStringLiteral("Unit 2 of 3: Class 20, forward"));
    QTest::keyClick(strip, Qt::Key_Space);
    EXPECT_EQ(spoken(strip, QAccessible::Description), QStringLiteral("Unit 2 of 3: Class 20, reversed"));
}

} // namespace
} // namespace dovrel
