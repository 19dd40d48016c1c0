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

std::vector<std::string> field(const std::vector<std::string>& records, int index) {
    std::vector<std::string> values;
    for (const std::string& record : records) {
        std::size_t start = 0;
        for (int i = 0; i < index; ++i) {
            start = record.find('|', start) + 1;
        }
        values.push_back(record.substr(start, record.find('|', start) - start));
    }
    return values;
}

// One generated installation for the whole suite; each test starts the editor on it with its own
// settings and program folder.
class ScanSessionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sample_ = new TempFolder();
        QProcess generator;
        generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                        {QString::fromStdString((sample_->path() / "game").string()),
                         QStringLiteral("--seed"), QStringLiteral("5")});
        ASSERT_TRUE(generator.waitForFinished(120000));
        ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    }
    static void TearDownTestSuite() {
        delete sample_;
        sample_ = nullptr;
    }
    static fs::path game() { return sample_->path() / "game"; }

    // A converter that notes each run in a file, then converts with the real one.
    fs::path countingConverter() {
        const fs::path script =
            temp.write("tools/serz", "#!/bin/sh\necho run >> \"" + (temp.path() / "runs").string() +
                                         "\"\nexec \"" + testing::serzExecutable().string() + "\" \"$@\"\n");
        fs::permissions(script, fs::perms::owner_all);
        return script;
    }
    int converterRuns() const {
        const std::string runs = testing::fileText(temp.path() / "runs");
        return static_cast<int>(std::count(runs.begin(), runs.end(), '\n'));
    }

    inline static TempFolder* sample_ = nullptr;
    TempFolder temp;
};

TEST_F(ScanSessionTest, TheScanReadsEveryVehicleTheWalkReachesThroughTheConverter) {
    EditorProcess editor(temp);
    editor.storeGameFolder(game());
    editor.setEnvironment("DOVREL_SERZ", countingConverter().string());
    const auto result = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = editor.readDump();
    const std::vector<std::string> catalogue = strings(dump["state"].toObject()["catalogue"]);
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
    EXPECT_GT(converterRuns(), static_cast<int>(catalogue.size()));
    const std::string cache = testing::fileText(temp.programFolder() / "equipmentlist.txt");
    EXPECT_EQ(std::count(cache.begin(), cache.end(), '\n') + 1, static_cast<long>(catalogue.size()));
    EXPECT_FALSE(cache.ends_with("\r\n"));

    // The browser starts on the catalogue: providers with "All" first, one checked box per coupler.
    const QJsonObject controls = dump["controls"].toObject();
    const std::vector<std::string> providers = strings(controls["Combo5"].toObject()["items"]);
    ASSERT_FALSE(providers.empty());
    EXPECT_EQ(providers.front(), "All");
    EXPECT_EQ(controls["Combo5"].toObject()["current"].toInt(), 0);
    EXPECT_EQ(controls["chkCoupler[1]"].toObject()["text"].toString().left(2), QStringLiteral("A "));
    EXPECT_TRUE(controls["chkCoupler[1]"].toObject()["checked"].toBool());
    EXPECT_FALSE(strings(controls["List1"].toObject()["items"]).empty());
    EXPECT_EQ(controls["Label8"].toObject()["text"].toString(), QString());
}

TEST_F(ScanSessionTest, ASecondStartLoadsTheCacheWithoutTheConverter) {
    EditorProcess editor(temp);
    editor.storeGameFolder(game());
    editor.setEnvironment("DOVREL_SERZ", countingConverter().string());
    ASSERT_EQ(editor.runScript("dump " + editor.dumpFile().string() + "\n").exitCode, 0);
    const QJsonValue first = editor.readDump()["state"].toObject()["catalogue"];
    const int runsAfterScan = converterRuns();
    ASSERT_GT(runsAfterScan, 0);

    const auto again = editor.runScript("dump " + editor.dumpFile().string() + "\n");
    ASSERT_EQ(again.exitCode, 0) << again.standardError;
    const QJsonObject dump = editor.readDump();
    EXPECT_EQ(converterRuns(), runsAfterScan) << "no conversion when the cache file exists";
    EXPECT_EQ(dump["state"].toObject()["catalogue"], first);
    EXPECT_TRUE(dump["messages"].toArray().isEmpty());

    // Refresh scans again.
    ASSERT_EQ(
        editor.runScript("click mnuRefreshEquipmentList\ndump " + editor.dumpFile().string() + "\n").exitCode,
        0);
    EXPECT_GT(converterRuns(), runsAfterScan);
    EXPECT_EQ(editor.readDump()["state"].toObject()["catalogue"], first);
}

// Without DOVREL_SERZ the bundled converter runs inside the editor; the session must not tell it
// from one serz run per blueprint.
TEST_F(ScanSessionTest, TheBundledConverterInsideTheEditorScansAsTheProgramDoes) {
    TempFolder programRuns;
    EditorProcess withProgram(programRuns);
    withProgram.storeGameFolder(game());
    withProgram.setEnvironment("DOVREL_SERZ", testing::serzExecutable().string());
    ASSERT_EQ(withProgram.runScript("dump " + withProgram.dumpFile().string() + "\n").exitCode, 0);
    const QJsonObject expected = withProgram.readDump();

    EditorProcess inProcess(temp);
    inProcess.storeGameFolder(game());
    const auto result = inProcess.runScript("dump " + inProcess.dumpFile().string() + "\n");
    ASSERT_EQ(result.exitCode, 0) << result.standardError;
    const QJsonObject dump = inProcess.readDump();

    ASSERT_FALSE(expected["messages"].toArray().isEmpty());
    EXPECT_EQ(dump["messages"], expected["messages"]);
    EXPECT_EQ(dump["state"].toObject()["catalogue"], expected["state"].toObject()["catalogue"]);
    EXPECT_EQ(dump["state"].toObject()["lastConverterResult"],
              expected["state"].toObject()["lastConverterResult"]);
    EXPECT_EQ(dump["controls"].toObject()["Combo5"], expected["controls"].toObject()["Combo5"]);
    EXPECT_EQ(testing::fileText(temp.programFolder() / "equipmentlist.txt"),
              testing::fileText(programRuns.programFolder() / "equipmentlist.txt"));
    EXPECT_FALSE(fs::exists(temp.programFolder() / "Temp" / "temp.xml")) << "no working files for the scan";
}

TEST_F(ScanSessionTest, TheLowerCaseInstallationReadsTheSame) {
    TempFolder lower;
    QProcess generator;
    generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                    {QString::fromStdString((lower.path() / "game").string()), QStringLiteral("--seed"),
                     QStringLiteral("5"), QStringLiteral("--lower-case")});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_TRUE(fs::exists(lower.path() / "game" / "content" / "routes"));

    EditorProcess upperEditor(temp);
    upperEditor.storeGameFolder(game());
    ASSERT_EQ(upperEditor.runScript("dump " + upperEditor.dumpFile().string() + "\n").exitCode, 0);
    const QJsonValue expected = upperEditor.readDump()["state"].toObject()["catalogue"];

    EditorProcess lowerEditor(lower);
    lowerEditor.storeGameFolder(lower.path() / "game");
    ASSERT_EQ(lowerEditor.runScript("dump " + lowerEditor.dumpFile().string() + "\n").exitCode, 0);
    const QJsonObject dump = lowerEditor.readDump();
    EXPECT_EQ(dump["state"].toObject()["catalogue"], expected);
    EXPECT_TRUE(dump["controls"].toObject()["mnuOpenVTUserConsists"].toObject()["enabled"].toBool());
}

} // namespace
} // namespace dovrel
