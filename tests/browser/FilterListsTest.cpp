#include "browser/CouplerCaptions.h"
#include "browser/ListRebuild.h"
#include "browser/ProductChoices.h"

#include "browser/BrowserTestRecords.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::Field;
using testing::recordWith;
using testing::unitRecord;
using Names = std::vector<std::string>;

const std::vector<CouplerBox> kBufferChecked = {{"A Buffer", true}};

TEST(ProductChoices, FollowTheChosenProvider) {
    constexpr std::string_view pairs = "Acme\\Freight|Zed\\Coal|Acme\\Coal|acme\\Lower|Broken|Acme\\A\\B";
    const std::vector<std::pair<std::string_view, Names>> cases = {
        {"All", {"All", "Freight", "Coal", "Coal", "Lower", "A\\B"}}, // repeats kept, no "\": no product
        {"Acme", {"All", "Freight", "Coal", "A\\B"}},
        {"acme", {"All", "Lower"}}, // provider compared with case
        {"all", {"All"}},           // only "All" with its case takes every provider
        {"Nobody", {"All"}},
    };
    for (const auto& [provider, expected] : cases) {
        EXPECT_EQ(productChoices(provider, pairs), expected) << provider;
    }
    EXPECT_EQ(productChoices("All", ""), Names{"All"});
    EXPECT_EQ(productChoices("", pairs), std::nullopt); // the box is left alone
}

// Every class the catalogue may hold, in an order that the lists must keep.
const std::vector<std::string> kMixed = {
    unitRecord("steam", "Steamer"),   unitRecord("freight", "Box Van"),   unitRecord("diesel", "Class 66"),
    unitRecord("engine", "No Type"),  unitRecord("tender", "Tender"),     unitRecord("Diesel", "Capital D"),
    unitRecord("passenger", "Coach"), unitRecord("electric", "Class 90"), unitRecord("Freight", "Capital F"),
    unitRecord("", "No Class"),
};

const std::vector<std::string> kProviders = {unitRecord("diesel", "Acme Pack", "Acme", "Pack"),
                                             unitRecord("diesel", "ACME Other", "ACME", "Other"),
                                             unitRecord("diesel", "Zed Pack", "Zed", "PACK")};

// Side and class pick by the exact class; provider and product ignore case.
TEST(ListRebuild, SideClassProviderAndProduct) {
    const BrowserSide loco = BrowserSide::Loco;
    const BrowserSide wagon = BrowserSide::Wagon;
    const std::vector<std::tuple<const std::vector<std::string>*, BrowserSide, ListFilterTexts, Names>>
        cases = {
            {&kMixed, loco, {"All", "All", "All"}, {"Steamer", "Class 66", "Tender", "Class 90"}},
            {&kMixed, loco, {"All", "All", "Steam"}, {"Steamer", "Tender"}},
            {&kMixed, loco, {"All", "All", "Diesel"}, {"Class 66"}},
            {&kMixed, loco, {"All", "All", "Engine"}, {}},
            {&kMixed, wagon, {"All", "All", "All"}, {"Box Van", "Coach"}},
            {&kMixed, wagon, {"All", "All", "Freight"}, {"Box Van"}},
            {&kProviders, loco, {"acme", "All", "All"}, {"Acme Pack", "ACME Other"}},
            {&kProviders, loco, {"All", "pack", "All"}, {"Acme Pack", "Zed Pack"}},
            // the rebuild lower-cases All
            {&kProviders, loco, {"ALL", "aLL", "All"}, {"Acme Pack", "ACME Other", "Zed Pack"}},
            {&kProviders, loco, {"Nobody", "All", "All"}, {}},
        };
    for (const auto& [catalogue, side, texts, expected] : cases) {
        EXPECT_EQ(listedNames(side, *catalogue, texts, kBufferChecked), expected)
            << texts.provider << " " << texts.product << " " << texts.unitClass;
    }
    EXPECT_EQ(listedNames(BrowserSide::Loco, kMixed, {"All", "All", ""}, kBufferChecked), std::nullopt);
}

TEST(ListRebuild, ReadsOnlyTheSlotsInUseAndSurvivesShortRecords) {
    const std::vector<std::string> catalogue = {
        unitRecord("diesel", "Twin"),     unitRecord("steam", "Alpha"), unitRecord("electric", "Twin"),
        std::string("diesel|Short"),      std::string("|||"),           std::string(),
        unitRecord("diesel", "After Gap")};
    const ListFilterTexts all{"All", "All", "All"};
    EXPECT_EQ(listedNames(BrowserSide::Loco, catalogue, all, kBufferChecked),
              (Names{"Twin", "Alpha", "Twin"}));
    EXPECT_EQ(listedRecords(BrowserSide::Loco, catalogue, {"All", "All", "Steam"}, kBufferChecked),
              (std::vector<std::size_t>{1}));
    // A missing field is empty: a box with an empty name matches the short record's missing couplers.
    const std::vector<CouplerBox> emptyName = {{"A ", true}};
    EXPECT_EQ(listedNames(BrowserSide::Loco, catalogue, all, emptyName), Names{"Short"});

    std::vector<std::string> overfull(5001, unitRecord("diesel", "Inside"));
    overfull.push_back(unitRecord("diesel", "Outside"));
    EXPECT_EQ(listedNames(BrowserSide::Loco, overfull, all, kBufferChecked), Names(5001, "Inside"));
}

std::string coupled(std::string name, std::string front, std::string rear) {
    return recordWith({{Field::englishName, std::move(name)},
                       {Field::frontCouplingId, std::move(front)},
                       {Field::rearCouplingId, std::move(rear)}});
}

TEST(CouplerFilter, ListsUnitsWithACheckedFrontOrRearCoupler) {
    const std::vector<std::string> catalogue = {
        coupled("Buffers", "RailVehicles\\Couplings\\Buffer.xml", "RailVehicles\\Couplings\\Buffer.xml"),
        coupled("Chain Rear", "RailVehicles\\Couplings\\Buffer.xml", "Couplings\\CHAIN.xml"),
        coupled("Knuckle Front", "Couplings\\knuckle.xml", "Couplings\\Buffer.xml"),
        coupled("Bare", "Bare", "Bare"),
        coupled("Slash", "Couplings\\Slash", "Couplings\\Slash"),
        coupled("Dots", "Dot.v2.xml", "Dot.v2.xml"),
    };
    const std::vector<std::pair<std::vector<CouplerBox>, Names>> cases = {
        {{{"A Buffer", false}, {"B Chain", false}}, {}}, // Check None empties the list
        {{}, {}},
        {{{"A Buffer", true}, {"B Bare", true}, {"C Slash", true}, {"D Dot.v2", true}},
         {"Buffers", "Chain Rear", "Knuckle Front", "Bare", "Slash", "Dots"}},
        {{{"A Buffer", false}, {"B chain", true}}, {"Chain Rear"}}, // rear alone, any case
        {{{"A KNUCKLE", true}}, {"Knuckle Front"}},                 // front alone
        {{{"A bUfFeR", true}, {"B Chain", false}}, {"Buffers", "Chain Rear", "Knuckle Front"}},
        {{{" Bare", true}}, {"Bare"}},                                // no letter past Z
        {{{"AB Slash", true}}, {"Slash"}},                            // name after first blank
        {{{"A  Slash", true}, {"Buffer", true}}, {}},                 // " Slash"; no blank: no name
        {{{"A Couplings\\Slash", true}, {"B Dot.v2.xml", true}}, {}}, // whole IDs are not names
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(listedNames(BrowserSide::Loco, catalogue, {"All", "All", "All"}, cases[i].first),
                  cases[i].second)
            << "case " << i;
    }
}

// A letter for each of the first 26 boxes; the name after the first blank is tested with the filter.
TEST(CouplerCaptions, LettersAndNames) {
    const std::vector<std::string> captions = couplerBoxCaptions(Names(28, "Hook"));
    ASSERT_EQ(captions.size(), 28u);
    EXPECT_EQ((Names{captions[0], captions[25], captions[26]}), (Names{"A Hook", "Z Hook", " Hook"}));
}

TEST(CouplerCaptions, ClickedItemShowsTheFirstRecordsCouplers) {
    const std::vector<std::string> catalogue = {
        coupled("Class 66", "RailVehicles\\Couplings\\BufferChain.XML", "Couplings\\Knuckle.xml"),
        coupled("Star Front", "*", "Couplings\\Screw"),
        coupled("Star Rear", "Bare", "*"),
        recordWith({{Field::unitClass, "freight"},
                    {Field::englishName, "Shared"},
                    {Field::frontCouplingId, "W\\Hook"},
                    {Field::rearCouplingId, "Wagon.Pin.xml"}}),
        coupled("Shared", "Loco\\Buffer.xml", "Loco\\Buffer.xml"),
        "diesel|Short",
        "",
        coupled("Hidden", "A", "B"),
    };
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"Class 66", "BufferChain", "Knuckle"}, // case kept
        {"Star Front", "?", "Screw"},           // front "*" shows "?"
        {"Star Rear", "Bare", "*"},             // rear "*" shows "*"
        {"Shared", "Hook", "Wagon.Pin"},        // first in catalogue order, of either side
        {"Short", "", ""},
        {"class 66", "?", "?"}, // compared with case
        {"Hidden", "?", "?"},   // after the first empty slot
    };
    for (const auto& [item, front, rear] : cases) {
        const SelectedUnitCouplers couplers = couplersOfListItem(catalogue, item);
        EXPECT_EQ(couplers.front + "/" + couplers.rear, front + "/" + rear) << item;
    }
}

} // namespace
} // namespace dovrel
