// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SteamLibraries.h"
#include "support/SteamHome.h"
#include "support/TempFolder.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::makeSteamGame;
using testing::steamFolderIn;
using testing::writeLibraryList;

// Paths relative to the temporary folder; the home is "home", other libraries are below "elsewhere".
struct HomeCase {
    const char* what;
    std::function<void(const fs::path& home, const fs::path& elsewhere)> build;
    std::vector<fs::path> games;
    std::optional<fs::path> firstGamesFolder;
};

const fs::path kCommon = "home/.local/share/Steam/steamapps/common";

TEST(SteamLibraries, FindTheGameInstallationsOfEveryLibraryInOrder) {
    const std::vector<HomeCase> cases = {
        {"one library",
         [](const fs::path& home, const fs::path&) {
             makeSteamGame(steamFolderIn(home) / "steamapps/common/Vantor");
         },
         {kCommon / "Vantor"},
         kCommon},
        {"two libraries joined by the list; the link ~/.steam/steam and the list's own entry are one library",
         [](const fs::path& home, const fs::path& elsewhere) {
             makeSteamGame(elsewhere / "SteamLibrary/steamapps/common/Vantor");
             makeSteamGame(steamFolderIn(home) / "steamapps/common/Vantor Classic", "vantor.EXE");
             writeLibraryList(steamFolderIn(home),
                              {steamFolderIn(home), elsewhere / "SteamLibrary", "relative/x"});
             fs::create_directories(home / ".steam");
             fs::create_directory_symlink(steamFolderIn(home), home / ".steam/steam");
         },
         {kCommon / "Vantor Classic", "elsewhere/SteamLibrary/steamapps/common/Vantor"},
         kCommon},
        {"a library holding folders that are not the game, in listing order",
         [](const fs::path& home, const fs::path&) {
             const fs::path common = steamFolderIn(home) / "steamapps/common";
             makeSteamGame(common / "beta");
             makeSteamGame(common / "Alpha");
             fs::create_directories(common / "Tools/Content/Routes");
             std::ofstream(common / "Tools/tool.exe") << "MZ";
             makeSteamGame(common / "NoProgram", "readme.txt");
             makeSteamGame(common / "Folder.exe/inner");
             std::ofstream(common / "Loose.exe") << "MZ";
         },
         {kCommon / "Alpha", kCommon / "beta"},
         kCommon},
        {"a malformed list is passed over; the Flatpak's library is still searched",
         [](const fs::path& home, const fs::path& elsewhere) {
             makeSteamGame(elsewhere / "SteamLibrary/steamapps/common/Vantor");
             writeLibraryList(steamFolderIn(home), {elsewhere / "SteamLibrary"});
             std::ofstream(steamFolderIn(home) / "steamapps/libraryfolders.vdf", std::ios::app) << "}";
             makeSteamGame(home /
                           ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Vantor");
         },
         {"home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common/Vantor"},
         "home/.var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/common"},
        {"no Steam at all",
         [](const fs::path& home, const fs::path&) { fs::create_directories(home); },
         {},
         {}},
    };
    for (const HomeCase& c : cases) {
        testing::TempFolder temp;
        c.build(temp.path() / "home", temp.path() / "elsewhere");
        const SteamLibraries steam(temp.path() / "home");
        std::vector<fs::path> expected;
        for (const fs::path& game : c.games) {
            expected.push_back(temp.path() / game);
        }
        EXPECT_EQ(steam.gameFolders(), expected) << c.what;
        EXPECT_EQ(steam.firstGamesFolder(),
                  c.firstGamesFolder ? std::optional(temp.path() / *c.firstGamesFolder) : std::nullopt)
            << c.what;
    }
}

} // namespace
} // namespace dovrel
