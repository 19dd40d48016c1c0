// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextRules.h"
#include "core/ListingOrder.h"
#include "core/NumberText.h"
#include "core/XmlText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

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
    EXPECT_EQ(trimSpaces(" \t x \t "), "\t x \t");
    EXPECT_EQ(trimSpaces("    "), "");
}

TEST(CaseFolding, FoldsAsciiLettersOnly) {
    EXPECT_EQ(asciiLower("ÄBC-Zz"), "Äbc-zz");
    EXPECT_TRUE(equalsIgnoringCase("VantorCore", "vantorcore"));
    EXPECT_FALSE(equalsIgnoringCase("Ä", "ä"));
    EXPECT_TRUE(containsIgnoringCase("\t<cConsistTemplate d:id=\"5\">", "<CCONSISTTEMPLATE "));
    EXPECT_FALSE(containsIgnoringCase("<cConsistTemplateEntry d:id=\"5\">", "<cConsistTemplate "));
    EXPECT_FALSE(containsIgnoringCase("<Ä>", "<ä>"));
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
        {false, "<English d:type=\"cDeltaString\">A &amp; B</English>", "A &amp; B"},
        {false, "<Name>a>b<c</Name>", "a>b<c"},
        {false, "<Empty></Empty>", ""},
        {false, "<Empty/>", std::nullopt},        // last "<" before the first ">"
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
    EXPECT_EQ(makeDistinct("||"), "|");
    EXPECT_EQ(makeDistinct("a||"), "a|");

    std::string list;
    for (const char* entry : {"Buffer", "Buffer2", "Buffer", "buffer", "Buf"}) {
        appendDistinct(list, entry);
    }
    EXPECT_EQ(list, "Buffer|Buffer2|buffer|Buf");
    EXPECT_TRUE(listHolds(list, "Buf") && !listHolds(list, "Buffe"));
}

TEST(ListingOrder, FoldsLowerCaseUpAndBreaksTiesByBytesStrictly) {
    std::vector<std::string> names = {"_Common", "Zeta", "abc", "ABC", "Abc",
                                      "a",       "zz",   "Z_",  "Z9",  "\xC3\x84rger"};
    sortInListingOrder(names);
    const std::vector<std::string> expected = {"a",    "ABC", "Abc", "abc",     "Z9",
                                               "Zeta", "zz",  "Z_",  "_Common", "\xC3\x84rger"};
    EXPECT_EQ(names, expected);
    // A strict order.
    EXPECT_FALSE(listingLess("abc", "abc"));
    EXPECT_TRUE(listingLess("ABC", "abc"));
    EXPECT_FALSE(listingLess("abc", "ABC"));
    EXPECT_TRUE(listingLess("ab", "abc"));
}

TEST(NumberText, RefusesEverythingElse) {
    for (const char* text : {"", "-", ".", "+1", " 1", "1 ", "1,5", "1.2.3", "inf", "nan", "-inf", "1e",
                             "1e+", "e5", "0x10", "1f", "--1", "1e5.5", "12;13"}) {
        EXPECT_FALSE(isNumberText(text)) << '"' << text << '"';
        EXPECT_FALSE(parseNumberText(text).has_value()) << '"' << text << '"';
    }
}

// The game's numbers, and numbers beyond a double, which take their limit.
TEST(NumberText, AcceptsTheGamesNumbers) {
    const std::string zeros(400, '0');
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<std::string, double>> cases = {
        {".5", 0.5},
        {"5.", 5.0},
        {"1E-2", 0.01},
        {"1e999", inf},
        {"-1e999", -inf},
        {"0." + zeros + "1", 0.0},
        {"-." + zeros + "7", -0.0},
        {"0." + zeros + "1e5", 0.0},
        {"1" + zeros, inf},
        {"1" + zeros + ".5", inf},
        {"0.0001e999", inf},
        {"1" + zeros + "e-800", 0.0},
        {"1e-99999999999999999999", 0.0},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = parseNumberText(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
        EXPECT_EQ(std::signbit(*parsed), std::signbit(value)) << text;
    }
}

// Written text escapes what element text cannot hold and nothing else, and reads back; read text
// also decodes the other entities and keeps what is not an entity byte for byte.
TEST(XmlText, EscapesAndUnescapes) {
    const struct {
        bool written;
        std::string text;
        std::string xml;
    } cases[] = {
        {true, "Berg & Tal", "Berg &amp; Tal"},
        {true, "<a>&&", "&lt;a&gt;&amp;&amp;"},
        {true, "O'Brien \"x\" Caf\xC3\xA9 \xE9", "O'Brien \"x\" Caf\xC3\xA9 \xE9"},
        {true, "&amp;", "&amp;amp;"},
        {false, "O'Brien \"x\"", "O&apos;Brien &quot;x&quot;"},
        {false, "\xC3\xA9\xC3\xA9\xF0\x9F\x9A\x82", "&#233;&#xE9;&#X1F682;"},
        {false, "\t", "&#9;"},
        {false, "A & B", "A & B"},
        {false, "&unknown; &amp", "&unknown; &amp"},
        {false, "&#; &#x; &#0; &#xD800; &#x110000; &#12a;", "&#; &#x; &#0; &#xD800; &#x110000; &#12a;"},
        {false, "&#99999999999999999999;", "&#99999999999999999999;"},
        {false, "&&;", "&&amp;;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(xmlUnescapedText(c.xml), c.text) << c.xml;
        EXPECT_TRUE(!c.written || xmlEscapedText(c.text) == c.xml) << c.text;
    }
}

} // namespace
} // namespace dovrel
