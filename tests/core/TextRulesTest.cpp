#include "core/TextRules.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using Lines = std::vector<std::string>;

// Line splitting: the XML rule deletes CR CR LF and drops trailing empty lines; the cache rule keeps
// them but the last.
TEST(SplitLines, XmlAndCacheRulesDiffer) {
    const struct {
        std::string text;
        Lines xmlLines;
        Lines cacheLines;
    } cases[] = {
        {"a\r\nb", {"a", "b"}, {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}, {"a", "b"}},
        {"a\r\nb\r\n\r\n", {"a", "b"}, {"a", "b", ""}},
        {"a\r\n\r\n\r\n", {"a"}, {"a", "", ""}},
        {"a\r\r\nb", {"ab"}, {"a\r", "b"}},
        {"a\r\nb\r\r\nc\r\nd\r\n", {"a", "bc", "d"}, {"a", "b\r", "c", "d"}},
        {"a\nb\r\nc", {"a\nb", "c"}, {"a\nb", "c"}},
        {"a\rb", {"a\rb"}, {"a\rb"}},
        {"", {""}, {}},
        {"\r\n", {""}, {}},
        {"a\r\n\r\nb", {"a", "", "b"}, {"a", "", "b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitXmlLines(c.text), c.xmlLines) << c.text;
        EXPECT_EQ(splitCacheLines(c.text), c.cacheLines) << c.text;
        std::string storage;
        const std::vector<std::string_view> views = xmlLineViews(c.text, storage);
        EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), c.xmlLines) << c.text;
    }
}

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

// A value lies between the first ">" and the last "<", an identifier between the first and the last
// double quote.
TEST(Cuts, ValuesAndIdentifiers) {
    using Cut = std::optional<std::string_view>;
    const struct {
        bool identifier;
        std::string line;
        Cut cut;
    } cases[] = {
        {false, "<Mass d:type=\"sFloat32\">84.5</Mass>", "84.5"},
        {false, "<English d:type=\"cDeltaString\">A &amp; B</English>", "A &amp; B"},
        {false, "<Name>a>b<c</Name>", "a>b<c"},
        {false, "<Empty></Empty>", ""},
        {false, "<Empty/>", std::nullopt},        // last "<" before the first ">"
        {false, "no brackets", std::nullopt},     // neither
        {false, "text>only close", std::nullopt}, // no "<"
        {false, "<only open", std::nullopt},      // no ">"
        {false, "</a><b>", ""},                   // between "</a>" and "<b>"
        {true, "<cConsistTemplate d:id=\"123456789\">", "123456789"},
        {true, "<cConsist d:id=\"1\" d:other=\"2\">", "1\" d:other=\"2"},
        {true, "<x a=\"\">", ""},
        {true, "<x a=\"unterminated>", std::nullopt},
        {true, "<x>", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.identifier ? cutIdentifier(c.line) : cutValue(c.line), c.cut) << c.line;
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
    for (const char* valid : {"plain", "Z\xC3\xBCrich", "\xF0\x9F\x9A\x82"}) {
        EXPECT_TRUE(isValidUtf8(valid)) << valid;
    }
    for (const char* invalid :
         {"\xE9t\xE9", "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE0\x80\xAF"}) {
        EXPECT_FALSE(isValidUtf8(invalid)) << invalid;
    }
}

} // namespace
} // namespace dovrel
