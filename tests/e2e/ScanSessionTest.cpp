// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;

// A generated installation scanned through the serz program (each run noted in a file): the
// catalogue, the messages and the cache file; the next start loads the cache without
// converting, and Refresh scans again to the same catalogue.
TEST(ScanSession, TheScanReadsTheWalkThroughTheConverterAndTheNextStartTheCache) {
    TempFolder temp;
    ASSERT_EQ(QProcess::execute(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                                {QString::fromStdString(temp.gameFolder().string()), QStringLiteral("--seed"),
                                 QStringLiteral("5")}),
              0);
    const fs::path runs = temp.path() / "runs";
    const fs::path converter =
        temp.write("tools/serz", "#!/bin/sh\necho run >> \"" + runs.string() + "\"\nexec \"" +
                                     testing::serzExecutable().string() + "\" \"$@\"\n");
    fs::permissions(converter, fs::perms::owner_all);
    const auto converterRuns = [&runs] {
        const std::string text = testing::fileText(runs);
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    };
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    editor.setEnvironment("DOVREL_SERZ", converter.string());
    const std::string dumpLine = "dump " + editor.dumpFile().string() + "\n";

    const auto result = editor.runScript(dumpLine);
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    const QJsonValue scanned = dump["state"].toObject()["catalogue"];
    const long records = scanned.toArray().size();
    std::set<std::string> listed;
    for (const QJsonValue& record : scanned.toArray()) {
        listed.insert(record.toString().split(QLatin1Char('|')).value(1).toStdString());
    }
    for (const auto& [name, present] :
         std::vector<std::pair<std::string, bool>>{{"DR 220 Diesel", true},
                                                   {"7F Tender", true},
                                                   {"Regio Control Car", false},
                                                   {"Gbs Box Van (eighth level)", false}}) {
        EXPECT_EQ(listed.count(name), present ? 1u : 0u) << name;
    }
    // The scan's notes (units without couplers, an unreadable blueprint) reach the message box.
    EXPECT_EQ(dump["messages"].toArray().size(), 4);

    // Every blueprint the walk reached went through the converter once.
    const int runsAfterScan = converterRuns();
    EXPECT_GT(runsAfterScan, records);
    const std::string cache = testing::fileText(temp.programFolder() / "equipmentlist.txt");
    EXPECT_EQ(std::count(cache.begin(), cache.end(), '\n') + 1, records);

    const auto again = editor.runScript(dumpLine);
    ASSERT_EQ(again.exitCode, 0) << again.standardError;
    EXPECT_EQ(converterRuns(), runsAfterScan) << "no conversion when the cache file exists";
    EXPECT_EQ(editor.readDump()["state"].toObject()["catalogue"], scanned);
    EXPECT_TRUE(editor.readDump()["messages"].toArray().isEmpty());

    ASSERT_EQ(editor.runScript("click mnuRefreshEquipmentList\n" + dumpLine).exitCode, 0);
    EXPECT_GT(converterRuns(), runsAfterScan);
    EXPECT_EQ(editor.readDump()["state"].toObject()["catalogue"], scanned);
}

// A generated installation in a folder below the test's own.
fs::path makeSampleGame(const TempFolder& temp, const std::string& name, const QStringList& options) {
    const fs::path game = temp.path() / name;
    EXPECT_EQ(QProcess::execute(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                                QStringList{QString::fromStdString(game.string())} + options),
              0);
    return game;
}

// The same installation scanned with the scan's messages shown and collected: with them collected
// no box appears, one window lists them, scanreport.txt holds the same rows, and everything else
// (catalogue, cache, every other control) is as with them shown, which is as before.
TEST(ScanSession, CollectedScanMessagesMakeOneReportAndChangeNothingElse) {
    TempFolder shownTemp;
    TempFolder collectedTemp;
    const fs::path game = makeSampleGame(shownTemp, "game", {QStringLiteral("--seed"), QStringLiteral("5")});
    const auto session = [&game](const TempFolder& temp, bool collect) {
        EditorProcess editor(temp);
        editor.storeGameFolder(game);
        if (collect) {
            editor.storeSetting("CollectScanMessages", "1");
        }
        const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
        EXPECT_EQ(result.exitCode, 0) << result.standardError;
        return editor.readDump();
    };
    QJsonObject shown = session(shownTemp, false);
    QJsonObject collected = session(collectedTemp, true);

    const QJsonArray messages = shown["messages"].toArray();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(collected["messages"].toArray().isEmpty());
    QJsonObject shownControls = shown["controls"].toObject();
    QJsonObject collectedControls = collected["controls"].toObject();
    EXPECT_FALSE(shownControls["FormScanReport"].toObject()["visible"].toBool());
    EXPECT_TRUE(collectedControls["FormScanReport"].toObject()["visible"].toBool());
    const QJsonArray rows = collectedControls["FormScanReport.lstScanReport"].toObject()["items"].toArray();
    ASSERT_EQ(rows.size(), messages.size());
    std::string reportText;
    for (int i = 0; i < rows.size(); ++i) {
        // The message's lines joined on one line, a tab, the blueprint's file below the assets.
        const QStringList row = rows[i].toString().split(QLatin1Char('\t'));
        ASSERT_EQ(row.size(), 2) << i;
        QStringList lines = messages[i].toObject()["text"].toString().split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        EXPECT_EQ(row[0], lines.replaceInStrings(QRegularExpression(QStringLiteral(" +$")), QString())
                              .join(QLatin1Char(' ')));
        EXPECT_TRUE(row[1].startsWith(QString::fromStdString((game / "Assets").string()) + QLatin1Char('/')))
            << row[1].toStdString();
        EXPECT_TRUE(fs::exists(row[1].toStdString())) << row[1].toStdString();
        reportText += rows[i].toString().toStdString() + "\n";
    }
    EXPECT_EQ(testing::fileText(collectedTemp.programFolder() / "scanreport.txt"), reportText);
    EXPECT_FALSE(fs::exists(shownTemp.programFolder() / "scanreport.txt"));
    EXPECT_EQ(testing::fileText(collectedTemp.programFolder() / "equipmentlist.txt"),
              testing::fileText(shownTemp.programFolder() / "equipmentlist.txt"));

    // Apart from the messages, the setting, the new item's check mark and the report window, the
    // two sessions are the same.
    EXPECT_FALSE(shownControls["mnuCollectScanMessages"].toObject()["checked"].toBool());
    EXPECT_TRUE(collectedControls["mnuCollectScanMessages"].toObject()["checked"].toBool());
    EXPECT_FALSE(shown["settings"].toObject().contains(QStringLiteral("CollectScanMessages")));
    for (QJsonObject* controls : {&shownControls, &collectedControls}) {
        for (const QString& address : controls->keys()) {
            if (address.startsWith(QStringLiteral("FormScanReport")) ||
                address == QStringLiteral("mnuCollectScanMessages")) {
                controls->remove(address);
            }
        }
    }
    for (QJsonObject* dump : {&shown, &collected}) {
        dump->remove(QStringLiteral("messages"));
        dump->remove(QStringLiteral("settings"));
    }
    shown["controls"] = shownControls;
    collected["controls"] = collectedControls;
    EXPECT_EQ(shown, collected);
}

// A cache made for one game folder is not shown for another chosen with --set-game-folder: the
// start scans the folder in use and records it with the new cache.
TEST(ScanSession, AnotherGameFolderSetOnTheCommandLineIsScannedNotTakenFromTheCache) {
    TempFolder temp;
    const fs::path first = makeSampleGame(temp, "first", {QStringLiteral("--seed"), QStringLiteral("5")});
    const fs::path second = makeSampleGame(
        temp, "second",
        {QStringLiteral("--seed"), QStringLiteral("6"), QStringLiteral("--units"), QStringLiteral("20")});
    EditorProcess editor(temp);
    const auto catalogueOf = [&editor, &temp](const fs::path& game) {
        EXPECT_EQ(editor.runArguments({"--set-game-folder", game.string()}).exitCode, 0);
        const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
        EXPECT_EQ(result.exitCode, 0) << result.standardError;
        EXPECT_EQ(testing::fileText(temp.programFolder() / "equipmentlist.folder"),
                  (game / "Assets").string());
        return editor.readDump()["state"].toObject()["catalogue"].toArray();
    };
    const QJsonArray ofFirst = catalogueOf(first);
    const QJsonArray ofSecond = catalogueOf(second);
    EXPECT_NE(ofSecond, ofFirst);
    for (const QJsonValue& record : ofSecond) {
        const QStringList fields = record.toString().split(QLatin1Char('|'));
        EXPECT_TRUE(fs::is_directory(second / "Assets" / fields.value(2).toStdString() /
                                     fields.value(3).toStdString()))
            << record.toString().toStdString();
    }
    EXPECT_EQ(catalogueOf(first), ofFirst);
}

} // namespace
} // namespace dovrel
