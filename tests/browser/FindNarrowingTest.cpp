#include "browser/FindNarrowing.h"

#include "browser/BrowserTestRecords.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unitRecord;

const std::vector<CouplerBox> kBufferChecked = {{"A Buffer", true}};

// Typed text (UTF-8) against names as bytes in the game's files.
TEST(FindText, FoundInNamesIgnoringCaseAndAccents) {
    const std::vector<std::tuple<const char*, std::string, bool>> cases = {
        {"class", "Class 66", true},      {"66 c", "Class 66", false}, {"cafe", "Café Car", true},
        {"CAFÉ", "Cafe Car", true},    // the typed text is folded too
        {"cafe", "Caf\xE9 Car", true}, // é in Windows-1252, as the lists show it
        {"STRASSE", "Straßenbahn", true}, {"lodz", "Łódź EN57", true}, {"aero f", "Ærø Ferry Wagon", true},
        {"ΣΙΓΜΑ", "σιγμα loco", true},    {"ς", "Σ tank", true}, // final sigma folds as sigma
        {"ß", "Strasse", true},   // a typed ß finds "ss" in a plain ASCII name
        {"ж", "Class 66", false}, // a letter that folds to no ASCII finds no ASCII name
        {"", "Class 66", true},
    };
    for (const auto& [typed, name, found] : cases) {
        EXPECT_EQ(FindText(QString::fromUtf8(typed)).foundIn(name), found) << typed << " in " << name;
    }
}

TEST(FindText, EmptyOnlyWhenNothingIsLeftToFind) {
    EXPECT_TRUE(FindText(QString()).empty());
    EXPECT_TRUE(FindText(QString::fromUtf8("\xCC\x81")).empty()); // a lone combining accent
    EXPECT_FALSE(FindText(QStringLiteral(" ")).empty());
}

const std::vector<std::string> kStock = {
    unitRecord("diesel", "Class 66", "Acme", "Freight"),
    unitRecord("freight", "Box Van", "Acme", "Freight"),
    unitRecord("diesel", "Class 20", "Zed", "Heritage"),
    unitRecord("diesel", "CLASS 66", "Zed", "Heritage"), // the same name, ASCII case apart
    unitRecord("steam", "Jinty", "Acme", "Freight"),
    unitRecord("steam", "Jinty", "Acme", "Branch Line"), // same provider, other product
    unitRecord("diesel", "Class 66", "Zed", "Modern"),
    unitRecord("electric", "Class 90", "Acme", "Freight"),
};

TEST(FoundUnits, NarrowTheListAndTellDuplicatesApart) {
    const std::vector<std::tuple<const char*, ListFilterTexts, std::vector<FoundUnit>>> cases = {
        {"66",
         {"All", "All", "All"},
         {{"Class 66 (Acme)", 0}, {"CLASS 66 (Zed, Heritage)", 3}, {"Class 66 (Zed, Modern)", 6}}},
        // only one of the names is left once the provider filter has run: no provider shown
        {"66", {"Acme", "All", "All"}, {{"Class 66", 0}}},
        {"class",
         {"Zed", "All", "Diesel"},
         {{"Class 20", 2}, {"CLASS 66 (Zed, Heritage)", 3}, {"Class 66 (Zed, Modern)", 6}}},
        {"jinty", {"All", "All", "Steam"}, {{"Jinty (Acme, Freight)", 4}, {"Jinty (Acme, Branch Line)", 5}}},
        // a duplicate left out by the find text no longer counts
        {"class 2", {"All", "All", "All"}, {{"Class 20", 2}}},
        {"van", {"All", "All", "All"}, {}}, // wagons are not in the loco list
        {"nothing like it", {"All", "All", "All"}, {}},
    };
    // One narrowing for all: what it keeps between keys must follow every change of the filters.
    FindNarrowing narrowing(kStock);
    for (const auto& [find, texts, expected] : cases) {
        EXPECT_EQ(
            narrowing.foundUnits(BrowserSide::Loco, texts, kBufferChecked, FindText(QString::fromUtf8(find))),
            expected)
            << find;
    }
    // An empty class box leaves the list alone, as the rebuild does.
    EXPECT_EQ(narrowing.foundUnits(BrowserSide::Loco, {"All", "All", ""}, kBufferChecked,
                                   FindText(QStringLiteral("a"))),
              std::nullopt);
}

// The same narrowing as the box is ticked and cleared again.
TEST(FoundUnits, CouplerFilterStillApplies) {
    FindNarrowing narrowing(kStock);
    for (const bool ticked : {false, true, false}) {
        const std::vector<CouplerBox> boxes = {{"A Buffer", ticked}};
        EXPECT_EQ(narrowing.foundUnits(BrowserSide::Wagon, {"All", "All", "All"}, boxes,
                                       FindText(QStringLiteral("van"))),
                  (ticked ? std::vector<FoundUnit>{{"Box Van", 1}} : std::vector<FoundUnit>{}));
    }
}

} // namespace
} // namespace dovrel
