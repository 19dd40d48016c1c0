// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BusyScope.h"
#include "app/Form1.h"
#include "app/SecondaryWindows.h"
#include "consist/ConsistEdit.h"
#include "consist/ConsistEditor.h"
#include "platform/doubles/FailingFiles.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"
#include "widgets/ListRowsView.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::AppWorld;
using testing::unit;

const std::string kHint = "Important!\r\n\r\nSet up game folder path in Edit|Preferences.";
const std::string kQuestion = "You are currently editing as consist.\r\n\r\nOkay to abandon?";

class StartupTest : public ::testing::Test {
protected:
    // A stand-in converter that only has to exist and be executable for start-up.
    Services servicesWith(ScreenSize screen = {1280, 1024}) {
        Services services = world.services(screen);
        services.converter = world.temp.write("bin/serz", "#!/bin/sh\nexit 0\n");
        fs::permissions(services.converter, fs::perms::owner_all);
        return services;
    }

    // Puts a unit into the consist line directly.
    static void putUnitIntoLine(Form1& form) {
        const std::string unit =
            "diesel|Class 66|Acme|Pack|RailVehicles\\c66.xml|a\\Buffer.xml|a\\Buffer.xml|Buffer|"
            "Buffer|66|120|||||||||None|0|0";
        ASSERT_EQ(form.editor().line().apply(InsertUnit{0, unit, {-1, 0}}), EditStatus::Applied);
    }

    AppWorld world;
};

TEST_F(StartupTest, RefusesScreensSmallerThan1024By768) {
    const std::vector<std::string> refusal = {
        "Program requires a screen resolution of 1024 x 768 or greater.Terminating."};
    for (const auto& [width, height, passes] :
         std::vector<std::tuple<int, int, bool>>{{1023, 768, false}, {1024, 767, false}, {1024, 768, true}}) {
        world.messages.clear();
        if (!passes) {
            world.messages.queue(MessageAnswer::OK);
        }
        Form1 form(servicesWith({width, height}));
        EXPECT_EQ(form.startBeforeShow(), passes ? std::nullopt : std::optional<int>(1)) << width;
        EXPECT_EQ(world.messages.texts(), passes ? std::vector<std::string>{} : refusal) << width;
        EXPECT_TRUE(passes || world.messages.shown()[0].icon == MessageIcon::Error);
    }
    EXPECT_TRUE(fs::is_directory(world.temp.programFolder() / "Temp"));
}

// Nothing stored gives imperial tons, checked and not written back; a choice is written every time
// and comes back at the next start.
TEST_F(StartupTest, TheWeightUnitIsRestoredCheckedAndWrittenOnlyWhenChosen) {
    {
        Form1 form(servicesWith());
        ASSERT_EQ(form.startBeforeShow(), std::nullopt);
        EXPECT_TRUE(form.controls().mnuImperialTons2240->isChecked());
        EXPECT_EQ(world.settings.writes(), 0);
        form.controls().mnuMetric->trigger();
        form.controls().mnuMetric->trigger();
        EXPECT_EQ(world.settings.writes(), 2);
    }
    Form1 restarted(servicesWith());
    ASSERT_EQ(restarted.startBeforeShow(), std::nullopt);
    EXPECT_TRUE(restarted.controls().mnuMetric->isChecked());
    EXPECT_FALSE(restarted.controls().mnuImperialTons2240->isChecked());
}

// Only the first failing check is reported; the window stays open with every command off.
TEST_F(StartupTest, AGameFolderWithoutItsFoldersIsReportedByTheFirstOneMissing) {
    const fs::path game = world.temp.path() / "Vantor Game";
    const std::string check = " not found.\r\n\r\nCheck game folder path.";
    const std::vector<std::pair<std::vector<const char*>, std::string>> cases = {
        {{},
         game.string() +
             "\r\n\r\nFolder path to game not found.\r\n\r\nSet up game folder path in Edit|Preferences."},
        {{"Assets"}, "Folder path to \\Content" + check},
        {{"Content"}, "Folder path to \\Content\\Routes" + check},
        {{"Content/Routes"}, "Folder path to \\Assets" + check},
    };
    world.settings.setValue("GameFolder", game.string());
    for (const auto& [folders, message] : cases) {
        fs::remove_all(game);
        for (const char* folder : folders) {
            fs::create_directories(game / folder);
        }
        world.messages.clear();
        world.messages.queue(MessageAnswer::OK);
        Form1 form(servicesWith());
        ASSERT_EQ(form.startBeforeShow(), std::nullopt);
        form.startAfterShow();
        ASSERT_EQ(world.messages.texts(), std::vector<std::string>{message});
        EXPECT_EQ(world.messages.shown()[0].icon, MessageIcon::Exclamation);
        EXPECT_FALSE(form.controls().butNewConsist->isEnabled());
        EXPECT_FALSE(form.controls().mnuOpenVTScenarioConsists->isEnabled());
        EXPECT_EQ(form.controls().Combo5->count(), 0);
    }
}

TEST_F(StartupTest, AnEmptyGameFolderShowsOnlyTheHintAndAnEmptyLineClosesWithoutAsking) {
    world.messages.queue(MessageAnswer::OK);
    Form1 form(servicesWith());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();
    ASSERT_EQ(world.messages.texts(), std::vector<std::string>{kHint});
    EXPECT_EQ(world.messages.shown()[0].icon, MessageIcon::Information);
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(world.messages.texts(), std::vector<std::string>{kHint});
}

// Without the user consist file its command stays off.
TEST_F(StartupTest, FixedNamesAreFoundInAnyLetterCase) {
    const fs::path game = world.temp.gameFolder();
    fs::create_directories(game / "content" / "ROUTES");
    fs::create_directories(game / "assets");
    world.settings.setValue("GameFolder", game.string());
    for (const bool withFile : {false, true}) {
        if (withFile) {
            world.temp.write("game/content/consisttemplates.bin", "SERZ");
        }
        Form1 form(servicesWith());
        ASSERT_EQ(form.startBeforeShow(), std::nullopt);
        form.startAfterShow();
        EXPECT_EQ(form.folders().routesFolder, game / "content" / "ROUTES");
        EXPECT_EQ(form.folders().assetsFolder, game / "assets");
        EXPECT_EQ(form.controls().mnuOpenVTUserConsists->isEnabled(), withFile);
        EXPECT_TRUE(form.controls().mnuOpenVTScenarioConsists->isEnabled());
    }
    EXPECT_TRUE(world.messages.shown().empty());
}

struct AbandonCase {
    MessageAnswer answer;
    bool proceeds;
};

class AbandonTest : public StartupTest, public ::testing::WithParamInterface<AbandonCase> {};

TEST_P(AbandonTest, LocateRefreshAndCloseAskBeforeDiscardingUnits) {
    const AbandonCase c = GetParam();
    const fs::path game = world.makeGameFolder();
    world.settings.setValue("GameFolder", game.string());
    Form1 form(servicesWith());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();
    form.show();
    world.fileDialogs.queue(game / "Vantor.exe");
    for (QAction* command : {form.controls().mnuLocateGameEXE, form.controls().mnuRefreshEquipmentList}) {
        if (form.editor().line().unitCount() == 0) {
            putUnitIntoLine(form);
        }
        world.temp.write("program/equipmentlist.txt", "kept");
        world.messages.queue(c.answer);
        command->trigger();
        EXPECT_EQ(form.editor().line().unitCount(), c.proceeds ? 0 : 1);
    }
    EXPECT_EQ(world.fileDialogs.shown().size(), c.proceeds ? 1u : 0u);
    EXPECT_EQ(testing::fileText(world.temp.programFolder() / "equipmentlist.txt") == "kept", !c.proceeds);
    if (c.proceeds) {
        putUnitIntoLine(form);
    }
    world.messages.queue(c.answer);
    EXPECT_EQ(form.close(), c.proceeds);
    for (const auto& shown : world.messages.shown()) {
        EXPECT_EQ(shown.text, kQuestion);
        EXPECT_EQ(std::pair(shown.icon, shown.buttons),
                  std::pair(MessageIcon::None, MessageButtons::YesNoCancel));
    }
    EXPECT_EQ(world.messages.shown().size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Answers, AbandonTest,
                         ::testing::Values(AbandonCase{MessageAnswer::Yes, true},
                                           AbandonCase{MessageAnswer::No, false},
                                           AbandonCase{MessageAnswer::Cancel, false}));

TEST_F(StartupTest, ALongOperationDropsClicksKeepsKeyUpsAndClosesAfterwards) {
    world.settings.setValue("GameFolder", world.makeGameFolder().string());
    Form1 form(servicesWith());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    int showFilterClicks = 0;
    QObject::connect(form.controls().butCouplingFilter, &QPushButton::clicked, [&] { ++showFilterClicks; });

    {
        const BusyScope busy(form.busyState());
        QTest::mouseClick(form.controls().butCouplingFilter, Qt::LeftButton);
        EXPECT_EQ(showFilterClicks, 0);

        // A dropped key press reaches nothing, the key state included.
        QTest::keyPress(form.controls().Text1, Qt::Key_Control);
        EXPECT_EQ(form.heldKeyCode(), 0);
        QTest::keyRelease(form.controls().Text1, Qt::Key_Control);

        EXPECT_FALSE(form.close());
        EXPECT_TRUE(form.isVisible());
    }
    EXPECT_FALSE(form.isVisible()) << "the close asked for during the operation happens at its end";

    form.show();
    QTest::keyPress(form.controls().Text1, Qt::Key_Control);
    EXPECT_EQ(form.heldKeyCode(), 17);
    {
        // A key that went down before the operation still comes up during it.
        const BusyScope busy(form.busyState());
        QTest::keyRelease(form.controls().Text1, Qt::Key_Control);
        EXPECT_EQ(form.heldKeyCode(), 0);
    }
    QTest::mouseClick(form.controls().butCouplingFilter, Qt::LeftButton);
    EXPECT_EQ(showFilterClicks, 1);
}

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
    emit form->controls().List1->clicked(form->controls().List1->model()->index(0, 0));
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
