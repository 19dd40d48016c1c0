#include "platform/SpawnProcessRunner.h"
#include "platform/qt/QtSettingsStore.h"
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdlib>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;

// Sets environment variables of this process, which a started editor inherits byte for byte, and
// puts the old values back afterwards.
class EnvironmentScope {
public:
    EnvironmentScope(std::initializer_list<std::pair<std::string, std::string>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name.c_str());
            saved_.push_back({name, old != nullptr, old != nullptr ? old : ""});
            ::setenv(name.c_str(), value.c_str(), 1);
        }
    }
    ~EnvironmentScope() {
        for (const Saved& saved : saved_) {
            saved.had ? ::setenv(saved.name.c_str(), saved.value.c_str(), 1) : ::unsetenv(saved.name.c_str());
        }
    }
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    struct Saved {
        std::string name;
        bool had;
        std::string value;
    };
    std::vector<Saved> saved_;
};

// The editor started with exact argument and environment bytes (no text conversion on the way).
int runEditor(const TempFolder& temp, const fs::path& programFolder,
              const std::vector<std::string>& arguments) {
    const EnvironmentScope environment{
        {"XDG_CONFIG_HOME", temp.configFolder().string()},
        {"DOVREL_PROGRAM_FOLDER", programFolder.string()},
        {"QT_QPA_PLATFORM", "offscreen:configfile=" DOVREL_SOURCE_DIR "/tests/screens/screen-1280x1024.json"},
        {"LC_ALL", "C.UTF-8"}};
    return SpawnProcessRunner().run(testing::editorExecutable(), arguments, false);
}

std::optional<std::string> storedGameFolder(const TempFolder& temp) {
    return QtSettingsStore(temp.configFolder() / "DovrelConsistEditor" / "DovrelConsistEditor.conf")
        .value("GameFolder");
}

TEST(OddPathsSession, TheGameFolderOptionStoresTheFolderExactlyAsLocateWould) {
    const std::vector<std::string> names = {"A, B",
                                            "back\\slash\\b",
                                            "\"quoted\" 'too'",
                                            " lead and trail ",
                                            "Z\xC3\xBCrich \xE2\x82\xAC",
                                            "\xE9t\xE9 latin",
                                            "semi;colon=eq#hash",
                                            "%percent [bracket]"};
    for (const std::string& name : names) {
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

// A program folder and a game folder whose names are not UTF-8: the scan, a save and the next
// start from the cache all work there.
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
        temp.write("script.txt", "choose List1 #0\nclick butAddLocoRight\ntype Text1 Odd\n"
                                 "answer Yes\nclick mnuSaveConsistToVTUserConsists\n"
                                 "click mnuOpenVTUserConsists\ndump " +
                                     dump.string() + "\n");
    ASSERT_EQ(runEditor(temp, program, {"--script", script.string()}), 0);
    EXPECT_TRUE(fs::exists(program / "equipmentlist.txt"));
    const std::string cache = testing::fileText(program / "equipmentlist.txt");

    // The next start loads the cache from the same folder and lists the saved consist.
    ASSERT_EQ(runEditor(temp, program, {"--script", script.string()}), 0);
    EXPECT_EQ(testing::fileText(program / "equipmentlist.txt"), cache);
    QFile file(QString::fromStdString(dump.string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object()["state"].toObject();
    EXPECT_FALSE(state["catalogue"].toArray().isEmpty());
    int odd = 0;
    for (const QJsonValue& row : state["listedConsists"].toArray()) {
        odd += row.toString().isEmpty() ? 0 : 1;
    }
    EXPECT_GE(odd, 1);
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

} // namespace
} // namespace dovrel
