#include "app/SecondaryWindows.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::RecordSpec;
using testing::unit;

// The texts of a list's or a combo box's items.
template <typename Box> std::vector<std::string> itemsOf(const Box* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) {
        items.push_back(box->model()->index(i, 0).data().toString().toStdString());
    }
    return items;
}

using testing::kKnuckleCoupling;

// The window started on a small catalogue; lists chosen from with the mouse.
class BrowserTest : public testing::WindowTest {
protected:
    QCheckBox* box(std::size_t element) const { return form->couplerBoxes().at(element); }
};

const std::vector<RecordSpec> kStock = {
    unit("diesel", "Class 20"),
    unit("steam", "Jinty"),
    unit("tender", "Jinty Tender"),
    unit("electric", "Class 86", "Other", "Pack"),
    unit("engine", "Mystery Engine"),
    unit("freight", "Hopper", "acme", "PACK"),
    unit("passenger", "Coach", "Other", "Extra"),
    unit("freight", "Class 20", "Other", "Extra", kKnuckleCoupling, kKnuckleCoupling),
};

TEST_F(BrowserTest, TheCombosAreFilledFromTheCatalogueAndNarrowTheLists) {
    start(kStock);
    // Two providers or more: "All" first, then the providers in catalogue order.
    EXPECT_EQ(itemsOf(c().Combo5), (std::vector<std::string>{"All", "Acme", "Other", "acme"}));
    EXPECT_EQ(itemsOf(c().Combo1), (std::vector<std::string>{"All", "Pack", "Pack", "PACK", "Extra"}));
    EXPECT_EQ(itemsOf(c().List1),
              (std::vector<std::string>{"Class 20", "Jinty", "Jinty Tender", "Class 86"}));
    EXPECT_EQ(itemsOf(c().List2), (std::vector<std::string>{"Hopper", "Coach", "Class 20"}));
    chooseWithMouse(c().Combo3, QStringLiteral("Steam"));
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Jinty", "Jinty Tender"}));
    chooseWithMouse(c().Combo6, QStringLiteral("Acme"));
    EXPECT_EQ(itemsOf(c().Combo2), (std::vector<std::string>{"All", "Pack"}));
    EXPECT_EQ(c().Combo2->currentIndex(), 0);
    EXPECT_EQ(itemsOf(c().List2), (std::vector<std::string>{"Hopper"}));
}

TEST_F(BrowserTest, CouplerBoxesFilterBothListsByEitherEnd) {
    const std::string pin = "RailVehicles\\Couplings\\Knuckle&Pin.xml";
    start({unit("diesel", "Buffered"), unit("diesel", "Mixed", "Acme", "Pack", "a\\BUFFER.xml", pin),
           unit("freight", "Knuckled", "Acme", "Pack", pin, pin)});
    // Distinct names keep their case: "Buffer" and "BUFFER" get a box each.
    ASSERT_EQ(form->couplerBoxes().size(), 4u);
    EXPECT_EQ(box(1)->text(), QStringLiteral("A Buffer"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("B BUFFER"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("C Knuckle&&Pin")) << "shown with a literal ampersand";
    EXPECT_TRUE(box(1)->isChecked() && box(2)->isChecked() && box(3)->isChecked())
        << "new boxes start checked";

    box(3)->click(); // Knuckle off: "Mixed" keeps its front coupler
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Buffered", "Mixed"}));
    EXPECT_TRUE(itemsOf(c().List2).empty());
    c().butCheckNone->click();
    EXPECT_TRUE(itemsOf(c().List1).empty());
    c().butCheckAll->click();
    EXPECT_EQ(itemsOf(c().List1).size(), 2u);
    EXPECT_EQ(itemsOf(c().List2).size(), 1u);
}

TEST_F(BrowserTest, TheFilterPanelIsPlacedOnEveryShowAndDraggedByItsStrip) {
    start(kStock);
    c().butCouplingFilter->click();
    ASSERT_FALSE(c().Frame4->isHidden());
    const TwipsRect placed = twipsGeometry(c().Frame4);
    form->filterTitlePressed(300, 140);
    form->filterTitleMoved(800, 140);
    form->filterTitleReleased(300, 140);
    EXPECT_EQ(twipsGeometry(c().Frame4).left, placed.left + 500);
    c().butExitFilter2->click();
    EXPECT_TRUE(c().Frame4->isHidden());
    c().butCouplingFilter->click();
    EXPECT_EQ(twipsGeometry(c().Frame4).left, placed.left);
    EXPECT_EQ(twipsGeometry(c().Frame4).top, placed.top);
}

TEST_F(BrowserTest, AnEmptyCatalogueSelectsNothing) {
    start({});
    EXPECT_EQ(c().Combo5->count(), 0);
    EXPECT_EQ(c().List1->count(), 0);
    EXPECT_EQ(form->couplerBoxes().size(), 1u);
    EXPECT_FALSE(c().butDisplayLoco->isEnabled());
}

// The details window shows the list's units in the chosen unit and the locale's format.
TEST_F(BrowserTest, DetailsShowTheMassesInTheUnitAndTheLocale) {
    const struct LocaleReset {
        ~LocaleReset() { QLocale::setDefault(QLocale::c()); }
    } reset;
    QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
    world.settings.setValue("UnitMeasure", "imperialtons2000");
    RecordSpec wagon = unit("freight", "Hopper");
    wagon.mass = "20";
    wagon.capacity = "30";
    wagon.freightType = "Coal";
    start({wagon});
    QTest::mouseClick(c().butDisplayWagon, Qt::LeftButton);
    QTreeWidget* view = form->unitDetails().listView();
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_TRUE(form->unitDetails().isVisible());
    const QTreeWidgetItem* row = view->topLevelItem(0);
    EXPECT_EQ(row->text(2), QStringLiteral("Hopper"));
    EXPECT_EQ((std::vector<QString>{row->text(3), row->text(4), row->text(5)}),
              (std::vector<QString>{QStringLiteral("22,40 tons\u00B2"), QStringLiteral("33,60 tons\u00B2"),
                                    QStringLiteral("56,00 tons\u00B2")}));
    EXPECT_EQ(view->columnWidth(4), twipsToPixels(1400));
}

TEST_F(BrowserTest, ADoubleClickOpensTheUnitsFolderOrSaysItIsGone) {
    RecordSpec present = unit("diesel", "Present");
    present.blueprintPath = "RailVehicles\\Diesel\\Present\\present.xml";
    RecordSpec gone = unit("diesel", "Gone");
    gone.blueprintPath = "RailVehicles\\Diesel\\Gone\\gone.xml";
    start({present, gone});
    const fs::path folder = world.temp.gameFolder() / "Assets/Acme/Pack/RailVehicles/Diesel/Present";
    fs::create_directories(folder);
    c().butDisplayLoco->click();
    QTreeWidget* view = form->unitDetails().listView();
    emit view->itemDoubleClicked(view->topLevelItem(0), 0);
    ASSERT_EQ(world.folders.opened().size(), 1u);
    EXPECT_EQ(world.folders.opened()[0], folder);

    world.messages.queue(MessageAnswer::OK);
    emit view->itemDoubleClicked(view->topLevelItem(1), 0);
    ASSERT_EQ(world.messages.texts().size(), 1u);
    EXPECT_EQ(world.messages.texts()[0], "Gone\r\n\r\nFolder does not exist.");
    EXPECT_EQ(world.messages.shown()[0].icon, MessageIcon::Exclamation);
}

} // namespace
} // namespace dovrel
