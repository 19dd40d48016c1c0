// SPDX-License-Identifier: GPL-3.0-or-later
// Round trips over random documents: any document whose floats print exactly survives
// records -> XML -> records, records -> bin -> records, and each form converts to the other
// and back byte for byte.

#include "DocumentGenerator.h"
#include "serz/BinReader.h"
#include "serz/BinWriter.h"
#include "serz/Conversion.h"
#include "serz/XmlReader.h"
#include "serz/XmlWriter.h"

#include <gtest/gtest.h>

namespace serz {
namespace {

using testing::DocumentGenerator;

TEST(RoundTripProperty, RandomDocumentsSurviveBothForms) {
    DocumentGenerator generator(20240601);
    for (int i = 0; i < 1000; ++i) {
        SCOPED_TRACE("document " + std::to_string(i));
        const Document document = generator.generate();

        const auto xml = writeXml(document);
        const auto bin = writeBin(document);
        ASSERT_TRUE(xml.ok() && bin.ok());
        const auto fromXml = readXml(xml.value());
        ASSERT_TRUE(fromXml.ok()) << fromXml.error().message << " at line " << fromXml.error().position;
        ASSERT_EQ(fromXml.value(), document);
        const auto fromBin = readBin(bin.value());
        ASSERT_TRUE(fromBin.ok()) << fromBin.error().message << " at byte " << fromBin.error().position;
        ASSERT_EQ(fromBin.value(), document);
        const auto binToXml = convert(Direction::BinToXml, bin.value());
        const auto xmlToBin = convert(Direction::XmlToBin, xml.value());
        ASSERT_TRUE(binToXml.ok() && xmlToBin.ok());
        EXPECT_EQ(binToXml.value(), xml.value());
        EXPECT_EQ(xmlToBin.value(), bin.value());
    }
}

} // namespace
} // namespace serz
