#include "browser/FindNarrowing.h"

#include "browser/BrowserTestRecords.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::unitRecord;

const std::vector<CouplerBox> kBufferChecked = {{"A Buffer", true}};

TEST(FindText, FoundInNamesIgnoringCaseAndAccents) {
    struct Case {
        const char* typed;
        std::string name; // bytes as in the game's files
        bool found;
    };
    const std::vector<Case> cases = {
        {"class", "Class 66", true},
        {"66 c", "Class 66", false},
        {"cafe", "Caf\xC3\xA9 Car", true}, // é in UTF-8
        {"CAFÉ", "Cafe Car", true},        // the typed text is folded too
        {"cafe", "Caf\xE9 Car", true},     // é in Windows-1252, as the lists show it
        {"STRASSE",
         "Stra\xC3\x9F"
         "enbahn",
         true}, // ß
        {"lodz",
         "\xC5\x81\xC3\xB3"
         "d\xC5\xBA EN57",
         true},                                            // Łódź
        {"aero f", "\xC3\x86r\xC3\xB8 Ferry Wagon", true}, // Ærø
        {"\xCE\xA3\xCE\x99\xCE\x93\xCE\x9C\xCE\x91", "\xCF\x83\xCE\xB9\xCE\xB3\xCE\xBC\xCE\xB1 loco",
         true},                              // Greek case
        {"\xCF\x82", "\xCE\xA3 tank", true}, // final sigma folds as sigma
        {"\xC3\x9F", "Strasse", true},       // a typed ß finds "ss" in a plain ASCII name
        {"\xD0\xB6", "Class 66", false},     // a letter that folds to no ASCII finds no ASCII name
        {"", "Class 66", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindText(QString::fromUtf8(c.typed)).foundIn(c.name), c.found)
            << c.typed << " in " << c.name;
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
    struct Case {
        const char* find;
        ListFilterTexts texts;
        std::vector<FoundUnit> expected;
    };
    const std::vector<Case> cases = {
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
    for (const Case& c : cases) {
        EXPECT_EQ(narrowing.foundUnits(BrowserSide::Loco, c.texts, kBufferChecked,
                                       FindText(QString::fromUtf8(c.find))),
                  c.expected)
            << c.find;
    }
}

TEST(FoundUnits, KeepTheListAloneAsTheRebuildDoes) {
    EXPECT_EQ(FindNarrowing(kStock).foundUnits(BrowserSide::Loco, {"All", "All", ""}, kBufferChecked,
                                               FindText(QStringLiteral("a"))),
              std::nullopt);
}

TEST(FoundUnits, CouplerFilterStillApplies) {
    // The same narrowing as the box is ticked and cleared again.
    const std::vector<CouplerBox> noBuffer = {{"A Buffer", false}};
    FindNarrowing narrowing(kStock);
    const FindText van(QStringLiteral("van"));
    for (const bool ticked : {false, true, false}) {
        const std::vector<FoundUnit> expected =
            ticked ? std::vector<FoundUnit>{{"Box Van", 1}} : std::vector<FoundUnit>{};
        EXPECT_EQ(narrowing.foundUnits(BrowserSide::Wagon, {"All", "All", "All"},
                                       ticked ? kBufferChecked : noBuffer, van),
                  expected);
    }
}

TEST(ListedRecords, PositionsOfTheListedNames) {
    const std::vector<std::string> withEmptySlot = {kStock[0], kStock[1], "", kStock[2]};
    EXPECT_EQ(listedRecords(BrowserSide::Loco, withEmptySlot, {"All", "All", "All"}, kBufferChecked),
              (std::vector<std::size_t>{0}));
    EXPECT_EQ(listedRecords(BrowserSide::Loco, kStock, {"Acme", "All", "All"}, kBufferChecked),
              (std::vector<std::size_t>{0, 4, 5, 7}));
}

} // namespace
} // namespace dovrel
