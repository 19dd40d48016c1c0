// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"
#include "app/FormScanReport.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::AppWorld;
using testing::fileText;
using testing::unit;

const std::string kUnreadable = "Error reading blueprint file for this unit.";

// The window with the real converter, started on a game folder whose assets hold two blueprints
// it cannot read.
class ScanMessagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        world.settings.setValue("GameFolder", world.makeGameFolder().string());
        const fs::path wagons = "game/Assets/Acme/Pack/RailVehicles/Wagons";
        broken = {world.temp.write(wagons / "a.bin", "not a blueprint"),
                  world.temp.write(wagons / "b.bin", "nor this")};
    }
    void start() {
        form = std::make_unique<Form1>(world.services());
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        form->startAfterShow();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    const Form1Controls& c() const { return form->controls(); }
    // Edit > Preferences > Collect Scan Messages, chosen with the mouse.
    void chooseCollectScanMessages() {
        QMenuBar* bar = form->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(c().mnuEdit->menuAction()).center());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c().mnuEdit));
        const auto clickItem = [](QMenu* menu, QAction* item) {
            const QPoint at = menu->actionGeometry(item).center();
            QTest::mouseMove(menu, at);
            QTest::mouseClick(menu, Qt::LeftButton, {}, at);
        };
        clickItem(c().mnuEdit, c().mnuPreferences->menuAction());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c().mnuPreferences));
        clickItem(c().mnuPreferences, c().mnuCollectScanMessages);
    }
    QWidget& report() { return form->scanReport(); }
    QListWidget* rows() { return form->scanReport().list(); }
    std::filesystem::path reportFile() const { return world.temp.programFolder() / "scanreport.txt"; }

    AppWorld world;
    std::vector<fs::path> broken;
    std::unique_ptr<Form1> form;
};

// Off, as it always was: a box for each; on: none, one window with a row for each and the same rows
// in scanreport.txt; the catalogue and the cache the same either way.
TEST_F(ScanMessagesTest, CollectedMessagesShowNoBoxButOneWindowAndTheFile) {
    world.messages.queue(MessageAnswer::OK);
    world.messages.queue(MessageAnswer::OK);
    start();
    EXPECT_EQ(world.messages.texts(), (std::vector<std::string>{kUnreadable, kUnreadable}));
    EXPECT_FALSE(c().mnuCollectScanMessages->isChecked());
    EXPECT_EQ(world.settings.value("CollectScanMessages"), std::nullopt) << "written only when changed";
    EXPECT_FALSE(report().isVisible());
    EXPECT_FALSE(fs::exists(reportFile()));
    const std::string cache = fileText(world.temp.programFolder() / "equipmentlist.txt");

    chooseCollectScanMessages();
    EXPECT_TRUE(c().mnuCollectScanMessages->isChecked());
    EXPECT_EQ(world.settings.value("CollectScanMessages"), "1");
    world.messages.clear();
    c().mnuRefreshEquipmentList->trigger();

    EXPECT_TRUE(world.messages.texts().empty());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&report()));
    ASSERT_EQ(rows()->count(), 2);
    std::string expected;
    for (int i = 0; i < 2; ++i) {
        const std::string row = kUnreadable + "\t" + broken[static_cast<std::size_t>(i)].string();
        EXPECT_EQ(rows()->item(i)->text().toStdString(), row);
        expected += row + "\n";
    }
    EXPECT_EQ(fileText(reportFile()), expected);
    EXPECT_EQ(fileText(world.temp.programFolder() / "equipmentlist.txt"), cache);

    auto* close = report().findChild<QPushButton*>(QStringLiteral("butCloseScanReport"));
    ASSERT_NE(close, nullptr);
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(report().isVisible());

    // The choice outlives the run; turned off again, the boxes come back and the file stays.
    form.reset();
    start();
    EXPECT_TRUE(c().mnuCollectScanMessages->isChecked());
    chooseCollectScanMessages();
    EXPECT_EQ(world.settings.value("CollectScanMessages"), "0");
    world.messages.queue(MessageAnswer::OK);
    world.messages.queue(MessageAnswer::OK);
    c().mnuRefreshEquipmentList->trigger();
    EXPECT_EQ(world.messages.texts(), (std::vector<std::string>{kUnreadable, kUnreadable}));
    EXPECT_FALSE(report().isVisible());
    EXPECT_EQ(fileText(reportFile()), expected);
}

// Locate Game .EXE shows the stock of the folder chosen: a cache recorded for the folder before is
// not loaded, one recorded for the folder chosen is, and one without a record too, as it always was.
TEST_F(ScanMessagesTest, LocateLoadsOnlyACacheNotRecordedForAnotherFolder) {
    const fs::path other = world.temp.path() / "other";
    fs::create_directories(other / "Content" / "Routes");
    fs::create_directories(other / "Assets");
    const fs::path exe = world.temp.write("other/Vantor.exe", "");
    const std::string handMade = testing::recordLine(unit("diesel", "Class 66"));
    struct Case {
        fs::path recorded; // empty: no record
        bool loaded;
    };
    for (const auto& [recorded, loaded] : {Case{world.temp.gameFolder() / "Assets", false},
                                           Case{other / "Assets", true}, Case{fs::path(), true}}) {
        world.settings.setValue("GameFolder", world.temp.gameFolder().string());
        world.temp.write("program/equipmentlist.txt", handMade);
        fs::remove(world.temp.programFolder() / "equipmentlist.folder");
        if (!recorded.empty()) {
            world.temp.write("program/equipmentlist.folder", recorded.string());
        }
        form.reset();
        form = std::make_unique<Form1>(world.services());
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        world.fileDialogs.queue(exe);
        c().mnuLocateGameEXE->trigger();

        EXPECT_EQ(form->folders().gameFolder, other);
        EXPECT_EQ(form->catalogue().size(), loaded ? 1u : 0u) << recorded;
        EXPECT_EQ(c().List1->count(), loaded ? 1 : 0) << recorded;
        if (!loaded) {
            EXPECT_EQ(fileText(world.temp.programFolder() / "equipmentlist.txt"), "");
            EXPECT_EQ(fileText(world.temp.programFolder() / "equipmentlist.folder"),
                      (other / "Assets").string());
        }
    }
}

} // namespace
} // namespace dovrel
