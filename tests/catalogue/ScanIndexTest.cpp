#include "catalogue/ScanIndex.h"
#include "catalogue/AssetScan.h"
#include "catalogue/doubles/SilentScanObserver.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <QProcess>
#include <chrono>
#include <gtest/gtest.h>
#include <random>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;

constexpr long long kSecond = 1000000000LL;

FoundBlueprint looseBlueprint(const std::string& file, FileStamp stamp) {
    return FoundBlueprint{{"P", "Q"}, file, "RailVehicles\\W\\w.xml", std::nullopt, stamp};
}

BlueprintOutcome outcomeNamed(const std::string& english) {
    BlueprintOutcome outcome;
    outcome.status = kBlueprintRead;
    outcome.fields.blueprintKind = "wagon";
    outcome.fields.englishName = english;
    outcome.fields.capacity = "45;12";
    outcome.englishNameReached = true;
    outcome.converterResult = 0;
    outcome.rootLine = "<cBlueprintLoader xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\">";
    return outcome;
}

TEST(ScanIndex, KeepsEachOutcomeWithItsStampThroughItsFile) {
    TempFolder temp;
    QtFiles files;
    const long long start = 1000 * kSecond;
    ScanIndex index(start);
    const FoundBlueprint plain = looseBlueprint("/a/w.bin", {120, start - 5 * kSecond});
    FoundBlueprint packed = looseBlueprint("/a/Stock.ap", {999, start - 2 * kSecond});
    packed.packed = PackedArchive::Entry{3, "RailVehicles\\W\\w.bin"};
    FoundBlueprint otherEntry = packed;
    otherEntry.packed = PackedArchive::Entry{4, "RailVehicles/W/x.bin"};
    const FoundBlueprint recent = looseBlueprint("/a/new.bin", {10, start - kSecond / 2});
    BlueprintOutcome failed;
    failed.converterResult = 1;
    const FoundBlueprint unreadable = looseBlueprint("/a/locked.bin", {10, start - 9 * kSecond});
    index.note(plain, outcomeNamed("Odd: 12:\n|\r\n\x01 bytes"));
    index.note(packed, failed);
    index.note(otherEntry, outcomeNamed("the other entry"));
    index.note(recent, outcomeNamed("changed just before the scan"));
    index.note(unreadable, BlueprintOutcome{}); // its bytes could not be had: no converter result
    ASSERT_TRUE(index.write(files, temp.path() / "equipmentlist.index").ok);

    const ScanIndex loaded = ScanIndex::load(files, temp.path() / "equipmentlist.index");

    EXPECT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded.text(), index.text());
    const std::optional<BlueprintOutcome> found = loaded.find(plain);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->fields.englishName, "Odd: 12:\n|\r\n\x01 bytes");
    EXPECT_EQ(found->fields.capacity, "45;12");
    EXPECT_EQ(found->fields.multipleUnit, "0");
    EXPECT_EQ(found->rootLine, outcomeNamed("").rootLine);
    EXPECT_EQ(found->converterResult, 0);
    EXPECT_EQ(loaded.find(packed)->converterResult, 1);
    EXPECT_EQ(loaded.find(packed)->status, kBlueprintReadFailed);
    EXPECT_EQ(loaded.find(otherEntry)->fields.englishName, "the other entry");
    EXPECT_FALSE(loaded.find(recent).has_value());
    EXPECT_FALSE(loaded.find(unreadable).has_value()) << "it may be readable next time";
    for (const FileStamp changed :
         {FileStamp{121, start - 5 * kSecond}, FileStamp{120, start - 4 * kSecond}}) {
        EXPECT_FALSE(loaded.find(looseBlueprint("/a/w.bin", changed)).has_value());
    }
}

TEST(ScanIndex, AnIndexOutOfShapeIsNoIndex) {
    TempFolder temp;
    QtFiles files;
    ScanIndex index(100 * kSecond);
    index.note(looseBlueprint("/a/w.bin", {1, kSecond}), outcomeNamed("W"));
    const std::string text = index.text();
    for (const std::string& broken : {text.substr(0, text.size() - 3), "another file\n" + text.substr(20),
                                      text + "\n5:short", text + "x", std::string()}) {
        temp.write("equipmentlist.index", broken);
        EXPECT_EQ(ScanIndex::load(files, temp.path() / "equipmentlist.index").size(), 0u) << broken;
    }
    EXPECT_EQ(ScanIndex::load(files, temp.path() / "missing.index").size(), 0u);
}

// Everything a scan shows and stores.
struct Scanned {
    std::vector<std::string> records;
    std::vector<std::string> messages;
    std::string cacheFile;
    AssetScanReport report;
};

Scanned scanInProcess(const fs::path& assets, const fs::path& programFolder) {
    QtFiles files;
    SpawnProcessRunner processes;
    ConverterRunner converter(files, processes, "/nowhere/serz", false, ConverterMode::InProcess);
    CountingEventPump events;
    QueuedMessageBoxes messages{[](const std::string&) {}};
    SilentScanObserver observer;
    fs::remove(programFolder / "equipmentlist.txt"); // as Refresh Equipment List does
    Catalogue catalogue;
    Scanned scanned;
    scanned.report = AssetScan(files, converter, events, messages, observer)
                         .run({assets, programFolder, programFolder / "Temp"}, catalogue);
    scanned.records.assign(catalogue.records().begin(), catalogue.records().end());
    scanned.messages = messages.texts();
    scanned.cacheFile = fileText(programFolder / "equipmentlist.txt");
    return scanned;
}

// Every file below a folder made an hour old, so a scan trusts its stamp.
void ageEverything(const fs::path& folder) {
    const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            fs::last_write_time(entry.path(), hourAgo);
        }
    }
}

// After random changes to a generated installation (loose files and archives changed, removed and
// added), a scan that reuses the index gives what a full scan gives, and converts only what changed.
TEST(ScanIndex, ARefreshAfterRandomChangesEqualsAFullScan) {
    TempFolder temp;
    QProcess generator;
    generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"),
                    {QString::fromStdString(temp.gameFolder().string()), QStringLiteral("--seed"),
                     QStringLiteral("8"), QStringLiteral("--units"), QStringLiteral("120"),
                     QStringLiteral("--packed")});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    const fs::path assets = temp.gameFolder() / "Assets";
    ageEverything(assets);
    const fs::path indexed = temp.path() / "indexed";
    fs::create_directories(indexed);

    const Scanned first = scanInProcess(assets, indexed);
    EXPECT_EQ(first.report.blueprintsReused, 0);
    const Scanned unchanged = scanInProcess(assets, indexed);
    EXPECT_EQ(unchanged.report.blueprintsReused, unchanged.report.blueprintsFound - 1)
        << "all but the damaged entry, whose bytes cannot be had";
    EXPECT_EQ(unchanged.records, first.records);
    EXPECT_EQ(unchanged.messages, first.messages);

    std::vector<fs::path> blueprints;
    std::vector<fs::path> archives;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assets)) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".bin") {
            blueprints.push_back(entry.path());
        } else if (extension == ".ap") {
            archives.push_back(entry.path());
        }
    }
    std::sort(blueprints.begin(), blueprints.end());
    std::sort(archives.begin(), archives.end());
    ASSERT_GT(blueprints.size(), 20u);
    ASSERT_GT(archives.size(), 2u);
    std::mt19937 random(8);
    const auto any = [&random](const std::vector<fs::path>& files) {
        return files[std::uniform_int_distribution<std::size_t>(0, files.size() - 1)(random)];
    };
    const auto anyOther = [&](const std::vector<fs::path>& files, const fs::path& not_) {
        fs::path chosen = any(files);
        while (chosen == not_) {
            chosen = any(files);
        }
        return chosen;
    };
    for (int i = 0; i < 6; ++i) {
        const fs::path target = any(blueprints);
        fs::copy_file(anyOther(blueprints, target), target, fs::copy_options::overwrite_existing);
    }
    fs::copy_file(any(blueprints), any(blueprints).parent_path() / "added.bin",
                  fs::copy_options::overwrite_existing);
    fs::remove(any(blueprints));
    const fs::path changedArchive = any(archives);
    fs::copy_file(anyOther(archives, changedArchive), changedArchive, fs::copy_options::overwrite_existing);
    fs::remove(anyOther(archives, changedArchive));

    const Scanned refreshed = scanInProcess(assets, indexed);
    const Scanned full = scanInProcess(assets, temp.path() / "fresh");

    EXPECT_EQ(refreshed.records, full.records);
    EXPECT_EQ(refreshed.messages, full.messages);
    EXPECT_EQ(refreshed.cacheFile, full.cacheFile);
    EXPECT_EQ(full.report.blueprintsReused, 0);
    EXPECT_GT(refreshed.report.blueprintsReused, refreshed.report.blueprintsFound / 2);
    EXPECT_LT(refreshed.report.blueprintsReused, refreshed.report.blueprintsFound);
}

} // namespace
} // namespace dovrel
