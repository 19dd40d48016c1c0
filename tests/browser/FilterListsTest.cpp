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
    const std::vector<std::tuple<const std::vector<std::string>*, BrowserSide, ListFilterTexts, Names>>
        cases = {
            {&kMixed,
             BrowserSide::Loco,
             {"All", "All", "All"},
             {"Steamer", "Class 66", "Tender", "Class 90"}},
            {&kMixed, BrowserSide::Loco, {"All", "All", "Steam"}, {"Steamer", "Tender"}},
            {&kMixed, BrowserSide::Loco, {"All", "All", "Diesel"}, {"Class 66"}},
            {&kMixed, BrowserSide::Loco, {"All", "All", "Electric"}, {"Class 90"}},
            {&kMixed, BrowserSide::Loco, {"All", "All", "Engine"}, {}},
            {&kMixed, BrowserSide::Wagon, {"All", "All", "All"}, {"Box Van", "Coach"}},
            {&kMixed, BrowserSide::Wagon, {"All", "All", "Freight"}, {"Box Van"}},
            {&kMixed, BrowserSide::Wagon, {"All", "All", "Passenger"}, {"Coach"}},
            {&kProviders, BrowserSide::Loco, {"acme", "All", "All"}, {"Acme Pack", "ACME Other"}},
            {&kProviders, BrowserSide::Loco, {"All", "pack", "All"}, {"Acme Pack", "Zed Pack"}},
            {&kProviders, BrowserSide::Loco, {"ZED", "Pack", "All"}, {"Zed Pack"}},
            // the rebuild lower-cases All
            {&kProviders, BrowserSide::Loco, {"ALL", "aLL", "All"}, {"Acme Pack", "ACME Other", "Zed Pack"}},
            {&kProviders, BrowserSide::Loco, {"Nobody", "All", "All"}, {}},
        };
    for (const auto& [catalogue, side, texts, expected] : cases) {
        EXPECT_EQ(listedNames(side, *catalogue, texts, kBufferChecked), expected)
            << texts.provider << " " << texts.product << " " << texts.unitClass;
    }
    EXPECT_EQ(listedNames(BrowserSide::Loco, kMixed, {"All", "All", ""}, kBufferChecked), std::nullopt);
}

TEST(ListRebuild, ReadsOnlyTheSlotsInUseAndSurvivesShortRecords) {
    std::vector<std::string> catalogue = {unitRecord("diesel", "Twin"),
                                          unitRecord("steam", "Alpha"),
                                          unitRecord("electric", "Twin"),
                                          "diesel|Short",
                                          "|||",
                                          "",
                                          unitRecord("diesel", "After Gap")};
    const ListFilterTexts all{"All", "All", "All"};
    EXPECT_EQ(listedNames(BrowserSide::Loco, catalogue, all, kBufferChecked),
              (Names{"Twin", "Alpha", "Twin"}));
    // A missing field is empty: a box with an empty name matches the short record's missing couplers.
    const std::vector<CouplerBox> emptyName = {{"A ", true}};
    EXPECT_EQ(listedNames(BrowserSide::Loco, catalogue, all, emptyName), Names{"Short"});

    std::vector<std::string> overfull(5001, unitRecord("diesel", "Inside"));
    overfull.push_back(unitRecord("diesel", "Outside"));
    const auto names = listedNames(BrowserSide::Loco, overfull, all, kBufferChecked);
    EXPECT_EQ(names->size(), 5001u);
    EXPECT_EQ(names->back(), "Inside");
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

TEST(CouplerCaptions, LettersAndNames) {
    std::vector<std::string> couplers;
    for (int i = 0; i < 28; ++i) {
        couplers.push_back("Coupler " + std::to_string(i));
    }
    const std::vector<std::string> captions = couplerBoxCaptions(couplers);
    ASSERT_EQ(captions.size(), couplers.size());
    EXPECT_EQ(captions[0], "A Coupler 0");
    EXPECT_EQ(captions[25], "Z Coupler 25");
    EXPECT_EQ(captions[26], " Coupler 26"); // no letter past Z
    for (std::size_t i = 0; i < captions.size(); ++i) {
        EXPECT_EQ(couplerNameOfCaption(captions[i]), couplers[i]) << i;
    }
    EXPECT_EQ(couplerNameOfCaption("C  Two"), " Two");
    EXPECT_EQ(couplerNameOfCaption("NoBlank"), "");
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
        EXPECT_EQ(couplers.front, front) << item;
        EXPECT_EQ(couplers.rear, rear) << item;
    }
}

} // namespace
} // namespace dovrel
