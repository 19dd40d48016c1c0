#include "consistfiles/ListedConsistView.h"
#include "ConsistFilesBench.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using consisttest::record;

const std::string kEngine = record("Black Five", "Steam\\5MT\\black5.xml");
const std::string kTender = record("Tender", "Steam\\5MT\\tender.xml");

TEST(ListedConsistView, ShowsNumberedUnitsWithTheirOrientation) {
    const std::string listed = kEngine + "|0:" + kTender + "|1:" + kEngine + "|0:" + kEngine + "|x";
    EXPECT_EQ(unitViewRows(listed), (std::vector<UnitViewRow>{{"1", "Black Five", "forward"},
                                                              {"2", "Tender", "reversed"},
                                                              {"3", "Black Five", "forward"},
                                                              {"4", "Black Five", "reversed"}}));
    EXPECT_TRUE(unitViewRows("").empty());
    EXPECT_TRUE(splitListedConsist("").empty());
    EXPECT_EQ(chosenConsistCaption("12\tCoal\ttrain"), "12 Coal train");
}

TEST(ListedConsistView, TheRowNameLosesSpacesAndBracketsWhenLoaded) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"12\tCoal (empty)", "Coal empty"},
        {"7\t  padded name  ", "padded name"},
        {"9\t(unassigned)", "unassigned"},
        {"no tab", ""},
        {"3\ta\tb", "a\tb"},
    };
    for (const auto& [row, name] : cases) {
        EXPECT_EQ(loadedConsistName(row), name) << row;
    }
    EXPECT_EQ(rowName("12\t Coal (empty) "), "Coal (empty)");
}

TEST(ListedConsistView, LoadingKeepsTheListedTextOfUnitsStillInTheCatalogue) {
    // The catalogue now holds the engine under another name and no longer holds the tender.
    const std::vector<std::string> catalogue = {record("Renamed", "STEAM\\5mt\\Black5.xml"), "", kTender};
    const std::string listed = kEngine + "|1:" + kTender + "|0:" + kEngine + "|0";
    const LoadedConsist loaded = loadListedConsist("4\tMixed (2)", listed, catalogue);
    EXPECT_EQ(loaded.name, "Mixed 2");
    EXPECT_EQ(loaded.units, (std::vector<std::string>{kEngine + "|1", kEngine + "|0"}));
    EXPECT_FALSE(loaded.overflowed);

    const LoadedConsist none = loadListedConsist("5\tNothing", "", catalogue);
    EXPECT_EQ(none.name, "Nothing");
    EXPECT_TRUE(none.units.empty());
}

TEST(ListedConsistView, LoadingStopsAtTheConsistLinesCapacity) {
    const std::vector<std::string> catalogue = {kEngine};
    for (const std::size_t units : {std::size_t{5001}, std::size_t{5003}}) {
        std::string listed = kEngine + "|0";
        for (std::size_t i = 1; i < units; ++i) {
            listed += ":" + kEngine + "|" + std::to_string(i % 2);
        }
        const LoadedConsist loaded = loadListedConsist("1\tLong", listed, catalogue);
        EXPECT_EQ(loaded.units.size(), 5001u);
        EXPECT_EQ(loaded.units.back(), kEngine + "|0");
        EXPECT_EQ(loaded.overflowed, units > 5001);
    }
}

TEST(ListedConsistView, TheSavedRowIsTheFirstOfThatExactName) {
    const std::vector<ConsistRow> rows = {{"1", "test"}, {"2", "Test "}, {"3", "Test"}};
    EXPECT_EQ(rowNamed(rows, "Test"), 1u);
    EXPECT_EQ(rowNamed(rows, "TEST"), std::nullopt);
}

} // namespace
} // namespace dovrel
