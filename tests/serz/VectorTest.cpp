#include "SerzTestData.h"
#include "serz/BinReader.h"
#include "serz/Conversion.h"
#include "serz/XmlReader.h"

#include <gtest/gtest.h>

namespace serz {
namespace {

using testing::allVectors;
using testing::readBytes;

TEST(Vectors, EveryBinConvertsToItsXmlExactly) {
    for (const auto& vector : allVectors()) {
        SCOPED_TRACE(vector.name);
        const auto xml = convert(Direction::BinToXml, readBytes(testing::vectorBin(vector)));
        ASSERT_TRUE(xml.ok()) << xml.error().message << " at " << xml.error().position;
        EXPECT_EQ(xml.value(), readBytes(testing::vectorXml(vector)));
    }
}

TEST(Vectors, EveryXmlConvertsToItsBinExactly) {
    for (const auto& vector : allVectors()) {
        SCOPED_TRACE(vector.name);
        const auto bin = convert(Direction::XmlToBin, readBytes(testing::vectorXml(vector)));
        ASSERT_TRUE(bin.ok()) << bin.error().message << " at " << bin.error().position;
        EXPECT_EQ(bin.value(), readBytes(testing::vectorBinFromXml(vector)));
    }
}

TEST(Vectors, TheBinWrittenFromXmlConvertsBackToItself) {
    // Text wins over the original bits, so XML -> bin is lossy once and then stable.
    for (const auto& vector : allVectors()) {
        SCOPED_TRACE(vector.name);
        const std::string bin = readBytes(testing::vectorBinFromXml(vector));
        const auto xml = convert(Direction::BinToXml, bin);
        ASSERT_TRUE(xml.ok()) << xml.error().message;
        const auto again = convert(Direction::XmlToBin, xml.value());
        ASSERT_TRUE(again.ok()) << again.error().message;
        EXPECT_EQ(again.value(), bin);
    }
}

TEST(Vectors, MarkerRecordTakesTheFirstCacheSlot) {
    // The short-form record in marker43.bin uses slot 2, which holds the scalar only because the
    // marker took slot 0.
    const auto document = readBin(readBytes(testing::vectorFolder() / "marker43.bin"));
    ASSERT_TRUE(document.ok()) << document.error().message;
    ASSERT_EQ(document.value().size(), 4u);
    EXPECT_EQ(document.value()[2].text, "again");
    EXPECT_EQ(document.value()[2].name, "Name");
}

TEST(Vectors, XmlRecordsCarryTheirLines) {
    const auto document = readXml(readBytes(testing::vectorFolder() / "nested_ids.xml"));
    ASSERT_TRUE(document.ok());
    EXPECT_EQ(document.value().front().source, 2u);
    EXPECT_EQ(document.value()[6].name, "Flipped");
    EXPECT_EQ(document.value()[6].source, 8u);
    EXPECT_EQ(document.value()[7].kind, RecordKind::Close);
    EXPECT_EQ(document.value()[7].source, 9u);
}

} // namespace
} // namespace serz
