#include "consistfiles/TemplateScan.h"
#include "ConsistFilesBench.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>
#include <random>

namespace dovrel {
namespace {

using consisttest::namelessUserTemplate;
using consisttest::userConsistFile;
using consisttest::userTemplate;

std::vector<std::string> threeTemplates() {
    return splitXmlLines(userConsistFile(
        {userTemplate(R"(d:id="111")", "Alpha", {{"a.xml", "0", "201"}}),
         userTemplate(R"(d:id="-2147483000")", "Beta", {{"b.xml", "0", "301"}, {"c.xml", "1", "317"}}),
         userTemplate(R"(d:id="333")", "Alpha", {})}));
}

TEST(TemplateScan, GathersIdsNamesAndLinesOfEveryTemplate) {
    const std::vector<std::string> lines = threeTemplates();
    CountingEventPump events;
    const TemplateList save = scanTemplates(lines, TemplateScanPurpose::Save, events);
    // Each template is 11 lines plus 14 per entry, after three header lines.
    EXPECT_EQ(save.templateIndex, "111|3|27:-2147483000|28|66:333|67|77");
    EXPECT_EQ(save.templates,
              (std::vector<TemplateRecord>{
                  {"111", 3, 27, "Alpha"}, {"-2147483000", 28, 66, "Beta"}, {"333", 67, 77, "Alpha"}}));
    EXPECT_EQ(save.entryIds, "201|301|317|");
    EXPECT_EQ(save.templateCount, 3);
    EXPECT_EQ(events.pumps(), static_cast<int>(lines.size()));

    const TemplateList removal = scanTemplates(lines, TemplateScanPurpose::Delete, events);
    EXPECT_EQ(removal.templateIndex, save.templateIndex);
    EXPECT_EQ(removal.entryIds, "");

    EXPECT_EQ(templateLinesNamed(save, "Alpha", lines), (TemplateLines{3, 27}));
    EXPECT_EQ(templateLinesNamed(save, "Beta", lines), (TemplateLines{28, 66}));
    EXPECT_EQ(templateLinesNamed(save, "alpha", lines), std::nullopt);
}

TEST(TemplateScan, StopsAtTheRecordsEndAndDistrustsLinesThatAreNoTemplate) {
    const std::vector<std::string> lines = {R"(<cConsistTemplate d:id="1">)", "<Name>",
                                            R"(<English d:type="s">A</English>)", "</Record>",
                                            R"(<cConsistTemplate d:id="2">)"};
    CountingEventPump events;
    const TemplateList list = scanTemplates(lines, TemplateScanPurpose::Delete, events);
    EXPECT_EQ(list.templateIndex, "1|0|");
    EXPECT_EQ(list.templateCount, 1);
    EXPECT_EQ(events.pumps(), 4);
    EXPECT_EQ(templateLinesNamed(list, "A", lines), std::nullopt);
    EXPECT_EQ(templateLinesNamed(TemplateList{{{"1", 0, 3, "A"}}, "1|0|3", "", 1}, "A", lines), std::nullopt);
}

// The opening and closing line of every template, from the lines themselves.
std::vector<TemplateLines> templateSpans(const std::vector<std::string>& lines) {
    std::vector<TemplateLines> spans;
    for (std::size_t number = 0; number < lines.size(); ++number) {
        if (lines[number].find("<cConsistTemplate ") != std::string::npos) {
            spans.push_back({number, number});
        } else if (lines[number].find("</cConsistTemplate>") != std::string::npos) {
            spans.back().closing = number;
        }
    }
    return spans;
}

// Nameless templates anywhere in the file, names with "|" and pieces of them: a name leads to the
// first template that carries exactly that name, or to none.
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
        const std::vector<TemplateLines> spans = templateSpans(lines);
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
    struct Case {
        const char* list;
        std::int64_t start;
        std::int64_t expected;
    };
    for (const Case& c : {Case{"", 100000000, 100000000}, Case{"111|3|27:222|28|40", 222, 238},
                          Case{"500|516|532|", 500, 548}, Case{"201|", 200, 200},
                          // A candidate equal to the tail of a longer id counts as taken.
                          Case{"-1123456789|", 123456789, 123456805}}) {
        EXPECT_EQ(firstFreeNumber(c.list, c.start), c.expected) << c.list;
    }
}

} // namespace
} // namespace dovrel
