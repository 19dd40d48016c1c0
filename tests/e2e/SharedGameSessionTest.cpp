// SPDX-License-Identifier: GPL-3.0-or-later
// Two copies of the editor with program folders of their own on one game, and the game's file under
// the limits of the system: no save that says "Consist saved." is lost, no failure goes unsaid.
#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <sstream>
#include <sys/resource.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::EditorResult;
using testing::fileText;
using testing::TempFolder;
using testing::unit;

// The texts of the messages a session showed, in order, from the lines it wrote to standard error.
std::vector<std::string> messagesOf(const EditorResult& result) {
    std::vector<std::string> texts;
    std::istringstream lines(result.standardError);
    for (std::string line; std::getline(lines, line);) {
        const QJsonObject object = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
        if (object.contains(QStringLiteral("message"))) {
            texts.push_back(
                object[QLatin1String("message")].toObject()[QLatin1String("text")].toString().toStdString());
        }
    }
    return texts;
}

// A program folder with a two-unit catalogue in its cache, pointed at the game.
void prepareCopy(const TempFolder& folder, EditorProcess& editor, const fs::path& game) {
    folder.write("program/equipmentlist.txt",
                 testing::cacheText({unit("diesel", "Class 20"), unit("freight", "Hopper")}));
    editor.storeGameFolder(game);
}

class SharedGameSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(game() / "Content" / "Routes");
        fs::create_directories(game() / "Assets");
        prepareCopy(first, firstEditor, game());
        prepareCopy(second, secondEditor, game());
    }

    fs::path game() const { return first.gameFolder(); }
    fs::path gameFile() const { return game() / "Content" / "ConsistTemplates.bin"; }

    // Saves the consist of one unit under each name in turn.
    static std::string savesOf(const std::vector<std::string>& names) {
        std::string script = "choose List1 #0\nclick butAddLocoRight\n";
        for (const std::string& name : names) {
            script += "type Text1 " + name + "\nclick mnuSaveConsistToVTUserConsists\n";
        }
        return script;
    }

    // The names of the user consists listed from the game's file.
    std::vector<std::string> listedNames() {
        const EditorResult result = firstEditor.runScript("click mnuOpenVTUserConsists\ndump " +
                                                          firstEditor.dumpFile().string() + "\n");
        EXPECT_EQ(result.exitCode, 0) << result.standardError;
        std::vector<std::string> names;
        const QJsonObject list =
            firstEditor.readDump()[QLatin1String("controls")].toObject()[QLatin1String("List3")].toObject();
        for (const QJsonValue& row : list[QLatin1String("items")].toArray()) {
            names.push_back(row.toString().section(QLatin1Char('\t'), 1).toStdString());
        }
        return names;
    }

    TempFolder first;
    TempFolder second;
    EditorProcess firstEditor{first};
    EditorProcess secondEditor{second};
};

// Both copies save at once through a converter that takes a random while, so their reads and writes
// of the game's file interleave differently on every run.
TEST_F(SharedGameSessionTest, TwoCopiesSavingAtOnceLoseNoSave) {
    const fs::path converter = first.write(
        "tools/serz", "#!/bin/sh\nsleep 0.0$(od -An -N1 -tu1 /dev/urandom | tr -dc 0-9 | cut -c1)\n"
                      "exec \"" +
                          testing::serzExecutable().string() + "\" \"$@\"\n");
    fs::permissions(converter, fs::perms::owner_all);
    std::vector<std::string> firstNames(8), secondNames(8);
    for (int k = 0; k < 8; ++k) {
        firstNames[k] = "First " + std::to_string(k), secondNames[k] = "Second " + std::to_string(k);
    }
    const auto run = [&converter](EditorProcess& editor, const std::vector<std::string>& names) {
        editor.setEnvironment("DOVREL_SERZ", converter.string());
        return editor.runScript(savesOf(names));
    };
    auto firstRun = std::async(std::launch::async, run, std::ref(firstEditor), std::cref(firstNames));
    auto secondRun = std::async(std::launch::async, run, std::ref(secondEditor), std::cref(secondNames));
    const EditorResult results[] = {firstRun.get(), secondRun.get()};

    std::vector<std::string> said;
    for (const auto& [result, names] :
         {std::pair{results[0], firstNames}, std::pair{results[1], secondNames}}) {
        ASSERT_EQ(result.exitCode, 0) << result.standardError;
        const std::vector<std::string> messages = messagesOf(result);
        ASSERT_EQ(messages.size(), names.size()) << result.standardError;
        for (std::size_t k = 0; k < names.size(); ++k) {
            if (messages[k] == "Consist saved.") {
                said.push_back(names[k]);
            }
        }
    }
    const std::vector<std::string> listed = listedNames();
    for (const std::string& name : said) {
        EXPECT_EQ(std::count(listed.begin(), listed.end(), name), 1) << name;
    }
    EXPECT_EQ(said.size(), firstNames.size() + secondNames.size()) << "each waited for the other";
}

// Under a file-size limit too small for the converted document, a save fails with its message, the
// program carries on and the game's file stays as it was.
TEST_F(SharedGameSessionTest, ASaveBeyondTheFileSizeLimitSaysSoAndChangesNothing) {
    ASSERT_EQ(firstEditor.runScript(savesOf({"Alpha", "Beta"})).exitCode, 0);
    const std::string before = fileText(gameFile());
    ASSERT_FALSE(before.empty());

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = before.size() + 16; // the copy of the game's file fits, its XML does not
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const EditorResult result = firstEditor.runScript(savesOf({"Gamma"}));
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(result.exitCode, 0) << result.standardError;
    const std::vector<std::string> messages = messagesOf(result);
    ASSERT_EQ(messages.size(), 1u) << result.standardError;
    EXPECT_TRUE(messages[0].starts_with("Operation aborted.")) << messages[0];
    EXPECT_EQ(fileText(gameFile()), before);
}

} // namespace
} // namespace dovrel
