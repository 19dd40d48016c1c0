#include "serz/ValueText.h"

#include <bit>
#include <gtest/gtest.h>

namespace serz {
namespace {

struct ValueCase {
    ValueType type;
    std::uint64_t bits;
    const char* text;
};

std::string scalarText(ValueType type, std::uint64_t bits) {
    std::string out;
    appendScalarText(out, type, bits);
    return out;
}

// Each integer type at its limits: the text written and the bits it reads back as.
const ValueCase kIntegerCases[] = {
    {ValueType::Bool, 0, "0"},
    {ValueType::Bool, 1, "1"},
    {ValueType::Int8, 0x80, "-128"},
    {ValueType::Int8, 0x7F, "127"},
    {ValueType::UInt8, 0xFF, "255"},
    {ValueType::Int16, 0x8000, "-32768"},
    {ValueType::UInt16, 0xFFFF, "65535"},
    {ValueType::Int32, 0x80000000, "-2147483648"},
    {ValueType::Int32, 0xFFFFFFFF, "-1"},
    {ValueType::UInt32, 0xFFFFFFFF, "4294967295"},
    {ValueType::Int64, 0x8000000000000000, "-9223372036854775808"},
    {ValueType::Int64, 0x7FFFFFFFFFFFFFFF, "9223372036854775807"},
    {ValueType::UInt64, 0xFFFFFFFFFFFFFFFF, "18446744073709551615"},
};

TEST(ValueText, IntegersAtTheirLimitsBothWays) {
    for (const auto& c : kIntegerCases) {
        SCOPED_TRACE(std::string(nameOf(c.type)) + " " + c.text);
        EXPECT_EQ(scalarText(c.type, c.bits), c.text);
        const auto parsed = parseValueText(c.type, c.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, c.bits);
    }
}

TEST(ValueText, AnyNonZeroBoolByteIsOne) {
    EXPECT_EQ(scalarText(ValueType::Bool, 0x80), "1");
}

TEST(ValueText, RefusesValuesThatDoNotParseOrFit) {
    const std::pair<ValueType, const char*> cases[] = {
        {ValueType::Bool, "2"},
        {ValueType::Bool, "true"},
        {ValueType::Bool, ""},
        {ValueType::Int8, "128"},
        {ValueType::Int8, "-129"},
        {ValueType::UInt8, "256"},
        {ValueType::UInt8, "-1"},
        {ValueType::Int16, "32768"},
        {ValueType::UInt16, "65536"},
        {ValueType::Int32, "2147483648"},
        {ValueType::UInt32, "4294967296"},
        {ValueType::Int64, "9223372036854775808"},
        {ValueType::UInt64, "18446744073709551616"},
        {ValueType::Int32, "1.5"},
        {ValueType::Int32, "+1"},
        {ValueType::Int32, "12abc"},
        {ValueType::Int32, ""},
        {ValueType::Float32, "1.0f"},
        {ValueType::Float32, "3.5e38"},
        {ValueType::Float64, "1e309"},
        {ValueType::Float64, "one"},
        {ValueType::String, "x"},
    };
    for (const auto& [type, text] : cases) {
        EXPECT_FALSE(parseValueText(type, text).has_value()) << nameOf(type) << " \"" << text << '"';
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
}

TEST(ValueText, AltEncodingIsTheWidenedDoubleInLittleEndianHex) {
    const std::pair<float, const char*> cases[] = {
        {1.0f, "000000000000F03F"}, {-0.0f, "0000000000000080"}, {578.8125f, "0000000080168240"}};
    for (const auto& [value, text] : cases) {
        std::string out;
        appendAltEncoding(out, ValueType::Float32, std::bit_cast<std::uint32_t>(value));
        EXPECT_EQ(out, text) << value;
    }
    std::string wide;
    appendAltEncoding(wide, ValueType::Float64, std::bit_cast<std::uint64_t>(51.47779846191406));
    EXPECT_EQ(wide.size(), 16u);
}

} // namespace
} // namespace serz
