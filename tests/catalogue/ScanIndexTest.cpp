#include "catalogue/ScanIndex.h"
#include "platform/qt/QtFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

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

} // namespace
} // namespace dovrel
