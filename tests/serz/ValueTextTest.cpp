#include "serz/ValueText.h"

#include <bit>
#include <gtest/gtest.h>

namespace serz {
namespace {

std::string scalarText(ValueType type, std::uint64_t bits) {
    std::string out;
    appendScalarText(out, type, bits);
    return out;
}

// The limits of every integer type are pinned by the scalars vector in both directions.
TEST(ValueText, RefusesValuesThatDoNotParseOrFit) {
    const std::pair<ValueType, std::vector<const char*>> cases[] = {
        {ValueType::Bool, {"2", "true", ""}},
        {ValueType::Int8, {"128", "-129"}},
        {ValueType::UInt8, {"256", "-1"}},
        {ValueType::Int16, {"32768"}},
        {ValueType::UInt16, {"65536"}},
        {ValueType::Int32, {"2147483648", "1.5", "+1", "12abc", ""}},
        {ValueType::UInt32, {"4294967296"}},
        {ValueType::Int64, {"9223372036854775808"}},
        {ValueType::UInt64, {"18446744073709551616"}},
        {ValueType::Float32, {"1.0f", "3.5e38"}},
        {ValueType::Float64, {"1e309", "one"}},
        {ValueType::String, {"x"}},
    };
    for (const auto& [type, texts] : cases) {
        for (const char* text : texts) {
            EXPECT_FALSE(parseValueText(type, text).has_value()) << nameOf(type) << " \"" << text << '"';
        }
    }
}

TEST(ValueText, FloatTextTakesTheNearestDoubleThenFloat) {
    EXPECT_EQ(*parseValueText(ValueType::Float32, "578.813"), std::bit_cast<std::uint32_t>(578.81298828125f));
    EXPECT_EQ(*parseValueText(ValueType::Float32, "-0"), 0x80000000u);
    EXPECT_EQ(*parseValueText(ValueType::Float64, "51.4778"), std::bit_cast<std::uint64_t>(51.4778));
}

TEST(ValueText, ArrayElementsOfFloatsAreFixedAndOfIntegersDecimal) {
    std::string out;
    appendElementText(out, ValueType::Float32, std::bit_cast<std::uint32_t>(0.5f));
    out += ' ';
    appendElementText(out, ValueType::Float64, std::bit_cast<std::uint64_t>(-0.0));
    out += ' ';
    appendElementText(out, ValueType::Int16, 0xFFFE);
    EXPECT_EQ(out, "0.5000000 -0.0000000 -2");
    EXPECT_EQ(scalarText(ValueType::Bool, 0x80), "1"); // any non-zero bool byte
}

} // namespace
} // namespace serz
