#include "catalogue/AssetScan.h"
#include "BlueprintFixture.h"
#include "catalogue/ScanProgressText.h"
#include "convert/WorkingFiles.h"
#include "core/ByteFile.h"
#include "platform/SpawnProcessRunner.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/FailingFiles.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/RecordingProcessRunner.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <QProcess>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::BlueprintFixture;
using testing::CargoDefinition;
using testing::converterLayout;
using testing::fileText;
using testing::replaceFirst;
using testing::TempFolder;

constexpr const char* kUnconvertible = "unconvertible";

class RecordingScanObserver final : public ScanObserver {
public:
    void showWaitCursor() override { events.emplace_back("wait cursor"); }
    void restoreCursor() override { events.emplace_back("normal cursor"); }
    void showProgress(const std::string& caption) override { events.push_back("progress " + caption); }
    void showBlueprintsDone(int done, int found) override { counts.emplace_back(done, found); }
    void clearProgress() override { events.emplace_back("cleared"); }

    std::vector<std::string> events;
    std::vector<std::pair<int, int>> counts; // blueprints done, found
};

// The scan with the real file system and a stand-in converter: it writes the XML the converter
// would (the test's ".bin" files already hold it), and nothing for a file that starts with
// "unconvertible", as a failed conversion does.
struct ScanHarness {
    TempFolder temp;
    AssetScanFolders folders{temp.gameFolder() / "Assets", temp.programFolder(),
                             temp.programFolder() / "Temp"};
    QtFiles realFiles;
    FailingFiles files{realFiles};
    RecordingProcessRunner processes;
    ConverterRunner converter{files, processes, "/opt/dovrel/serz"};
    CountingEventPump events;
    QueuedMessageBoxes messages;
    RecordingScanObserver observer;
    AssetScan scan{files, converter, events, messages, observer};
    std::vector<std::string> convertedInputs;

    ScanHarness() {
        fs::create_directories(folders.assetsFolder);
        processes.setAction([this](const RecordingProcessRunner::Run& run) {
            const fs::path input = run.arguments.at(0);
            const std::string bytes = readWholeFile(input).value_or("");
            convertedInputs.push_back(bytes);
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

    AssetScanReport run(Catalogue& catalogue) { return scan.run(folders, catalogue); }
};

// provider\product\blueprintPath of every record, in catalogue order.
std::vector<std::string> locations(const Catalogue& catalogue) {
    std::vector<std::string> found;
    for (const std::string& line : catalogue.records()) {
        const EquipmentRecord record(line);
        found.push_back(std::string(record.field(RecordField::provider)) + "\\" +
                        std::string(record.field(RecordField::product)) + "\\" +
                        std::string(record.field(RecordField::blueprintPath)));
    }
    return found;
}

TEST(AssetScan, WalksInListingOrderAndKeepsToTheSkipRulesAndLevels) {
    ScanHarness harness;
    const std::vector<std::string> read = {
        "Alpha/Rails/Couplings/X/c.bin", // the deeper skip list does not apply at level 1
        "Alpha/Rails/RailVehicles/Diesel/a.BIN",
        "Alpha/Rails/RailVehicles/Diesel/b.bin",
        "Alpha/Rails/RailVehicles/Diesel/Z.bin",
        "Alpha/Rails/RailVehicles/Diesel/_x.bin",
        "Alpha/Rails/RailVehicles/Diesel/Class66/Default/Engine/Deep/class66.bin",
        "Alpha/Rails/RailVehicles/Two/Three/Four/Five/Six/Seven/seven.bin",
        "Beta/Stock/RailVehicles/Old.BIN.d/w.Bin",
        "Beta/Stock/RailVehicles/X/e.bin",
        "developer/P/RailVehicles/X/d.bin", // only "Developer" spelled so is skipped
    };
    const std::vector<std::string> notRead = {
        "Alpha/Rails/top.bin",
        "Alpha/Rails/RailVehicles/loose.bin",
        "Alpha/Rails/RailVehicles/Diesel/MyBogie.bin",
        "Alpha/Rails/RailVehicles/Diesel/wheelBOGEY.bin",
        "Alpha/Rails/RailVehicles/Diesel/readme.txt",
        "Alpha/Rails/RailVehicles/Diesel/bin",
        "Alpha/Rails/RailVehicles/Diesel/x.bin.txt",
        "Alpha/Rails/RailVehicles/Diesel/Couplings/c.bin",
        "Alpha/Rails/RailVehicles/Diesel/CabView/c.bin",
        "Alpha/Rails/RailVehicles/Diesel/TEXTURES/t.bin",
        "Alpha/Rails/RailVehicles/Diesel/Class66/Simulation/s.bin",
        "Alpha/Rails/RailVehicles/Two/Three/Four/Five/Six/Seven/Eight/eight.bin",
        "Alpha/Rails/Audio/X/a.bin",
        "Alpha/Rails/SCENERY/X/s.bin",
        "Alpha/Rails/test/X/t.bin",
        "Alpha/vantorCore/RailVehicles/X/v.bin",
        "Developer/P/RailVehicles/X/d.bin",
    };
    for (const std::string& file : read) {
        harness.blueprint(file);
    }
    for (const std::string& file : notRead) {
        harness.blueprint(file);
    }
    harness.write("Loose.bin", ScanHarness::wagon("a file among the providers").xml());
    Catalogue catalogue;

    const AssetScanReport report = harness.run(catalogue);

    EXPECT_EQ(locations(catalogue),
              (std::vector<std::string>{
                  "Alpha\\Rails\\Couplings\\X\\c.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\a.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\b.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\Z.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\_x.xml",
                  "Alpha\\Rails\\RailVehicles\\Diesel\\Class66\\Default\\Engine\\Deep\\class66.xml",
                  "Alpha\\Rails\\RailVehicles\\Two\\Three\\Four\\Five\\Six\\Seven\\seven.xml",
                  "Beta\\Stock\\RailVehicles\\Old.xml.d\\w.xml",
                  "Beta\\Stock\\RailVehicles\\X\\e.xml",
                  "developer\\P\\RailVehicles\\X\\d.xml",
              }));
    std::vector<std::string> names;
    for (const std::string& line : catalogue.records()) {
        names.emplace_back(EquipmentRecord(line).field(RecordField::englishName));
    }
    EXPECT_EQ(names, read) << "each record holds the values of its own blueprint";
    EXPECT_EQ(report.blueprintsFound, static_cast<int>(read.size()));
    EXPECT_EQ(harness.processes.runs().size(), read.size());
    for (const RecordingProcessRunner::Run& run : harness.processes.runs()) {
        EXPECT_EQ(run.program, fs::path("/opt/dovrel/serz"));
        EXPECT_EQ(run.arguments,
                  std::vector<std::string>{(harness.folders.tempFolder / "temp.bin").string()});
    }
    EXPECT_EQ(report.lists.providerList, "Alpha|Beta|developer");
    EXPECT_EQ(report.lists.providerProductList, "Alpha\\Rails|Beta\\Stock|developer\\P");
    EXPECT_EQ(report.lists.couplerList, std::vector<std::string>{"Buffer"});
    EXPECT_TRUE(harness.messages.shown().empty());
}

TEST(AssetScan, FollowsLinksOnceAndLeavesOutOddNames) {
    ScanHarness harness;
    const std::string vehicles = "Alpha/Rails/RailVehicles/";
    harness.blueprint(vehicles + "Loop/w.bin");
    fs::create_directory_symlink("..", harness.folders.assetsFolder / (vehicles + "Loop/back"));
    fs::create_directory_symlink(".", harness.folders.assetsFolder / (vehicles + "Loop/self"));
    fs::create_directory_symlink("../Loop", harness.folders.assetsFolder / (vehicles + "Loop/again"));
    fs::create_symlink("nowhere", harness.folders.assetsFolder / (vehicles + "Loop/dangling.bin"));
    const fs::path outside = harness.temp.write("outside/Wagons/o.bin", ScanHarness::wagon("outside").xml());
    fs::create_directory_symlink(outside.parent_path(), harness.folders.assetsFolder / (vehicles + "Linked"));
    fs::create_directory_symlink(outside.parent_path(),
                                 harness.folders.assetsFolder / (vehicles + "Linked2"));
    fs::create_directory_symlink(harness.folders.assetsFolder / "Alpha/Rails",
                                 harness.folders.assetsFolder / "Alpha/RailsAgain");
    for (const std::string odd : {"bad|name.bin", "ctrl\x01.bin", "back\\slash.bin", "\xFF\xFE.bin",
                                  "bad|folder/w.bin", "tab\tfolder/w.bin"}) {
        harness.blueprint(vehicles + "Odd/" + odd);
    }
    harness.blueprint(vehicles + "Odd/Wagen-\xC3\x9C.bin");
    Catalogue catalogue;

    harness.run(catalogue);

    EXPECT_EQ(locations(catalogue), (std::vector<std::string>{
                                        "Alpha\\Rails\\RailVehicles\\Linked\\o.xml",
                                        "Alpha\\Rails\\RailVehicles\\Loop\\w.xml",
                                        "Alpha\\Rails\\RailVehicles\\Odd\\Wagen-\xC3\x9C.xml",
                                    }));
    EXPECT_TRUE(harness.messages.shown().empty());
}

TEST(AssetScan, ReportsUnreadableAndCouplerlessUnitsAndStoresNeither) {
    ScanHarness harness;
    const std::string folder = "Alpha/Rails/RailVehicles/Wagons/";
    BlueprintFixture noRear = ScanHarness::wagon("Van \xE9t\xE9");
    noRear.rearId.clear();
    BlueprintFixture coupling = ScanHarness::wagon("coupling");
    coupling.element = "cCouplingTypeBlueprint";
    harness.write(folder + "1good.bin", ScanHarness::wagon("Good").xml());
    harness.write(folder + "2norear.bin", noRear.xml());
    harness.write(folder + "3failed.bin", std::string(kUnconvertible) + ScanHarness::wagon("Failed").xml());
    harness.write(folder + "4coupling.bin", coupling.xml());
    harness.write(folder + "5broken.bin",
                  replaceFirst(ScanHarness::wagon("Broken").xml(), "126.5</Mass>", "126.5"));
    for (int i = 0; i < 3; ++i) {
        harness.messages.queue(MessageAnswer::OK);
    }
    Catalogue catalogue;

    harness.run(catalogue);

    EXPECT_EQ(locations(catalogue),
              std::vector<std::string>{"Alpha\\Rails\\RailVehicles\\Wagons\\1good.xml"});
    const auto& shown = harness.messages.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text,
              "Information only!\r\n\r\nVan \xE9t\xE9\r\n\r\nCoupler not specified.                 ");
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);
    for (const std::size_t failed : {1u, 2u}) {
        EXPECT_EQ(shown[failed].text, "Error reading blueprint file for this unit.");
        EXPECT_EQ(shown[failed].icon, MessageIcon::Exclamation);
        EXPECT_EQ(shown[failed].buttons, MessageButtons::OK);
    }
    EXPECT_EQ(harness.processes.runs().size(), 5u);
}

TEST(AssetScan, AFailedCopyNeverLetsAnEarlierOutputStandIn) {
    ScanHarness harness;
    harness.blueprint("Alpha/Rails/RailVehicles/Wagons/w.bin");
    harness.blueprint("Alpha/Rails/RailVehicles/Wagons/x.bin");
    harness.temp.write("program/Temp/temp.xml", ScanHarness::wagon("left from another run").xml());
    harness.files.failOn(FailingFiles::Operation::Copy, "temp.bin", "Permission denied");
    harness.messages.queue(MessageAnswer::OK);
    harness.messages.queue(MessageAnswer::OK);
    Catalogue catalogue;
    catalogue.append("from an earlier scan");

    const AssetScanReport report = harness.run(catalogue);

    EXPECT_TRUE(catalogue.empty());
    EXPECT_TRUE(harness.processes.runs().empty()) << "nothing to convert after a failed copy";
    EXPECT_EQ(harness.messages.shown().size(), 2u);
    EXPECT_FALSE(fs::exists(harness.folders.tempFolder / "temp.xml"));
    EXPECT_TRUE(report.cacheWrite.ok);
    EXPECT_EQ(fileText(harness.folders.programFolder / "equipmentlist.txt"), "");
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

    ASSERT_EQ(catalogue.size(), 2u);
    EXPECT_EQ(harness.converter.deltaNamespace().value(), "urn:second:delta");
    EXPECT_FALSE(scanned.loadedFromCache);
    EXPECT_TRUE(scanned.cacheWrite.ok);
    const fs::path cacheFile = harness.folders.programFolder / "equipmentlist.txt";
    EXPECT_EQ(fileText(cacheFile), catalogue.cacheText());
    EXPECT_EQ(fileText(cacheFile).find("\r\n"), fileText(cacheFile).rfind("\r\n")) << "one CR LF between two";
    EXPECT_EQ(harness.observer.events,
              (std::vector<std::string>{"wait cursor", "progress Class 66", "progress " + wagon,
                                        "normal cursor", "cleared"}));
    EXPECT_EQ(harness.observer.counts, (std::vector<std::pair<int, int>>{{0, 2}, {1, 2}, {2, 2}}));

    // The next start: the assets change, but the cache alone decides.
    harness.blueprint("Gamma/New/RailVehicles/Wagons/n.bin");
    harness.observer.events.clear();
    Catalogue next;
    next.append("stale");
    const AssetScanReport loaded = harness.run(next);

    EXPECT_TRUE(loaded.loadedFromCache);
    EXPECT_EQ(harness.processes.runs().size(), 2u) << "no converter runs when loading";
    EXPECT_EQ(harness.observer.events, std::vector<std::string>{"cleared"}) << "no wait cursor when loading";
    EXPECT_EQ(locations(next), locations(catalogue));
    EXPECT_EQ(loaded.lists.providerList, "Alpha|Beta");
    EXPECT_EQ(loaded.lists.providerProductList, scanned.lists.providerProductList);
    EXPECT_EQ(loaded.lists.couplerList, scanned.lists.couplerList);
}

TEST(AssetScan, LetsTheWindowBreatheAroundEveryCopyAndConversion) {
    ScanHarness harness;
    const std::string xml = ScanHarness::wagon("One").xml();
    harness.write("Alpha/Rails/RailVehicles/Wagons/w.bin", xml);
    CountingEventPump perLine;
    QtFiles files;
    BlueprintFields fields;
    BlueprintReader(files, perLine, nullptr).readText(xml, fields);
    ASSERT_GT(perLine.pumps(), 30);
    Catalogue catalogue;

    harness.run(catalogue);

    EXPECT_EQ(harness.events.pumps(), 2 + 2 + perLine.pumps() + 1);
}

// A cache that is a link to nowhere or a folder cannot be loaded: the scan rebuilds the catalogue,
// reports the failed write and leaves the link or folder as it was.
TEST(AssetScan, ACacheThatCannotBeReadOrWrittenIsRebuiltAndTheFailureReported) {
    for (const bool link : {true, false}) {
        ScanHarness harness;
        harness.blueprint("Alpha/Rails/RailVehicles/Wagons/w.bin");
        const fs::path cache = harness.folders.programFolder / "equipmentlist.txt";
        fs::create_directories(link ? harness.folders.programFolder : cache);
        if (link) {
            fs::create_symlink(fs::path("gone") / "equipmentlist.txt", cache);
        }
        Catalogue catalogue;

        const AssetScanReport report = harness.run(catalogue);

        EXPECT_FALSE(report.loadedFromCache) << link;
        EXPECT_EQ(catalogue.size(), 1u) << link;
        EXPECT_FALSE(report.cacheWrite.ok) << link;
        EXPECT_FALSE(report.cacheWrite.reason.empty()) << link;
        EXPECT_EQ(fs::is_symlink(cache), link);
        EXPECT_EQ(fs::is_directory(cache), !link);
    }
}

TEST(AssetScan, NoAssetsGiveAnEmptyCatalogueAndEmptyLists) {
    ScanHarness harness;
    fs::remove_all(harness.folders.assetsFolder);
    Catalogue catalogue;

    const AssetScanReport report = harness.run(catalogue);

    EXPECT_TRUE(catalogue.empty());
    EXPECT_EQ(report.lists.providerList, "");
    EXPECT_TRUE(report.lists.couplerList.empty());
    EXPECT_EQ(fileText(harness.folders.programFolder / "equipmentlist.txt"), "");
}

TEST(AssetScan, RecordsPastTheLastSlotAreLeftOutWithoutAMessage) {
    ScanHarness harness;
    // Only the lines up to the couplers, to keep 5003 files small.
    const std::string whole = ScanHarness::wagon("W").xml();
    const std::string xml = whole.substr(0, whole.find("</RailVehicleComponent>"));
    for (int i = 0; i < 5003; ++i) {
        harness.write("Alpha/Rails/RailVehicles/Many/w" + std::to_string(10000 + i) + ".bin", xml);
    }
    Catalogue catalogue;

    const AssetScanReport report = harness.run(catalogue);

    EXPECT_EQ(report.blueprintsFound, 5003);
    EXPECT_EQ(catalogue.size(), 5001u);
    EXPECT_TRUE(harness.messages.shown().empty());
    EXPECT_EQ(EquipmentRecord(catalogue.records().back()).field(RecordField::blueprintPath),
              "RailVehicles\\Many\\w15000.xml");
    EXPECT_EQ(Catalogue::fromCacheText(fileText(harness.folders.programFolder / "equipmentlist.txt")).size(),
              5001u);
}

// Everything a scan shows and leaves behind, with the real converter run either way. A scan in a
// program folder used before reuses its index (the cache is removed first, as Refresh does).
struct ScanTrace {
    std::vector<std::string> records;
    std::vector<std::string> messages; // icon, buttons and text of each, in order
    std::vector<std::string> observed;
    std::vector<std::pair<int, int>> counts;
    std::string cacheFile;
    AssetScanReport report;
    int lastConverterResult = 0;
};

ScanTrace traceScan(const fs::path& assetsFolder, const fs::path& programFolder, ConverterMode mode) {
    QtFiles files;
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
    trace.records.assign(catalogue.records().begin(), catalogue.records().end());
    for (const QueuedMessageBoxes::Shown& shown : messages.shown()) {
        trace.messages.push_back(std::to_string(static_cast<int>(shown.icon)) + " " +
                                 std::to_string(static_cast<int>(shown.buttons)) + " " + shown.text);
    }
    trace.observed = observer.events;
    trace.counts = observer.counts;
    trace.cacheFile = fileText(programFolder / "equipmentlist.txt");
    trace.lastConverterResult = converter.lastConverterResult();
    return trace;
}

void generate(const fs::path& folder, int seed, int units, bool packed) {
    QStringList arguments = {QString::fromStdString(folder.string()), QStringLiteral("--seed"),
                             QString::number(seed), QStringLiteral("--units"), QString::number(units)};
    if (packed) {
        arguments << QStringLiteral("--packed");
    }
    QProcess generator;
    generator.start(QString::fromLatin1(DOVREL_BIN_DIR "/make-sample-game"), arguments);
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
}

// A generated installation, plus blueprints that do not convert at the end of the walk, scanned with
// one run of the serz program per blueprint and with the bundled converter on worker threads; and
// its twin whose products are mostly packed in archives (a loose file overriding its packed copy, a
// broken archive and a damaged entry among them), scanned both ways.
TEST(AssetScan, InProcessAndPackedScansGiveExactlyWhatTheProgramGivesForLooseFiles) {
    TempFolder temp;
    for (const bool packed : {false, true}) {
        const std::string game = packed ? "packed" : "loose";
        generate(temp.path() / game, 4, 200, packed);
        temp.write(game + "/Assets/Zulu/Last/RailVehicles/Broken/a.bin", std::string("SERZ\0\0\1\0\x50", 9));
        temp.write(game + "/Assets/Zulu/Last/RailVehicles/Broken/b.bin", "not the binary form at all");
    }
    const ScanTrace program =
        traceScan(temp.path() / "loose" / "Assets", temp.path() / "program-one", ConverterMode::ChildProcess);
    const ScanTrace inProcess =
        traceScan(temp.path() / "loose" / "Assets", temp.path() / "program-two", ConverterMode::InProcess);

    ASSERT_GT(program.records.size(), 150u);
    ASSERT_GE(program.messages.size(), 3u);
    EXPECT_EQ(inProcess.records, program.records);
    EXPECT_EQ(inProcess.messages, program.messages);
    EXPECT_EQ(inProcess.observed, program.observed);
    // Done counts up by one; found grows with the walk and ends at every blueprint, as the program
    // scan counted them before its first conversion.
    ASSERT_EQ(inProcess.counts.size(), static_cast<std::size_t>(program.report.blueprintsFound) + 1);
    for (std::size_t i = 0; i < inProcess.counts.size(); ++i) {
        EXPECT_EQ(inProcess.counts[i].first, static_cast<int>(i));
        EXPECT_LE(inProcess.counts[i].first, inProcess.counts[i].second);
    }
    EXPECT_EQ(inProcess.counts.back().second, program.counts.back().second);
    EXPECT_EQ(inProcess.cacheFile, program.cacheFile);
    EXPECT_EQ(inProcess.report.blueprintsFound, program.report.blueprintsFound);
    EXPECT_EQ(program.lastConverterResult, 1);
    EXPECT_EQ(inProcess.lastConverterResult, program.lastConverterResult);
    EXPECT_FALSE(fs::exists(temp.path() / "program-two" / "Temp" / "temp.bin"))
        << "nothing passes through the working files";
    for (const ConverterMode mode : {ConverterMode::InProcess, ConverterMode::ChildProcess}) {
        const fs::path folder = temp.path() / ("program-packed-" + std::to_string(static_cast<int>(mode)));
        const ScanTrace packed = traceScan(temp.path() / "packed" / "Assets", folder, mode);
        EXPECT_EQ(packed.records, program.records);
        EXPECT_EQ(packed.messages, program.messages);
        EXPECT_EQ(packed.cacheFile, program.cacheFile);
    }
}

// After random changes to a generated installation (loose files and archives changed, removed and
// added), a scan that reuses the index gives what a full scan gives, and converts only what changed.
TEST(ScanIndex, ARefreshAfterRandomChangesEqualsAFullScan) {
    TempFolder temp;
    const fs::path assets = temp.gameFolder() / "Assets";
    generate(temp.gameFolder(), 8, 120, true);
    // Every file made an hour old, so a scan trusts its stamp.
    std::vector<fs::path> blueprints;
    std::vector<fs::path> archives;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(assets)) {
        if (entry.is_regular_file()) {
            fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
        }
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
    const fs::path indexed = temp.path() / "indexed";
    fs::create_directories(indexed);

    const ScanTrace first = traceScan(assets, indexed, ConverterMode::InProcess);
    EXPECT_EQ(first.report.blueprintsReused, 0);
    const ScanTrace unchanged = traceScan(assets, indexed, ConverterMode::InProcess);
    EXPECT_EQ(unchanged.report.blueprintsReused, unchanged.report.blueprintsFound - 1)
        << "all but the damaged entry, whose bytes cannot be had";
    EXPECT_EQ(unchanged.records, first.records);
    EXPECT_EQ(unchanged.messages, first.messages);

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

    const ScanTrace refreshed = traceScan(assets, indexed, ConverterMode::InProcess);
    const ScanTrace full = traceScan(assets, temp.path() / "fresh", ConverterMode::InProcess);

    EXPECT_EQ(refreshed.records, full.records);
    EXPECT_EQ(refreshed.messages, full.messages);
    EXPECT_EQ(refreshed.cacheFile, full.cacheFile);
    EXPECT_EQ(full.report.blueprintsReused, 0);
    EXPECT_GT(refreshed.report.blueprintsReused, refreshed.report.blueprintsFound / 2);
    EXPECT_LT(refreshed.report.blueprintsReused, refreshed.report.blueprintsFound);
}

TEST(ScanProgressText, CountsAndEstimatesTheTimeLeftOnlyOnceTheScanHasRunTwoSeconds) {
    using std::chrono::milliseconds;
    const struct {
        int done;
        int found;
        milliseconds elapsed;
        std::string text;
    } cases[] = {
        {0, 5000, milliseconds(0), "0 of 5000 blueprints"},
        {100, 5000, milliseconds(1999), "100 of 5000 blueprints"},
        {0, 5000, milliseconds(3000), "0 of 5000 blueprints"},
        {1000, 5000, milliseconds(2000), "1000 of 5000 blueprints, about 8 s left"},
        {1000, 3000, milliseconds(2001), "1000 of 3000 blueprints, about 5 s left"},
        {10, 1000, milliseconds(6000), "10 of 1000 blueprints, about 10 min left"},
        {100, 1000, milliseconds(6700), "100 of 1000 blueprints, about 2 min left"},
        {5000, 5000, milliseconds(9000), "5000 of 5000 blueprints"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scanProgressText(c.done, c.found, c.elapsed), c.text) << c.done << " " << c.elapsed.count();
    }
}

} // namespace
} // namespace dovrel
