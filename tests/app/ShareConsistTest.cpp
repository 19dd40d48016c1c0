// SPDX-License-Identifier: GPL-3.0-or-later
// File > Export Consist... and Import Consist... on the real window, chosen with the mouse from the
// open File menu: the line written through the save dialog, and a file loaded into the line as one
// step of its history, the units not installed left out and named in one message.
#include "catalogue/EquipmentRecord.h"
#include "sharing/SharedConsistFile.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::fileText;
using testing::unit;

class ShareConsistTest : public testing::WindowTest {
protected:
    void SetUp() override { start({unit("diesel", "Loco A"), unit("diesel", "Loco B")}); }

    // Opens the File menu and clicks the item, as the user does.
    void chooseFromFileMenu(QAction* item) {
        QMenu* menu = c().mnuFile;
        menu->popup(form->mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }
    void addLoco(int row) {
        clickRow(c().List1, row);
        QTest::mouseClick(c().butAddLocoRight, Qt::LeftButton);
    }
    std::vector<std::string> names() const {
        std::vector<std::string> names;
        for (const std::string& unitText : form->editor().line().units()) {
            names.emplace_back(EquipmentRecord(unitText).field(RecordField::englishName));
        }
        return names;
    }
};

TEST_F(ShareConsistTest, AnExportedLineImportsBackAsOneStepWithoutUnitsNotInstalled) {
    EXPECT_FALSE(c().mnuExportConsist->isEnabled()) << "an empty line has nothing to export";
    EXPECT_TRUE(c().mnuImportConsist->isEnabled());
    addLoco(0);
    addLoco(1);
    QTest::keyClicks(c().Text1, QStringLiteral("Pair"));
    ASSERT_TRUE(c().mnuExportConsist->isEnabled());

    const std::filesystem::path chosen = world.temp.path() / "pair";
    world.fileDialogs.queue(chosen);
    chooseFromFileMenu(c().mnuExportConsist);
    ASSERT_EQ(world.fileDialogs.shown().size(), 1u);
    EXPECT_TRUE(world.fileDialogs.shown()[0].save);
    EXPECT_EQ(world.fileDialogs.shown()[0].filter, "Consist files (*.dovrel-consist)|*.dovrel-consist");
    const SharedConsistRead written = readSharedConsistFile(world.temp.path() / "pair.dovrel-consist");
    ASSERT_TRUE(written.consist) << written.error;
    EXPECT_EQ(written.consist->name, "Pair");
    ASSERT_EQ(written.consist->units.size(), 2u);

    // The same file with its second unit from another provider: that one is not installed.
    std::string text = fileText(world.temp.path() / "pair.dovrel-consist");
    text.replace(text.rfind("\"Acme\""), 6, "\"Other\"");
    const std::filesystem::path shared = world.temp.write("shared.dovrel-consist", text);
    world.messages.queue(MessageAnswer::Yes); // abandon the line
    QTest::mouseClick(c().butNewConsist, Qt::LeftButton);
    addLoco(1);
    world.messages.queue(MessageAnswer::Yes); // abandon it again for the import
    world.messages.queue(MessageAnswer::OK);
    world.fileDialogs.queue(shared);
    chooseFromFileMenu(c().mnuImportConsist);
    EXPECT_EQ(names(), std::vector<std::string>{"Loco A"});
    EXPECT_EQ(c().Text1->text(), QStringLiteral("Pair"));
    const auto& shown = world.messages.shown();
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(
        shown.back().text.starts_with("1 of the 2 units are not installed and were left out:\r\n\r\nLoco B"))
        << shown.back().text;
    EXPECT_EQ(shown.back().icon, MessageIcon::Exclamation);

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(names(), std::vector<std::string>{"Loco B"}) << "the import is one step";
}

TEST_F(ShareConsistTest, ABrokenFileLeavesTheLineAsItWasAndSaysWhy) {
    addLoco(0);
    world.messages.queue(MessageAnswer::Yes);
    world.messages.queue(MessageAnswer::OK);
    world.fileDialogs.queue(world.temp.write("broken.dovrel-consist", std::string(5000, '[')));
    chooseFromFileMenu(c().mnuImportConsist);
    EXPECT_EQ(names(), std::vector<std::string>{"Loco A"});
    ASSERT_FALSE(world.messages.shown().empty());
    EXPECT_NE(world.messages.shown().back().text.find("cannot be imported: the file is not valid JSON"),
              std::string::npos);
}

} // namespace
} // namespace dovrel
