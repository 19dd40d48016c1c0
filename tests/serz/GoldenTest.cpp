// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerzTestData.h"
#include "serz/BinReader.h"
#include "serz/BinWriter.h"
#include "serz/Conversion.h"
#include "serz/XmlReader.h"
#include "serz/XmlWriter.h"

#include <bit>
#include <gtest/gtest.h>
#include <tuple>

namespace serz {
namespace {

using namespace testing;

// The value of a result; fails the test with the error and where it is when there is none.
template <typename Result> auto valueOf(Result result) {
    EXPECT_TRUE(result.ok()) << result.error().message << " at " << result.error().position;
    using Value = std::decay_t<decltype(result.value())>;
    return result.ok() ? Value(std::move(result).value()) : Value();
}
// A root "r" around the given records.
Document inRoot(Document records) {
    records.insert(records.begin(), Record::open("r"));
    records.push_back(Record::close("r"));
    return records;
}

// Each vector's .bin converts to its .xml and the .xml to its bin exactly. Text wins over the original
// bits, so XML -> bin is lossy once and then stable: that bin converts back to itself.
TEST(Vectors, EveryVectorConvertsToItsOtherFormExactlyAndBackToItself) {
    for (const Vector& vector : kVectors) {
        SCOPED_TRACE(vector.name);
        EXPECT_EQ(valueOf(convert(Direction::BinToXml, fileText(vector.bin()))), fileText(vector.xml()));
        const std::string bin = valueOf(convert(Direction::XmlToBin, fileText(vector.xml())));
        EXPECT_EQ(bin, fileText(vector.binFromXml()));
        EXPECT_EQ(valueOf(convert(Direction::XmlToBin, valueOf(convert(Direction::BinToXml, bin)))), bin);
    }
    // Records read from XML carry their lines.
    const Document lines = valueOf(readXml(fileText(Vector{"nested_ids", false}.xml())));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(std::make_tuple(lines[0].source, lines[6].name, lines[6].source, lines[7].source),
              std::make_tuple(2u, "Flipped", 8u, 9u));
}

// Each line inside a root reads as its records; the lines the writer writes itself are marked. The
// others are other spellings: empty elements, single quotes, unsigned ids, other attributes.
TEST(Golden, XmlLinesAndTheirRecords) {
    const Document other = inRoot({Record::open("Other"), Record::close("Other")});
    const Document minusOne = inRoot({Record::reference("t", 0xFFFFFFFF)});
    const struct {
        bool written;
        std::string line;
        Document document;
    } cases[] = {
        {true, "\t<s d:type=\"cDeltaString\">&amp;&lt;&gt;&quot;&apos;&#13;&#10;&#9;&#1; end</s>\r\n",
         inRoot({Record::string("s", "&<>\"'\r\n\t\x01 end")})},
        {true, "\t<a d:numElements=\"0\" d:elementType=\"sFloat32\" d:precision=\"string\"></a>\r\n",
         inRoot({Record::array("a", ValueType::Float32, {})})},
        {true, "\t<t d:type=\"ref\">-1</t>\r\n", minusOne},
        {true, "\t<d:blob d:size=\"3\">0A0BFF</d:blob>\r\n", inRoot({Record::blob("\x0A\x0B\xFF")})},
        {false, "<t d:type=\"ref\">4294967295</t>", minusOne},
        {false, "<c d:id=\"2147483648\"/>", inRoot({Record::open("c", 0x80000000), Record::close("c")})},
        {false, "<Other/>", other},
        {false, "<Other />", other},
        {false, "<Other></Other>", other},
        {false, "<Other >\n</Other >", other},
        {false, "<s d:type=\"cDeltaString\"/><a d:numElements=\"0\" d:elementType=\"sFloat32\"/>",
         inRoot({Record::string("s", ""), Record::array("a", ValueType::Float32, {})})},
        {false, "<v d:precision=\"string\" d:alt_encoding=\"0000000000000000\" d:type='sFloat32'>0.5</v>",
         inRoot({Record::scalar("v", ValueType::Float32, std::bit_cast<std::uint32_t>(0.5f))})},
        // Text decoded as XML: references, literal line ends normalised (not referenced ones), CDATA,
        // comments, spaces kept.
        {false,
         "<s d:type=\"cDeltaString\"> a&#x41;&#66;\r\n\r<![CDATA[<&>]]>b<!-- n -->&#x1F600;&#13;&#10; </s>",
         inRoot({Record::string("s", " aAB\n\n<&>b\xF0\x9F\x98\x80\r\n ")})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(valueOf(readXml(xmlHead("r") + c.line + "</r>\r\n")), c.document) << c.line;
        EXPECT_TRUE(!c.written || valueOf(writeXml(c.document)).find(c.line) != std::string::npos) << c.line;
    }
    // Any namespace and any order of the root's attributes.
    EXPECT_EQ(
        valueOf(readXml("<?xml version=\"1.0\"?>\n<r d:version=\"1.0\" xmlns:d=\"urn:other\"><Other/></r>")),
        other);
}

// Records and their exact binary form. The writer uses the short form exactly when the key is cached
// (the count of an array is not in the key); a string's count is in UTF-16 units (a character outside
// the BMP counts two; bytes from file paths arrive as U+FF80..U+FFFF, one unit and three bytes each).
// The reader also follows what the writer never writes: long forms of cached keys (the 301st record
// sits in slot 300 % 255 = 45), a short form of the marker's slot (read and dropped), and stored child
// counts that are wrong (it counts the children itself).
TEST(Golden, RecordsAndTheirBinaryForm) {
    const auto oneBits = std::bit_cast<std::uint32_t>(1.0f);
    const auto inString = [](const std::string& text, std::uint32_t units) {
        return binInRoot(bytes({0xFF, 0x56}) + newString("s") + newString("cDeltaString") +
                         newString(text, units));
    };
    std::string longForms;
    Document repeated{Record::open("r")};
    for (int i = 0; i < 300; ++i) {
        longForms += bytes({0xFF, 0x56}) + (i == 0 ? newString("k") + newString("sUInt8") : u16(1) + u16(2)) +
                     bytes({i & 0xFF});
        repeated.push_back(Record::scalar("k", ValueType::UInt8, i & 0xFF));
    }
    repeated.push_back(Record::scalar("k", ValueType::UInt8, 0x2A));
    repeated.push_back(Record::close("r"));
    const struct {
        bool written;
        Document document;
        std::string bin;
    } cases[] = {
        {true,
         inRoot({
             Record::scalar("a", ValueType::Int32, 1),
             Record::scalar("a", ValueType::Int32, 2),         // same key: short
             Record::scalar("a", ValueType::Float32, oneBits), // other type: long
             Record::array("v", ValueType::Float32, {oneBits}),
             Record::array("v", ValueType::Float32, {oneBits, oneBits}),
             Record::reference("x", 5),
             Record::reference("x", 6),
             Record::open("c"),
             Record::nil(),
             Record::nil(),
             Record::close("c"),
             Record::open("c"),
             Record::close("c"),
         }),
         binInRoot(bytes({0xFF, 0x56}) + newString("a") + newString("sInt32") + u32(1) +           // slot 1
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
                       bytes({0x05}) + u32(0) + u32(0) + bytes({0x07}),
                   9)},
        {true, inRoot({Record::string("s", "a\xF0\x9F\x98\x80\xC3\xA9")}),
         inString("a\xF0\x9F\x98\x80\xC3\xA9", 4)},
        {true, inRoot({Record::string("s", "C:\\\xEF\xBE\x80\xEF\xBF\xBF")}),
         inString("C:\\\xEF\xBE\x80\xEF\xBF\xBF", 5)},
        {false, repeated, binInRoot(longForms + bytes({45, 0x2A}), 0)},
        {false, inRoot({}),
         header() + bytes({0xFF, 0x43, 0x00}) + u32(4) + bytes({0x00, 0x01}) + u32(9) +
             binInRoot("", 0).substr(8)},
        {false, inRoot({Record::nil(), Record::nil()}), binInRoot(bytes({0xFF, 0x4E, 0x01}), 77)},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(!c.written || valueOf(writeBin(c.document)) == c.bin);
        EXPECT_EQ(valueOf(readBin(c.bin)), c.document);
    }
}

// The binary form's limits: 65,535 distinct strings, 255 array elements, 1000 levels. The largest
// document survives both forms; one more is refused at the record that passes the limit, and the
// readers refuse what the writer would.
TEST(Golden, LimitsOfTheBinaryForm) {
    const auto names = [](std::size_t count) { // with "r" and "sInt32": 2 + count distinct strings
        std::vector<Record> records;
        for (std::size_t i = 0; i < count; ++i) {
            records.push_back(Record::scalar("n" + std::to_string(i), ValueType::Int32, i));
        }
        return inRoot(std::move(records));
    };
    const auto elements = [](std::size_t count) {
        return inRoot({Record::array("a", ValueType::UInt8, std::vector<std::uint64_t>(count, 7))});
    };
    const auto ladder = [](std::size_t depth) {
        Document document(depth, Record::open("n"));
        document.insert(document.end(), depth, Record::close("n"));
        return document;
    };
    struct {
        Document fits, over;
        std::size_t at;
        const char* message;
    } cases[] = {
        {names(65'533), names(65'534), 65'534, "65,535 distinct strings"},
        {elements(255), elements(256), 1, "at most 255"},
        {ladder(kMaxDepth), ladder(kMaxDepth + 1), kMaxDepth, "more than 1000 levels"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(valueOf(readBin(valueOf(writeBin(c.fits)))), c.fits) << c.message;
        EXPECT_EQ(valueOf(readXml(valueOf(writeXml(c.fits)))), c.fits) << c.message;
        for (std::size_t i = 0; i < c.over.size(); ++i) {
            c.over[i].source = i;
        }
        expectRefused(writeBin(c.over), c.at, c.message);
    }
    EXPECT_FALSE(writeXml(ladder(kMaxDepth + 1)).ok());

    std::string values = "1", flat, bin = header() + bytes({0xFF, 0x50}) + newString("n") + u32(0) + u32(1);
    for (std::size_t i = 1; i <= kMaxDepth; ++i) {
        values += i < 256 ? " 1" : "";
        flat.insert(3 * (i - 1), "<n></n>");
        bin += bytes({0x00}) + u32(0) + u32(1);
    }
    flat.insert(3 * kMaxDepth, "<n></n>");
    expectRefused(readXml(xmlHead() + "\t<a d:numElements=\"256\" d:elementType=\"sUInt8\">" + values +
                          "</a>\r\n</cRecordSet>\r\n"),
                  3, "at most 255");
    expectRefused(readXml(flat), 1, "more than 1000 levels");
    expectRefused(readBin(bin), 8 + 17 + 9 * (kMaxDepth - 1), "more than 1000 levels");
}

TEST(Golden, NamesThatCannotBeTagsAreRefused) {
    // "d:nil" and "d:blob" would be read back as a nil and a blob, "!x" and "?x" as markup.
    for (const char* name :
         {"two words", "a<b", "a>b", "a&b", "q\"", "a/b", "a=b", "tab\t", "d:nil", "d:blob", "!x", "?x"}) {
        Document document = inRoot({Record::scalar(name, ValueType::Bool, 1)});
        document[1].source = 42;
        expectRefused(writeXml(document), 42, "cannot be written");
    }
}

} // namespace
} // namespace serz
