// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesBench.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/TemplateScan.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>
#include <random>

namespace dovrel {
namespace {

using consisttest::namelessUserTemplate;
using consisttest::record;
using consisttest::userConsistFile;
using consisttest::userTemplate;

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

TEST(ListedConsistView, ShowsNumberedUnitsWithTheirOrientationTheRowsNameAndLoadsWhatTheCatalogueHolds) {
    const std::vector<std::string> listed = {kEngine + "|0", kTender + "|1", kEngine + "|0", kEngine + "|x"};
    EXPECT_EQ(unitViewRows(listed), (std::vector<UnitViewRow>{{"1", "Black Five", "forward"},
                                                              {"2", "Tender", "reversed"},
                                                              {"3", "Black Five", "forward"},
                                                              {"4", "Black Five", "reversed"}}));
    EXPECT_TRUE(unitViewRows({}).empty());
    EXPECT_EQ(chosenConsistCaption("12\tCoal\ttrain"), "12 Coal train");
    // Names read from the files are shown, and loaded, with their entities read.
    EXPECT_EQ(chosenConsistCaption("12\tCoal &amp; Ballast &#65;"), "12 Coal & Ballast A");
    EXPECT_EQ(shownRowText("12\tCoal &amp; Ballast"), "12\tCoal & Ballast");
    EXPECT_EQ(loadedConsistName("5\t Coal &amp; Ore (full) "), "Coal & Ore full");

    // The row's name loses spaces, and brackets when loaded.
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

    for (const std::size_t units : {std::size_t{5001}, std::size_t{5003}}) {
        std::vector<std::string> many;
        for (std::size_t i = 0; i < units; ++i) {
            many.push_back(kEngine + "|" + std::to_string(i % 2));
        }
        const LoadedConsist cut = loadListedConsist("1\tLong", many, catalogue);
        ASSERT_EQ(cut.units.size(), 5001u);
        EXPECT_EQ(cut.units.back(), kEngine + "|0");
        EXPECT_EQ(cut.overflowed, units > 5001);
    }
}

// A scan stops at the record's end, and a name leads to no lines that are no template.
TEST(TemplateScan, GathersIdsNamesAndLinesOfEveryTemplate) {
    const std::vector<std::string> lines = splitXmlLines(userConsistFile(
        {userTemplate(R"(d:id="111")", "Alpha", {{"a.xml", "0", "201"}}),
         userTemplate(R"(d:id="-2147483000")", "Beta", {{"b.xml", "0", "301"}, {"c.xml", "1", "317"}}),
         userTemplate(R"(d:id="333")", "Alpha", {})}));
    CountingEventPump events;
    const TemplateList save = scanTemplates(lines, TemplateScanPurpose::Save, events);
    // Each template is 11 lines plus 14 per entry, after three header lines.
    EXPECT_EQ(save.templateIndex, "111|3|27:-2147483000|28|66:333|67|77");
    EXPECT_EQ(save.entryIds, "201|301|317|");
    EXPECT_EQ(save.templateCount, 3);
    EXPECT_EQ(events.pumps(), static_cast<int>(lines.size()));
    EXPECT_EQ(scanTemplates(lines, TemplateScanPurpose::Delete, events).entryIds, "");

    const std::vector<std::string> cut = {R"(<cConsistTemplate d:id="1">)", "<Name>",
                                          R"(<English d:type="s">A</English>)", "</Record>",
                                          R"(<cConsistTemplate d:id="2">)"};
    const TemplateList list = scanTemplates(cut, TemplateScanPurpose::Delete, events);
    EXPECT_EQ(list.templateIndex, "1|0|");
    EXPECT_EQ(list.templateCount, 1);
    EXPECT_EQ(events.pumps(), static_cast<int>(2 * lines.size() + 4));
    EXPECT_EQ(templateLinesNamed(list, "A", cut), std::nullopt);
    EXPECT_EQ(templateLinesNamed(TemplateList{{{"1", 0, 3, "A"}}, "1|0|3", "", 1}, "A", cut), std::nullopt);
}

// Nameless templates anywhere, names with "|" and pieces of them: a name finds its first template.
TEST(TemplateScan, InRandomFilesEveryNameFindsTheFirstTemplateThatCarriesIt) {
    std::mt19937 random(20261206);
    const std::vector<std::string> names = {"A", "B", "A|B", "B|", "|", "C", "a"};
    for (int round = 0; round < 200; ++round) {
        std::vector<std::string> templates;
        std::vector<std::optional<std::string>> owners; // each template's own name
        const int count = 1 + static_cast<int>(random() % 7);
        for (int k = 0; k < count; ++k) {
            const std::string id = std::to_string(100 + k);
            if (random() % 3 == 0) {
                templates.push_back(namelessUserTemplate(id));
                owners.emplace_back();
            } else {
                const std::string& name = names[random() % names.size()];
                templates.push_back(userTemplate("d:id=\"" + id + "\"", name, {{"x.xml"}}));
                owners.emplace_back(name);
            }
        }
        const std::vector<std::string> lines = splitXmlLines(userConsistFile(templates));
        std::vector<TemplateLines> spans; // each template's opening and closing line
        for (std::size_t number = 0; number < lines.size(); ++number) {
            if (lines[number].find("<cConsistTemplate ") != std::string::npos) {
                spans.push_back({number, number});
            } else if (lines[number].find("</cConsistTemplate>") != std::string::npos) {
                spans.back().closing = number;
            }
        }
        CountingEventPump events;
        const TemplateList list = scanTemplates(lines, TemplateScanPurpose::Save, events);
        for (const std::string& name : names) {
            const auto owner = std::find(owners.begin(), owners.end(), std::optional<std::string>(name));
            const std::optional<TemplateLines> expected =
                owner == owners.end() ? std::nullopt
                                      : std::optional<TemplateLines>(spans[owner - owners.begin()]);
            ASSERT_EQ(templateLinesNamed(list, name, lines), expected) << "round " << round << ", " << name;
        }
    }
}

TEST(TemplateScan, AFreeNumberIsFoundInStepsOf16) {
    // A candidate equal to the tail of a longer id counts as taken.
    const std::tuple<const char*, std::int64_t, std::int64_t> cases[] = {
        {"", 100000000, 100000000},
        {"111|3|27:222|28|40", 222, 238},
        {"500|516|532|", 500, 548},
        {"201|", 200, 200},
        {"-1123456789|", 123456789, 123456805}};
    for (const auto& [list, start, expected] : cases) {
        EXPECT_EQ(firstFreeNumber(list, start), expected) << list;
    }
}

} // namespace
} // namespace dovrel
