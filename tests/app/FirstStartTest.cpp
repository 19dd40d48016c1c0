// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Form1.h"
#include "app/ScriptServices.h"
#include "app/SecondaryWindows.h"
#include "app/StateDump.h"
#include "support/AppWorld.h"
#include "support/CatalogueRecords.h"
#include "support/SteamHome.h"
#include "widgets/ListRowsView.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::AppWorld;
using testing::makeSteamGame;
using testing::steamFolderIn;

const std::string kHint = "Important!\r\n\r\nSet up game folder path in Edit|Preferences.";

std::string offerText(const fs::path& folder) {
    return "The game was found in:\r\n\r\n" + folder.string() + "\r\n\r\nUse this game folder?";
}

class FirstStartTest : public ::testing::Test {
protected:
    Services services() {
        Services services = world.services();
        services.converter = world.temp.write("bin/serz", "#!/bin/sh\nexit 0\n");
        fs::permissions(services.converter, fs::perms::owner_all);
        services.homeFolder = home;
        return services;
    }

    AppWorld world;
    fs::path home = world.temp.path() / "home";
};

struct OfferCase {
    std::vector<MessageAnswer> answers;
    std::optional<std::size_t> taken; // index of the installation taken
};

class SteamOfferTest : public FirstStartTest, public ::testing::WithParamInterface<OfferCase> {};

// Two installations, in the Steam folder and in a library its list names: each is offered in turn
// until one is taken, and that one is stored and checked as a chosen folder would be.
TEST_P(SteamOfferTest, EachSteamInstallationIsOfferedUntilOneIsTaken) {
    const OfferCase c = GetParam();
    const std::vector<fs::path> games = {steamFolderIn(home) / "steamapps/common/Vantor",
                                         world.temp.path() / "library/steamapps/common/Vantor"};
    makeSteamGame(games[0]);
    makeSteamGame(games[1]);
    testing::writeLibraryList(steamFolderIn(home), {world.temp.path() / "library"});
    for (const MessageAnswer answer : c.answers) {
        world.messages.queue(answer);
    }
    Form1 form(services());
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();

    const auto& shown = world.messages.shown();
    const std::size_t offered = c.taken ? *c.taken + 1 : games.size();
    ASSERT_EQ(shown.size(), c.taken ? offered : offered + 1);
    for (std::size_t i = 0; i < offered; ++i) {
        EXPECT_EQ(shown[i].text, offerText(games[i]));
        EXPECT_EQ(std::pair(shown[i].icon, shown[i].buttons),
                  std::pair(MessageIcon::Question, MessageButtons::YesNo));
    }
    if (c.taken) {
        EXPECT_EQ(world.settings.value("GameFolder"), games[*c.taken].string());
        EXPECT_EQ(form.folders().assetsFolder, games[*c.taken] / "Assets");
    } else {
        EXPECT_EQ(shown.back().text, kHint);
        EXPECT_EQ(world.settings.value("GameFolder"), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SteamOfferTest,
    ::testing::Values(OfferCase{{MessageAnswer::Yes}, 0},
                      OfferCase{{MessageAnswer::No, MessageAnswer::Yes}, 1},
                      OfferCase{{MessageAnswer::No, MessageAnswer::No, MessageAnswer::OK}, std::nullopt}));

TEST_F(FirstStartTest, LocateOpensInTheGameFolderElseTheFirstSteamLibraryElseTheHomeFolder) {
    const fs::path stored = world.makeGameFolder();
    const fs::path flatpakGames =
        home / ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common";
    fs::create_directories(home);
    const auto dialogFolder = [this] {
        Form1 form(services());
        form.locateGameExe();
        return world.fileDialogs.shown().back().folder;
    };
    EXPECT_EQ(dialogFolder(), home);
    fs::create_directories(flatpakGames);
    EXPECT_EQ(dialogFolder(), flatpakGames);
    world.settings.setValue("GameFolder", stored.string());
    EXPECT_EQ(dialogFolder(), stored);
}

// The client area keeps its size; the window takes what the screen offers and scrolls the rest.
TEST_F(FirstStartTest, AWindowLargerThanTheScreenScrollsToItsBottomMostControls) {
    world.settings.setValue("GameFolder", world.makeGameFolder().string());
    world.temp.write("program/equipmentlist.txt",
                     testing::cacheText({testing::unit("freight", "Coal Hopper")}));
    Services small = services();
    small.availableArea = {1093, 614};
    Form1 form(small);
    ASSERT_EQ(form.startBeforeShow(), std::nullopt);
    form.startAfterShow();
    auto* scroller = qobject_cast<QScrollArea*>(form.centralWidget());
    ASSERT_NE(scroller, nullptr);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(form.width() <= 1093 && form.height() <= 614);
    ListRowsView* wagons = form.controls().List2;
    QTest::mouseClick(wagons->viewport(), Qt::LeftButton, {}, wagons->rowRect(0).center());
    QPushButton* bottom = form.controls().butDisplayWagon;
    const auto pointOnBottom = [&] { return bottom->mapTo(&form, bottom->rect().center()); };
    EXPECT_GT(pointOnBottom().y(), form.height()) << "below the window until scrolled";

    scroller->verticalScrollBar()->setValue(scroller->verticalScrollBar()->maximum());
    const QPoint at = pointOnBottom();
    ASSERT_EQ(form.childAt(at), bottom);
    QTest::mouseClick(bottom, Qt::LeftButton, {}, bottom->mapFrom(&form, at));
    EXPECT_TRUE(form.unitDetails().isVisible());
    form.unitDetails().close();
}

TEST_F(FirstStartTest, AWindowThatFitsIsLeftAsItWasDumpIncluded) {
    ScriptMessageBoxes messages;
    ScriptFileDialogs fileDialogs;
    ScriptPointer pointer;
    ScriptFolderOpener folders;
    const auto shownWith = [&](ScreenSize available) {
        Services chosen = services();
        chosen.availableArea = available;
        auto form = std::make_unique<Form1>(chosen);
        EXPECT_EQ(form->startBeforeShow(), std::nullopt);
        form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        EXPECT_EQ(form->centralWidget(), form->clientArea());
        return std::pair(form->size(), stateDump(*form, {messages, fileDialogs, pointer, folders}));
    };
    const auto unknown = shownWith({});
    EXPECT_EQ(shownWith({unknown.first.width(), unknown.first.height()}), unknown) << "exactly its size";
}

} // namespace
} // namespace dovrel
