// The XML layout the generator writes: exactly the converter's own text for the same records.

#include "XmlBuilder.h"

#include "serz/Conversion.h"

#include <gtest/gtest.h>

namespace dovrel::sample {
namespace {

// The text the converter writes back after taking the XML to its binary form.
std::string throughTheCodec(const std::string& xml) {
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    EXPECT_TRUE(bin.ok()) << (bin.ok() ? "" : bin.error().message) << " at line "
                          << (bin.ok() ? 0 : bin.error().position);
    if (!bin) {
        return {};
    }
    const auto back = serz::convert(serz::Direction::BinToXml, bin.value());
    EXPECT_TRUE(back.ok());
    return back ? back.value() : std::string();
}

TEST(XmlBuilder, WritesTheConvertersLayout) {
    XmlBuilder x("cRecordSet", 0x80000001u);
    x.open("Record");
    x.open("Network-cTrackFollower", 7);
    x.text("Name", "A & B <c> \"d\" 'e' Säntis");
    x.boolean("Flipped", true);
    x.int32("Count", -3);
    x.float32("Mass", 1);
    x.close();
    x.empty("Other");
    x.open("Driver");
    x.nil();
    x.close();
    x.reference("Target", 12345);
    const std::string xml = x.finish();
    EXPECT_EQ(xml, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
                   "<cRecordSet xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"-2147483647\">\r\n"
                   "\t<Record>\r\n"
                   "\t\t<Network-cTrackFollower d:id=\"7\">\r\n"
                   "\t\t\t<Name d:type=\"cDeltaString\">A &amp; B &lt;c&gt; &quot;d&quot; &apos;e&apos; "
                   "Säntis</Name>\r\n"
                   "\t\t\t<Flipped d:type=\"bool\">1</Flipped>\r\n"
                   "\t\t\t<Count d:type=\"sInt32\">-3</Count>\r\n"
                   "\t\t\t<Mass d:type=\"sFloat32\" d:alt_encoding=\"000000000000F03F\" "
                   "d:precision=\"string\">1</Mass>\r\n"
                   "\t\t</Network-cTrackFollower>\r\n"
                   "\t\t<Other/>\r\n"
                   "\t\t<Driver>\r\n"
                   "\t\t\t<d:nil/>\r\n"
                   "\t\t</Driver>\r\n"
                   "\t\t<Target d:type=\"ref\">12345</Target>\r\n"
                   "\t</Record>\r\n"
                   "</cRecordSet>\r\n");
    EXPECT_EQ(throughTheCodec(xml), xml);
    EXPECT_EQ(escapedXml("a<b>&'\""), "a&lt;b&gt;&amp;&apos;&quot;");
}

TEST(XmlBuilder, NumbersComeOutAsTheConverterPrintsThem) {
    // Values that print with rounding, exponents or seven decimals; each must come back unchanged.
    XmlBuilder x("cBlueprintLoader");
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
    const std::string xml = x.finish();
    EXPECT_NE(xml.find(">578.813</Tie>"), std::string::npos);
    EXPECT_NE(xml.find(">1e-005</Small>"), std::string::npos);
    EXPECT_NE(xml.find(">2.5e+006</Large>"), std::string::npos);
    EXPECT_NE(xml.find("0.6303032 -0.0000000 -3723.5664063 0.3333333</Axis>"), std::string::npos);
    EXPECT_EQ(throughTheCodec(xml), xml);
}

} // namespace
} // namespace dovrel::sample
