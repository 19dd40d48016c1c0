#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QProcess>
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

} // namespace
} // namespace dovrel
