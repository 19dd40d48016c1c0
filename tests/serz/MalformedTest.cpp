// SPDX-License-Identifier: GPL-3.0-or-later
#include "SerzTestData.h"
#include "serz/BinReader.h"
#include "serz/Conversion.h"
#include "serz/StreamConversion.h"
#include "serz/Utf8.h"
#include "serz/XmlReader.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace serz {
namespace {

using namespace testing;

constexpr std::size_t kAfterRootOpen = 8 + 2 + 7 + 8; // header, FF 50, "r", id, count

// The one UTF-8 check of the project (the editor's text rules use it too): the offset of the first byte
// that is not well-formed UTF-8 (a lone lead or continuation byte, an overlong form, a surrogate, a
// value past U+10FFFF), past runs of ASCII that are checked eight bytes at a time.
TEST(Utf8, FindsTheFirstMalformedByte) {
    const struct {
        std::string_view text;
        std::size_t first;
    } cases[] = {
        {"plain", std::string_view::npos},
        {"Z\xC3\xBCrich", std::string_view::npos},
        {"\xF0\x9F\x9A\x82", std::string_view::npos},
        {"\xE9t\xE9", 0},
        {"ascii ascii ascii \xC3", 18},
        {"\xC0\xAF", 0},
        {"ab\xED\xA0\x80", 2},
        {"\xF4\x90\x80\x80", 0},
        {"\xE0\x80\xAF", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8::firstInvalid(c.text), c.first) << c.text;
    }
}

// Every cut of a vector's bin fails inside the cut, and so does every cut of its XML up to the root's
// closing '>'. Random byte changes either convert or fail with a position inside the input.
TEST(Malformed, TruncatedAndCorruptedVectors) {
    std::mt19937 random(1234);
    for (const Vector& vector : kVectors) {
        for (const auto& file : {vector.bin(), vector.binFromXml(), vector.xml()}) {
            const std::string whole = fileText(file);
            const bool isXml = file.extension() == ".xml";
            for (std::size_t length = 0; length < (isXml ? whole.rfind('>') + 1 : whole.size()); ++length) {
                const auto cut = std::string_view(whole).substr(0, length);
                const auto result = isXml ? readXml(cut) : readBin(cut);
                ASSERT_FALSE(result.ok()) << file.filename() << " cut to " << length << " bytes";
                EXPECT_TRUE(isXml ? result.error().position >= 1 : result.error().position <= length);
                EXPECT_FALSE(result.error().message.empty());
            }
            for (int trial = 0; trial < 300; ++trial) {
                std::string input = whole;
                for (int changes = 1 + static_cast<int>(random() % 3); changes > 0; --changes) {
                    input[random() % input.size()] = static_cast<char>(random() % 256);
                }
                const auto result = convert(isXml ? Direction::XmlToBin : Direction::BinToXml, input);
                const std::size_t limit =
                    isXml ? static_cast<std::size_t>(std::ranges::count(input, '\n')) + 1 : input.size();
                EXPECT_TRUE(result.ok() ? !result.value().empty()
                                        : result.error().position <= limit && !result.error().message.empty())
                    << file.filename() << ": " << (result.ok() ? "" : result.error().message);
            }
        }
    }
}

struct BinCase {
    const char* what;
    std::string bin;
    std::size_t offset;
    const char* message;
};

// (One 64 KiB string in a long-form record, slot 1 and string 3, then short forms that repeat it in
// three bytes each: 1023 records of 65,537 bytes of name and text stay within 64 MiB, one more does not.)
TEST(Malformed, BadBinariesFailWithTheirOffset) {
    const std::string longForm =
        bytes({0xFF, 0x56}) + newString("s") + newString("cDeltaString") + newString(std::string(65536, 'x'));
    std::string repeats;
    for (int i = 0; i < 1022; ++i) {
        repeats += bytes({0x01}) + u16(3);
    }
    ASSERT_TRUE(readBin(binInRoot(longForm + repeats)).ok());
    const BinCase cases[] = {
        {"text past 64 MiB", binInRoot(longForm + repeats + bytes({0x01}) + u16(3)),
         kAfterRootOpen + longForm.size() + repeats.size(), "more than 64 MiB"},
        {"empty file", "", 0, "too short"},
        {"wrong version", "SERZ" + bytes({0, 0, 2, 0}), 0, "wrong header"},
        {"header only", header(), 8, "no root element"},
        {"empty slot", binInRoot(bytes({0x07})), kAfterRootOpen, "slot 7, which is empty"},
        {"unknown opcode", binInRoot(bytes({0xFF, 0x99})), kAfterRootOpen + 1, "opcode 0x99"},
        {"unknown type", binInRoot(bytes({0xFF, 0x56}) + newString("v") + newString("sFloat16") + u16(0)),
         kAfterRootOpen + 9, "unknown value type 'sFloat16'"},
        {"string array",
         binInRoot(bytes({0xFF, 0x41}) + newString("v") + newString("cDeltaString") + bytes({0})),
         kAfterRootOpen + 9, "arrays of cDeltaString"},
        {"string ref past the table", binInRoot(bytes({0xFF, 0x52}) + u16(1) + u32(0)), kAfterRootOpen + 2,
         "string reference 1"},
        {"invalid UTF-8", binInRoot(bytes({0xFF, 0x70}) + newString("\xC3\x28", 2)), kAfterRootOpen + 8,
         "not valid UTF-8"},
        {"surrogate in UTF-8", binInRoot(bytes({0xFF, 0x70}) + newString("\xED\xA0\x80", 1)),
         kAfterRootOpen + 8, "not valid UTF-8"},
        {"count splits a character", binInRoot(bytes({0xFF, 0x70}) + newString("\xF0\x9F\x98\x80", 1)),
         kAfterRootOpen + 8, "inside a character"},
        {"close of another name", binInRoot(bytes({0xFF, 0x70}) + newString("x")), kAfterRootOpen,
         "does not match"},
        {"value as root", header() + bytes({0xFF, 0x52}) + newString("v") + u32(0), 8, "root must be"},
        {"record after the root", binInRoot("") + bytes({0xFF, 0x4E}), kAfterRootOpen + 4, "follows the end"},
        {"unclosed root", header() + bytes({0xFF, 0x50}) + newString("r") + u32(0) + u32(0), kAfterRootOpen,
         "'r' is not closed"},
        {"blob longer than the file", binInRoot(bytes({0xFF, 0x42}) + u32(1000)), kAfterRootOpen + 6,
         "end of data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectRefused(readBin(c.bin), c.offset, c.message);
    }
}

std::string xmlInRoot(const std::string& lines) {
    return xmlHead() + lines + "</cRecordSet>\r\n";
}

// Each bad XML fails with its line and a message that says what is wrong. (Values that do not parse
// are the value text's own refusals; one of each kind of record shows the reader reports them.) Past
// 16 attributes a tag's names go into a set: repeats are found there too.
// Past 2 MiB a file may hold more than 64 MiB of names and strings, up to 32 times the bytes before
// each record. (A new string of 2.5 MB, then one of 1 MiB repeated in three bytes each.)
TEST(Malformed, LargeFilesMayHoldTextInProportion) {
    const std::string start = bytes({0xFF, 0x56}) + newString("b") + newString("cDeltaString") +
                              newString(std::string(2'500'000, 'y')) + bytes({0xFF, 0x56}) + newString("s") +
                              u16(2) + newString(std::string(1 << 20, 'x'));
    const auto withRepeats = [&](int count) {
        std::string repeats;
        for (int i = 0; i < count; ++i) {
            repeats += bytes({0x02}) + u16(5);
        }
        return binInRoot(start + repeats);
    };
    class Counting : public OutputSink {
    public:
        bool write(std::string_view) override { return true; }
        bool overwrite(std::size_t, std::string_view) override { return true; }
    } output;
    for (const auto& [repeats, failure] :
         {std::pair{62, ""}, std::pair{120, "32 times the bytes before them"}}) {
        StreamConversion conversion(Direction::BinToXml, output);
        conversion.feed(withRepeats(repeats));
        const bool converted = conversion.finish() == StreamOutcome::Converted;
        EXPECT_EQ(converted, *failure == '\0') << repeats;
        EXPECT_TRUE(converted || conversion.error().message.ends_with(failure)) << conversion.error().message;
    }
}

TEST(Malformed, BadXmlFailsWithItsLine) {
    std::string many;
    for (int i = 0; i < 20; ++i) {
        many += " a" + std::to_string(i) + "=\"\"";
    }
    const struct {
        std::string xml;
        std::size_t line;
        const char* message;
    } cases[] = {
        {"", 1, "expected the root"},
        {"<?xml version=\"1.0\"?>\r\n", 2, "expected the root"},
        {xmlHead() + "\t<a/>\r\n", 4, "not closed"},
        {xmlInRoot("\t<a>\r\n"), 4, "</cRecordSet> does not close <a>"},
        {xmlInRoot("") + "<x/>\r\n", 4, "after the end of the root"},
        {xmlInRoot("\t<a d:type=\"sFloat16\">1</a>\r\n"), 3, "unknown type"},
        {xmlInRoot("\t<a d:numElements=\"1\" d:elementType=\"cDeltaString\">x</a>\r\n"), 3,
         "arrays of cDeltaString"},
        {xmlInRoot("\t<a d:numElements=\"1\">1</a>\r\n"), 3, "needs both"},
        {xmlInRoot("\t<a d:numElements=\"3\" d:elementType=\"sInt32\">1 2</a>\r\n"), 3, "has 2 values"},
        {xmlInRoot("\t<a d:numElements=\"1\" d:elementType=\"sInt32\">1 2</a>\r\n"), 3, "more values"},
        {xmlInRoot("\t<a d:numElements=\"2\" d:elementType=\"sFloat32\">1 x</a>\r\n"), 3,
         "'x' is not a valid sFloat32"},
        {xmlInRoot("\t<a d:numElements=\"two\" d:elementType=\"sInt32\">1 2</a>\r\n"), 3, "not a count"},
        {xmlInRoot("\n\n\t<a d:type=\"sFloat32\">1.2.3</a>\r\n"), 5, "not a valid sFloat32"},
        {xmlInRoot("\t<a d:type=\"ref\">x1</a>\r\n"), 3, "not a reference"},
        {xmlInRoot("\t<a d:id=\"4294967296\"/>\r\n"), 3, "d:id"},
        {xmlInRoot("\t<a d:type=\"cDeltaString\">\xFF</a>\r\n"), 3, "not valid UTF-8"},
        {xmlInRoot("") + "\xE2\x82", 4, "not valid UTF-8"},
        {xmlInRoot("\t<a d:type=\"cDeltaString\">&nbsp;</a>\r\n"), 3, "unknown entity"},
        {xmlInRoot("\t<a d:type=\"cDeltaString\">A & B</a>\r\n"), 3, "does not start an entity"},
        {xmlInRoot("\t<a d:type=\"cDeltaString\">&#xD800;</a>\r\n"), 3, "bad character reference"},
        {xmlInRoot("\t<a d:type=\"bool\" d:type=\"bool\">1</a>\r\n"), 3, "appears twice"},
        {xmlInRoot("\t<v" + many + " a0=\"x\"/>\r\n"), 3, "attribute a0 appears twice"},
        {xmlInRoot("\t<v" + many + " a19=\"x\"/>\r\n"), 3, "attribute a19 appears twice"},
        {xmlInRoot("\t<a d:type=bool>1</a>\r\n"), 3, "no quoted value"},
        {xmlInRoot("\t<a d:type>1</a>\r\n"), 3, "has no value"},
        {xmlInRoot("\t<a d:type=\"bool>1</a>\r\n"), 3, "is not closed"},
        {xmlInRoot("\t<a d:type=\"b<ool\">1</a>\r\n"), 3, "'<' inside an attribute"},
        {xmlInRoot("\tloose\r\n"), 3, "text inside <cRecordSet>"},
        {xmlInRoot("\t<a d:type=\"sInt32\"><b/></a>\r\n"), 3, "cannot hold elements"},
        {xmlInRoot("\t<d:nil>x</d:nil>\r\n"), 3, "cannot hold text"},
        {"<a d:type=\"bool\">1</a>", 1, "root must be"},
        {xmlInRoot("\t<!-- note\r\n"), 3, "comment is not closed"},
        {"<!DOCTYPE x>\r\n<x/>", 1, "expected the root"},
        {xmlHead() + "\t<a d:type=\"bool\"", 3, "inside the tag"},
        {xmlInRoot("\t<d:blob d:size=\"1\">ABC</d:blob>\r\n"), 3, "odd number"},
        {xmlInRoot("\t<d:blob d:size=\"2\">AB</d:blob>\r\n"), 3, "holds 1 bytes"},
        {xmlInRoot("\t<d:blob d:size=\"1\">G0</d:blob>\r\n"), 3, "not a hex digit"},
        {"<a/b/>", 1, "malformed tag"},
        {xmlInRoot("\t<a" + std::string(1, '\0') + "b/>\r\n"), 3, "control character 0 in a tag name"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.xml);
        expectRefused(readXml(c.xml), c.line, c.message);
    }
}

} // namespace
} // namespace serz
