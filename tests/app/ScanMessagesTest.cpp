// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"
#include "app/FormScanReport.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;

const std::string kUnreadable = "Error reading blueprint file for this unit.";

// Off, as it always was: a box for each unreadable blueprint; on (chosen with the mouse): none, one
// window with a row for each and the same rows in scanreport.txt; the cache the same either way.
TEST(ScanMessagesTest, CollectedMessagesShowNoBoxButOneWindowAndTheFile) {
    testing::AppWorld world;
    world.settings.setValue("GameFolder", world.makeGameFolder().string());
    const fs::path wagons = "game/Assets/Acme/Pack/RailVehicles/Wagons";
    const std::vector<fs::path> broken = {world.temp.write(wagons / "a.bin", "not a blueprint"),
                                          world.temp.write(wagons / "b.bin", "nor this")};
    const fs::path reportFile = world.temp.programFolder() / "scanreport.txt";
    world.messages.queue(MessageAnswer::OK);
    world.messages.queue(MessageAnswer::OK);
    Form1 form(world.services());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const Form1Controls& c = form.controls();
    EXPECT_EQ(world.messages.texts(), (std::vector<std::string>{kUnreadable, kUnreadable}));
    EXPECT_FALSE(form.scanReport().isVisible());
    EXPECT_FALSE(fs::exists(reportFile));
    const std::string cache = fileText(world.temp.programFolder() / "equipmentlist.txt");

    // Edit > Preferences > Collect Scan Messages.
    QMenuBar* bar = form.menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(c.mnuEdit->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c.mnuEdit));
    const auto clickItem = [](QMenu* menu, QAction* item) {
        const QPoint at = menu->actionGeometry(item).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    };
    clickItem(c.mnuEdit, c.mnuPreferences->menuAction());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(c.mnuPreferences));
    clickItem(c.mnuPreferences, c.mnuCollectScanMessages);
    EXPECT_EQ(world.settings.value("CollectScanMessages"), "1");
    world.messages.clear();
    c.mnuRefreshEquipmentList->trigger();

    EXPECT_TRUE(world.messages.texts().empty());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form.scanReport()));
    QListWidget* rows = form.scanReport().list();
    ASSERT_EQ(rows->count(), 2);
    std::string expected;
    for (int i = 0; i < 2; ++i) {
        const std::string row = kUnreadable + "\t" + broken[static_cast<std::size_t>(i)].string();
        EXPECT_EQ(rows->item(i)->text().toStdString(), row);
        expected += row + "\n";
    }
    EXPECT_EQ(fileText(reportFile), expected);
    EXPECT_EQ(fileText(world.temp.programFolder() / "equipmentlist.txt"), cache);
}

} // namespace
} // namespace dovrel
