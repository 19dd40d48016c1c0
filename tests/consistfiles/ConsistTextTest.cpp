// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesWorld.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateScan.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using consisttest::record;

const std::string kEngine = record("Black Five", "Steam\\5MT\\black5.xml");
const std::string kTender = record("Tender", "Steam\\5MT\\tender.xml");

// A failed comparison shows the rows' and records' fields, never "N-byte object <...>".
TEST(ConsistFilePrinters, ShowTheFieldsNotTheBytes) {
    const std::string printed[] = {
        ::testing::PrintToString(ConsistRow{"12", "Coal"}),
        ::testing::PrintToString(UnitViewRow{"1", "Black Five", "forward"}),
        ::testing::PrintToString(TemplateRecord{"5", 3, std::nullopt, "Coal"}),
        ::testing::PrintToString(TemplateLines{3, 9}),
        ::testing::PrintToString(UserConsistBackup{"Backups/a.bin", "2026-12-06 20:58:07", 42}),
    };
    for (const std::string& text : printed) {
        EXPECT_EQ(text.find("-byte object"), std::string::npos) << text;
    }
    EXPECT_EQ(printed[2], R"({id "5", lines 3 to (nullopt), name ("Coal")})");
}

// Each slot lists its own units in order, however often the same unit stands in other slots; the
// open slot past the rows holds the consist being read until it is discarded.
TEST(ConsistListing, KeepsEverySlotsUnitsInOrder) {
    ConsistListing listing;
    listing.appendUnit(kEngine, "0");
    listing.appendUnit(kTender, "1");
    listing.appendUnit(kEngine, "0");
    listing.listOpenConsist({"1", "A"});
    listing.appendUnit(kTender, "x");
    listing.discardOpenConsist();
    EXPECT_FALSE(listing.openConsistHasUnits());
    listing.listOpenConsist({"2", "B"});
    listing.appendUnit(listing.unitNumber(kEngine, "1"));
    listing.appendUnit(kEngine, "0");

    const ConsistListing copy = listing;
    EXPECT_EQ(copy.rows(), (std::vector<ConsistRow>{{"1", "A"}, {"2", "B"}}));
    EXPECT_EQ(copy.listedUnits(0),
              (std::vector<std::string>{kEngine + "|0", kTender + "|1", kEngine + "|0"}));
    EXPECT_EQ(copy.listedUnits(1), std::vector<std::string>());
    EXPECT_EQ(copy.listedConsist(2), kEngine + "|1:" + kEngine + "|0");
    EXPECT_EQ(copy.listedUnits(3), std::vector<std::string>());
}

TEST(ListedConsistView, ShowsNumberedUnitsWithTheirOrientationTheRowsNameAndLoadsWhatTheCatalogueHolds) {
    const std::vector<std::string> listed = {kEngine + "|0", kTender + "|1", kEngine + "|0", kEngine + "|x"};
    EXPECT_EQ(unitViewRows(listed), (std::vector<UnitViewRow>{{"1", "Black Five", "forward"},
                                                              {"2", "Tender", "reversed"},
                                                              {"3", "Black Five", "forward"},
                                                              {"4", "Black Five", "reversed"}}));
    EXPECT_EQ(chosenConsistCaption("12\tCoal\ttrain"), "12 Coal train");
    // Names read from the files are shown, and loaded, with their entities read.
    EXPECT_EQ(chosenConsistCaption("12\tCoal &amp; Ballast &#65;"), "12 Coal & Ballast A");
    EXPECT_EQ(shownRowText("12\tCoal &amp; Ballast"), "12\tCoal & Ballast");
    EXPECT_EQ(loadedConsistName("5\t Coal &amp; Ore (full) "), "Coal & Ore full");

    // The row's name loses spaces, and brackets when loaded.
    EXPECT_EQ(loadedConsistName("7\t  padded (name)  ") + loadedConsistName("no tab"), "padded name");
    EXPECT_EQ(loadedConsistName("3\ta\tb"), "a\tb");
    EXPECT_EQ(rowName("12\t Coal (empty) "), "Coal (empty)");
    // The saved row is the first of that exact name.
    const std::vector<ConsistRow> rows = {{"1", "test"}, {"2", "Test "}, {"3", "Test"}};
    EXPECT_EQ(rowNamed(rows, "Test"), 1u);
    EXPECT_EQ(rowNamed(rows, "TEST"), std::nullopt);
    EXPECT_EQ(rowNamed({{"1", "A"}, {"2", "A &amp; B"}}, "A & B"), 1u)
        << "names match with their entities read";
    EXPECT_EQ(rowNamed({{"2", "A &amp; B"}}, "A &amp; B"), std::nullopt) << "a saved name is text";

    // Loading keeps units still in the catalogue (here the engine renamed, not the tender), up to 5001.
    const std::vector<std::string> catalogue = {record("Renamed", "STEAM\\5mt\\Black5.xml"), "", kTender};
    const LoadedConsist loaded =
        loadListedConsist("4\tMixed (2)", {kEngine + "|1", kTender + "|0", kEngine + "|0"}, catalogue);
    EXPECT_EQ(loaded.name, "Mixed 2");
    EXPECT_EQ(loaded.units, (std::vector<std::string>{kEngine + "|1", kEngine + "|0"}));
    EXPECT_FALSE(loaded.overflowed);

    for (const std::size_t units : {std::size_t{5001}, std::size_t{5002}}) {
        const LoadedConsist cut =
            loadListedConsist("1\tLong", std::vector<std::string>(units, kEngine + "|0"), catalogue);
        EXPECT_EQ(cut.units.size(), 5001u);
        EXPECT_EQ(cut.overflowed, units > 5001);
    }
}

TEST(TemplateScan, AFreeNumberIsFoundInStepsOf16) {
    // A candidate equal to the tail of a longer id counts as taken.
    const std::tuple<const char*, std::int64_t, std::int64_t> cases[] = {
        {"", 100000000, 100000000},
        {"111|3|27:222|28|40", 222, 238},
        {"500|516|532|", 500, 548},
        {"-1123456789|", 123456789, 123456805}};
    for (const auto& [list, start, expected] : cases) {
        EXPECT_EQ(firstFreeNumber(list, start), expected) << list;
    }
}

} // namespace
} // namespace dovrel
