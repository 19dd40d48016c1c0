#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Lines xmlLines;
    Lines cacheLines;
};

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, XmlAndCacheRulesDiffer) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(splitXmlLines(c.text), c.xmlLines);
    EXPECT_EQ(splitCacheLines(c.text), c.cacheLines);
    std::string storage;
    const std::vector<std::string_view> views = xmlLineViews(c.text, storage);
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), c.xmlLines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitTest,
    ::testing::Values(
        SplitCase{"plain", "a\r\nb", {"a", "b"}, {"a", "b"}},
        SplitCase{"oneTrailingPair", "a\r\nb\r\n", {"a", "b"}, {"a", "b"}},
        SplitCase{"twoTrailingPairs", "a\r\nb\r\n\r\n", {"a", "b"}, {"a", "b", ""}},
        SplitCase{"threeTrailingPairs", "a\r\n\r\n\r\n", {"a"}, {"a", "", ""}},
        SplitCase{"crCrLfDeletedOnlyInXml", "a\r\r\nb", {"ab"}, {"a\r", "b"}},
        SplitCase{"crCrLfBesideLineEnds", "a\r\nb\r\r\nc\r\nd\r\n", {"a", "bc", "d"}, {"a", "b\r", "c", "d"}},
        SplitCase{"loneLfKept", "a\nb\r\nc", {"a\nb", "c"}, {"a\nb", "c"}},
        SplitCase{"loneCrKept", "a\rb", {"a\rb"}, {"a\rb"}}, SplitCase{"emptyText", "", {""}, {}},
        SplitCase{"onlyCrLf", "\r\n", {""}, {}},
        SplitCase{"innerEmptyLine", "a\r\n\r\nb", {"a", "", "b"}, {"a", "", "b"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrimSpaces, RemovesSpacesOnlyAndKeepsTabs) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"  <Name>  ", "<Name>"},
        {"\t<Name>\t", "\t<Name>\t"},
        {" \t x \t ", "\t x \t"},
        {"    ", ""},
        {"", ""},
    };
    for (const auto& [text, trimmed] : cases) {
        EXPECT_EQ(trimSpaces(text), trimmed) << '"' << text << '"';
    }
}

TEST(CaseFolding, FoldsAsciiLettersOnly) {
    EXPECT_EQ(asciiLower("ÄBC-Zz"), "Äbc-zz");
    EXPECT_TRUE(equalsIgnoringCase("VantorCore", "vantorcore"));
    EXPECT_FALSE(equalsIgnoringCase("Ä", "ä"));
    EXPECT_FALSE(equalsIgnoringCase("abc", "abcd"));
    EXPECT_TRUE(containsIgnoringCase("\t<cConsistTemplate d:id=\"5\">", "<CCONSISTTEMPLATE "));
    EXPECT_FALSE(containsIgnoringCase("<cConsistTemplateEntry d:id=\"5\">", "<cConsistTemplate "));
    EXPECT_FALSE(containsIgnoringCase("<Ä>", "<ä>"));
    EXPECT_TRUE(containsIgnoringCase("anything", ""));
    EXPECT_FALSE(containsIgnoringCase("ab", "abc"));
}

TEST(Cuts, ValueLiesBetweenFirstCloseAndLastOpenBracket) {
    struct Case {
        std::string line;
        std::optional<std::string> value;
    };
    const std::vector<Case> cases = {
        {"<Mass d:type=\"sFloat32\">84.5</Mass>", "84.5"},
        {"<English d:type=\"cDeltaString\">A &amp; B</English>", "A &amp; B"},
        {"<Name>a>b<c</Name>", "a>b<c"},
        {"<Empty></Empty>", ""},
        {"<Empty/>", std::nullopt},        // last "<" before the first ">"
        {"no brackets", std::nullopt},     // neither
        {"text>only close", std::nullopt}, // no "<"
        {"<only open", std::nullopt},      // no ">"
        {"</a><b>", ""},                   // between "</a>" and "<b>"
    };
    for (const Case& c : cases) {
        const auto cut = cutValue(c.line);
        ASSERT_EQ(cut.has_value(), c.value.has_value()) << c.line;
        if (c.value) {
            EXPECT_EQ(*cut, *c.value) << c.line;
        }
    }
}

TEST(Cuts, IdentifierLiesBetweenFirstAndLastDoubleQuote) {
    struct Case {
        std::string line;
        std::optional<std::string> identifier;
    };
    const std::vector<Case> cases = {
        {"<cConsistTemplate d:id=\"123456789\">", "123456789"},
        {"<cConsist d:id=\"1\" d:other=\"2\">", "1\" d:other=\"2"},
        {"<x a=\"\">", ""},
        {"<x a=\"unterminated>", std::nullopt},
        {"<x>", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto cut = cutIdentifier(c.line);
        ASSERT_EQ(cut.has_value(), c.identifier.has_value()) << c.line;
        if (c.identifier) {
            EXPECT_EQ(*cut, *c.identifier) << c.line;
        }
    }
}

TEST(DistinctLists, WholeEntriesComparedWithCase) {
    EXPECT_EQ(makeDistinct("DTG|Acme|DTG|acme|Acme"), "DTG|Acme|acme");
    EXPECT_EQ(makeDistinct("Acme\\Pack|Acme\\Pack2|Acme\\Pack"), "Acme\\Pack|Acme\\Pack2");
    EXPECT_EQ(makeDistinct("a:b:a", ':'), "a:b");
    EXPECT_EQ(makeDistinct(""), "");
    // A list that is still the empty text holds nothing, not even the empty entry.
    EXPECT_EQ(makeDistinct("|"), "|");
    EXPECT_EQ(makeDistinct("||"), "|");
    EXPECT_EQ(makeDistinct("a||"), "a|");

    std::string thousands;
    for (int i = 0; i < 5001; ++i) {
        thousands += (i > 0 ? "|" : "") + std::to_string(i);
    }
    EXPECT_EQ(makeDistinct(thousands + "|" + thousands), thousands);

    std::string list;
    for (const char* entry : {"Buffer", "Buffer2", "Buffer", "buffer", "Buf"}) {
        appendDistinct(list, entry);
    }
    EXPECT_EQ(list, "Buffer|Buffer2|buffer|Buf");
    EXPECT_TRUE(listHolds(list, "Buf"));
    EXPECT_FALSE(listHolds(list, "Buffe"));
}

TEST(Utf8, RejectsMalformedSequences) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"plain", true},
        {"Z\xC3\xBCrich", true},
        {"\xF0\x9F\x9A\x82", true},
        {"\xE9t\xE9", false},
        {"\xC3", false},
        {"\xC0\xAF", false},
        {"\xED\xA0\x80", false},
        {"\xF4\x90\x80\x80", false},
        {"\xE0\x80\xAF", false},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(isValidUtf8(text), valid) << text;
    }
}

} // namespace
} // namespace dovrel
