// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/BackupNames.h"
#include "support/TempFolder.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::unit;

// The main window on one loco, saving through its menu, with the restore window driven by clicks.
class RestoreWindowTest : public testing::WindowTest {
protected:
    void save(const char* name) {
        c().Text1->clear();
        QTest::keyClicks(c().Text1, QString::fromLatin1(name));
        world.messages.queue(MessageAnswer::OK);
        c().mnuSaveConsistToVTUserConsists->trigger();
        ASSERT_EQ(world.messages.texts().back(), "Consist saved.");
    }
    QWidget* control(const char* address) { return form->namedControls().find(address)->widget(); }
    QListWidget* list() { return static_cast<QListWidget*>(control("FormRestore.lstBackups")); }
    std::string row(int k) { return list()->item(k)->text().toStdString(); }
    std::string chosen() { return list()->currentItem() ? list()->currentItem()->text().toStdString() : ""; }
    fs::path gameFile() const { return world.temp.gameFolder() / "Content" / "ConsistTemplates.bin"; }
};

TEST_F(RestoreWindowTest, TheListFollowsTheCopiesKeepsTheChosenOneAndGreysAnUnreadableOne) {
    start({unit("diesel", "Loco A")});
    clickRow(c().List1, 0);
    QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    save("One");
    save("Two");    // keeps copy #1, holding One
    fs::path first; // the one copy so far, #1
    for (const fs::directory_entry& entry :
         fs::recursive_directory_iterator(world.temp.programFolder() / "Backups")) {
        if (parseNumberedBackupName(entry.path().filename().string())) {
            first = entry.path();
        }
    }
    const fs::path folder = first.parent_path();
    const std::string one = fileText(first);
    // Copies #2 to #19 hold One and Two; #0 is no consist file at all.
    std::ofstream(folder / numberedBackupFileName({0, 0})) << "not a consist file";
    for (std::uint64_t k = 2; k < 20; ++k) {
        fs::copy_file(gameFile(), folder / numberedBackupFileName({0, k}));
    }

    c().mnuRestoreUserConsists->trigger();
    ASSERT_TRUE(list()->window()->isVisible());
    ASSERT_EQ(list()->count(), 20);
    EXPECT_EQ(row(19), "1970-01-01 00:00:00 #0  unreadable copy");
    EXPECT_FALSE(list()->item(19)->flags() & Qt::ItemIsEnabled);
    testing::WindowTest::clickRow(list(), 18);
    EXPECT_TRUE(chosen().ends_with("#1  (1)  One")) << chosen();
    testing::WindowTest::clickRow(list(), 19);
    EXPECT_TRUE(chosen().ends_with("#1  (1)  One")) << "a greyed copy cannot be chosen";

    // Two saves while the window is open: listed at once; the oldest copy, chosen, is not pruned.
    save("Three");
    save("Four");
    ASSERT_EQ(list()->count(), 21);
    EXPECT_TRUE(row(0).ends_with("#21  (3)  One, Two, Three")) << row(0);
    EXPECT_TRUE(chosen().ends_with("#1  (1)  One")) << chosen();

    world.messages.queue(MessageAnswer::Yes);
    world.messages.queue(MessageAnswer::OK);
    QTest::mouseClick(control("FormRestore.butRestore"), Qt::LeftButton);
    EXPECT_EQ(fileText(gameFile()), one);
    EXPECT_TRUE(row(0).ends_with("#22  (4)  One, Two, Three, Four")) << row(0);
    EXPECT_TRUE(chosen().ends_with("#1  (1)  One")) << "the copy put back stays chosen";

    // Once the window is closed, the copy is pruned like any other.
    QTest::mouseClick(control("FormRestore.butClose"), Qt::LeftButton);
    ASSERT_FALSE(list()->window()->isVisible());
    save("Five");
    EXPECT_FALSE(fs::exists(first));
}

} // namespace
} // namespace dovrel
