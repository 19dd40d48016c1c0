#include "app/Form1.h"
#include "app/SecondaryWindows.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"

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

std::vector<std::string> itemsOf(const QListWidget* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->count(); ++i) {
        items.push_back(list->item(i)->text().toStdString());
    }
    return items;
}

std::vector<std::string> itemsOf(const QComboBox* combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo->count(); ++i) {
        items.push_back(combo->itemText(i).toStdString());
    }
    return items;
}

const std::string kKnuckle = "RailVehicles\\Couplings\\Knuckle.xml";

// A small catalogue loaded from the cache file, with the window started on it.
class BrowserTest : public ::testing::Test {
protected:
    void start(const std::vector<RecordSpec>& records) {
        world.settings.setValue("GameFolder", world.makeGameFolder().string());
        world.temp.write("program/equipmentlist.txt", testing::cacheText(records));
        form = std::make_unique<Form1>(world.services());
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        form->startAfterShow();
    }

    const Form1Controls& c() const { return form->controls(); }

    void choose(QComboBox* combo, const QString& text) {
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    void click(QListWidget* list, int row) {
        list->setCurrentRow(row);
        emit list->itemClicked(list->item(row));
    }

    QCheckBox* box(std::size_t element) const { return form->couplerBoxes().at(element); }

    testing::AppWorld world;
    std::unique_ptr<Form1> form;
};

const std::vector<RecordSpec> kStock = {
    unit("diesel", "Class 20"),
    unit("steam", "Jinty"),
    unit("tender", "Jinty Tender"),
    unit("electric", "Class 86", "Other", "Pack"),
    unit("engine", "Mystery Engine"),
    unit("Diesel", "Capital Diesel"),
    unit("freight", "Hopper", "acme", "PACK"),
    unit("passenger", "Coach", "Other", "Extra"),
    unit("freight", "Class 20", "Other", "Extra", kKnuckle, kKnuckle),
};

TEST_F(BrowserTest, ClassesProvidersAndProductsNarrowTheLists) {
    start(kStock);
    // Two providers: "All" first, then the providers in catalogue order.
    EXPECT_EQ(itemsOf(c().Combo5), (std::vector<std::string>{"All", "Acme", "Other", "acme"}));
    EXPECT_EQ(itemsOf(c().Combo1), (std::vector<std::string>{"All", "Pack", "Pack", "PACK", "Extra"}))
        << "with \"All\" a product held by two providers stands twice";
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Class 20", "Jinty", "Jinty Tender", "Class 86"}))
        << "\"engine\" and \"Diesel\" are never listed";
    EXPECT_EQ(itemsOf(c().List2), (std::vector<std::string>{"Hopper", "Coach", "Class 20"}));

    choose(c().Combo3, QStringLiteral("Steam"));
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Jinty", "Jinty Tender"}));
    choose(c().Combo3, QStringLiteral("Diesel"));
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Class 20"}));

    // Provider and product compare without case in the lists.
    choose(c().Combo6, QStringLiteral("Acme"));
    EXPECT_EQ(itemsOf(c().Combo2), (std::vector<std::string>{"All", "Pack"}));
    EXPECT_EQ(c().Combo2->currentIndex(), 0);
    EXPECT_EQ(itemsOf(c().List2), (std::vector<std::string>{"Hopper"}));
    choose(c().Combo4, QStringLiteral("Passenger"));
    EXPECT_TRUE(itemsOf(c().List2).empty());
}

TEST_F(BrowserTest, AClickShowsTheFirstRecordsCouplersOfThatName) {
    start(kStock);
    EXPECT_FALSE(c().butAddLocoLeft->isEnabled());
    // "Class 20" stands in both lists; the wagon's click shows the first record (the loco's couplers).
    click(c().List2, 2);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("Buffer"));
    EXPECT_EQ(c().Label6->text(), QStringLiteral("Buffer"));
    EXPECT_TRUE(c().butAddWagonLeft->isEnabled());
    EXPECT_FALSE(c().butAddLocoLeft->isEnabled());
    click(c().List1, 0);
    EXPECT_TRUE(c().butAddLocoLeft->isEnabled());
    EXPECT_TRUE(c().butAddLocoRight->isEnabled());
}

TEST_F(BrowserTest, StarCouplingsShowAsQuestionMarkInFrontAndStarAtTheRear) {
    start({unit("diesel", "Starry", "Acme", "Pack", "*", "*")});
    click(c().List1, 0);
    EXPECT_EQ(c().Label25->text(), QStringLiteral("?"));
    EXPECT_EQ(c().Label6->text(), QStringLiteral("*"));
    EXPECT_EQ(itemsOf(c().Combo5), std::vector<std::string>{"Acme"}) << "one provider: no \"All\"";
}

TEST_F(BrowserTest, CouplerBoxesFilterBothListsByEitherEnd) {
    start({unit("diesel", "Buffered"), unit("diesel", "Mixed", "Acme", "Pack", "a\\BUFFER.xml", kKnuckle),
           unit("freight", "Knuckled", "Acme", "Pack", kKnuckle, kKnuckle)});
    // Distinct names keep their case: "Buffer" and "BUFFER" get a box each.
    ASSERT_EQ(form->couplerBoxes().size(), 4u);
    EXPECT_EQ(box(1)->text(), QStringLiteral("A Buffer"));
    EXPECT_EQ(box(2)->text(), QStringLiteral("B BUFFER"));
    EXPECT_EQ(box(3)->text(), QStringLiteral("C Knuckle"));
    EXPECT_TRUE(box(1)->isChecked() && box(2)->isChecked() && box(3)->isChecked())
        << "new boxes start checked";
    EXPECT_EQ(form->namedControls().find("chkCoupler[2]")->geometry()->top, 360.0f + 2 * (255.0f + 120.0f));

    box(3)->click(); // Knuckle off: "Mixed" keeps its front coupler
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Buffered", "Mixed"}));
    EXPECT_TRUE(itemsOf(c().List2).empty());
    box(1)->click(); // "Buffer" off: the "BUFFER" box still takes both, whatever the case
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Buffered", "Mixed"}));
    box(2)->click();
    box(3)->click(); // only Knuckle: "Mixed" stays by its rear coupler
    EXPECT_EQ(itemsOf(c().List1), (std::vector<std::string>{"Mixed"}));
    EXPECT_EQ(itemsOf(c().List2), (std::vector<std::string>{"Knuckled"}));

    c().butCheckNone->click();
    EXPECT_TRUE(itemsOf(c().List1).empty());
    EXPECT_TRUE(itemsOf(c().List2).empty());
    c().butCheckAll->click();
    EXPECT_EQ(itemsOf(c().List1).size(), 2u);
    EXPECT_EQ(itemsOf(c().List2).size(), 1u);
}

TEST_F(BrowserTest, TheFilterPanelIsPlacedOnEveryShowAndDraggedByItsStrip) {
    start(kStock);
    c().butCouplingFilter->click();
    ASSERT_FALSE(c().Frame4->isHidden());
    const TwipsRect placed = twipsGeometry(c().Frame4);
    EXPECT_EQ(placed.left, (Form1::kClientWidth - placed.width) / 2);
    EXPECT_EQ(placed.top, Form1::kClientHeight - placed.height - 360);

    form->filterTitlePressed(300, 140);
    form->filterTitleMoved(800, 140);
    form->filterTitleReleased(300, 140);
    EXPECT_EQ(twipsGeometry(c().Frame4).left, placed.left + 500);
    form->filterTitleMoved(900, 140); // no button held any more
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
    EXPECT_EQ(c().Combo3->count(), 4);
    EXPECT_EQ(c().List1->count(), 0);
    EXPECT_EQ(form->couplerBoxes().size(), 1u);
    EXPECT_FALSE(c().butDisplayLoco->isEnabled());
}

struct DetailsCase {
    const char* locale;
    const char* unitWeight;
    std::vector<std::string> massCells; // Empty Mass, Cargo Capacity, Loaded Gross
};

class DetailsTest : public BrowserTest, public ::testing::WithParamInterface<DetailsCase> {
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_P(DetailsTest, MassesFollowTheUnitAndTheLocale) {
    const DetailsCase& d = GetParam();
    QLocale::setDefault(QLocale(QString::fromLatin1(d.locale)));
    world.settings.setValue("UnitMeasure", d.unitWeight);
    RecordSpec wagon = unit("freight", "Hopper");
    wagon.mass = "20";
    wagon.capacity = "30";
    wagon.freightType = "Coal";
    start({wagon});
    c().butDisplayWagon->click();
    QTreeWidget* view = form->unitDetails().listView();
    ASSERT_EQ(view->topLevelItemCount(), 1);
    EXPECT_TRUE(form->unitDetails().isVisible());
    const QTreeWidgetItem* row = view->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("freight"));
    EXPECT_EQ(row->text(2), QStringLiteral("Hopper"));
    EXPECT_EQ((std::vector<std::string>{row->text(3).toStdString(), row->text(4).toStdString(),
                                        row->text(5).toStdString()}),
              d.massCells);
    EXPECT_EQ(view->columnWidth(4), twipsToPixels(1400));
}

INSTANTIATE_TEST_SUITE_P(
    Units, DetailsTest,
    ::testing::Values(DetailsCase{"en_US",
                                  "imperialtons2240",
                                  {"20.00 tons\xC2\xB9", "30.00 tons\xC2\xB9", "50.00 tons\xC2\xB9"}},
                      DetailsCase{"en_US", "metric", {"20,321 kgs", "30,481 kgs", "50,802 kgs"}},
                      DetailsCase{"de_DE", "metric", {"20.321 kgs", "30.481 kgs", "50.802 kgs"}},
                      DetailsCase{"de_DE",
                                  "imperialtons2000",
                                  {"22,40 tons\xC2\xB2", "33,60 tons\xC2\xB2", "56,00 tons\xC2\xB2"}},
                      DetailsCase{"en_US", "Metric", {"", "", ""}}));

TEST_F(BrowserTest, AMassTooSmallForADoubleShowsAsZeroHoweverItIsWritten) {
    world.settings.setValue("UnitMeasure", "imperialtons2240");
    RecordSpec exponent = unit("freight", "Exponent");
    exponent.mass = "1e-400";
    RecordSpec plain = unit("freight", "Plain");
    plain.mass = "0." + std::string(400, '0') + "1";
    start({exponent, plain});
    form->show();
    QTest::mouseClick(c().butDisplayWagon, Qt::LeftButton);
    QTreeWidget* view = form->unitDetails().listView();
    ASSERT_EQ(view->topLevelItemCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(view->topLevelItem(row)->text(3), QStringLiteral("0.00 tons\u00B9")) << row;
    }
}

TEST_F(BrowserTest, LocoDetailsListEveryRecordOfEachNameAndMarkMultipleUnits) {
    RecordSpec emu = unit("electric", "Class 20");
    emu.multipleUnit = "1";
    start({emu, unit("freight", "Class 20"), unit("tender", "Tender")});
    c().butDisplayLoco->click();
    QTreeWidget* view = form->unitDetails().listView();
    ASSERT_EQ(view->topLevelItemCount(), 3) << "the loco name shared by a wagon gives two rows";
    EXPECT_EQ(view->topLevelItem(0)->text(0), QStringLiteral("electric/mu"));
    EXPECT_EQ(view->topLevelItem(1)->text(0), QStringLiteral("freight"));
    EXPECT_EQ(view->columnWidth(4), twipsToPixels(2600));
}

TEST_F(BrowserTest, ADoubleClickOpensTheUnitsFolderOrSaysItIsGone) {
    RecordSpec present = unit("diesel", "Present");
    present.blueprintPath = "RailVehicles\\Diesel\\Present\\present.xml";
    RecordSpec gone = unit("diesel", "Gone");
    gone.blueprintPath = "RailVehicles\\Diesel\\Gone\\gone.xml";
    start({present, gone});
    fs::create_directories(world.temp.gameFolder() / "Assets" / "Acme" / "Pack" / "RailVehicles" / "Diesel" /
                           "Present");
    c().butDisplayLoco->click();
    QTreeWidget* view = form->unitDetails().listView();
    emit view->itemDoubleClicked(view->topLevelItem(0), 0);
    ASSERT_EQ(world.folders.opened().size(), 1u);
    EXPECT_EQ(world.folders.opened()[0],
              world.temp.gameFolder() / "Assets" / "Acme" / "Pack" / "RailVehicles" / "Diesel" / "Present");

    world.messages.queue(MessageAnswer::OK);
    emit view->itemDoubleClicked(view->topLevelItem(1), 0);
    ASSERT_EQ(world.messages.texts().size(), 1u);
    EXPECT_EQ(world.messages.texts()[0], "Gone\r\n\r\nFolder does not exist.");
    EXPECT_EQ(world.messages.shown()[0].icon, MessageIcon::Exclamation);
}

TEST_F(BrowserTest, AWeightChoiceSurvivesARestart) {
    start(kStock);
    form->controls().mnuImperial->trigger();
    form.reset();
    start(kStock);
    EXPECT_EQ(form->unitWeight(), "imperial");
    EXPECT_TRUE(c().mnuImperial->isChecked());
    EXPECT_FALSE(c().mnuImperialTons2240->isChecked());
}

} // namespace
} // namespace dovrel
