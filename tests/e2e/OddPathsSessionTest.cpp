// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpawnProcessRunner.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <cstdlib>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;

// The editor started with exact argument and environment bytes (no text conversion on the way):
// the variables are set in this process, which the editor inherits; every session of this program
// sets all four anew.
int runEditor(const TempFolder& temp, const fs::path& programFolder,
              const std::vector<std::string>& arguments) {
    ::setenv("XDG_CONFIG_HOME", temp.configFolder().c_str(), 1);
    ::setenv("DOVREL_PROGRAM_FOLDER", programFolder.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM",
             "offscreen:configfile=" DOVREL_SOURCE_DIR "/tests/screens/screen-1280x1024.json", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
    return SpawnProcessRunner().run(testing::editorExecutable(), arguments, false);
}

std::optional<std::string> storedGameFolder(const TempFolder& temp) {
    return QtSettingsStore(temp.configFolder() / "DovrelConsistEditor" / "DovrelConsistEditor.conf")
        .value("GameFolder");
}

TEST(OddPathsSession, TheGameFolderOptionStoresTheFolderExactlyAsLocateWould) {
    for (const char* name : {"back\\slash, \"quoted\"", " lead;trail=# ", "\xE9t\xE9 %latin"}) {
        TempFolder temp;
        const fs::path folder = temp.path() / name;
        fs::create_directories(folder);
        EXPECT_EQ(runEditor(temp, temp.programFolder(), {"--set-game-folder", folder.string()}), 0) << name;
        EXPECT_EQ(storedGameFolder(temp), folder.string()) << name;
        EXPECT_FALSE(fs::exists(temp.programFolder() / "equipmentlist.txt")) << "nothing but the setting";
    }

    TempFolder temp;
    EXPECT_EQ(runEditor(temp, temp.programFolder(), {"--set-game-folder"}), 2);
    EXPECT_EQ(storedGameFolder(temp), std::nullopt);
}

// A program folder, a game folder and a script whose names are not UTF-8: the script is read, and
// the scan, a save and the next start from the cache all work there.
TEST(OddPathsSession, FoldersWhoseNamesAreNotUtf8Work) {
    TempFolder temp;
    const fs::path game = temp.path() / "game \xE9";
    const fs::path program = temp.path() / "program \xE9";
    ASSERT_EQ(
        SpawnProcessRunner().run(DOVREL_BIN_DIR "/make-sample-game", {game.string(), "--seed", "7"}, false),
        0);
    ASSERT_EQ(runEditor(temp, program, {"--set-game-folder", game.string()}), 0);

    const fs::path dump = temp.path() / "dump.json";
    const fs::path script =
        temp.write("script \xE9.txt", "choose List1 #0\nclick butAddLocoRight\ntype Text1 Odd\n"
                                      "answer Yes\nclick mnuSaveConsistToVTUserConsists\n"
                                      "click mnuOpenVTUserConsists\ndump " +
                                          dump.string() + "\n");
    ASSERT_EQ(runEditor(temp, program, {"--script", script.string()}), 0);
    EXPECT_TRUE(fs::exists(program / "equipmentlist.txt"));
    const std::string cache = testing::fileText(program / "equipmentlist.txt");

    // The next start loads the cache from the same folder and lists the saved consist.
    ASSERT_EQ(runEditor(temp, program, {"--script", script.string()}), 0);
    EXPECT_EQ(testing::fileText(program / "equipmentlist.txt"), cache);
    EXPECT_NE(testing::fileText(dump).find("\\tOdd\""), std::string::npos) << "the saved consist is listed";
}

TEST(OddPathsSession, AProgramFolderThatCannotBeUsedIsToldAndEndsTheStart) {
    TempFolder temp;
    const fs::path plainFile = temp.write("plain", "not a folder");
    EditorProcess editor(temp);
    editor.setEnvironment("DOVREL_PROGRAM_FOLDER", (plainFile / "program").string());
    const testing::EditorResult result = editor.runScript("dump\n");
    EXPECT_EQ(result.exitCode, 1) << result.standardError;
    EXPECT_NE(
        result.standardError.find("The program folder " + (plainFile / "program").string() +
                                  " cannot be used.\\r\\n\\r\\nNot a directory\\r\\n\\r\\nTerminating."),
        std::string::npos)
        << result.standardError;
    EXPECT_TRUE(result.standardOutput.empty()) << "no window, no dump";
}

// Blueprints of a generated installation copied under odd folder names, beside a link loop and a
// folder the editor (run unprivileged) cannot read: the scan lists what it may, without a message.
TEST(OddPathsSession, OddFolderNamesLinkLoopsAndUnreadableFoldersDoNotStopTheScan) {
    TempFolder temp;
    const fs::path sample = temp.path() / "sample";
    ASSERT_EQ(SpawnProcessRunner().run(DOVREL_BIN_DIR "/make-sample-game", {sample.string()}, false), 0);
    fs::path blueprint;
    for (const auto& entry : fs::recursive_directory_iterator(sample / "Assets")) {
        blueprint = entry.path().filename() == "dr220.bin" ? entry.path() : blueprint;
    }
    ASSERT_FALSE(blueprint.empty());
    fs::create_directories(temp.gameFolder() / "Content" / "Routes");
    const fs::path vehicles = temp.gameFolder() / "Assets" / "Odd Provider" / "Odd Product" / "RailVehicles";
    const std::vector<std::pair<std::string, bool>> folders = {
        {"With Space", true},       {"With \"Quote\"", true}, {"With|Bar", false},
        {"With\\Backslash", false}, {"Bad\xE9UTF8", false},   {"Locked", false}};
    for (const auto& [name, _] : folders) {
        fs::create_directories(vehicles / name);
        fs::copy_file(blueprint, vehicles / name / "unit.bin");
    }
    fs::create_directory_symlink("..", vehicles / "With Space" / "loop");
    fs::permissions(vehicles / "Locked", fs::perms::owner_all);
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    editor.runUnprivileged();
    const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    std::vector<std::string> paths;
    for (const QJsonValue& record :
         dump[QLatin1String("state")].toObject()[QLatin1String("catalogue")].toArray()) {
        paths.push_back(record.toString().split(QLatin1Char('|')).value(4).toStdString());
    }
    for (const auto& [name, listed] : folders) {
        EXPECT_EQ(std::count(paths.begin(), paths.end(), "RailVehicles\\" + name + "\\unit.xml"),
                  listed ? 1 : 0)
            << name << "\n"
            << result.standardError;
    }
    EXPECT_TRUE(dump[QLatin1String("messages")].toArray().isEmpty()) << result.standardError;
}

} // namespace
} // namespace dovrel
