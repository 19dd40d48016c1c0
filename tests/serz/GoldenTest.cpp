#include "SerzTestData.h"
#include "serz/BinReader.h"
#include "serz/BinWriter.h"
#include "serz/Conversion.h"
#include "serz/XmlReader.h"
#include "serz/XmlWriter.h"

#include <bit>
#include <gtest/gtest.h>

namespace serz {
namespace {

using namespace testing;

// The value of a result; fails the test with the error and where it is when there is none.
template <typename Result> auto valueOf(Result result) {
    EXPECT_TRUE(result.ok()) << result.error().message << " at " << result.error().position;
    using Value = std::decay_t<decltype(result.value())>;
    return result.ok() ? Value(std::move(result).value()) : Value();
}
std::string xmlOf(const Document& document) {
    return valueOf(writeXml(document));
}
std::string binOf(const Document& document) {
    return valueOf(writeBin(document));
}
Document fromXml(const std::string& xml) {
    return valueOf(readXml(xml));
}
Document fromBin(const std::string& bin) {
    return valueOf(readBin(bin));
}

// A root "r" around the given records.
Document inRoot(std::vector<Record> records, std::uint32_t rootId = 0) {
    Document document{Record::open("r", rootId)};
    for (auto& record : records) {
        document.push_back(std::move(record));
    }
    document.push_back(Record::close("r"));
    return document;
}

TEST(Golden, IdsAboveTwoToThe31ArePrintedSignedAndReadEitherWay) {
    const Document document = inRoot(
        {Record::open("c", 0x80000000), Record::reference("t", 0xFFFFFFFF), Record::close("c")}, 0xB5AEC7C0);
    const std::string expected = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                                 "<r xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"-1246836800\">\r\n"
                                 "\t<c d:id=\"-2147483648\">\r\n"
                                 "\t\t<t d:type=\"ref\">-1</t>\r\n"
                                 "\t</c>\r\n"
                                 "</r>\r\n";
    EXPECT_EQ(xmlOf(document), expected);
    EXPECT_EQ(fromXml(expected), document);
    EXPECT_NE(binOf(document).find(u32(0xB5AEC7C0)), std::string::npos);
    // Ids written unsigned read as the same bits.
    const Document unsignedIds =
        fromXml("<r xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"3048130496\">\r\n"
                "\t<t d:type=\"ref\">4294967295</t>\r\n</r>\r\n");
    ASSERT_EQ(unsignedIds.size(), 3u);
    EXPECT_EQ(unsignedIds[0].id, 0xB5AEC7C0u);
    EXPECT_EQ(unsignedIds[1].id, 0xFFFFFFFFu);
}

// Reserved and control characters are escaped, empty values and childless elements keep their tags,
// blobs are hex, and each line reads back as the same records.
TEST(Golden, XmlFormOfRecords) {
    const struct {
        Document document;
        const char* line;
    } cases[] = {
        {inRoot({Record::string("s", "&<>\"'\r\n\t\x01 end")}),
         "\t<s d:type=\"cDeltaString\">&amp;&lt;&gt;&quot;&apos;&#13;&#10;&#9;&#1; end</s>\r\n"},
        {inRoot({Record::string("s", "")}), "\t<s d:type=\"cDeltaString\"></s>\r\n"},
        {inRoot({Record::array("a", ValueType::Float32, {})}),
         "\t<a d:numElements=\"0\" d:elementType=\"sFloat32\" d:precision=\"string\"></a>\r\n"},
        {inRoot({Record::open("Other"), Record::close("Other")}), "\t<Other/>\r\n"},
        {inRoot({Record::blob("\x0A\x0B\xFF")}), "\t<d:blob d:size=\"3\">0A0BFF</d:blob>\r\n"},
    };
    for (const auto& c : cases) {
        const std::string xml = xmlOf(c.document);
        EXPECT_NE(xml.find(c.line), std::string::npos) << xml;
        EXPECT_EQ(fromXml(xml), c.document) << c.line;
    }
}

// Any spelling of an empty element, any namespace and any attribute order read the same.
TEST(Golden, OtherSpellingsReadTheSame) {
    const Document other = inRoot({Record::open("Other"), Record::close("Other")});
    const Document empties = inRoot({Record::string("s", ""), Record::array("a", ValueType::Float32, {})});
    const struct {
        std::string xml;
        Document document;
    } cases[] = {
        {xmlHead("r") + "<Other/></r>", other},
        {xmlHead("r") + "<Other /></r>", other},
        {xmlHead("r") + "<Other></Other></r>", other},
        {xmlHead("r") + "<Other >\n</Other ></r>", other},
        {xmlHead("r") + "<s d:type=\"cDeltaString\"/><a d:numElements=\"0\" d:elementType=\"sFloat32\"/></r>",
         empties},
        {"<?xml version=\"1.0\"?>\n<r d:version=\"1.0\" xmlns:d=\"urn:other\"><v d:precision=\"string\" "
         "d:alt_encoding=\"0000000000000000\" d:type='sFloat32'>0.5</v></r>",
         inRoot({Record::scalar("v", ValueType::Float32, std::bit_cast<std::uint32_t>(0.5f))})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromXml(c.xml), c.document) << c.xml;
    }
}

TEST(Golden, XmlTextIsDecodedAsXml) {
    const struct {
        const char* xmlText;
        const char* value;
    } cases[] = {
        {"a&#x41;&#66;", "aAB"},           {"line\r\nnext", "line\nnext"}, // literal line ends are normalised
        {"cr\ronly", "cr\nonly"},          {"&#13;&#10;", "\r\n"},         // references are not
        {"<![CDATA[<&>]]>x", "<&>x"},      {"a<!-- note -->b", "ab"},
        {"&#x1F600;", "\xF0\x9F\x98\x80"}, {" kept ", " kept "},
    };
    for (const auto& c : cases) {
        const Document document =
            fromXml(xmlHead() + "\t<s d:type=\"cDeltaString\">" + c.xmlText + "</s>\r\n</cRecordSet>\r\n");
        ASSERT_EQ(document.size(), 3u) << c.xmlText;
        EXPECT_EQ(document[1].text, c.value) << c.xmlText;
    }
}

// A string's count is in UTF-16 units: a character outside the BMP counts two. Bytes from file paths
// can arrive as U+FF80..U+FFFF; each is one unit, three bytes, carried unchanged.
TEST(Golden, StringCountsAreUtf16Units) {
    const std::pair<std::string, std::uint32_t> cases[] = {
        {"a\xF0\x9F\x98\x80\xC3\xA9", 4}, // a, U+1F600, e-acute
        {"C:\\\xEF\xBE\x80\xEF\xBF\xBF", 5},
    };
    for (const auto& [text, units] : cases) {
        const Document document = inRoot({Record::string("s", text)});
        const std::string expected = binInRoot(bytes({0xFF, 0x56}) + newString("s") +
                                               newString("cDeltaString") + newString(text, units));
        EXPECT_EQ(binOf(document), expected) << text;
        EXPECT_EQ(fromBin(expected), document) << text;
        EXPECT_EQ(binOf(fromXml(xmlOf(document))), expected) << text;
    }
}

TEST(Golden, SixtyFiveThousandFiveHundredThirtyFiveStringsFitAndOneMoreDoesNot) {
    // "r", "sInt32" and the names: 2 + count distinct strings.
    auto documentWithNames = [](std::size_t count) {
        std::vector<Record> records;
        records.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            records.push_back(Record::scalar("n" + std::to_string(i), ValueType::Int32, i));
            records.back().source = i + 3;
        }
        return inRoot(std::move(records));
    };
    const auto fits = writeBin(documentWithNames(65'533));
    ASSERT_TRUE(fits.ok()) << fits.error().message;
    EXPECT_EQ(fromBin(fits.value()).size(), 65'535u);

    const auto refused = writeBin(documentWithNames(65'534));
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("65,535 distinct strings"), std::string::npos);
    EXPECT_EQ(refused.error().position, 65'533u + 3) << "the record that needed the 65,536th string";
}

TEST(Golden, ArraysHoldAtMost255Elements) {
    const Document full = inRoot({Record::array("a", ValueType::UInt8, std::vector<std::uint64_t>(255, 7))});
    const auto written = writeBin(full);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(fromBin(written.value()), full);

    Document over = inRoot({Record::array("a", ValueType::UInt8, std::vector<std::uint64_t>(256, 7))});
    over[1].source = 9;
    const auto refused = writeBin(over);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("at most 255"), std::string::npos);
    EXPECT_EQ(refused.error().position, 9u);

    std::string values = "1";
    for (int i = 1; i < 256; ++i) {
        values += " 1";
    }
    const auto fromText = readXml(xmlHead() +
                                  "\t<a d:numElements=\"256\" d:elementType=\"sUInt8\" "
                                  "d:precision=\"string\">" +
                                  values + "</a>\r\n</cRecordSet>\r\n");
    ASSERT_FALSE(fromText.ok());
    EXPECT_NE(fromText.error().message.find("at most 255"), std::string::npos);
    EXPECT_EQ(fromText.error().position, 3u);
}

TEST(Golden, WriterUsesTheShortFormExactlyWhenTheKeyIsCached) {
    const float one = 1.0f;
    const auto oneBits = std::bit_cast<std::uint32_t>(one);
    const Document document = inRoot({
        Record::scalar("a", ValueType::Int32, 1),
        Record::scalar("a", ValueType::Int32, 2),         // same key: short
        Record::scalar("a", ValueType::Float32, oneBits), // other type: long
        Record::array("v", ValueType::Float32, {oneBits}),
        Record::array("v", ValueType::Float32, {oneBits, oneBits}), // the count is not in the key
        Record::reference("x", 5),
        Record::reference("x", 6),
        Record::open("c"),
        Record::nil(),
        Record::nil(),
        Record::close("c"),
        Record::open("c"),
        Record::close("c"),
    });
    const std::string expected =
        header() + bytes({0xFF, 0x50}) + newString("r") + u32(0) + u32(9) +         // slot 0
        bytes({0xFF, 0x56}) + newString("a") + newString("sInt32") + u32(1) +       // slot 1
        bytes({0x01}) + u32(2) +                                                    //
        bytes({0xFF, 0x56}) + u16(1) + newString("sFloat32") + u32(oneBits) +       // slot 2
        bytes({0xFF, 0x41}) + newString("v") + u16(3) + bytes({1}) + u32(oneBits) + // slot 3
        bytes({0x03, 2}) + u32(oneBits) + u32(oneBits) +                            //
        bytes({0xFF, 0x52}) + newString("x") + u32(5) +                             // slot 4
        bytes({0x04}) + u32(6) +                                                    //
        bytes({0xFF, 0x50}) + newString("c") + u32(0) + u32(2) +                    // slot 5
        bytes({0xFF, 0x4E}) +                                                       // slot 6
        bytes({0x06}) +                                                             //
        bytes({0xFF, 0x70}) + u16(6) +                                              // slot 7
        bytes({0x05}) + u32(0) + u32(0) + bytes({0x07}) +                           //
        bytes({0xFF, 0x70}) + u16(0);
    EXPECT_EQ(binOf(document), expected);
    EXPECT_EQ(fromBin(expected), document);
}

TEST(Golden, ReaderAcceptsLongFormsOfCachedKeys) {
    // A writer may repeat a record in long form; the reader follows the rotation regardless.
    std::string records;
    for (int i = 0; i < 300; ++i) {
        records += bytes({0xFF, 0x56}) + (i == 0 ? newString("k") : u16(1)) +
                   (i == 0 ? newString("sUInt8") : u16(2)) + bytes({i & 0xFF});
    }
    // Record 301 of the file sits in slot 300 % 255 = 45; its short form repeats the scalar.
    const Document document = fromBin(binInRoot(records + bytes({45, 0x2A}), 0));
    ASSERT_EQ(document.size(), 303u);
    EXPECT_EQ(document[301].name, "k");
    EXPECT_EQ(document[301].bits, 0x2Au);
}

TEST(Golden, ShortFormOfAMarkerSlotIsReadAndDropped) {
    const std::string bin = header() + bytes({0xFF, 0x43, 0x00}) + u32(4) + bytes({0x00, 0x01}) + u32(9) +
                            bytes({0xFF, 0x50}) + newString("r") + u32(0) + u32(0) + bytes({0xFF, 0x70}) +
                            u16(0);
    EXPECT_EQ(fromBin(bin), inRoot({}));
}

TEST(Golden, ChildCountsCountEveryChildElementAndIgnoreTheStoredOnes) {
    const std::string bin = binInRoot(bytes({0xFF, 0x4E, 0x01}), 77);
    const Document document = fromBin(bin);
    EXPECT_EQ(document, inRoot({Record::nil(), Record::nil()}));
    const std::string written = binOf(document);
    EXPECT_EQ(written.substr(8 + 2 + 7 + 4, 4), u32(2));
}

TEST(Golden, NamesMapBetweenStoredAndXmlForms) {
    const Document document =
        inRoot({Record::scalar("a::b-c", ValueType::Bool, 1), Record::scalar("", ValueType::Bool, 0)});
    const std::string xml = xmlOf(document);
    EXPECT_NE(xml.find("\t<a-b-c d:type=\"bool\">1</a-b-c>\r\n"), std::string::npos);
    EXPECT_NE(xml.find("\t<e d:type=\"bool\">0</e>\r\n"), std::string::npos);
    const Document back = fromXml(xml);
    ASSERT_EQ(back.size(), 4u);
    EXPECT_EQ(back[1].name, "a::b::c"); // a real dash comes back as "::"
    EXPECT_EQ(back[2].name, "e");       // and an empty name as "e"
}

TEST(Golden, NamesThatCannotBeTagsAreRefused) {
    // "d:nil" and "d:blob" would be read back as a nil and a blob, "!x" and "?x" as markup.
    for (const char* name :
         {"two words", "a<b", "a>b", "a&b", "q\"", "a/b", "a=b", "tab\t", "d:nil", "d:blob", "!x", "?x"}) {
        Document document = inRoot({Record::scalar(name, ValueType::Bool, 1)});
        document[1].source = 42;
        const auto xml = writeXml(document);
        ASSERT_FALSE(xml.ok()) << name;
        EXPECT_EQ(xml.error().position, 42u);
        EXPECT_NE(xml.error().message.find("cannot be written"), std::string::npos);
    }
}

TEST(Golden, NestingIsLimitedTo1000LevelsInEveryReaderAndWriter) {
    auto ladder = [](std::size_t depth) {
        Document document(depth, Record::open("n"));
        document.insert(document.end(), depth, Record::close("n"));
        return document;
    };
    auto flatXml = [](std::size_t depth) {
        std::string xml;
        for (std::size_t i = 0; i < depth; ++i) {
            xml.insert(3 * i, "<n></n>");
        }
        return xml;
    };
    const Document deepest = ladder(kMaxDepth);
    EXPECT_EQ(fromBin(binOf(deepest)), deepest);
    EXPECT_EQ(fromXml(flatXml(kMaxDepth)), deepest);
    EXPECT_EQ(fromXml(xmlOf(deepest)), deepest);

    const Document tooDeep = ladder(kMaxDepth + 1);
    EXPECT_FALSE(writeBin(tooDeep).ok());
    EXPECT_FALSE(writeXml(tooDeep).ok());
    const auto xml = readXml(flatXml(kMaxDepth + 1));
    ASSERT_FALSE(xml.ok());
    EXPECT_NE(xml.error().message.find("more than 1000 levels"), std::string::npos);
    std::string bin = header() + bytes({0xFF, 0x50}) + newString("n") + u32(0) + u32(1);
    for (std::size_t i = 1; i <= kMaxDepth; ++i) {
        bin += bytes({0x00}) + u32(0) + u32(1);
    }
    const auto read = readBin(bin);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().position, 8 + 17 + 9 * (kMaxDepth - 1));
    EXPECT_NE(read.error().message.find("more than 1000 levels"), std::string::npos);
}

} // namespace
} // namespace serz
