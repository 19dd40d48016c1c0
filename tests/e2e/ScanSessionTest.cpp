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

std::vector<std::string> strings(const QJsonValue& array) {
    std::vector<std::string> all;
    for (const QJsonValue& value : array.toArray()) {
        all.push_back(value.toString().toStdString());
    }
    return all;
}

// Field `index` of every catalogue record.
std::vector<std::string> field(const std::vector<std::string>& records, int index) {
    std::vector<std::string> values;
    for (const std::string& record : records) {
        values.push_back(QString::fromStdString(record).split(QLatin1Char('|')).value(index).toStdString());
    }
    return values;
}

// A generated installation scanned through the serz program (each run noted in a file): the
// catalogue, the messages, the cache file and the browser; the next start loads the cache without
// converting, and Refresh scans again to the same catalogue.
TEST(ScanSession, TheScanReadsTheWalkThroughTheConverterAndTheNextStartTheCache) {
    TempFolder temp;
    QProcess generator;
    generator.start(
        QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
        {QString::fromStdString(temp.gameFolder().string()), QStringLiteral("--seed"), QStringLiteral("5")});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
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
    const std::vector<std::string> catalogue = strings(scanned);
    const std::vector<std::string> names = field(catalogue, 1);
    const std::set<std::string> listed(names.begin(), names.end());
    for (const char* present :
         {"DR 220 Diesel", "ET 45 Elektrolok", "Mk1 Brake Composite", "Fals Coal Hopper",
          "Gbs Box Van (weathered)", "7F Tender", "Track Recording Trolley", "Zacns Tank Wagon"}) {
        EXPECT_TRUE(listed.count(present)) << present;
    }
    for (const char* absent :
         {"Gbs Box Van (eighth level)", "Stray Wagon", "Preview Wagon", "DR 220 Test Bed", "Bogie Flat Wagon",
          "Regio Control Car", "DMU 642 Railcar B", "EMU 425 Driving Motor B",
          "Fals Coal Hopper (damaged)"}) {
        EXPECT_FALSE(listed.count(absent)) << absent;
    }
    for (const std::string& provider : field(catalogue, 2)) {
        EXPECT_NE(provider, "Developer");
    }
    for (const std::string& product : field(catalogue, 3)) {
        EXPECT_NE(QString::fromStdString(product).toLower(), QStringLiteral("vantorcore"));
    }
    const std::vector<std::string> paths = field(catalogue, 4);
    EXPECT_NE(
        std::find(paths.begin(), paths.end(), "RailVehicles\\Electric\\ET 45\\Default\\Engine\\et45.xml"),
        paths.end())
        << "\".BIN\" becomes \".xml\"";
    std::vector<std::string> texts;
    for (const QJsonValue& message : dump["messages"].toArray()) {
        texts.push_back(message.toObject()["text"].toString().toStdString());
    }
    EXPECT_NE(
        std::find(
            texts.begin(), texts.end(),
            "Information only!\r\n\r\nRegio Control Car\r\n\r\nCoupler not specified.                 "),
        texts.end());
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Error reading blueprint file for this unit."), 1);

    // Every blueprint the walk reached went through the converter once.
    const int runsAfterScan = converterRuns();
    EXPECT_GT(runsAfterScan, static_cast<int>(catalogue.size()));
    const std::string cache = testing::fileText(temp.programFolder() / "equipmentlist.txt");
    EXPECT_EQ(std::count(cache.begin(), cache.end(), '\n') + 1, static_cast<long>(catalogue.size()));
    EXPECT_FALSE(cache.ends_with("\r\n"));

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
