// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/EditorProcess.h"

#include <QJsonArray>
#include <QProcess>
#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::TempFolder;

// A generated installation scanned through the serz program (each run noted in a file); the next
// start loads the cache without converting, and Refresh scans again to the same catalogue.
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
        return std::count(text.begin(), text.end(), '\n');
    };
    EditorProcess editor(temp);
    editor.storeGameFolder(temp.gameFolder());
    editor.setEnvironment("DOVREL_SERZ", converter.string());
    const std::string dumpLine = "dump " + editor.dumpFile().string() + "\n";

    ASSERT_EQ(editor.runScript(dumpLine).exitCode, 0);
    const QJsonObject dump = editor.readDump();
    const QJsonValue scanned = dump[QLatin1String("state")].toObject()[QLatin1String("catalogue")];
    const long records = scanned.toArray().size();
    EXPECT_GT(records, 0);
    // The scan's notes (units without couplers, an unreadable blueprint) reach the message box.
    EXPECT_EQ(dump[QLatin1String("messages")].toArray().size(), 4);
    const long runsAfterScan = converterRuns();
    EXPECT_GT(runsAfterScan, records);

    ASSERT_EQ(editor.runScript(dumpLine).exitCode, 0);
    EXPECT_EQ(converterRuns(), runsAfterScan) << "no conversion when the cache file exists";
    EXPECT_EQ(editor.readDump()[QLatin1String("state")].toObject()[QLatin1String("catalogue")], scanned);
    EXPECT_TRUE(editor.readDump()[QLatin1String("messages")].toArray().isEmpty());

    ASSERT_EQ(editor.runScript("click mnuRefreshEquipmentList\n" + dumpLine).exitCode, 0);
    EXPECT_GT(converterRuns(), runsAfterScan);
    EXPECT_EQ(editor.readDump()[QLatin1String("state")].toObject()[QLatin1String("catalogue")], scanned);
}

} // namespace
} // namespace dovrel
