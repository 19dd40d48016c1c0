#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QProcess>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::fileText;
using testing::TempFolder;
using testing::unit;

std::vector<std::string> messageTexts(const QJsonObject& dump) {
    std::vector<std::string> texts;
    for (const QJsonValue& message : dump["messages"].toArray()) {
        texts.push_back(message.toObject()["text"].toString().toStdString());
    }
    return texts;
}

bool anyStartsWith(const std::vector<std::string>& texts, const std::string& start) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const std::string& text) { return text.starts_with(start); });
}

// A minimal installation with a two-unit catalogue in the cache, and a user-consist file holding
// two consists saved by the editor itself through the real converter.
class FaultsSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(temp.gameFolder() / "Content" / "Routes");
        fs::create_directories(temp.gameFolder() / "Assets");
        temp.write("program/equipmentlist.txt",
                   testing::cacheText({unit("diesel", "Class 20"), unit("freight", "Hopper")}));
        editor.storeGameFolder(temp.gameFolder());
    }

    void saveTwoConsists() {
        const auto result = editor.runScript("choose List1 #0\nclick butAddLocoRight\ntype Text1 Alpha\n"
                                             "click mnuSaveConsistToVTUserConsists\ntype Text1 Beta\n"
                                             "click mnuSaveConsistToVTUserConsists\n");
        ASSERT_EQ(result.exitCode, 0) << result.standardError;
        ASSERT_TRUE(fs::exists(gameFile()));
    }

    // A converter that converts .bin files to XML and fails every conversion back to .bin.
    void useConverterFailingBack(const std::string& failure) {
        const fs::path script =
            temp.write("tools/serz", "#!/bin/sh\ncase \"$1\" in *.xml) " + failure + " ;; esac\nexec \"" +
                                         testing::serzExecutable().string() + "\" \"$@\"\n");
        fs::permissions(script, fs::perms::owner_all);
        editor.setEnvironment("DOVREL_SERZ", script.string());
    }

    QJsonObject run(const std::string& script) {
        const auto result = editor.runScript(script + "dump " + editor.dumpFile().string() + "\n");
        EXPECT_EQ(result.exitCode, 0) << result.standardError;
        return editor.readDump();
    }

    fs::path gameFile() const { return temp.gameFolder() / "Content" / "ConsistTemplates.bin"; }

    TempFolder temp;
    EditorProcess editor{temp};
};

struct ConverterFailure {
    const char* name;
    const char* command;
};

class ConverterFailureTest : public FaultsSessionTest,
                             public ::testing::WithParamInterface<ConverterFailure> {};

TEST_P(ConverterFailureTest, SaveAndDeleteLeaveTheGamesFileAndKeepTheRejectedDocument) {
    saveTwoConsists();
    const std::string before = fileText(gameFile());
    useConverterFailingBack(GetParam().command);

    QJsonObject dump = run("choose List1 #0\nclick butAddLocoRight\ntype Text1 Gamma\n"
                           "click mnuSaveConsistToVTUserConsists\n");
    EXPECT_TRUE(anyStartsWith(messageTexts(dump), "Operation aborted.")) << messageTexts(dump).back();
    EXPECT_EQ(fileText(gameFile()), before);
    EXPECT_TRUE(fs::exists(temp.programFolder() / "Temp" / "error.xml"));
    EXPECT_NE(fileText(temp.programFolder() / "Temp" / "error.xml").find("Gamma"), std::string::npos);
    EXPECT_NE(dump["state"].toObject()["lastConverterResult"].toInt(), 0);

    dump = run("click mnuOpenVTUserConsists\nchoose List3 #0\nanswer Yes\nclick mnuDeleteConsist\n");
    EXPECT_TRUE(anyStartsWith(messageTexts(dump), "Operation aborted.")) << messageTexts(dump).back();
    EXPECT_EQ(fileText(gameFile()), before);
}

INSTANTIATE_TEST_SUITE_P(Converters, ConverterFailureTest,
                         ::testing::Values(ConverterFailure{"fails", "exit 3"},
                                           ConverterFailure{"killed", "kill -9 $$"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FaultsSessionTest, AReadOnlyGameFolderIsReportedAndNothingChanges) {
    saveTwoConsists();
    const std::string before = fileText(gameFile());
    editor.runUnprivileged();
    const QJsonObject dump =
        run("choose List1 #0\nclick butAddLocoRight\ntype Text1 Gamma\n"
            "click mnuSaveConsistToVTUserConsists\n"
            "click mnuOpenVTUserConsists\nchoose List3 #0\nanswer Yes\nclick mnuDeleteConsist\n");
    const std::vector<std::string> texts = messageTexts(dump);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [&](const std::string& text) {
                                return text.starts_with("Operation aborted.\r\n\r\nCould not write " +
                                                        gameFile().string() + ".");
                            }),
              2)
        << (texts.empty() ? std::string() : texts.back());
    EXPECT_EQ(fileText(gameFile()), before);
    EXPECT_EQ(dump["controls"].toObject()["List3"].toObject()["items"].toArray().size(), 2);
}

TEST_F(FaultsSessionTest, AnOddCacheFileLoadsWhatItHolds) {
    const std::string line = testing::recordLine(unit("diesel", "Class 20"));
    std::string big;
    for (int i = 0; i < 6000; ++i) {
        big += (i == 0 ? "" : "\r\n") + testing::recordLine(unit("diesel", "Loco " + std::to_string(i)));
    }
    const std::vector<std::pair<std::string, int>> cases = {
        {line + "\r\n" + line.substr(0, 25), 2}, // cut in the middle of a record
        {big, 5001},                             // more lines than slots
        {"\r\n" + line, 0},                      // an empty first slot ends the catalogue
    };
    for (const auto& [cache, records] : cases) {
        temp.write("program/equipmentlist.txt", cache);
        const QJsonObject dump = run("choose Combo3 #0\n");
        EXPECT_EQ(dump["state"].toObject()["catalogue"].toArray().size(), records);
        EXPECT_TRUE(dump["messages"].toArray().isEmpty());
    }
}

TEST_F(FaultsSessionTest, ABrokenUserConsistFileListsNothingAndIsNeverOverwritten) {
    const std::vector<std::string> contents = {std::string("SERZ\0\0\1\0\xFF\x50\xFF\xFF\x0A", 13),
                                               "<?xml version=\"1.0\"?>\r\nnot a binary file"};
    for (const std::string& content : contents) {
        temp.write("game/Content/ConsistTemplates.bin", content);
        const QJsonObject dump = run("click mnuOpenVTUserConsists\nchoose List1 #0\nclick butAddLocoRight\n"
                                     "type Text1 Gamma\nclick mnuSaveConsistToVTUserConsists\n");
        EXPECT_TRUE(dump["controls"].toObject()["List3"].toObject()["items"].toArray().isEmpty());
        EXPECT_TRUE(anyStartsWith(messageTexts(dump), "Operation aborted.\r\n\r\nCould not read"))
            << (messageTexts(dump).empty() ? std::string() : messageTexts(dump).back());
        EXPECT_EQ(fileText(gameFile()), content);
    }
}

TEST_F(FaultsSessionTest, OddFolderNamesLinkLoopsAndUnreadableFoldersDoNotStopTheScan) {
    // Blueprints from a generated installation, copied under odd names.
    TempFolder sample;
    QProcess generator;
    generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                    {QString::fromStdString((sample.path() / "game").string())});
    ASSERT_TRUE(generator.waitForFinished(120000));
    fs::path blueprint;
    for (const auto& entry : fs::recursive_directory_iterator(sample.path() / "game" / "Assets")) {
        if (entry.path().filename() == "dr220.bin") {
            blueprint = entry.path();
            break;
        }
    }
    ASSERT_FALSE(blueprint.empty());
    fs::remove(temp.programFolder() / "equipmentlist.txt");
    const fs::path product = temp.gameFolder() / "Assets" / "Odd Provider" / "Odd Product";
    const std::vector<std::pair<std::string, bool>> folders = {
        {"With Space", true},       {"With \"Quote\"", true}, {"With|Bar", false},
        {"With\\Backslash", false}, {"Bad\xE9UTF8", false},   {"Locked", false}};
    for (const auto& [name, _] : folders) {
        fs::create_directories(product / "RailVehicles" / name);
        fs::copy_file(blueprint, product / "RailVehicles" / name / "unit.bin");
    }
    fs::create_directory_symlink("..", product / "RailVehicles" / "With Space" / "loop");
    fs::permissions(product / "RailVehicles" / "Locked", fs::perms::owner_all);
    editor.runUnprivileged();
    const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    std::vector<std::string> paths;
    for (const QJsonValue& record : dump["state"].toObject()["catalogue"].toArray()) {
        const QStringList fields = record.toString().split(QLatin1Char('|'));
        paths.push_back(fields.value(4).toStdString());
    }
    for (const auto& [name, listed] : folders) {
        const std::string path = "RailVehicles\\" + name + "\\unit.xml";
        EXPECT_EQ(std::count(paths.begin(), paths.end(), path), listed ? 1 : 0) << name << "\n"
                                                                                << result.standardError;
    }
    EXPECT_TRUE(dump["messages"].toArray().isEmpty()) << messageTexts(dump).front();
}

} // namespace
} // namespace dovrel
