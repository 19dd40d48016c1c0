#include "app/Form1.h"
#include "consist/ConsistEditor.h"
#include "platform/doubles/FailingFiles.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::unit;

// The window with the real converter and files that fail the writes a test asks for.
class WriteFailureTest : public ::testing::Test {
protected:
    // With no cache text, the start scans the game folder and writes the cache.
    void start(const std::optional<std::string>& cache) {
        world.settings.setValue("GameFolder", world.makeGameFolder().string());
        if (cache) {
            world.temp.write("program/equipmentlist.txt", *cache);
        }
        form = std::make_unique<Form1>(world.servicesWith(failing));
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        form->startAfterShow();
    }

    testing::AppWorld world;
    FailingFiles failing{world.files};
    std::unique_ptr<Form1> form;
};

TEST_F(WriteFailureTest, AFailedCacheWriteIsReportedAndTheCatalogueStillServes) {
    failing.failOn(FailingFiles::Operation::Replace, "equipmentlist.txt", "Read-only file system");
    world.messages.queue(MessageAnswer::OK);
    start(std::nullopt);
    ASSERT_EQ(world.messages.texts().size(), 1u);
    EXPECT_EQ(world.messages.texts()[0], "Could not write " +
                                             (world.temp.programFolder() / "equipmentlist.txt").string() +
                                             ".\r\n\r\nRead-only file system");
    EXPECT_FALSE(fs::exists(world.temp.programFolder() / "equipmentlist.txt"));
    EXPECT_TRUE(form->controls().butNewConsist->isEnabled());
}

TEST_F(WriteFailureTest, AFailedNotFoundListIsReportedAndTheConsistsAreStillListed) {
    start(testing::recordLine(unit("diesel", "Class 20")));
    world.messages.queue(MessageAnswer::OK);
    // A line of one unit, saved through the window.
    form->controls().List1->setCurrentRow(0);
    emit form->controls().List1->itemClicked(form->controls().List1->item(0));
    form->controls().butAddLocoRight->click();
    form->controls().Text1->setText(QStringLiteral("Kept"));
    form->controls().mnuSaveConsistToVTUserConsists->trigger();
    // The unit leaves the catalogue: the next read reports it missing and writes notfound.txt.
    form.reset();
    failing.failOn(FailingFiles::Operation::Replace, "notfound.txt", "Permission denied");
    start(testing::recordLine(unit("diesel", "Other")));
    world.messages.clear();
    world.messages.queue(MessageAnswer::OK);
    world.messages.queue(MessageAnswer::OK);
    form->controls().mnuOpenVTUserConsists->trigger();
    ASSERT_EQ(world.messages.texts().size(), 2u);
    EXPECT_EQ(world.messages.texts()[1], "Could not write " +
                                             (world.temp.programFolder() / "notfound.txt").string() +
                                             ".\r\n\r\nPermission denied");
    EXPECT_EQ(form->controls().List3->count(), 1);
    EXPECT_FALSE(fs::exists(world.temp.programFolder() / "notfound.txt"));
}

} // namespace
} // namespace dovrel
