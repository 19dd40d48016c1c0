// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/AssetScan.h"
#include "BlueprintFixture.h"
#include "catalogue/EarlierFolderListings.h"
#include "catalogue/FolderListings.h"
#include "catalogue/PackedArchive.h"
#include "catalogue/ScanIndex.h"
#include "catalogue/ScanProgressText.h"
#include "convert/WorkingFiles.h"
#include "core/ByteFile.h"
#include "platform/DiskFiles.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/FailingFiles.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/RecordingProcessRunner.h"
#include "support/TempFolder.h"

#include <QProcess>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <zip.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::BlueprintFixture;
using testing::CargoDefinition;
using testing::fileText;
using testing::replaceFirst;
using testing::TempFolder;

constexpr const char* kUnconvertible = "unconvertible";

class RecordingScanObserver final : public ScanObserver {
public:
    void showWaitCursor() override { events.emplace_back("wait cursor"); }
    void restoreCursor() override { events.emplace_back("normal cursor"); }
    void showProgress(const std::string& caption) override { events.push_back("progress " + caption); }
    void showBlueprintsDone(int done, int found, std::chrono::milliseconds scanTime) override {
        counts.emplace_back(done, found);
        scanTimes.push_back(scanTime);
    }
    void clearProgress() override { events.emplace_back("cleared"); }

    std::vector<std::string> events;
    std::vector<std::pair<int, int>> counts; // blueprints done, found
    std::vector<std::chrono::milliseconds> scanTimes;
};

// Real files and a stand-in converter that copies the ".bin" (already XML) and writes nothing for a
// file starting "unconvertible". The clock moves by `perConversion` with each converter run and by
// `boxStandsOpen` while a message box is shown.
struct ScanHarness {
    std::chrono::steady_clock::time_point clock;
    std::chrono::seconds perConversion{0};
    std::chrono::seconds boxStandsOpen{0};
    TempFolder temp;
    AssetScanFolders folders{temp.gameFolder() / "Assets", temp.programFolder(),
                             temp.programFolder() / "Temp"};
    DiskFiles realFiles;
    FailingFiles files{realFiles};
    RecordingProcessRunner processes;
    ConverterRunner converter{files, processes, "/opt/dovrel/serz"};
    CountingEventPump events;
    QueuedMessageBoxes messages{[this](const std::string&) { clock += boxStandsOpen; }};
    RecordingScanObserver observer;
    AssetScan scan{files, converter, events, messages, observer, [this] { return clock; }};

    ScanHarness() {
        fs::create_directories(folders.assetsFolder);
        processes.setAction([this](const RecordingProcessRunner::Run& run) {
            clock += perConversion;
            const fs::path input = run.arguments.at(0);
            const std::string bytes = readWholeFile(input).value_or("");
            if (!bytes.starts_with(kUnconvertible)) {
                std::ofstream(converterOutputFor(input), std::ios::binary) << bytes;
            }
        });
    }

    // A blueprint below the assets whose English name is its own relative path.
    fs::path blueprint(const std::string& relative) { return write(relative, wagon(relative).xml()); }
    fs::path write(const std::string& relative, const std::string& bytes) {
        return temp.write(fs::path("game/Assets") / relative, bytes);
    }
    static BlueprintFixture wagon(const std::string& english) {
        return BlueprintFixture::wagon(english, {{CargoDefinition::Kind::Bulk, "45", "Coal"}});
    }

    AssetScanReport run(Catalogue& catalogue, ScanMessageMode mode = ScanMessageMode::Show) {
        return scan.run(folders, catalogue, mode);
    }
};

// provider\product\blueprintPath of every record, in catalogue order, after "englishName = " if named.
std::vector<std::string> locations(const Catalogue& catalogue, bool named = false) {
    std::vector<std::string> found;
    for (const std::string& line : catalogue.records()) {
        const EquipmentRecord record(line);
        found.push_back((named ? std::string(record.field(RecordField::englishName)) + " = " : "") +
                        std::string(record.field(RecordField::provider)) + "\\" +
                        std::string(record.field(RecordField::product)) + "\\" +
                        std::string(record.field(RecordField::blueprintPath)));
    }
    return found;
}

// Links are followed once; names a record cannot hold are left out.
TEST(AssetScan, WalksInListingOrderAndKeepsToTheSkipRulesLevelsAndLinks) {
    ScanHarness harness;
    const std::string vehicles = "Alpha/Rails/RailVehicles/";
    const std::vector<std::string> read = {
        "Alpha/Rails/Couplings/X/c.bin", // the deeper skip list does not apply at level 1
        vehicles + "Diesel/a.BIN",
        vehicles + "Diesel/Z.bin",
        vehicles + "Diesel/_x.bin",
        vehicles + "Diesel/Class66/Default/Engine/Deep/class66.bin",
        vehicles + "Linked/o.bin",
        vehicles + "Loop/w.bin",
        vehicles + "Odd/Wagen-\xC3\x9C.bin",
        vehicles + "Two/Three/Four/Five/Six/Seven/seven.bin",
        "Beta/Stock/RailVehicles/Old.BIN.d/w.Bin",
        "developer/P/RailVehicles/X/d.bin", // only "Developer" spelled so is skipped
    };
    for (const std::string& file : std::vector<std::string>{
             "Alpha/Rails/top.bin", vehicles + "loose.bin", vehicles + "Diesel/wheelBOGEY.bin",
             vehicles + "Diesel/x.bin.txt", vehicles + "Diesel/TEXTURES/t.bin",
             vehicles + "Diesel/Class66/Simulation/s.bin",
             vehicles + "Two/Three/Four/Five/Six/Seven/Eight/eight.bin", "Alpha/Rails/SCENERY/X/s.bin",
             "Alpha/vantorCore/RailVehicles/X/v.bin", "Developer/P/RailVehicles/X/d.bin",
             vehicles + "Odd/bad|name.bin", vehicles + "Odd/ctrl\x01.bin", vehicles + "Odd/\xFF\xFE.bin"}) {
        harness.blueprint(file);
    }
    for (const std::string& file : read) {
        if (file != vehicles + "Linked/o.bin") {
            harness.blueprint(file);
        }
    }
    harness.write("Loose.bin", ScanHarness::wagon("a file among the providers").xml());
    const fs::path assets = harness.folders.assetsFolder;
    const fs::path outside =
        harness.temp.write("outside/o.bin", ScanHarness::wagon(vehicles + "Linked/o.bin").xml());
    for (const char* link : {"Linked", "Linked2"}) {
        fs::create_directory_symlink(outside.parent_path(), assets / (vehicles + link));
    }
    fs::create_directory_symlink("..", assets / (vehicles + "Loop/back"));
    fs::create_symlink("nowhere", assets / (vehicles + "Loop/dangling.bin"));
    fs::create_directory_symlink(assets / "Alpha/Rails", assets / "Alpha/RailsAgain");
    Catalogue catalogue;

    const AssetScanReport report = harness.run(catalogue);

    EXPECT_EQ(locations(catalogue),
              (std::vector<std::string>{
                  "Alpha\\Rails\\Couplings\\X\\c.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\a.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\Z.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\_x.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\Class66\\Default\\Engine\\Deep\\class66.xml",
                  "Alpha\\Rails\\RailVehicles\\Linked\\o.xml",
                  "Alpha\\Rails\\RailVehicles\\Loop\\w.xml",
                  "Alpha\\Rails\\RailVehicles\\Odd\\Wagen-\xC3\x9C.xml",
                  "Alpha\\Rails\\RailVehicles\\Two\\Three\\Four\\Five\\Six\\Seven\\seven.xml",
                  "Beta\\Stock\\RailVehicles\\Old.xml.d\\w.xml",
                  "developer\\P\\RailVehicles\\X\\d.xml",
              }));
    std::vector<std::string> names;
    for (const std::string& line : catalogue.records()) {
        names.emplace_back(EquipmentRecord(line).field(RecordField::englishName));
    }
    EXPECT_EQ(names, read) << "each record holds the values of its own blueprint";
    EXPECT_EQ(harness.processes.runs().size(), read.size());
    EXPECT_EQ(report.lists.providerList, "Alpha|Beta|developer");
    EXPECT_EQ(report.lists.providerProductList, "Alpha\\Rails|Beta\\Stock|developer\\P");
    EXPECT_TRUE(harness.messages.shown().empty());
}

// Shown one box each as the scan meets them, or collected for one report: the same units are left
// out, the catalogue, the cache and the rest of what the window sees stay the same.
TEST(AssetScan, ReportsUnreadableAndCouplerlessUnitsAndStoresNeither) {
    std::vector<std::string> caches;
    std::vector<std::vector<std::string>> observed;
    for (const ScanMessageMode mode : {ScanMessageMode::Show, ScanMessageMode::Collect}) {
        ScanHarness harness;
        const std::string folder = "Alpha/Rails/RailVehicles/Wagons/";
        BlueprintFixture noRear = ScanHarness::wagon("Van \xE9t\xE9");
        noRear.rearId.clear();
        BlueprintFixture coupling = ScanHarness::wagon("coupling");
        coupling.element = "cCouplingTypeBlueprint";
        harness.write(folder + "1good.bin", ScanHarness::wagon("Good").xml());
        const fs::path noRearFile = harness.write(folder + "2norear.bin", noRear.xml());
        const fs::path failedFile = harness.write(
            folder + "3failed.bin", std::string(kUnconvertible) + ScanHarness::wagon("Failed").xml());
        harness.write(folder + "4coupling.bin", coupling.xml());
        const fs::path brokenFile =
            harness.write(folder + "5broken.bin",
                          replaceFirst(ScanHarness::wagon("Broken").xml(), "126.5</Mass>", "126.5"));
        Catalogue catalogue;

        const AssetScanReport report = harness.run(catalogue, mode);

        EXPECT_EQ(locations(catalogue),
                  std::vector<std::string>{"Alpha\\Rails\\RailVehicles\\Wagons\\1good.xml"});
        const std::string noCoupler =
            "Information only!\r\n\r\nVan \xE9t\xE9\r\n\r\nCoupler not specified.                 ";
        const std::string unreadable = "Error reading blueprint file for this unit.";
        if (mode == ScanMessageMode::Show) {
            const auto& shown = harness.messages.shown();
            ASSERT_EQ(shown.size(), 3u);
            EXPECT_EQ(shown[0].text, noCoupler);
            EXPECT_EQ(shown[0].icon, MessageIcon::Information);
            for (const std::size_t failed : {1u, 2u}) {
                EXPECT_EQ(shown[failed].text, unreadable);
                EXPECT_EQ(shown[failed].icon, MessageIcon::Exclamation);
            }
        } else {
            EXPECT_TRUE(harness.messages.shown().empty());
            EXPECT_EQ(report.collectedMessages,
                      (std::vector<ScanMessage>{{noCoupler, noRearFile.native()},
                                                {unreadable, failedFile.native()},
                                                {unreadable, brokenFile.native()}}));
        }
        caches.push_back(fileText(harness.folders.programFolder / "equipmentlist.txt"));
        observed.push_back(harness.observer.events);
    }
    EXPECT_EQ(caches[0], caches[1]);
    EXPECT_EQ(observed[0], observed[1]);
}

TEST(ScanReport, ARowIsTheMessageOnOneLineATabAndTheBlueprint) {
    EXPECT_EQ(scanReportRow({"Information only!\r\n\r\nVan \xE9t\xE9\r\n\r\nCoupler not specified.     ",
                             "/g/Assets/A/R/RailVehicles/w.bin"}),
              "Information only! Van \xE9t\xE9 Coupler not specified.\t/g/Assets/A/R/RailVehicles/w.bin");
    EXPECT_EQ(
        scanReportRow({"Error reading blueprint file for this unit.", "/g/A/R/stock.ap/RailVehicles\\x.bin"}),
        "Error reading blueprint file for this unit.\t/g/A/R/stock.ap/RailVehicles\\x.bin");
}

// The time left is estimated from the time the scan worked: a message box that stood open for ten
// minutes adds nothing to it.
TEST(AssetScan, TheScanTimeLeavesOutTheTimeAMessageBoxStoodOpen) {
    ScanHarness harness;
    harness.perConversion = std::chrono::seconds(1);
    harness.boxStandsOpen = std::chrono::minutes(10);
    const std::string folder = "Alpha/Rails/RailVehicles/Wagons/";
    harness.blueprint(folder + "1.bin");
    harness.write(folder + "2.bin", std::string(kUnconvertible));
    harness.blueprint(folder + "3.bin");
    Catalogue catalogue;

    harness.run(catalogue);

    ASSERT_EQ(harness.messages.shown().size(), 1u);
    using std::chrono::milliseconds;
    EXPECT_EQ(harness.observer.counts,
              (std::vector<std::pair<int, int>>{{0, 0}, {0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(harness.observer.scanTimes,
              (std::vector<milliseconds>{milliseconds(0), milliseconds(0), milliseconds(1000),
                                         milliseconds(2000), milliseconds(3000)}));
}

TEST(AssetScan, AFailedCopyNeverLetsAnEarlierOutputStandIn) {
    ScanHarness harness;
    harness.blueprint("Alpha/Rails/RailVehicles/Wagons/w.bin");
    harness.blueprint("Alpha/Rails/RailVehicles/Wagons/x.bin");
    harness.temp.write("program/Temp/temp.xml", ScanHarness::wagon("left from another run").xml());
    harness.files.failOn(FailingFiles::Operation::Copy, "temp.bin", "Permission denied");
    Catalogue catalogue;
    catalogue.append("from an earlier scan");

    harness.run(catalogue);

    EXPECT_TRUE(catalogue.empty());
    EXPECT_TRUE(harness.processes.runs().empty()) << "nothing to convert after a failed copy";
    EXPECT_EQ(harness.messages.shown().size(), 2u);
    EXPECT_FALSE(fs::exists(harness.folders.tempFolder / "temp.xml"));
}

// The scan writes the cache, remembers the namespace of the last blueprint converted, and the next
// start loads the cache without converting.
TEST(AssetScan, WritesTheCacheAndTheNextStartLoadsItWithoutConverting) {
    ScanHarness harness;
    harness.write("Alpha/Rails/RailVehicles/Diesel/d.bin",
                  replaceFirst(BlueprintFixture::engine("Diesel", "Class 66").xml(), "urn:vantor:delta",
                               "urn:first:delta"));
    const std::string wagon = "Beta/Stock/RailVehicles/Wagons/w.bin";
    harness.write(wagon,
                  replaceFirst(ScanHarness::wagon(wagon).xml(), "urn:vantor:delta", "urn:second:delta"));
    Catalogue catalogue;

    const AssetScanReport scanned = harness.run(catalogue);

    EXPECT_EQ(harness.converter.deltaNamespace().value(), "urn:second:delta");
    EXPECT_EQ(fileText(harness.folders.programFolder / "equipmentlist.txt"),
              std::string(catalogue.slot(0)) + "\r\n" + std::string(catalogue.slot(1)));
    EXPECT_EQ(harness.observer.events,
              (std::vector<std::string>{"wait cursor", "progress Class 66", "progress " + wagon,
                                        "normal cursor", "cleared"}));
    EXPECT_EQ(harness.observer.counts, (std::vector<std::pair<int, int>>{{0, 0}, {0, 2}, {1, 2}, {2, 2}}));

    harness.blueprint("Gamma/New/RailVehicles/Wagons/n.bin");
    harness.observer.events.clear();
    Catalogue next;
    next.append("stale");
    const AssetScanReport loaded = harness.run(next);

    EXPECT_TRUE(loaded.loadedFromCache);
    EXPECT_EQ(harness.processes.runs().size(), 2u) << "no converter runs when loading";
    EXPECT_EQ(harness.observer.events, std::vector<std::string>{"cleared"}) << "no wait cursor when loading";
    EXPECT_EQ(locations(next), locations(catalogue));
}

// A cache loads unless its record names another assets folder; another path to the same folder is
// the same folder, and a cache without a record loads as before records were kept.
TEST(AssetScan, ACacheRecordedForAnotherAssetsFolderIsNotLoadedButMadeAnew) {
    struct Case {
        const char* record; // "-": no record file
        bool loaded;
    };
    for (const auto& [record, loaded] : {Case{"-", true}, Case{"linked", true}, Case{"other", false}}) {
        ScanHarness harness;
        harness.blueprint("Alpha/Rails/RailVehicles/Wagons/w.bin");
        fs::create_directory_symlink(harness.folders.assetsFolder, harness.temp.path() / "link");
        harness.temp.write("program/equipmentlist.txt", "made|by|hand");
        if (record != std::string("-")) {
            harness.temp.write("program/equipmentlist.folder", record == std::string("other")
                                                                   ? "/elsewhere/Assets"
                                                                   : (harness.temp.path() / "link").native());
        }
        Catalogue catalogue;

        const AssetScanReport report = harness.run(catalogue);

        EXPECT_EQ(report.loadedFromCache, loaded) << record;
        EXPECT_EQ(fileText(harness.folders.programFolder / "equipmentlist.txt") == "made|by|hand", loaded)
            << record;
        if (!loaded) {
            EXPECT_EQ(fileText(harness.folders.programFolder / "equipmentlist.folder"),
                      harness.folders.assetsFolder.native());
        }
    }
}

// A cache whose record cannot be written is not left for another folder to load.
TEST(AssetScan, ACacheWithoutItsRecordIsRemovedAndTheFailureNamesTheRecord) {
    ScanHarness harness;
    harness.blueprint("Alpha/Rails/RailVehicles/Wagons/w.bin");
    harness.temp.write("program/equipmentlist.folder", "/elsewhere/Assets");
    harness.files.failOn(FailingFiles::Operation::Replace, "equipmentlist.folder", "No space left on device");
    Catalogue catalogue;

    const AssetScanReport report = harness.run(catalogue);

    EXPECT_FALSE(report.cacheWrite.status.ok);
    EXPECT_EQ(report.cacheWrite.file, harness.folders.programFolder / "equipmentlist.folder");
    EXPECT_FALSE(fs::exists(harness.folders.programFolder / "equipmentlist.txt"));
}

// A zip archive of (name, bytes) entries written with libzip.
using ArchiveEntry = std::pair<std::string, std::string>;
void writeArchive(const fs::path& file, const std::vector<ArchiveEntry>& entries) {
    fs::create_directories(file.parent_path());
    int error = 0;
    zip* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ArchiveEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.second.data(), entry.second.size(), 0);
        ASSERT_GE(zip_file_add(archive, entry.first.c_str(), source, ZIP_FL_ENC_RAW), 0) << entry.first;
    }
    ASSERT_EQ(zip_close(archive), 0);
}

TEST(PackedStock, ArchivesFollowTheLooseFilesAndTheirEntriesKeepTheWalksRules) {
    ScanHarness harness;
    const auto xml = [](const std::string& english) { return ScanHarness::wagon(english).xml(); };
    const fs::path product = harness.folders.assetsFolder / "Alpha" / "Rails";
    harness.temp.write("game/Assets/Alpha/Rails/RailVehicles/Loose/a.bin", xml("loose a"));
    std::vector<ArchiveEntry> first;
    for (const char* name : {
             "RailVehicles/Packed/z.bin",
             "RailVehicles\\Packed\\y.BIN",
             "RailVehicles/Packed/Deeper/x.bin",
             "RailVehicles/LOOSE/A.BIN", // the loose file of the same path wins
             "RailVehicles/top.bin",     // level 1: not read
             "Audio/X/a.bin",            // first-level skip list
             "RailVehicles/Packed/bad|name.bin",
             "RailVehicles/../Packed/up.bin",
             "/RailVehicles/Packed/rooted.bin",
             "RailVehicles/Two/Three/Four/Five/Six/Seven/Eight/eight.bin",
         }) {
        first.push_back({name, xml(std::string("packed ") + name)});
    }
    first.push_back({"RailVehicles/Packed/", ""});
    writeArchive(product / "A.AP", first);
    writeArchive(product / "b.ap", {{"RailVehicles/packed/Z.bin", xml("the first archive's wins")},
                                    {"RailVehicles/More/m.bin", xml("packed m")}});
    harness.temp.write("game/Assets/Alpha/Rails/Broken.ap", "not an archive");
    writeArchive(product / "RailVehicles" / "Inner.ap",
                 {{"Wagons/X/i.bin", xml("not in the product folder")}});
    writeArchive(harness.folders.assetsFolder / "Beta" / "Only" / "Stock.ap",
                 {{"RailVehicles/W/w.bin", xml("packed only")}});

    Catalogue catalogue;
    harness.run(catalogue);

    EXPECT_EQ(
        locations(catalogue, true),
        (std::vector<std::string>{
            "loose a = Alpha\\Rails\\RailVehicles\\Loose\\a.xml",
            "packed RailVehicles\\Packed\\y.BIN = Alpha\\Rails\\RailVehicles\\Packed\\y.xml",
            "packed RailVehicles/Packed/z.bin = Alpha\\Rails\\RailVehicles\\Packed\\z.xml",
            "packed RailVehicles/Packed/Deeper/x.bin = Alpha\\Rails\\RailVehicles\\Packed\\Deeper\\x.xml",
            "packed m = Alpha\\Rails\\RailVehicles\\More\\m.xml",
            "packed only = Beta\\Only\\RailVehicles\\W\\w.xml",
        }));
    EXPECT_TRUE(harness.messages.shown().empty()) << "a broken archive holds nothing and says nothing";
}

// Everything a scan shows and leaves behind, with the real converter run either way. A scan in a
// program folder used before reuses its index (the cache is removed first, as Refresh does).
struct ScanTrace {
    std::vector<std::string> seen; // the records, each message's icon, buttons and text, the cache file
    std::size_t messageCount = 0;
    std::vector<std::string> observed;
    std::vector<std::pair<int, int>> counts;
    AssetScanReport report;
    int lastConverterResult = 0;
};

ScanTrace traceScan(const fs::path& assetsFolder, const fs::path& programFolder, ConverterMode mode) {
    DiskFiles files;
    SpawnProcessRunner processes;
    ConverterRunner converter(files, processes, fs::path(DOVREL_BIN_DIR) / "serz", false, mode);
    CountingEventPump events;
    QueuedMessageBoxes messages{[](const std::string&) {}};
    RecordingScanObserver observer;
    Catalogue catalogue;
    fs::remove(programFolder / "equipmentlist.txt");
    ScanTrace trace;
    trace.report = AssetScan(files, converter, events, messages, observer)
                       .run({assetsFolder, programFolder, programFolder / "Temp"}, catalogue);
    trace.seen.assign(catalogue.records().begin(), catalogue.records().end());
    for (const QueuedMessageBoxes::Shown& shown : messages.shown()) {
        trace.seen.push_back(std::to_string(static_cast<int>(shown.icon)) + " " +
                             std::to_string(static_cast<int>(shown.buttons)) + " " + shown.text);
    }
    trace.seen.push_back(fileText(programFolder / "equipmentlist.txt"));
    trace.messageCount = messages.shown().size();
    trace.observed = observer.events;
    trace.counts = observer.counts;
    trace.lastConverterResult = converter.lastConverterResult();
    return trace;
}

// A generated installation, plus blueprints that do not convert at the end of the walk, scanned with
// one run of the serz program per blueprint and with the bundled converter on worker threads; and
// its twin whose products are mostly packed in archives (a loose file overriding its packed copy, a
// broken archive and a damaged entry among them), scanned both ways. Then, after loose files and
// archives of the twin are changed, removed and added, a scan reusing the index gives what a full
// scan gives, and converts only what changed.
TEST(AssetScan, InProcessPackedAndRefreshedScansGiveExactlyWhatTheProgramGivesForLooseFiles) {
    TempFolder temp;
    for (const bool packed : {false, true}) {
        const std::string game = packed ? "packed" : "loose";
        QStringList arguments = {QString::fromStdString((temp.path() / game).string()),
                                 QStringLiteral("--seed"), QStringLiteral("4"), QStringLiteral("--units"),
                                 QStringLiteral("200")};
        arguments += packed ? QStringList{QStringLiteral("--packed")} : QStringList{};
        QProcess generator;
        generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"), arguments);
        ASSERT_TRUE(generator.waitForFinished(120000));
        ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
        temp.write(game + "/Assets/Zulu/Last/RailVehicles/Broken/a.bin", std::string("SERZ\0\0\1\0\x50", 9));
        temp.write(game + "/Assets/Zulu/Last/RailVehicles/Broken/b.bin", "not the binary form at all");
    }
    // Every file and folder of the twin made an hour old, so a scan trusts their stamps.
    const fs::path packedAssets = temp.path() / "packed" / "Assets";
    std::vector<fs::path> blueprints;
    std::vector<fs::path> archives;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(packedAssets)) {
        fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
        const std::string extension = entry.path().extension().string();
        (extension == ".bin" ? blueprints : archives).push_back(entry.path());
    }
    std::erase_if(archives, [](const fs::path& file) { return file.extension() != ".ap"; });
    std::sort(blueprints.begin(), blueprints.end());
    std::sort(archives.begin(), archives.end());
    const ScanTrace program =
        traceScan(temp.path() / "loose" / "Assets", temp.path() / "program-one", ConverterMode::ChildProcess);
    const ScanTrace inProcess =
        traceScan(temp.path() / "loose" / "Assets", temp.path() / "program-two", ConverterMode::InProcess);

    ASSERT_GT(program.seen.size(), 150u);
    ASSERT_GE(program.messageCount, 3u);
    EXPECT_EQ(inProcess.seen, program.seen);
    EXPECT_EQ(inProcess.observed, program.observed);
    // Found grows with the walk and ends at every blueprint, as the program scan counted them first.
    ASSERT_EQ(inProcess.counts.size(), static_cast<std::size_t>(program.report.blueprintsFound) + 1);
    EXPECT_EQ(inProcess.counts.back(), program.counts.back());
    EXPECT_EQ(std::pair(program.lastConverterResult, inProcess.lastConverterResult), std::pair(1, 1));
    EXPECT_FALSE(fs::exists(temp.path() / "program-two" / "Temp" / "temp.bin"))
        << "nothing passes through the working files";
    const fs::path indexed = temp.path() / "program-packed";
    for (const ConverterMode mode : {ConverterMode::ChildProcess, ConverterMode::InProcess}) {
        const ScanTrace packed =
            traceScan(packedAssets, mode == ConverterMode::InProcess ? indexed : temp.path() / "child", mode);
        EXPECT_EQ(packed.seen, program.seen);
        EXPECT_EQ(packed.report.blueprintsReused, 0);
    }
    const ScanTrace unchanged = traceScan(packedAssets, indexed, ConverterMode::InProcess);
    EXPECT_EQ(unchanged.report.blueprintsReused, unchanged.report.blueprintsFound - 1)
        << "all but the damaged entry, whose bytes cannot be had";
    EXPECT_EQ(unchanged.seen, program.seen);
    EXPECT_TRUE(fs::exists(indexed / "equipmentlist.listings"))
        << "the folders' entries kept for the next walk";

    ASSERT_GT(blueprints.size(), 20u);
    ASSERT_GT(archives.size(), 2u);
    const auto overwrite = fs::copy_options::overwrite_existing;
    fs::copy_file(blueprints[7], blueprints[3], overwrite);
    fs::copy_file(blueprints[2], blueprints[2].parent_path() / "added.bin", overwrite);
    fs::remove(blueprints[11]);
    fs::copy_file(archives[1], archives[0], overwrite);
    fs::remove(archives[1]);

    const ScanTrace refreshed = traceScan(packedAssets, indexed, ConverterMode::InProcess);
    const ScanTrace full = traceScan(packedAssets, temp.path() / "fresh", ConverterMode::InProcess);

    EXPECT_EQ(refreshed.seen, full.seen);
    EXPECT_EQ(full.report.blueprintsReused, 0);
    EXPECT_GT(refreshed.report.blueprintsReused, refreshed.report.blueprintsFound / 2);
    EXPECT_LT(refreshed.report.blueprintsReused, refreshed.report.blueprintsFound);
}

constexpr long long kSecond = 1000000000LL;

FoundBlueprint looseBlueprint(const std::string& file, FileStamp stamp) {
    return FoundBlueprint{{"P", "Q"}, file, "RailVehicles\\W\\w.xml", std::nullopt, stamp};
}

BlueprintOutcome outcomeNamed(const std::string& english) {
    BlueprintOutcome outcome;
    outcome.status = kBlueprintRead;
    outcome.fields.englishName = english;
    outcome.englishNameReached = true;
    outcome.converterResult = 0;
    return outcome;
}

TEST(ScanIndex, KeepsEachOutcomeWithItsStampThroughItsFile) {
    TempFolder temp;
    DiskFiles files;
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

    EXPECT_EQ(loaded.text(), index.text());
    ASSERT_TRUE(loaded.find(plain) && loaded.find(packed) && loaded.find(otherEntry));
    EXPECT_EQ(loaded.find(plain)->fields.englishName, "Odd: 12:\n|\r\n\x01 bytes");
    EXPECT_EQ(loaded.find(packed)->status, kBlueprintReadFailed);
    EXPECT_EQ(loaded.find(otherEntry)->fields.englishName, "the other entry");
    EXPECT_FALSE(loaded.find(recent).has_value());
    EXPECT_FALSE(loaded.find(unreadable).has_value()) << "it may be readable next time";
    EXPECT_FALSE(loaded.find(looseBlueprint("/a/w.bin", {121, start - 5 * kSecond})).has_value());
}

// A later scan updates the loaded index in place: what it reuses or notes stays, what it does not
// meet goes, and the index ends as one made afresh by that scan.
TEST(ScanIndex, ALaterScanKeepsWhatItMetAndDropsTheRest) {
    const long long first = 1000 * kSecond;
    const long long later = 2000 * kSecond;
    struct Case {
        const char* file;
        FileStamp before;
        std::optional<FileStamp> now; // none: gone
        bool reused;
        bool kept;
    };
    const Case cases[] = {
        {"/a/same.bin", {10, first - 5 * kSecond}, FileStamp{10, first - 5 * kSecond}, true, true},
        {"/a/changed.bin", {10, first - 5 * kSecond}, FileStamp{11, later - 5 * kSecond}, false, true},
        {"/a/just-changed.bin", {10, first - 5 * kSecond}, FileStamp{11, later - kSecond / 2}, false, false},
        {"/a/gone.bin", {10, first - 5 * kSecond}, std::nullopt, false, false},
    };
    ScanIndex index(first);
    for (const Case& c : cases) {
        index.note(looseBlueprint(c.file, c.before), outcomeNamed("before"));
    }
    index.beginScan(later);
    ScanIndex afresh(later);
    for (const Case& c : cases) {
        if (!c.now) {
            continue;
        }
        const FoundBlueprint blueprint = looseBlueprint(c.file, *c.now);
        const std::optional<BlueprintOutcome> reused = index.reuse(blueprint);
        EXPECT_EQ(reused.has_value(), c.reused) << c.file;
        const BlueprintOutcome outcome = reused ? *reused : outcomeNamed("now");
        if (!reused) {
            index.note(blueprint, outcome);
        }
        afresh.note(blueprint, outcome);
    }
    const FoundBlueprint added = looseBlueprint("/a/added.bin", {3, later - 3 * kSecond});
    EXPECT_FALSE(index.reuse(added).has_value());
    index.note(added, outcomeNamed("added"));
    afresh.note(added, outcomeNamed("added"));

    EXPECT_EQ(index.forgetUnmet(), 2u) << "the file gone and the one changed too close to the scan";
    EXPECT_EQ(index.text(), afresh.text());
    for (const Case& c : cases) {
        EXPECT_EQ(index.find(looseBlueprint(c.file, c.now.value_or(c.before))).has_value(), c.kept) << c.file;
    }
}

TEST(ScanIndex, AnIndexOutOfShapeIsNoIndex) {
    TempFolder temp;
    DiskFiles files;
    ScanIndex index(100 * kSecond);
    index.note(looseBlueprint("/a/w.bin", {1, kSecond}), outcomeNamed("W"));
    const std::string text = index.text();
    for (const std::string& broken :
         {text.substr(0, text.size() - 3), "another file\n" + text.substr(20), text + "x"}) {
        temp.write("equipmentlist.index", broken);
        EXPECT_EQ(ScanIndex::load(files, temp.path() / "equipmentlist.index").size(), 0u) << broken;
    }
    EXPECT_EQ(ScanIndex::load(files, temp.path() / "missing.index").size(), 0u);
}

// A folder's entries come back through the file only for its own stamp; a folder modified within a
// second before the walk is not kept; a file out of shape keeps nothing.
TEST(FolderListings, KeepEachFolderWithItsStampThroughItsFile) {
    TempFolder temp;
    DiskFiles files;
    const FolderStamp stamp{1, 2, 3 * kSecond, 4 * kSecond};
    const std::vector<ListedEntry> entries = {
        {"Odd: 1:\n|", true, false}, {"w.bin", false, true}, {"link", false, false}};
    FolderListings listings(100 * kSecond);
    const auto shared = std::make_shared<const std::vector<ListedEntry>>(entries);
    listings.note(stamp, shared);
    listings.note({1, 3, 99 * kSecond + 1, 99 * kSecond + 1}, shared);
    // Many more folders, some with the same inode on other devices: each is found by its own stamp.
    const auto many = [](unsigned long long n) { return FolderStamp{n % 3, 10 + n / 3, kSecond, kSecond}; };
    const auto single = [](unsigned long long n) {
        return std::make_shared<const std::vector<ListedEntry>>(1,
                                                                ListedEntry{std::to_string(n), false, true});
    };
    for (unsigned long long n = 0; n < 3000; ++n) {
        listings.note(many(n), single(n));
    }
    const fs::path file = temp.path() / "equipmentlist.listings";
    ASSERT_TRUE(listings.write(files, file).ok);

    const EarlierFolderListings loaded = EarlierFolderListings::load(files, file);
    EXPECT_EQ(loaded.size(), 3001u);
    for (unsigned long long n = 0; n < 3000; ++n) {
        const FolderListings::Entries one = loaded.find(many(n));
        ASSERT_TRUE(one && one->size() == 1 && one->front().name == std::to_string(n)) << n;
    }
    const FolderListings::Entries found = loaded.find(stamp);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(std::tuple((*found)[i].name, (*found)[i].folder, (*found)[i].regularFile),
                  std::tuple(entries[i].name, entries[i].folder, entries[i].regularFile));
    }
    for (const FolderStamp& other :
         {FolderStamp{1, 2, 3 * kSecond, 5 * kSecond}, FolderStamp{1, 9, 3 * kSecond, 4 * kSecond},
          FolderStamp{1, 2, 2 * kSecond, 4 * kSecond}}) {
        EXPECT_EQ(loaded.find(other), nullptr);
    }
    const std::string text = fileText(file);
    for (const std::string& broken : {text.substr(0, text.size() - 3), "another file\n" + text.substr(20),
                                      text + "x", replaceFirst(text, "1:3d", "1:3x")}) {
        temp.write("broken.listings", broken);
        EXPECT_EQ(EarlierFolderListings::load(files, temp.path() / "broken.listings").size(), 0u) << broken;
    }
}

TEST(ScanProgressText, LooksForBlueprintsThenCountsAndEstimatesTheTimeLeftAfterTwoSeconds) {
    const std::tuple<int, int, int, const char*> cases[] = {
        {100, 5000, 1999, "100 of 5000 blueprints"},
        {1000, 5000, 2000, "1000 of 5000 blueprints, about 8 s left"},
        {10, 1000, 6000, "10 of 1000 blueprints, about 10 min left"},
        {5000, 5000, 9000, "5000 of 5000 blueprints"},
        {0, 0, 3000, "Looking for blueprints..."},
    };
    for (const auto& [done, found, ms, text] : cases) {
        EXPECT_EQ(scanProgressText(done, found, std::chrono::milliseconds(ms)), text) << done << " " << ms;
    }
}

// A Refresh of an unchanged installation takes each outcome from the index as soon as the walk finds
// its blueprint, so every count it reports has done equal to found: that alone must not redraw the bar.
TEST(ScanProgressText, TheBarIsRedrawnAtTheStartAndThenAtMostEveryTenthOfASecond) {
    using std::chrono::milliseconds;
    const std::tuple<int, milliseconds, bool> cases[] = {
        {0, milliseconds(0), true},
        {4999, milliseconds(99), false},
        {4999, milliseconds(100), true},
        {5000, milliseconds(1), false},
    };
    for (const auto& [done, sinceLastRedraw, due] : cases) {
        EXPECT_EQ(scanBarRedrawDue(done, sinceLastRedraw), due) << done << " " << sinceLastRedraw.count();
    }
}

} // namespace
} // namespace dovrel
