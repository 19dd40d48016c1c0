#include "BlueprintFixture.h"
#include "catalogue/AssetScan.h"
#include "catalogue/PackedArchive.h"
#include "catalogue/doubles/SilentScanObserver.h"
#include "convert/WorkingFiles.h"
#include "core/ByteFile.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/doubles/QueuedMessageBoxes.h"
#include "platform/doubles/RecordingProcessRunner.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <zip.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::BlueprintFixture;
using testing::CargoDefinition;
using testing::fileText;
using testing::TempFolder;

struct ArchiveEntry {
    std::string name;
    std::string bytes;
};

// Writes a zip archive with libzip, every entry stored uncompressed, so that its bytes can be found
// and damaged in the file afterwards.
void writeArchive(const fs::path& file, const std::vector<ArchiveEntry>& entries) {
    fs::create_directories(file.parent_path());
    int error = 0;
    zip* archive = zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const ArchiveEntry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_RAW);
        ASSERT_GE(index, 0) << entry.name;
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

// Changes one byte inside the stored content of an entry, so its checksum no longer matches.
void damageStoredContent(const fs::path& file, const std::string& content) {
    std::string bytes = readWholeFile(file).value();
    const std::size_t at = bytes.find(content);
    ASSERT_NE(at, std::string::npos);
    bytes[at + content.size() / 2] ^= 0x55;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string wagonXml(const std::string& english) {
    return BlueprintFixture::wagon(english, {{CargoDefinition::Kind::Bulk, "45", "Coal"}}).xml();
}

TEST(PackedArchive, ReadsEntriesWholeAndRefusesWhatIsNotThere) {
    TempFolder temp;
    const fs::path file = temp.path() / "Stock.ap";
    const std::string content(70000, 'x');
    writeArchive(file, {{"RailVehicles\\A\\a.bin", "first"}, {"RailVehicles/B/b.bin", content}});
    temp.write("Junk.ap", "PK\x03\x04 and nothing else");

    const std::optional<PackedArchive> archive = PackedArchive::open(file);
    ASSERT_TRUE(archive.has_value());
    const std::vector<PackedArchive::Entry> entries = archive->entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "RailVehicles\\A\\a.bin");
    EXPECT_EQ(archive->read(entries[0]), "first");
    EXPECT_EQ(archive->read(entries[1]), content);
    EXPECT_EQ(archive->read({entries[1].index, "RailVehicles/B/other.bin"}), std::nullopt);
    EXPECT_EQ(archive->read({7, "RailVehicles/B/b.bin"}), std::nullopt);
    EXPECT_FALSE(PackedArchive::open(temp.path() / "Junk.ap").has_value());
    EXPECT_FALSE(PackedArchive::open(temp.path() / "Missing.ap").has_value());

    damageStoredContent(file, content);
    ArchiveShelf shelf;
    EXPECT_EQ(shelf.read(file, entries[0]), "first");
    EXPECT_EQ(shelf.read(file, entries[1]), std::nullopt) << "the checksum no longer matches";
}

// The scan with a stand-in converter that writes a .bin's bytes back as its XML.
struct PackedHarness {
    TempFolder temp;
    AssetScanFolders folders{temp.gameFolder() / "Assets", temp.programFolder(),
                             temp.programFolder() / "Temp"};
    QtFiles files;
    RecordingProcessRunner processes;
    ConverterRunner converter{files, processes, "/opt/dovrel/serz"};
    CountingEventPump events;
    QueuedMessageBoxes messages{[](const std::string&) {}};
    SilentScanObserver observer;

    PackedHarness() {
        fs::create_directories(folders.assetsFolder);
        processes.setAction([](const RecordingProcessRunner::Run& run) {
            const fs::path input = run.arguments.at(0);
            std::ofstream(converterOutputFor(input), std::ios::binary) << readWholeFile(input).value_or("");
        });
    }

    // English name, provider\product\blueprintPath of every record.
    std::vector<std::string> scan() {
        Catalogue catalogue;
        AssetScan(files, converter, events, messages, observer).run(folders, catalogue);
        std::vector<std::string> found;
        for (const std::string& line : catalogue.records()) {
            const EquipmentRecord record(line);
            found.push_back(std::string(record.field(RecordField::englishName)) + " = " +
                            std::string(record.field(RecordField::provider)) + "\\" +
                            std::string(record.field(RecordField::product)) + "\\" +
                            std::string(record.field(RecordField::blueprintPath)));
        }
        return found;
    }
};

TEST(PackedStock, ArchivesFollowTheLooseFilesAndTheirEntriesKeepTheWalksRules) {
    PackedHarness harness;
    const fs::path product = harness.folders.assetsFolder / "Alpha" / "Rails";
    harness.temp.write("game/Assets/Alpha/Rails/RailVehicles/Loose/a.bin", wagonXml("loose a"));
    std::vector<ArchiveEntry> first;
    for (const char* name : {
             "RailVehicles/Packed/z.bin",
             "RailVehicles\\Packed\\y.BIN",
             "RailVehicles/Packed/Deeper/x.bin",
             "RailVehicles/LOOSE/A.BIN", // the loose file of the same path wins
             "RailVehicles/top.bin",     // level 1: not read
             "Audio/X/a.bin",            // first-level skip list
             "RailVehicles/Packed/Textures/t.bin",
             "RailVehicles/Packed/MyBogie.bin",
             "RailVehicles/Packed/readme.txt",
             "RailVehicles/Packed/bad|name.bin",
             "RailVehicles/Packed//double.bin",
             "RailVehicles/../Packed/up.bin",
             "/RailVehicles/Packed/rooted.bin",
             "RailVehicles/Two/Three/Four/Five/Six/Seven/seven.bin",
             "RailVehicles/Two/Three/Four/Five/Six/Seven/Eight/eight.bin",
         }) {
        first.push_back({name, wagonXml(std::string("packed ") + name)});
    }
    first.push_back({"RailVehicles/Packed/", ""});
    writeArchive(product / "A.AP", first);
    writeArchive(product / "b.ap", {{"RailVehicles/packed/Z.bin", wagonXml("the first archive's wins")},
                                    {"RailVehicles/More/m.bin", wagonXml("packed m")}});
    harness.temp.write("game/Assets/Alpha/Rails/Broken.ap", "not an archive");
    writeArchive(product / "RailVehicles" / "Inner.ap",
                 {{"Wagons/X/i.bin", wagonXml("not in the product folder")}});
    writeArchive(harness.folders.assetsFolder / "Beta" / "Only" / "Stock.ap",
                 {{"RailVehicles/W/w.bin", wagonXml("packed only")}});

    EXPECT_EQ(
        harness.scan(),
        (std::vector<std::string>{
            "loose a = Alpha\\Rails\\RailVehicles\\Loose\\a.xml",
            "packed RailVehicles\\Packed\\y.BIN = Alpha\\Rails\\RailVehicles\\Packed\\y.xml",
            "packed RailVehicles/Packed/z.bin = Alpha\\Rails\\RailVehicles\\Packed\\z.xml",
            "packed RailVehicles/Packed/Deeper/x.bin = Alpha\\Rails\\RailVehicles\\Packed\\Deeper\\x.xml",
            "packed RailVehicles/Two/Three/Four/Five/Six/Seven/seven.bin = "
            "Alpha\\Rails\\RailVehicles\\Two\\Three\\Four\\Five\\Six\\Seven\\seven.xml",
            "packed m = Alpha\\Rails\\RailVehicles\\More\\m.xml",
            "packed only = Beta\\Only\\RailVehicles\\W\\w.xml",
        }));
    EXPECT_TRUE(harness.messages.shown().empty()) << "a broken archive holds nothing and says nothing";
}

} // namespace
} // namespace dovrel
