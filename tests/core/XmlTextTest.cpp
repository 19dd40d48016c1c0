#include "core/XmlText.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

TEST(XmlText, EscapesWhatElementTextCannotHoldAndNothingElse) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"RailVehicles\\Diesel\\class66.xml", "RailVehicles\\Diesel\\class66.xml"},
        {"Berg & Tal", "Berg &amp; Tal"},
        {"<a>&&", "&lt;a&gt;&amp;&amp;"},
        {"O'Brien \"x\" Caf\xC3\xA9 \xE9", "O'Brien \"x\" Caf\xC3\xA9 \xE9"},
        {"&amp;", "&amp;amp;"},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(xmlEscapedText(text), escaped) << text;
        EXPECT_EQ(xmlUnescapedText(escaped), text) << escaped;
    }
}

TEST(XmlText, UnescapesEntitiesAndLeavesEverythingElse) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"O&apos;Brien &quot;x&quot;", "O'Brien \"x\""},
        {"&#233;&#xE9;&#X1F682;", "\xC3\xA9\xC3\xA9\xF0\x9F\x9A\x82"},
        {"&#9;", "\t"},
        // Not entities: kept byte for byte.
        {"A & B", "A & B"},
        {"&unknown; &amp", "&unknown; &amp"},
        {"&#; &#x; &#0; &#xD800; &#x110000; &#12a;", "&#; &#x; &#0; &#xD800; &#x110000; &#12a;"},
        {"&#99999999999999999999;", "&#99999999999999999999;"},
        {"&&amp;;", "&&;"},
    };
    for (const auto& [text, unescaped] : cases) {
        EXPECT_EQ(xmlUnescapedText(text), unescaped) << text;
    }
}

} // namespace
} // namespace dovrel
