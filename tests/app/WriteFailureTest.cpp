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
    void start(const std::string& cache) {
        world.settings.setValue("GameFolder", world.makeGameFolder().string());
        world.temp.write("program/equipmentlist.txt", cache);
        form = std::make_unique<Form1>(world.servicesWith(failing));
        ASSERT_EQ(form->startBeforeShow(), std::nullopt);
        form->startAfterShow();
    }

    // A line of one unit named `name`, saved through the window.
    void saveConsist(const std::string& name) {
        form->controls().List1->setCurrentRow(0);
        emit form->controls().List1->itemClicked(form->controls().List1->item(0));
        if (form->editor().line().unitCount() == 0) {
            form->controls().butAddLocoRight->click();
        }
        form->controls().Text1->setText(QString::fromStdString(name));
        form->controls().mnuSaveConsistToVTUserConsists->trigger();
    }

    fs::path gameFile() const { return world.temp.gameFolder() / "Content" / "ConsistTemplates.bin"; }

    testing::AppWorld world;
    FailingFiles failing{world.files};
    std::unique_ptr<Form1> form;
};

const std::string kLine = testing::recordLine(unit("diesel", "Class 20"));

TEST_F(WriteFailureTest, AFailedCopyBackLeavesTheGamesFileAsItWas) {
    start(kLine);
    for (const char* name : {"First", "Second"}) {
        world.messages.queue(MessageAnswer::OK);
        saveConsist(name);
    }
    ASSERT_EQ(world.messages.texts(), (std::vector<std::string>{"Consist saved.", "Consist saved."}));
    const std::string before = testing::fileText(gameFile());
    ASSERT_FALSE(before.empty());

    failing.failOn(FailingFiles::Operation::Replace, "ConsistTemplates.bin", "No space left on device");
    world.messages.queue(MessageAnswer::OK);
    saveConsist("Third");
    EXPECT_EQ(world.messages.texts().back(), "Operation aborted.\r\n\r\nCould not write " +
                                                 gameFile().string() + ".\r\n\r\nNo space left on device");
    EXPECT_EQ(world.messages.shown().back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(testing::fileText(gameFile()), before);

    // Deleting meets the same failure and loses nothing either.
    form->controls().mnuOpenVTUserConsists->trigger();
    ASSERT_EQ(form->controls().List3->count(), 2);
    world.messages.queue(MessageAnswer::Yes);
    world.messages.queue(MessageAnswer::OK);
    form->controls().mnuDeleteConsist->trigger();
    EXPECT_EQ(testing::fileText(gameFile()), before);
    EXPECT_NE(world.messages.texts().back().find("Could not write"), std::string::npos);
}

TEST_F(WriteFailureTest, AFailedCacheWriteIsReportedAndTheCatalogueStillServes) {
    world.settings.setValue("GameFolder", world.makeGameFolder().string());
    failing.failOn(FailingFiles::Operation::Replace, "equipmentlist.txt", "Read-only file system");
    world.messages.queue(MessageAnswer::OK);
    form = std::make_unique<Form1>(world.servicesWith(failing));
    ASSERT_EQ(form->startBeforeShow(), std::nullopt);
    form->startAfterShow();
    ASSERT_EQ(world.messages.texts().size(), 1u);
    EXPECT_EQ(world.messages.texts()[0], "Could not write " +
                                             (world.temp.programFolder() / "equipmentlist.txt").string() +
                                             ".\r\n\r\nRead-only file system");
    EXPECT_FALSE(fs::exists(world.temp.programFolder() / "equipmentlist.txt"));
    EXPECT_TRUE(form->controls().butNewConsist->isEnabled());
}

TEST_F(WriteFailureTest, AFailedNotFoundListIsReportedAndTheConsistsAreStillListed) {
    start(kLine);
    world.messages.queue(MessageAnswer::OK);
    saveConsist("Kept");
    // The unit leaves the catalogue: the next read reports it missing and writes notfound.txt.
    form.reset();
    world.temp.write("program/equipmentlist.txt", testing::recordLine(unit("diesel", "Other")));
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
