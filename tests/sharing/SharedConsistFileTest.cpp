// SPDX-License-Identifier: GPL-3.0-or-later
// The shareable consist file: what is written reads back as the same consist, and every malformed,
// truncated or hostile text is refused with a reason instead of a crash or a partial consist.
#include "sharing/SharedConsistFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dovrel {
namespace {

SharedConsist twoUnits() {
    return {
        "Coal \"Empties\" \\ run",
        {{"Acme", "Pack", "RailVehicles\\Diesel\\Class20.xml", "Class 20", false, "diesel",
          "RailVehicles\\Couplings\\Buffer.xml", "RailVehicles\\Couplings\\Buffer.xml"},
         {"Acme", "Pack", "RailVehicles\\Freight\\Hopper.xml", "Hopper \xc3\xa9", true, "freight", "", ""}}};
}

TEST(SharedConsistFileTest, WrittenConsistReadsBackTheSame) {
    const SharedConsistRead read = readSharedConsist(sharedConsistText(twoUnits()));
    ASSERT_TRUE(read.consist) << read.error;
    EXPECT_EQ(*read.consist, twoUnits());
}

TEST(SharedConsistFileTest, ConsistLineUnitsGiveTheirRecordsFieldsAndHeading) {
    const std::string record = "diesel|Class 20|Acme|Pack|RailVehicles\\Class20.xml|fc|rc|Front.xml|Rear.xml|"
                               "c20|80|||||||||None|0";
    const SharedConsist consist = sharedConsistOf("Line", {record + "|1"});
    ASSERT_EQ(consist.units.size(), 1u);
    EXPECT_EQ(consist.units[0], (SharedUnit{"Acme", "Pack", "RailVehicles\\Class20.xml", "Class 20", true,
                                            "diesel", "Front.xml", "Rear.xml"}));
}

TEST(SharedConsistFileTest, TextThatIsNotUtf8IsWrittenAsLatin1Letters) {
    SharedConsist consist = twoUnits();
    consist.units[0].name = "Caf\xe9";
    const SharedConsistRead read = readSharedConsist(sharedConsistText(consist));
    ASSERT_TRUE(read.consist) << read.error;
    EXPECT_EQ(read.consist->units[0].name, "Caf\xc3\xa9");
}

TEST(SharedConsistFileTest, UnknownMembersAndALaterVersionAreRead) {
    const SharedConsistRead read = readSharedConsist(
        R"({"format": "dovrel-consist", "version": 7, "name": "N", "livery": {"a": [1, 2.5e3, null, true]},
            "units": [{"provider": "P", "product": "Q", "blueprint": "B.xml", "weathering": 3}]})");
    ASSERT_TRUE(read.consist) << read.error;
    EXPECT_EQ(read.consist->units.size(), 1u);
    EXPECT_FALSE(read.consist->units[0].reversed);
}

struct RefusedText {
    const char* what;
    std::string text;
    const char* reason; // a part of the error
};

std::string nested(int depth) {
    return std::string(depth, '[') + std::string(depth, ']');
}

std::string withUnits(const std::string& units) {
    return R"({"format": "dovrel-consist", "version": 1, "name": "N", "units": )" + units + "}";
}

std::string manyUnits(std::size_t count) {
    std::string units = "[";
    for (std::size_t i = 0; i < count; ++i) {
        units += (i == 0 ? "" : ",") + std::string(R"({"provider":"P","product":"Q","blueprint":"B"})");
    }
    return withUnits(units + "]");
}

const std::string kUnit = R"({"provider": "P", "product": "Q", "blueprint": "B.xml"})";

class SharedConsistRefusalTest : public ::testing::TestWithParam<RefusedText> {};

TEST_P(SharedConsistRefusalTest, IsRefusedWithItsReason) {
    const SharedConsistRead read = readSharedConsist(GetParam().text);
    EXPECT_FALSE(read.consist);
    EXPECT_NE(read.error.find(GetParam().reason), std::string::npos) << read.error;
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, SharedConsistRefusalTest,
    ::testing::Values(
        RefusedText{"empty", "", "ends too early"},
        RefusedText{"truncated", withUnits("[" + kUnit).substr(0, 70), "line 1"},
        RefusedText{"truncated string", R"({"format": "dovrel-con)", "ends inside a string"},
        RefusedText{"trailing text", withUnits("[" + kUnit + "]") + "x", "after the end"},
        RefusedText{"not an object", "[1]", "no consist object"},
        RefusedText{"other format", R"({"format": "other", "version": 1})", "not a consist file"},
        RefusedText{"no version", R"({"format": "dovrel-consist", "name": "N", "units": []})", "version"},
        RefusedText{"fractional version", R"({"format": "dovrel-consist", "version": 1.5})", "version"},
        RefusedText{"huge version", R"({"format": "dovrel-consist", "version": 1e300})", "version"},
        RefusedText{"number out of range", R"({"format": "dovrel-consist", "version": 1e999})",
                    "out of range"},
        RefusedText{"leading zero", R"({"version": 01})", "unexpected character"},
        RefusedText{"no units", withUnits("[]"), "no units"},
        RefusedText{"units not a list", withUnits("{}"), "no list of \"units\""},
        RefusedText{"too many units", manyUnits(5002), "more than 5001"},
        RefusedText{"unit not an object", withUnits("[3]"), "unit 1 is not an object"},
        RefusedText{"unit without blueprint", withUnits(R"([{"provider": "P", "product": "Q"}])"),
                    "no \"blueprint\""},
        RefusedText{"mistyped provider", withUnits(R"([{"provider": 5, "product": "Q", "blueprint": "B"}])"),
                    "\"provider\" is not a text"},
        RefusedText{"control character",
                    withUnits(R"([{"provider": "P\u0007", "product": "Q", "blueprint": "B"}])"),
                    "control character"},
        RefusedText{"escaped NUL in name",
                    R"({"format": "dovrel-consist", "version": 1, "name": "a\u0000b"})", "control character"},
        RefusedText{"raw line break in string", "{\"format\": \"dovrel\nconsist\"}",
                    "control character inside"},
        RefusedText{"bad heading",
                    withUnits(R"([{"provider": "P", "product": "Q", "blueprint": "B", "heading": "up"}])"),
                    "heading"},
        RefusedText{"long name",
                    R"({"format": "dovrel-consist", "version": 1, "name": ")" + std::string(2000, 'n') +
                        R"(", "units": [1]})",
                    "too long"},
        RefusedText{"member twice", R"({"format": "dovrel-consist", "format": "dovrel-consist"})",
                    "given twice"},
        RefusedText{"unpaired surrogate", R"({"name": "\ud800"})", "surrogate"},
        RefusedText{"not UTF-8", "{\"name\": \"\xff\"}", "not UTF-8"},
        RefusedText{"deep nesting", nested(100000), "nested too deeply"},
        RefusedText{"larger than the limit", std::string(kSharedConsistMaxBytes + 1, ' '), "larger than"}));

TEST(SharedConsistFileTest, FileLargerThanTheLimitIsRefusedUnread) {
    const testing::TempFolder folder;
    const std::filesystem::path file = folder.path() / "big.dovrel-consist";
    std::ofstream(file).close();
    std::filesystem::resize_file(file, 100u * 1024u * 1024u);
    const SharedConsistRead read = readSharedConsistFile(file);
    EXPECT_FALSE(read.consist);
    EXPECT_NE(read.error.find("larger than"), std::string::npos) << read.error;
}

} // namespace
} // namespace dovrel
