#include "SerzTestData.h"
#include "serz/BinReader.h"
#include "serz/Conversion.h"
#include "serz/XmlReader.h"

#include <gtest/gtest.h>

namespace serz {
namespace {

using namespace testing;

// Each vector's .bin converts to its .xml and the .xml to its bin exactly. Text wins over the original
// bits, so XML -> bin is lossy once and then stable: that bin converts back to itself.
TEST(Vectors, EveryVectorConvertsToItsOtherFormExactlyAndBackToItself) {
    for (const Vector& vector : kVectors) {
        SCOPED_TRACE(vector.name);
        const auto xml = convert(Direction::BinToXml, readBytes(vector.bin()));
        ASSERT_TRUE(xml.ok()) << xml.error().message << " at " << xml.error().position;
        EXPECT_EQ(xml.value(), readBytes(vector.xml()));
        const auto bin = convert(Direction::XmlToBin, readBytes(vector.xml()));
        ASSERT_TRUE(bin.ok()) << bin.error().message << " at " << bin.error().position;
        EXPECT_EQ(bin.value(), readBytes(vector.binFromXml()));
        const auto xmlAgain = convert(Direction::BinToXml, bin.value());
        ASSERT_TRUE(xmlAgain.ok()) << xmlAgain.error().message;
        const auto binAgain = convert(Direction::XmlToBin, xmlAgain.value());
        ASSERT_TRUE(binAgain.ok()) << binAgain.error().message;
        EXPECT_EQ(binAgain.value(), bin.value());
    }
}

TEST(Vectors, MarkerRecordTakesTheFirstCacheSlotAndXmlRecordsCarryTheirLines) {
    // The short-form record in marker43.bin uses slot 2, which holds the scalar only because the
    // marker took slot 0.
    const auto document = readBin(readBytes(Vector{"marker43", true}.bin()));
    ASSERT_TRUE(document.ok()) << document.error().message;
    ASSERT_EQ(document.value().size(), 4u);
    EXPECT_EQ(document.value()[2].text, "again");
    EXPECT_EQ(document.value()[2].name, "Name");

    const auto lines = readXml(readBytes(Vector{"nested_ids", false}.xml()));
    ASSERT_TRUE(lines.ok());
    EXPECT_EQ(lines.value().front().source, 2u);
    EXPECT_EQ(lines.value()[6].name, "Flipped");
    EXPECT_EQ(lines.value()[6].source, 8u);
    EXPECT_EQ(lines.value()[7].kind, RecordKind::Close);
    EXPECT_EQ(lines.value()[7].source, 9u);
}

} // namespace
} // namespace serz
