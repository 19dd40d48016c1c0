#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QLockFile>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;

const std::string kHint = "Important!\r\n\r\nSet up game folder path in Edit|Preferences.";

std::vector<std::string> messageTexts(const QJsonObject& dump) {
    std::vector<std::string> texts;
    for (const QJsonValue& message : dump.value(QStringLiteral("messages")).toArray()) {
        texts.push_back(message.toObject().value(QStringLiteral("text")).toString().toStdString());
    }
    return texts;
}

fs::path makeGame(const TempFolder& temp) {
    fs::create_directories(temp.gameFolder() / "Content" / "Routes");
    fs::create_directories(temp.gameFolder() / "Assets");
    return temp.gameFolder();
}

struct ScreenCase {
    const char* size;
    int exitCode;
};

class ScreenTest : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(ScreenTest, ScreensBelow1024By768AreRefused) {
    TempFolder temp;
    EditorProcess editor(temp);
    editor.setScreen(GetParam().size);
    const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    EXPECT_EQ(result.exitCode, GetParam().exitCode) << result.standardError;
    const bool refused = result.standardError.find(
                             "Program requires a screen resolution of 1024 x 768 or greater.Terminating.") !=
                         std::string::npos;
    EXPECT_EQ(refused, GetParam().exitCode == 1) << result.standardError;
    EXPECT_EQ(fs::exists(editor.dumpFile()), GetParam().exitCode == 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScreenTest,
                         ::testing::Values(ScreenCase{"1023x768", 1}, ScreenCase{"1024x767", 1},
                                           ScreenCase{"1024x768", 0}));

TEST(ScriptSession, AMissingOrNonExecutableConverterEndsTheProgram) {
    TempFolder temp;
    const fs::path notExecutable = temp.write("tools/serz", "#!/bin/sh\n");
    for (const fs::path& converter : {temp.path() / "nowhere" / "serz", notExecutable}) {
        EditorProcess editor(temp);
        editor.setEnvironment("DOVREL_SERZ", converter.string());
        const auto result = editor.runScript("dump\n");
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(
            result.standardError.find("serz program not found in " + converter.parent_path().string() + "."),
            std::string::npos)
            << result.standardError;
        EXPECT_EQ(result.standardOutput, "");
    }
}

TEST(ScriptSession, ASecondCopySharingTheProgramFolderEndsSilently) {
    TempFolder temp;
    QLockFile running(QString::fromStdString((temp.programFolder() / "dovrel-consist-editor.lock").string()));
    ASSERT_TRUE(running.tryLock(0));
    EditorProcess editor(temp);
    const auto result = editor.runScript("dump\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(result.standardError.find("message"), std::string::npos);
}

TEST(ScriptSession, AnEmptyGameFolderShowsOnlyTheHint) {
    TempFolder temp;
    EditorProcess editor(temp);
    const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    EXPECT_EQ(messageTexts(dump), std::vector<std::string>{kHint});
    const QJsonObject message = dump.value(QStringLiteral("messages")).toArray().at(0).toObject();
    EXPECT_EQ(message.value(QStringLiteral("icon")).toString(), QStringLiteral("information"));
    EXPECT_TRUE(message.value(QStringLiteral("unanswered")).toBool());
    EXPECT_EQ(dump.value(QStringLiteral("caption")).toString(),
              QStringLiteral("Dovrel Consist Editor  v1 build 204"));
    // The message also went to standard error as it was shown.
    EXPECT_NE(result.standardError.find("{\"message\":"), std::string::npos);
}

TEST(ScriptSession, LocateTakesTheQueuedFileDialogResult) {
    TempFolder temp;
    const fs::path game = makeGame(temp);
    EditorProcess editor(temp);
    const auto result =
        editor.runScript("file-dialog " + (game / "Vantor.exe").string() +
                         "\nclick mnuLocateGameEXE\nfile-dialog cancel\nclick mnuLocateGameEXE\n"
                         "click mnuLocateGameEXE\ndump " +
                         editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    EXPECT_EQ(
        dump.value(QStringLiteral("settings")).toObject().value(QStringLiteral("GameFolder")).toString(),
        QString::fromStdString(game.string()));
    const QJsonArray dialogs = dump.value(QStringLiteral("fileDialogs")).toArray();
    ASSERT_EQ(dialogs.size(), 3);
    EXPECT_EQ(dialogs.at(0).toObject().value(QStringLiteral("title")).toString(),
              QStringLiteral("Locate Vantor Game File (Vantor.exe)"));
    EXPECT_EQ(dialogs.at(0).toObject().value(QStringLiteral("filter")).toString(),
              QStringLiteral("Executable files (*.exe)|*.exe"));
    EXPECT_TRUE(dialogs.at(1).toObject().value(QStringLiteral("result")).isNull());
    EXPECT_TRUE(dialogs.at(2).toObject().value(QStringLiteral("result")).isNull())
        << "nothing queued: cancelled";
    EXPECT_EQ(dump.value(QStringLiteral("state")).toObject().value(QStringLiteral("gameFolder")).toString(),
              QString::fromStdString(game.string()));
    EXPECT_TRUE(dump.value(QStringLiteral("controls"))
                    .toObject()
                    .value(QStringLiteral("butNewConsist"))
                    .toObject()
                    .value(QStringLiteral("enabled"))
                    .toBool());
}

struct WrongLineCase {
    const char* name;
    std::string script;
    int line;
};

class WrongLineTest : public ::testing::TestWithParam<WrongLineCase> {};

TEST_P(WrongLineTest, ExitsTwoNamingTheLine) {
    TempFolder temp;
    EditorProcess editor(temp);
    editor.storeGameFolder(makeGame(temp));
    const auto result = editor.runScript(GetParam().script);
    EXPECT_EQ(result.exitCode, 2) << result.standardError;
    EXPECT_NE(result.standardError.find("script line " + std::to_string(GetParam().line) + ":"),
              std::string::npos)
        << result.standardError;
}

INSTANTIATE_TEST_SUITE_P(Lines, WrongLineTest,
                         ::testing::Values(WrongLineCase{"unknownAction",
                                                         "# a comment\n\nfrobnicate Combo3\n", 3},
                                           WrongLineCase{"noSuchControl", "click butNowhere\n", 1},
                                           WrongLineCase{"missingArgument", "dump\nchoose Combo3\n", 2},
                                           WrongLineCase{"textNotAnItem", "choose Combo3 =#3\n", 1},
                                           WrongLineCase{"indexOutOfRange", "choose Combo3 #4\n", 1},
                                           WrongLineCase{"scrollOutOfRange", "scroll HScroll2 40000\n", 1},
                                           WrongLineCase{"badAnswer", "answer Maybe\n", 1},
                                           WrongLineCase{"badPressButton", "press Label1[0] sideways\n", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptSession, IndexesTextsAndCrLfLineEnds) {
    TempFolder temp;
    EditorProcess editor(temp);
    editor.storeGameFolder(makeGame(temp));
    const auto result = editor.runScript("choose Combo3 #3\r\nchoose Combo4 =Freight\r\ndump " +
                                         editor.dumpFile().string() + "\r\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject controls = editor.readDump().value(QStringLiteral("controls")).toObject();
    EXPECT_EQ(controls.value(QStringLiteral("Combo3")).toObject().value(QStringLiteral("current")).toInt(),
              3);
    EXPECT_EQ(controls.value(QStringLiteral("Combo3")).toObject().value(QStringLiteral("text")).toString(),
              QStringLiteral("Steam"));
    EXPECT_EQ(controls.value(QStringLiteral("Combo4")).toObject().value(QStringLiteral("text")).toString(),
              QStringLiteral("Freight"));
}

TEST(ScriptSession, AnUnreadableScriptExitsThree) {
    TempFolder temp;
    EditorProcess editor(temp);
    const auto result = editor.runArguments({"--script", (temp.path() / "missing.txt").string()});
    EXPECT_EQ(result.exitCode, 3);
}

TEST(ScriptSession, DumpToStandardOutputIsOneLine) {
    TempFolder temp;
    EditorProcess editor(temp);
    const auto result = editor.runScript("dump\n");
    ASSERT_EQ(result.exitCode, 0);
    ASSERT_TRUE(result.standardOutput.ends_with("}\n")) << result.standardOutput;
    EXPECT_EQ(std::count(result.standardOutput.begin(), result.standardOutput.end(), '\n'), 1);
    for (const char* member : {"\"caption\"", "\"controls\"", "\"state\"", "\"messages\"", "\"fileDialogs\"",
                               "\"settings\"", "\"cursor\":null", "\"openedFolders\"", "\"listedConsists\"",
                               "\"lastConverterResult\"", "\"Form4.ListView1\"", "\"Label3[0]\""}) {
        EXPECT_NE(result.standardOutput.find(member), std::string::npos) << member;
    }
}

} // namespace
} // namespace dovrel
