// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/CatalogueRecords.h"
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::fileText;
using testing::TempFolder;
using testing::unit;

// How many messages of the session start with the text.
long told(const QJsonObject& dump, const std::string& start) {
    const QJsonArray messages = dump[QLatin1String("messages")].toArray();
    return std::count_if(messages.begin(), messages.end(), [&](const QJsonValue& message) {
        return message.toObject()[QLatin1String("text")].toString().toStdString().starts_with(start);
    });
}

QStringList items(const QJsonObject& dump, const char* control) {
    QStringList texts;
    for (const QJsonValue& item : dump[QLatin1String("controls")]
                                      .toObject()[QLatin1String(control)]
                                      .toObject()[QLatin1String("items")]
                                      .toArray()) {
        texts << item.toString();
    }
    return texts;
}

// A minimal installation with a two-unit catalogue in the cache, and a user-consist file holding
// two consists saved by the editor itself through the real converter: what a failure must leave as
// it was, and what a backup puts back.
class FaultsSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(temp.gameFolder() / "Content" / "Routes");
        fs::create_directories(temp.gameFolder() / "Assets");
        temp.write("program/equipmentlist.txt",
                   testing::cacheText({unit("diesel", "Class 20"), unit("freight", "Hopper")}));
        editor.storeGameFolder(temp.gameFolder());
        const auto result = editor.runScript("choose List1 #0\nclick butAddLocoRight\ntype Text1 Alpha\n"
                                             "click mnuSaveConsistToVTUserConsists\ntype Text1 Beta\n"
                                             "click mnuSaveConsistToVTUserConsists\n");
        ASSERT_EQ(result.exitCode, 0) << result.standardError;
        ASSERT_TRUE(fs::exists(gameFile()));
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

// A converter that converts .bin files to XML and fails every conversion back to .bin.
TEST_F(FaultsSessionTest, SaveAndDeleteLeaveTheGamesFileAndKeepTheRejectedDocument) {
    const std::string before = fileText(gameFile());
    const fs::path script =
        temp.write("tools/serz", "#!/bin/sh\ncase \"$1\" in *.xml) exit 3 ;; esac\nexec \"" +
                                     testing::serzExecutable().string() + "\" \"$@\"\n");
    fs::permissions(script, fs::perms::owner_all);
    editor.setEnvironment("DOVREL_SERZ", script.string());

    QJsonObject dump = run("choose List1 #0\nclick butAddLocoRight\ntype Text1 Gamma\n"
                           "click mnuSaveConsistToVTUserConsists\n");
    EXPECT_GT(told(dump, "Operation aborted."), 0);
    EXPECT_EQ(fileText(gameFile()), before);
    EXPECT_NE(fileText(temp.programFolder() / "Temp" / "error.xml").find("Gamma"), std::string::npos);
    EXPECT_NE(dump[QLatin1String("state")].toObject()[QLatin1String("lastConverterResult")].toInt(), 0);

    dump = run("click mnuOpenVTUserConsists\nchoose List3 #0\nanswer Yes\nclick mnuDeleteConsist\n");
    EXPECT_GT(told(dump, "Operation aborted."), 0);
    EXPECT_EQ(fileText(gameFile()), before);
}

// Two saves, then the older file put back through File > Restore User Consists...
TEST_F(FaultsSessionTest, TheFileAsItWasBeforeASaveIsPutBackFromTheRestoreWindow) {
    const auto result = editor.runScript("click mnuRestoreUserConsists\ndump\nchoose FormRestore.lstBackups "
                                         "#0\nanswer Yes\nclick FormRestore.butRestore\n"
                                         "click mnuOpenVTUserConsists\ndump " +
                                         editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    // The first save made the file, so there was nothing to keep; the second kept "Alpha" alone.
    const QStringList backups =
        items(QJsonDocument::fromJson(QByteArray::fromStdString(result.standardOutput)).object(),
              "FormRestore.lstBackups");
    ASSERT_EQ(backups.size(), 1) << backups.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(backups[0].endsWith(QStringLiteral("  (1)  Alpha"))) << backups[0].toStdString();

    const QJsonObject after = editor.readDump();
    const QStringList rows = items(after, "List3");
    ASSERT_EQ(rows.size(), 1) << rows.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral("\tAlpha")));
    EXPECT_GT(told(after, "User consists restored from the copy of "), 0);
    // The file the restore replaced, holding both consists, is kept as well, in the game's own folder.
    const auto copies =
        std::count_if(fs::recursive_directory_iterator(temp.programFolder() / "Backups"),
                      fs::recursive_directory_iterator{}, [](const fs::directory_entry& entry) {
                          return entry.path().filename().string().starts_with("ConsistTemplates-") &&
                                 entry.path().parent_path().parent_path().filename() == "Backups";
                      });
    EXPECT_EQ(copies, 2);
}

} // namespace
} // namespace dovrel
