// SPDX-License-Identifier: GPL-3.0-or-later
// The streamed conversion against the whole-string one, and what it hands its sink and when.

#include "DocumentGenerator.h"
#include "SerzTestData.h"
#include "serz/BinWriter.h"
#include "serz/ChunkSink.h"
#include "serz/Conversion.h"
#include "serz/FileConversion.h"
#include "serz/StreamConversion.h"
#include "serz/XmlWriter.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace serz {
namespace {

using namespace testing;

struct CollectingSink : OutputSink {
    bool write(std::string_view piece) override {
        bytes.append(piece);
        return !refuse;
    }
    bool overwrite(std::size_t offset, std::string_view piece) override {
        bytes.replace(offset, piece.size(), piece);
        ++overwrites;
        return !refuse;
    }
    std::string bytes;
    int overwrites = 0;
    bool refuse = false;
};

// How a conversion ended: its outcome, and its output or its error and where.
using Ending = std::tuple<StreamOutcome, std::string, std::size_t>;

Ending whole(Direction direction, std::string_view input) {
    const auto converted = convert(direction, input);
    return converted
               ? Ending{StreamOutcome::Converted, converted.value(), 0}
               : Ending{StreamOutcome::InputRefused, converted.error().message, converted.error().position};
}

// The input fed in pieces of the sizes `nextSize` gives, until the conversion says it fails.
template <class Sizes> Ending streamed(Direction direction, std::string_view input, Sizes nextSize) {
    CollectingSink sink;
    StreamConversion conversion(direction, sink);
    while (!input.empty()) {
        const std::size_t size = std::min(nextSize(), input.size());
        if (!conversion.feed(input.substr(0, size))) {
            break;
        }
        input.remove_prefix(size);
    }
    const StreamOutcome outcome = conversion.finish();
    return outcome == StreamOutcome::Converted
               ? Ending{outcome, sink.bytes, 0}
               : Ending{outcome, conversion.error().message, conversion.error().position};
}

// Good and bad inputs of both forms: the vectors, the fuzzers' corpora, random documents, and each of
// them cut short, with a byte changed, and (XML) with invalid UTF-8 after the change, which wins over it.
std::vector<std::pair<Direction, std::string>> inputs() {
    std::vector<std::pair<Direction, std::string>> good;
    for (const Vector& vector : kVectors) {
        good.emplace_back(Direction::BinToXml, fileText(vector.bin()));
        good.emplace_back(Direction::XmlToBin, fileText(vector.xml()));
    }
    const std::filesystem::path corpora = std::filesystem::path(DOVREL_SOURCE_DIR) / "fuzz/corpus";
    for (const auto& [folder, direction] : {std::pair{"serz_bin_to_xml", Direction::BinToXml},
                                            std::pair{"serz_xml_to_bin", Direction::XmlToBin}}) {
        for (const auto& entry : std::filesystem::directory_iterator(corpora / folder)) {
            good.emplace_back(direction, fileText(entry.path()));
        }
    }
    DocumentGenerator generator(77);
    for (int i = 0; i < 60; ++i) {
        const Document document = generator.generate();
        good.emplace_back(Direction::BinToXml, writeBin(document).value());
        good.emplace_back(Direction::XmlToBin, writeXml(document).value());
    }
    std::mt19937 random(5);
    auto all = good;
    for (const auto& [direction, text] : good) {
        const auto at = [&] {
            return std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random);
        };
        all.emplace_back(direction, text.substr(0, at()));
        std::string changed = text;
        changed[at()] = static_cast<char>(random());
        all.emplace_back(direction, changed);
        if (direction == Direction::XmlToBin) {
            changed.insert(changed.size() - 3, "\xC3(");
            all.emplace_back(direction, changed);
        }
    }
    return all;
}

TEST(Streamed, PiecesOfAnySizeGiveTheWholeStringConversion) {
    std::mt19937 random(11);
    const auto fixed = [](std::size_t size) { return [size] { return size; }; };
    const auto anySize = [&random] { return std::uniform_int_distribution<std::size_t>(1, 700)(random); };
    for (const auto& [direction, input] : inputs()) {
        const Ending expected = whole(direction, input);
        for (const std::size_t size : {1, 2, 3, 8, 13, 64}) {
            ASSERT_EQ(streamed(direction, input, fixed(size)), expected)
                << size << "-byte pieces of " << input;
        }
        ASSERT_EQ(streamed(direction, input, anySize), expected) << input;
    }
}

Document manyValues(std::uint32_t count) {
    Document document{Record::open("r")};
    for (std::uint32_t i = 0; i < count; ++i) {
        document.push_back(Record::scalar("Value", ValueType::Float32, 0x3F000000u + i));
    }
    document.push_back(Record::close("r"));
    return document;
}

// Over a megabyte of XML is handed over in whole lines, in small chunks, before the input ends.
TEST(Streamed, XmlArrivesInWholeLinesWhileTheInputIsFed) {
    const std::string bin = writeBin(manyValues(20000)).value();
    std::string xml;
    std::size_t largestChunk = 0;
    bool allLines = true;
    ChunkSink sink([&](std::string_view lines) {
        xml.append(lines);
        largestChunk = std::max(largestChunk, lines.size());
        allLines = allLines && lines.ends_with("\r\n");
        return true;
    });
    StreamConversion conversion(Direction::BinToXml, sink);
    std::size_t beforeTheEnd = 0;
    for (std::size_t at = 0; at < bin.size(); at += 4096) {
        ASSERT_TRUE(conversion.feed(std::string_view(bin).substr(at, 4096)));
        beforeTheEnd = at + 4096 < bin.size() ? xml.size() : beforeTheEnd;
    }
    ASSERT_EQ(conversion.finish(), StreamOutcome::Converted);
    EXPECT_EQ(xml, convert(Direction::BinToXml, bin).value());
    EXPECT_GT(xml.size(), 1u << 20);
    EXPECT_GT(beforeTheEnd, xml.size() / 2);
    EXPECT_LT(largestChunk, xml.size() / 2);
    EXPECT_TRUE(allLines);
}

// The root's child count (bytes 21 to 24) is set after a megabyte of children has been handed over.
TEST(Streamed, ChildCountsAreSetInBytesAlreadyHandedOver) {
    const std::string xml = writeXml(manyValues(100000)).value();
    CollectingSink sink;
    StreamConversion conversion(Direction::XmlToBin, sink);
    for (std::size_t at = 0; at < xml.size(); at += 65536) {
        ASSERT_TRUE(conversion.feed(std::string_view(xml).substr(at, 65536)));
    }
    ASSERT_EQ(conversion.finish(), StreamOutcome::Converted);
    EXPECT_EQ(sink.overwrites, 1);
    EXPECT_EQ(sink.bytes.substr(21, 4), u32(100000));
    EXPECT_EQ(sink.bytes, convert(Direction::XmlToBin, xml).value());
}

// A refusing sink fails the conversion (binary: the file case below), unless the input has a fault.
TEST(Streamed, ARefusedOutputFailsUnlessTheInputHasAFault) {
    const std::string xml = fileText(Vector{"nested_ids", false}.xml());
    const std::string bin = fileText(Vector{"nested_ids", false}.bin());
    using enum StreamOutcome;
    const std::tuple<Direction, std::string, StreamOutcome> cases[] = {
        {Direction::XmlToBin, xml, OutputRefused},
        {Direction::XmlToBin, xml.substr(0, xml.size() - 5), InputRefused},
        {Direction::BinToXml, bin.substr(0, bin.size() - 1), InputRefused},
    };
    for (const auto& [direction, input, outcome] : cases) {
        CollectingSink sink;
        sink.refuse = true;
        StreamConversion conversion(direction, sink);
        conversion.feed(input);
        EXPECT_EQ(conversion.finish(), outcome) << input;
        EXPECT_TRUE(outcome == OutputRefused ||
                    conversion.error().message == convert(direction, input).error().message);
    }
}

// A file streamed into a sink gives its conversion, or fails with the line the program prints.
TEST(Streamed, AFileGoesToASinkInPieces) {
    const dovrel::testing::TempFolder folder;
    const std::string bin = writeBin(manyValues(100000)).value();
    const std::string cut = bin.substr(0, bin.size() - 1);
    const Error cutError = convert(Direction::BinToXml, cut).error();
    // Name, bytes (empty: no file), refused, and the XML or the start of the failure line.
    const std::tuple<std::string, std::string, bool, std::string> cases[] = {
        {"Big.bin", bin, false, convert(Direction::BinToXml, bin).value()},
        {"Cut.bin", cut, false,
         "Cut.bin: byte offset " + std::to_string(cutError.position) + ": " + cutError.message},
        {"Big.bin", bin, true, "Big.bin: the output was refused"},
        {"Missing.bin", "", false, "Missing.bin: cannot read: No such file or directory"},
    };
    for (const auto& [name, bytes, refuse, result] : cases) {
        std::string xml;
        ChunkSink sink([&](std::string_view lines) {
            xml.append(lines);
            return !refuse;
        });
        const std::string failure = streamFile(
            bytes.empty() ? folder.path() / name : folder.write(name, bytes), Direction::BinToXml, sink);
        EXPECT_TRUE(failure.empty() ? xml == result : failure.starts_with((folder.path() / result).string()))
            << name << failure;
    }
}

} // namespace
} // namespace serz
