// The XML layout the generator writes: exactly the converter's own text for the same records, with
// reserved characters, nil values, references and numbers that print rounded, with exponents or
// seven decimals.

#include "XmlBuilder.h"
#include "SampleRun.h"

#include <gtest/gtest.h>

namespace dovrel::sample {
namespace {

TEST(XmlBuilder, WritesTheConvertersOwnText) {
    XmlBuilder x("cRecordSet", 0x80000001u);
    x.open("Record");
    x.open("Network-cTrackFollower", 7);
    x.text("Name", "A & B <c> \"d\" 'e' Säntis");
    x.boolean("Flipped", true);
    x.int32("Count", -3);
    x.float32("Mass", 1);
    x.float32("Tie", 578.8125);
    x.float32("Third", 1.0 / 3.0);
    x.float32("Small", 0.00001);
    x.float32("Large", 2.5e6);
    x.float32("NegativeZero", -0.0);
    x.float64("Latitude", 51.477811);
    x.floats("Axis", {0.6303032, -0.0, -3723.56640625, 1.0 / 3.0});
    x.uint64("e", 18446744073709551615ull);
    x.uint8("Palette", 255);
    x.uint32("Frames", 4294967295u);
    x.close();
    x.empty("Other");
    x.open("Driver");
    x.nil();
    x.close();
    x.reference("Target", 12345);
    const std::string xml = x.finish();
    EXPECT_TRUE(testing::isConvertersOwnText(xml)) << xml;
}

} // namespace
} // namespace dovrel::sample
