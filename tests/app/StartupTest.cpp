#include "app/BusyScope.h"
#include "app/Form1.h"
#include "consist/ConsistEdit.h"
#include "consist/ConsistEditor.h"
#include "platform/qt/TextConversion.h"
#include "support/AppWorld.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::AppWorld;

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
    const struct {
        int width, height;
        bool passes;
    } cases[] = {{1023, 768, false}, {1024, 767, false}, {1024, 768, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        world.messages.clear();
        if (!c.passes) {
            world.messages.queue(MessageAnswer::OK);
        }
        Form1 form(servicesWith({c.width, c.height}));
        EXPECT_EQ(form.startBeforeShow(), c.passes ? std::nullopt : std::optional<int>(1));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Dovrel Consist Editor  v1 build 204"));
        const std::vector<std::string> refusal = {
            "Program requires a screen resolution of 1024 x 768 or greater.Terminating."};
        EXPECT_EQ(world.messages.texts(), c.passes ? std::vector<std::string>{} : refusal);
        if (!c.passes) {
            EXPECT_EQ(world.messages.shown()[0].icon, MessageIcon::Error);
            EXPECT_EQ(world.messages.shown()[0].buttons, MessageButtons::OK);
        }
    }
    EXPECT_TRUE(fs::is_directory(world.temp.programFolder() / "Temp"));
}

// Nothing stored gives imperial tons, checked and not written back; a choice is written every time
// and comes back at the next start.
TEST_F(StartupTest, TheWeightUnitIsRestoredCheckedAndWrittenOnlyWhenChosen) {
    {
        Form1 form(servicesWith());
        ASSERT_EQ(form.startBeforeShow(), std::nullopt);
        EXPECT_EQ(form.unitWeight(), "imperialtons2240");
        EXPECT_TRUE(form.controls().mnuImperialTons2240->isChecked());
        EXPECT_EQ(world.settings.writes(), 0);
        form.controls().mnuMetric->trigger();
        form.controls().mnuMetric->trigger();
        EXPECT_EQ(world.settings.writes(), 2);
        EXPECT_FALSE(form.controls().mnuImperialTons2240->isChecked());
    }
    Form1 restarted(servicesWith());
    ASSERT_EQ(restarted.startBeforeShow(), std::nullopt);
    EXPECT_EQ(restarted.unitWeight(), "metric");
    EXPECT_TRUE(restarted.controls().mnuMetric->isChecked());
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
        EXPECT_EQ(world.messages.shown()[0].buttons, MessageButtons::OK);
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
    EXPECT_EQ(form.controls().List1->count(), 0);
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
    // The scan of an empty asset tree leaves a cache file behind.
    EXPECT_TRUE(fs::exists(world.temp.programFolder() / "equipmentlist.txt"));
}

TEST_F(StartupTest, LocateStoresTheFolderOfAnyExecutableAndACancelChangesNothing) {
    world.messages.queue(MessageAnswer::OK); // the hint at start-up
    Form1 form(servicesWith());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();

    world.fileDialogs.queue(std::nullopt);
    form.controls().mnuLocateGameEXE->trigger();
    EXPECT_EQ(world.settings.value("GameFolder"), std::nullopt);
    ASSERT_EQ(world.fileDialogs.shown().size(), 1u);
    EXPECT_EQ(world.fileDialogs.shown()[0].folder, world.temp.programFolder());

    // Not a game installation: stored all the same, then reported.
    const fs::path elsewhere = world.temp.path() / "Elsewhere";
    fs::create_directories(elsewhere);
    world.fileDialogs.queue(elsewhere / "tool.exe");
    world.messages.queue(MessageAnswer::OK);
    form.controls().mnuLocateGameEXE->trigger();
    EXPECT_EQ(world.settings.value("GameFolder"), elsewhere.string());
    EXPECT_EQ(world.messages.texts().back(),
              "Folder path to \\Content not found.\r\n\r\nCheck game folder path.");

    // The next dialog starts in the stored folder.
    const fs::path game = world.makeGameFolder();
    world.fileDialogs.queue(game / "Vantor.exe");
    form.controls().mnuLocateGameEXE->trigger();
    EXPECT_EQ(world.fileDialogs.shown()[2].folder, elsewhere);
    EXPECT_EQ(form.folders().assetsFolder, game / "Assets");
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
    const fs::path cache = world.temp.programFolder() / "equipmentlist.txt";
    world.temp.write("program/equipmentlist.txt", "kept");

    // Locate.
    putUnitIntoLine(form);
    world.messages.queue(c.answer);
    world.fileDialogs.queue(game / "Vantor.exe");
    form.controls().mnuLocateGameEXE->trigger();
    EXPECT_EQ(world.fileDialogs.shown().size(), c.proceeds ? 1u : 0u);
    EXPECT_EQ(form.editor().line().unitCount(), c.proceeds ? 0 : 1);

    // Refresh.
    if (c.proceeds) {
        putUnitIntoLine(form);
    }
    world.temp.write("program/equipmentlist.txt", "kept");
    world.messages.queue(c.answer);
    form.controls().mnuRefreshEquipmentList->trigger();
    EXPECT_EQ(testing::fileText(cache) == "kept", !c.proceeds);
    EXPECT_EQ(form.editor().line().unitCount(), c.proceeds ? 0 : 1);

    // Close.
    if (c.proceeds) {
        putUnitIntoLine(form);
    }
    form.show();
    world.messages.queue(c.answer);
    EXPECT_EQ(form.close(), c.proceeds);
    for (const auto& shown : world.messages.shown()) {
        EXPECT_EQ(shown.text, kQuestion);
        EXPECT_EQ(shown.icon, MessageIcon::None);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNoCancel);
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

// The first start on a generated installation, watched through the progress bar's own signal.
TEST(ScanProgressBar, CountsTheBlueprintsWhileTheStartScanRunsAndHidesAfterwards) {
    AppWorld world;
    QProcess generator;
    generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                    {QString::fromStdString(world.temp.gameFolder().string())});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0);
    world.settings.setValue("GameFolder", world.temp.gameFolder().string());
    for (int i = 0; i < 100; ++i) {
        world.messages.queue(MessageAnswer::OK); // the sample's broken blueprints
    }
    Form1 form(world.services());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QProgressBar* bar = form.controls().prgScan;
    ASSERT_TRUE(bar->isHidden());
    struct Drawn {
        int value, maximum;
        bool visible;
        std::string text;
    };
    std::vector<Drawn> drawn;
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        drawn.push_back({value, bar->maximum(), bar->isVisible(), typedText(bar->text())});
    });

    form.startAfterShow();

    // The count of blueprints found may grow while the walk goes on beside the conversions.
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_EQ(drawn.front().value, 0);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_TRUE(drawn[i].visible) << i;
        EXPECT_TRUE(i == 0 ||
                    (drawn[i].value > drawn[i - 1].value && drawn[i].maximum >= drawn[i - 1].maximum))
            << i;
    }
    const int found = drawn.back().maximum;
    EXPECT_GT(found, 50);
    EXPECT_EQ(drawn.back().value, found);
    EXPECT_EQ(drawn.back().text, std::to_string(found) + " of " + std::to_string(found) + " blueprints");
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(world.messages.shown().empty());
}

} // namespace
} // namespace dovrel
