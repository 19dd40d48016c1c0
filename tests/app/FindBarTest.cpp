#include "app/SecondaryWindows.h"
#include "consist/ConsistUnit.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unit;

// A second "Class 66", from another provider, in its own folder and with knuckle couplers.
testing::RecordSpec zedClass66() {
    testing::RecordSpec spec =
        unit("diesel", "Class 66", "Zed", "Heritage", testing::kKnuckleCoupling, testing::kKnuckleCoupling);
    spec.blueprintPath = "RailVehicles\\Zed\\Class66\\unit.xml";
    return spec;
}

// The shown texts of a list's items (their bytes are compared end to end in tests/e2e).
std::vector<QString> textsOf(const QListWidget* list) {
    std::vector<QString> texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.push_back(list->item(i)->text());
    }
    return texts;
}

class FindBarTest : public testing::WindowTest {
protected:
    void SetUp() override {
        start({
            unit("diesel", "Class 66", "Acme", "Freight"),
            unit("steam", "J\xC3\xBCrgen's Tank", "Acme", "Freight"),
            zedClass66(),
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
    // Text that finds nothing empties the lists; emptied again, it gives them back with the bar open.
    QTest::keyClicks(c().txtFindUnit, QStringLiteral("x"));
    EXPECT_EQ(c().List1->count(), 0);
    QTest::keyClick(c().txtFindUnit, Qt::Key_Backspace);
    EXPECT_TRUE(c().findBar->isVisible());
    EXPECT_EQ(textsOf(c().List1), locos);

    QTest::keyClicks(c().txtFindUnit, QStringLiteral("class 9"));
    EXPECT_EQ(textsOf(c().List1), std::vector<QString>{QStringLiteral("Class 90")});
    EXPECT_EQ(textsOf(c().List2), std::vector<QString>{});
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

    ASSERT_NE(records[2].find("Zed"), std::string::npos);
    ASSERT_NE(makeConsistUnit(records[2]), makeConsistUnit(records[0]));
    clickRow(c().List1, 1);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Knuckle"));
    QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    ASSERT_EQ(form->editor().line().unitCount(), 1);
    EXPECT_EQ(form->editor().line().unit(0), makeConsistUnit(records[2]));

    clickRow(c().List1, 0);
    QTest::mouseClick(c().butReplaceLoco, Qt::LeftButton);
    EXPECT_EQ(form->editor().line().unit(0), makeConsistUnit(records[0]));
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
