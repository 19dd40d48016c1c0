// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/CouplerCaptions.h"
#include "browser/CouplingFilterPanel.h"
#include "browser/FindNarrowing.h"
#include "browser/ListFilter.h"
#include "browser/ProductChoices.h"

#include "browser/BrowserTestRecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <tuple>

namespace dovrel {

namespace {

using testing::Field;
using testing::recordWith;
using testing::unitRecord;
using Names = std::vector<std::string>;

// The names a list shows: the englishName of each record its filters let through.
std::optional<Names> listedNames(BrowserSide side, std::span<const std::string> catalogue,
                                 const ListFilterTexts& texts, std::span<const CouplerBox> boxes) {
    const std::optional<std::vector<std::size_t>> positions = listedRecords(side, catalogue, texts, boxes);
    if (!positions) {
        return std::nullopt;
    }
    Names names;
    for (const std::size_t position : *positions) {
        names.emplace_back(EquipmentRecord(catalogue[position]).field(Field::englishName));
    }
    return names;
}

const std::vector<CouplerBox> kBufferChecked = {{"A Buffer", true}};

TEST(ProductChoices, FollowTheChosenProvider) {
    constexpr std::string_view pairs = "Acme\\Freight|Zed\\Coal|Acme\\Coal|acme\\Lower|Broken|Acme\\A\\B";
    const std::vector<std::pair<std::string_view, Names>> cases = {
        {"All", {"All", "Freight", "Coal", "Coal", "Lower", "A\\B"}}, // repeats kept, no "\": no product
        {"Acme", {"All", "Freight", "Coal", "A\\B"}},
        {"acme", {"All", "Lower"}}, // provider compared with case
        {"all", {"All"}},           // only "All" with its case takes every provider
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

// Side and class pick by the exact class (provider and product, ignoring case, by the walk below).
TEST(ListFilter, SideClassProviderAndProduct) {
    const std::vector<std::tuple<BrowserSide, std::string_view, Names>> cases = {
        {BrowserSide::Loco, "All", {"Steamer", "Class 66", "Tender", "Class 90"}},
        {BrowserSide::Loco, "Steam", {"Steamer", "Tender"}},
        {BrowserSide::Wagon, "Freight", {"Box Van"}},
    };
    for (const auto& [side, unitClass, expected] : cases) {
        EXPECT_EQ(listedNames(side, kMixed, {"All", "All", unitClass}, kBufferChecked), expected)
            << unitClass;
    }
    EXPECT_EQ(listedNames(BrowserSide::Loco, kMixed, {"All", "All", ""}, kBufferChecked), std::nullopt);
}

// A short record's missing couplers match a box with an empty name; no slot limit before the empty one.
TEST(ListFilter, ReadsShortRecordsAndAllSlotsInUse) {
    const std::vector<std::string> catalogue = {unitRecord("diesel", "Twin"), "diesel|Short", "|||", "",
                                                "diesel|After Gap"};
    const ListFilterTexts all{"All", "All", "All"};
    const std::vector<CouplerBox> emptyName = {{"A ", true}};
    EXPECT_EQ(listedNames(BrowserSide::Loco, catalogue, all, emptyName), Names{"Short"});
    const std::vector<std::string> large(5002, unitRecord("diesel", "Unit"));
    EXPECT_EQ(listedNames(BrowserSide::Loco, large, all, kBufferChecked), Names(5002, "Unit"));
}

// The rebuild as a walk that splits every record in use at "|" and compares lowered copies of fields.
std::vector<std::size_t> splittingWalk(BrowserSide side, const std::vector<std::string>& catalogue,
                                       const ListFilterTexts& texts, std::span<const CouplerBox> boxes) {
    const std::string provider = asciiLower(texts.provider);
    const std::string product = asciiLower(texts.product);
    const std::string unitClass = asciiLower(texts.unitClass);
    std::vector<std::string> checked;
    for (const CouplerBox& box : boxes) {
        if (box.checked) {
            checked.push_back(asciiLower(couplerNameOfCaption(box.caption)));
        }
    }
    const auto isChecked = [&](std::string_view id) {
        return std::find(checked.begin(), checked.end(), asciiLower(shortCouplerName(id))) != checked.end();
    };
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < catalogue.size() && !catalogue[i].empty(); ++i) {
        const EquipmentRecord record(catalogue[i]);
        const std::string_view own = record.field(Field::unitClass);
        const bool classPasses =
            unitClass == "all" ||
            (side == BrowserSide::Loco
                 ? (unitClass == "steam" ? own == "steam" || own == "tender" : own == unitClass)
                 : asciiLower(own) == unitClass);
        if (belongsToSide(side, own) &&
            (provider == "all" || asciiLower(record.field(Field::provider)) == provider) &&
            (product == "all" || asciiLower(record.field(Field::product)) == product) && classPasses &&
            (isChecked(record.field(Field::frontCouplingId)) ||
             isChecked(record.field(Field::rearCouplingId)))) {
            positions.push_back(i);
        }
    }
    return positions;
}

// Random catalogues, filter texts and boxes, letter case mixed: the rebuild lists what the walk lists.
TEST(ListFilter, ListsWhatASplittingWalkLists) {
    std::mt19937 random(7);
    const auto pick = [&random](const std::vector<std::string>& pool) {
        return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    };
    const Names classes = {"diesel",    "Diesel",  "electric", "steam", "tender", "passenger",
                           "Passenger", "freight", "FREIGHT",  "x",     ""};
    const Names providers = {"Acme", "acme", "ACME", "Zed", "Caf\xE9", "CAF\xC9"};
    const Names couplings = {
        "RailVehicles\\Couplings\\Buffer.xml", "C\\buffer", "Chain", "*", "", "a\\b.c.xml"};
    const Names filterClasses = {"All",   "all",     "Diesel",    "diesel", "Steam",
                                 "steam", "Freight", "passenger", "x"};
    const std::vector<std::vector<CouplerBox>> boxSets = {
        kBufferChecked, {{"A Buffer", true}, {"B Chain", true}}, {{"A BUFFER", false}, {"B b", true}}, {}};
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> catalogue;
        const int count = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < count; ++i) {
            std::string record = recordWith({{Field::unitClass, pick(classes)},
                                             {Field::englishName, "U" + std::to_string(i)},
                                             {Field::provider, pick(providers)},
                                             {Field::product, pick(providers)},
                                             {Field::frontCouplingId, pick(couplings)},
                                             {Field::rearCouplingId, pick(couplings)}});
            const int shape = std::uniform_int_distribution<int>(0, 30)(random);
            if (shape == 0) {
                record.clear(); // ends the records in use
            } else if (shape == 1) {
                record.resize(std::uniform_int_distribution<std::size_t>(1, 40)(random));
            }
            catalogue.push_back(std::move(record));
        }
        const std::string provider = pick({"All", "ALL", "acme", "Zed", "caf\xE9"}),
                          product = pick({"All", "aLL", "ACME", "zed"}), unitClass = pick(filterClasses);
        const ListFilterTexts texts{provider, product, unitClass};
        const std::vector<CouplerBox>& boxes = boxSets[static_cast<std::size_t>(round) % boxSets.size()];
        for (const BrowserSide side : {BrowserSide::Loco, BrowserSide::Wagon}) {
            EXPECT_EQ(listedRecords(side, catalogue, texts, boxes),
                      splittingWalk(side, catalogue, texts, boxes))
                << "round " << round << ": " << provider << "/" << product << "/" << unitClass;
        }
    }
}

std::string coupled(std::string name, std::string front, std::string rear, std::string unitClass = "diesel") {
    return recordWith({{Field::unitClass, std::move(unitClass)},
                       {Field::englishName, std::move(name)},
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
        {{{"A Buffer", true}, {"B Bare", true}, {"C Slash", true}, {"D Dot.v2", true}},
         {"Buffers", "Chain Rear", "Knuckle Front", "Bare", "Slash", "Dots"}},
        {{{"A Buffer", false}, {"B chain", true}}, {"Chain Rear"}},   // rear alone, any case
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
    // The captions: a letter for each of the first 26 boxes.
    const std::vector<std::string> captions = couplerBoxCaptions(Names(28, "Hook"));
    ASSERT_EQ(captions.size(), 28u);
    EXPECT_EQ((Names{captions[0], captions[25], captions[26]}), (Names{"A Hook", "Z Hook", " Hook"}));
}

TEST(CouplerCaptions, ClickedItemShowsTheFirstRecordsCouplers) {
    const std::vector<std::string> catalogue = {
        coupled("Class 66", "RailVehicles\\Couplings\\BufferChain.XML", "Couplings\\Knuckle.xml"),
        coupled("Star Front", "*", "Couplings\\Screw"),
        coupled("Star Rear", "Bare", "*"),
        coupled("Shared", "W\\Hook", "Wagon.Pin.xml", "freight"),
        coupled("Shared", "Loco\\Buffer.xml", "Loco\\Buffer.xml"),
        "",
        coupled("Hidden", "A", "B"),
    };
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"Class 66", "BufferChain", "Knuckle"}, // case kept
        {"Star Front", "?", "Screw"},           // front "*" shows "?"
        {"Star Rear", "Bare", "*"},             // rear "*" shows "*"
        {"Shared", "Hook", "Wagon.Pin"},        // first in catalogue order, of either side
        {"class 66", "?", "?"},                 // compared with case
        {"Hidden", "?", "?"},                   // after the first empty slot
    };
    for (const auto& [item, front, rear] : cases) {
        const SelectedUnitCouplers couplers = couplersOfListItem(Catalogue::fromSlots(catalogue), item);
        EXPECT_EQ(couplers.front + "/" + couplers.rear, front + "/" + rear) << item;
    }
}

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
    // Empty only when nothing is left to find.
    EXPECT_TRUE(FindText(QString()).empty());
    EXPECT_TRUE(FindText(QString::fromUtf8("\xCC\x81")).empty()); // a lone combining accent
    EXPECT_FALSE(FindText(QStringLiteral(" ")).empty());
}

// A narrowed list's items as texts and records; empty optional when the list stays as it is.
using Shown = std::vector<std::pair<std::string, std::size_t>>;
std::optional<Shown> shownOf(const FoundItemsPtr& items) {
    if (!items) {
        return std::nullopt;
    }
    Shown shown;
    for (const FoundUnit& unit : items->units) {
        shown.emplace_back(unit.shown, unit.record);
    }
    return shown;
}

const std::vector<std::string> kStock = {
    unitRecord("diesel", "Class 66", "Acme", "Freight"),
    unitRecord("freight", "Box Van", "Acme", "Freight"),
    unitRecord("diesel", "Class 20", "Zed", "Heritage"),
    unitRecord("diesel", "CLASS 66", "Zed", "Heritage"), // the same name, ASCII case apart
    unitRecord("diesel", "Class 66", "Zed", "Modern"),
    unitRecord("electric", "Class 90", "Acme", "Freight"),
};

TEST(FoundUnits, NarrowTheListAndTellDuplicatesApart) {
    const std::vector<std::tuple<const char*, ListFilterTexts, Shown>> cases = {
        {"66",
         {"All", "All", "All"},
         {{"Class 66 (Acme)", 0}, {"CLASS 66 (Zed, Heritage)", 3}, {"Class 66 (Zed, Modern)", 4}}},
        {"66", {"Acme", "All", "All"}, {{"Class 66", 0}}}, // duplicates filtered out: no provider
        {"class",
         {"Zed", "All", "Diesel"},
         {{"Class 20", 2}, {"CLASS 66 (Zed, Heritage)", 3}, {"Class 66 (Zed, Modern)", 4}}},
        {"van", {"All", "All", "All"}, {}}, // wagons are not in the loco list
    };
    // One narrowing for all: what it keeps between keys must follow every change of the filters.
    FindNarrowing narrowing(kStock);
    for (const auto& [find, texts, expected] : cases) {
        EXPECT_EQ(shownOf(narrowing.foundUnits(BrowserSide::Loco, texts, kBufferChecked,
                                               FindText(QString::fromUtf8(find)))),
                  expected)
            << find;
    }
    // An empty class box leaves the list alone, as the rebuild does.
    EXPECT_EQ(narrowing.foundUnits(BrowserSide::Loco, {"All", "All", ""}, kBufferChecked,
                                   FindText(QStringLiteral("a"))),
              nullptr);
    // The same narrowing as the coupler box is ticked and cleared again.
    for (const bool ticked : {false, true, false}) {
        const std::vector<CouplerBox> boxes = {{"A Buffer", ticked}};
        const FindText van(QStringLiteral("van"));
        EXPECT_EQ(narrowing.foundUnits(BrowserSide::Wagon, {"All", "All", "All"}, boxes, van)->units.size(),
                  ticked ? 1u : 0u);
    }
}

// Keys typed and taken back on one narrowing find, key after key, what a narrowing made for each
// text alone finds; a text holding the last one searches only the records that one found.
TEST(FoundUnits, TypedKeyByKeyFindWhatAFreshNarrowingFinds) {
    std::vector<std::string> stock = kStock;
    stock.push_back(unitRecord("steam", "Caf\xC3\xA9 66", "Acme", "Freight"));
    stock.push_back(unitRecord("diesel", "Cafe 20", "Zed", "Modern"));
    std::vector<std::vector<std::string>> typings = {
        {"c", "cl", "cla", "class", "class ", "class 6", "class 66", "class 6", "class", "c"},
        {"", "6", "66", "6", "", "0", "20", "66"},
        {"caf", "caf\xC3\xA9", "cafe", "cafe ", "cafe 6", "caf"},
        {"x", "xy", "x", "a"},
    };
    // More keys typed than the texts typed on the way that are kept, then all taken back.
    const std::string longText = "lass 66 class 66 class 66";
    std::vector<std::string>& longTyping = typings.emplace_back();
    for (std::size_t size = 0; size <= longText.size(); ++size) {
        longTyping.push_back(longText.substr(0, size));
    }
    for (std::size_t size = longText.size(); size-- > 0;) {
        longTyping.push_back(longText.substr(0, size));
    }
    for (const std::vector<std::string>& typed : typings) {
        FindNarrowing narrowing(stock);
        for (const std::string& text : typed) {
            const FindText find(QString::fromStdString(text));
            FindNarrowing fresh(stock);
            EXPECT_EQ(
                shownOf(narrowing.foundUnits(BrowserSide::Loco, {"All", "All", "All"}, kBufferChecked, find)),
                shownOf(fresh.foundUnits(BrowserSide::Loco, {"All", "All", "All"}, kBufferChecked, find)))
                << text;
        }
    }
}

// The narrowed items with names, providers and products counted over all found items.
Shown countedOverAllFound(const std::vector<std::string>& catalogue, const std::vector<std::size_t>& found) {
    struct Item {
        std::string name, lower, provider, product, path;
    };
    std::vector<Item> items;
    std::map<std::string, int> byName;
    std::map<std::pair<std::string, std::string>, int> byProvider;
    std::map<std::tuple<std::string, std::string, std::string>, std::vector<std::size_t>> byProduct;
    for (const std::size_t position : found) {
        const EquipmentRecord record(catalogue[position]);
        const auto field = [&record](Field which) { return std::string(record.field(which)); };
        const Item& item =
            items.emplace_back(field(Field::englishName), asciiLower(field(Field::englishName)),
                               field(Field::provider), field(Field::product), field(Field::blueprintPath));
        ++byName[item.lower];
        ++byProvider[{item.lower, item.provider}];
        byProduct[{item.lower, item.provider, item.product}].push_back(items.size() - 1);
    }
    std::vector<std::string> ends(found.size());
    for (const auto& [key, group] : byProduct) {
        std::vector<std::string_view> paths;
        for (const std::size_t i : group) {
            paths.push_back(items[i].path);
        }
        const std::vector<std::string_view> distinct = distinguishingPathEnds(paths);
        for (std::size_t k = 0; k < group.size() && group.size() > 1; ++k) {
            ends[group[k]] = std::string(distinct[k]);
        }
    }
    Shown units;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string shown = items[i].name;
        if (byName[items[i].lower] > 1) {
            shown += " (" + items[i].provider;
            if (byProvider[{items[i].lower, items[i].provider}] > 1) {
                shown += ", " + items[i].product;
            }
            shown += ends[i].empty() ? ")" : ", " + ends[i] + ")";
        }
        units.emplace_back(shown, found[i]);
    }
    return units;
}

// Random catalogues full of shared names, providers, products and paths, one narrowing each.
TEST(FoundUnits, ShowWhatCountingOverAllFoundItemsShows) {
    std::mt19937 random(11);
    const auto pick = [&random](const Names& pool) {
        return pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    };
    const Names names = {"Class 66", "CLASS 66", "Class 67", "Jinty", "jinty", "Twin", "Caf\xC3\xA9 66"};
    const Names finds = {"", "c", "class", "66", "6", "jinty", "t", "caf\xC3\xA9", "x"};
    for (int round = 0; round < 150; ++round) {
        std::vector<std::string> catalogue;
        const int count = std::uniform_int_distribution<int>(1, 30)(random);
        for (int i = 0; i < count; ++i) {
            catalogue.push_back(
                recordWith({{Field::unitClass, pick({"diesel", "steam"})},
                            {Field::englishName, pick(names)},
                            {Field::provider, pick({"Acme", "Zed"})},
                            {Field::product, pick({"Pack", "Heritage"})},
                            {Field::blueprintPath, pick({"R\\a.xml", "R\\T\\a.xml", "b.xml"})}}));
        }
        FindNarrowing narrowing(catalogue);
        for (int key = 0; key < 4; ++key) {
            const std::string text = pick(finds);
            const FindText find(QString::fromUtf8(text));
            const std::optional<std::vector<std::size_t>> listed =
                listedRecords(BrowserSide::Loco, catalogue, {"All", "All", "All"}, kBufferChecked);
            std::vector<std::size_t> found;
            for (const std::size_t position : *listed) {
                if (find.foundIn(EquipmentRecord(catalogue[position]).field(Field::englishName))) {
                    found.push_back(position);
                }
            }
            EXPECT_EQ(
                shownOf(narrowing.foundUnits(BrowserSide::Loco, {"All", "All", "All"}, kBufferChecked, find)),
                countedOverAllFound(catalogue, found))
                << "round " << round << ", find \"" << text << "\"";
        }
    }
}

// The shortest end, in whole parts, that no other path has at the same length; letter case ignored.
TEST(DistinguishingPathEnds, TakeTheShortestEndNoOtherPathShares) {
    using Paths = std::vector<std::string_view>;
    const std::vector<std::pair<Paths, Paths>> cases = {
        {{"A\\a.xml", "A\\b.xml"}, {"a.xml", "b.xml"}},
        {{"X\\Twin\\a.xml", "Y\\Twin\\a.xml", "Y\\b.xml"}, {"X\\Twin\\a.xml", "Y\\Twin\\a.xml", "b.xml"}},
        {{"Twin\\a.xml", "a.xml"}, {"Twin\\a.xml", "a.xml"}},
        {{"Old\\A.XML", "New\\a.xml", "c.xml"}, {"Old\\A.XML", "New\\a.xml", "c.xml"}},
        {{"Same\\a.xml", "SAME\\A.xml"}, {"Same\\a.xml", "SAME\\A.xml"}}, // whole paths
    };
    for (const auto& [paths, ends] : cases) {
        EXPECT_EQ(distinguishingPathEnds(paths), ends) << paths.front();
    }
}

// The panel follows the pointer from the anchor pressed, up to the release; only the left button drags.
TEST(CouplingFilterPanel, TheTitleStripDragsThePanelFromItsAnchor) {
    constexpr int kLeft = 1, kRight = 2, kMiddle = 4;
    using At = std::pair<float, float>;
    const auto at = [](PanelPosition panel) { return At(panel.left, panel.top); };
    TitleStripDrag drag;
    for (const int button : {kRight, kMiddle, kLeft | kRight}) {
        drag.mouseDown(button, 10, 10);
        EXPECT_EQ(drag.dragState(), 0) << button;
    }
    PanelPosition panel{1000, 2000};
    drag.mouseDown(kLeft, 100, 100);
    EXPECT_EQ(drag.dragState(), 2);
    EXPECT_EQ(at(drag.mouseMove(kLeft | kMiddle, 500, 500, panel)), At(1000, 2000));
    panel = drag.mouseMove(kLeft, 150, 80, panel);
    EXPECT_EQ(at(panel), At(1050, 1980));
    EXPECT_EQ(at(drag.mouseUp(kLeft, 90, 130, panel)), At(1040, 2010));
    EXPECT_EQ(drag.dragState(), 0);
    EXPECT_EQ(at(drag.mouseMove(kLeft, 900, 900, panel)), At(1050, 1980)); // no press, no drag
    // A later left release moves by the same anchor without looking at dragState.
    EXPECT_EQ(at(drag.mouseUp(kLeft, 125, 100, panel)), At(1075, 1980));
}

} // namespace
} // namespace dovrel
