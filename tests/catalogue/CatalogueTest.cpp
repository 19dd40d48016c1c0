// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/Catalogue.h"
#include "catalogue/BlueprintFields.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/EquipmentRecord.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

TEST(CatalogueCacheText, LoadsLineIByLineIntoSlotI) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t size;
        std::vector<std::string> firstSlots;
    };
    const Case cases[] = {
        {"empty", "", 0, {"", ""}},
        {"oneTrailingCrLfIgnored", "A|b\r\n", 1, {"A|b", ""}},
        {"twoTrailingCrLfGiveAnEmptyLastSlot", "A|b\r\n\r\n", 1, {"A|b", ""}},
        {"twoRecords", "A\r\nB", 2, {"A", "B", ""}},
        {"emptyLineEndsTheCatalogue", "A\r\n\r\nC", 1, {"A", "", "C"}},
        {"leadingEmptyLine", "\r\nA", 0, {"", "A"}},
        {"crCrLfKept", "A\r\r\nB", 2, {"A\r", "B"}},
        {"loneLfNotASeparator", "A\nB\r\nC", 2, {"A\nB", "C"}},
    };
    for (const Case& c : cases) {
        const Catalogue catalogue = Catalogue::fromCacheText(c.text);
        EXPECT_EQ(catalogue.size(), c.size) << c.name;
        for (std::size_t i = 0; i < c.firstSlots.size(); ++i) {
            EXPECT_EQ(catalogue.slot(i), c.firstSlots[i]) << c.name << " " << i;
        }
    }
    // Only the records in use are written back: a slot after the first empty one is not.
    EXPECT_EQ(Catalogue::fromCacheText("A\r\n\r\nC").cacheText(), "A");
}

TEST(Catalogue, AppendAndTheCacheTextKeepEveryRecordPast5001InOrder) {
    Catalogue catalogue;
    EXPECT_FALSE(catalogue.append("")) << "an empty record would end the catalogue";
    std::vector<std::string> records;
    for (std::size_t i = 0; i < 5003; ++i) {
        records.push_back("r" + std::to_string(i));
        ASSERT_TRUE(catalogue.append(records.back()));
    }
    EXPECT_EQ(std::vector<std::string>(catalogue.records().begin(), catalogue.records().end()), records);
    const Catalogue loaded = Catalogue::fromCacheText(catalogue.cacheText() + "\r\nr5003\r\n\r\nr5005");
    records.push_back("r5003");
    EXPECT_EQ(std::vector<std::string>(loaded.records().begin(), loaded.records().end()), records);
    EXPECT_EQ(loaded.slot(5004), "");
    EXPECT_EQ(loaded.slot(5005), "r5005") << "kept past the empty slot that ends the catalogue";
}

TEST(EquipmentRecord, ShortCouplerName) {
    const std::pair<const char*, const char*> cases[] = {
        {"RailVehicles\\Couplings\\Buffer.xml", "Buffer"},
        {"Buffer", "Buffer"},
        {"a\\Screw.Chain.xml", "Screw.Chain"},
        {"dir.d\\Hook", "Hook"},
        {"a\\", ""},
        {"", ""},
        {"a/b\\c/d.xml", "c/d"},
    };
    for (const auto& [id, shortName] : cases) {
        EXPECT_EQ(shortCouplerName(id), shortName) << id;
    }
}

// Fields missing from a record read as empty.
TEST(EquipmentRecord, AssembledFromBlueprintValuesInFieldOrder) {
    BlueprintFields fields{"",     "freight", "HTA",   "Hopper",    "C\\F.xml", "F",   "C\\R.xml",
                           "R",    "25",      "e",     "d",         "r",        "dry", "wet",
                           "snow", "sand",    "45;10", "Coal;Coke", "0"};

    EXPECT_EQ(
        assembleRecord(fields, "Alpha", "Rails", "RV\\h.xml"),
        "freight|Hopper|Alpha|Rails|RV\\h.xml|C\\F.xml|C\\R.xml|F|R|HTA|25|45;10|e|d|r|dry|wet|snow|sand|"
        "Coal;Coke|0");
    fields.bulkFreightType.clear();
    const EquipmentRecord withoutCargo(assembleRecord(fields, "Alpha", "Rails", "RV\\h.xml"));
    EXPECT_EQ(withoutCargo.fieldCount(), kRecordFieldCount);
    EXPECT_EQ(withoutCargo.field(RecordField::bulkFreightType), "None");
    const EquipmentRecord shortLine("diesel|Class 66|Alpha");
    EXPECT_EQ(shortLine.fieldCount(), 3u);
    EXPECT_EQ(shortLine.field(RecordField::provider), "Alpha");
    EXPECT_EQ(shortLine.field(RecordField::product), "");
    EXPECT_EQ(EquipmentRecord("").field(RecordField::unitClass), "");
}

std::string record(const std::string& provider, const std::string& product, const std::string& front,
                   const std::string& rear) {
    BlueprintFields fields;
    fields.unitClass = "freight";
    fields.frontCouplingId = front;
    fields.rearCouplingId = rear;
    fields.frontCoupler = "ignored: the lists cut the coupling IDs";
    return assembleRecord(fields, provider, product, "x.xml");
}

TEST(CatalogueLists, DistinctInOrderOfFirstAppearance) {
    Catalogue catalogue;
    catalogue.append(record("Beta", "Stock", "C\\ScrewChain.xml", "C\\Chain.xml"));
    catalogue.append(record("Alpha", "Rails", "C\\Chain.xml", "C\\Buffer.xml"));
    catalogue.append(record("Beta", "Extra", "C\\buffer.xml", "C\\Chain"));
    catalogue.append(record("Beta", "Stock", "D\\Buffer.bin", "C\\ScrewChain.xml"));

    const CatalogueLists lists = CatalogueLists::of(catalogue);
    EXPECT_EQ(lists.providerList, "Beta|Alpha");
    EXPECT_EQ(lists.providerProductList, "Beta\\Stock|Alpha\\Rails|Beta\\Extra");
    EXPECT_EQ(lists.couplerList, (std::vector<std::string>{"ScrewChain", "Chain", "Buffer", "buffer"}));
}

} // namespace
} // namespace dovrel
