#include "consistfiles/TemplateScan.h"
#include "ConsistFilesBench.h"
#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

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
    EXPECT_EQ(save.templateNames, "Alpha|Beta|Alpha");
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
    EXPECT_EQ(templateLinesNamed(TemplateList{"1|0|3", "A", "", 1}, "A", lines), std::nullopt);
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
