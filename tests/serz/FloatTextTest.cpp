// SPDX-License-Identifier: GPL-3.0-or-later
#include "serz/FloatText.h"
#include "serz/ValueText.h"

#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace serz {
namespace {
// The text one of the float printers appends.
std::string textOf(void (*append)(std::string&, double), double value) {
    std::string out;
    append(out, value);
    return out;
}

struct TextCase {
    double value;
    const char* text;
};

// Six significant digits; fixed from exponent -4 up to 5, else the exponent with three digits (the
// floats vector holds the common cases). Ties round away from zero; 12.34565 and 12.34575 lie just
// below and above the tie in binary; 9.999995e-5 rounds into exponent -4 and 0.0009999996 carries
// into a new leading digit.
TEST(FloatText, GeneralFormFollowsTheSixDigitRules) {
    const TextCase cases[] = {
        {999999.5, "1e+006"},
        {12.34565, "12.3456"},
        {12.34575, "12.3458"},
        {4.9406564584124654e-324, "4.94066e-324"},
        {9.9999949999999e-5, "9.99999e-005"},
        {9.99999500000000e-5, "0.0001"},
        {0.000999999600, "0.001"},
        {-std::nan(""), "-nan"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textOf(appendGeneralFloat, c.value), c.text) << "value " << c.value;
    }
}

// Seven decimals, ties away from zero (the arrays vector holds the common cases): 5e-8 and 1.5e-7
// lie a little below the tie in binary.
TEST(FloatText, FixedFormHasSevenDecimals) {
    const TextCase cases[] = {
        {0.00000005, "0.0000000"},
        {0.0000000625, "0.0000001"},
        {-0.000000001, "-0.0000000"},
        {0.00000015, "0.0000001"},
        {double(FLT_MAX), "340282346638528859811704183484516925440.0000000"},
        {0.99999996, "1.0000000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textOf(appendFixedFloat, c.value), c.text) << "value " << c.value;
    }
}

// Parsed bit for bit; refused: anything but a plain decimal, and a value past a double.
TEST(FloatText, ParsesDecimalNumbersOnly) {
    const TextCase cases[] = {{-0.0, "-0"}, {0.5, ".5"}, {5.0, "5."}, {1e-5, "1E-5"}, {578.813, "578.813"}};
    for (const auto& c : cases) {
        const auto parsed = parseDecimal(c.text);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*parsed), std::bit_cast<std::uint64_t>(c.value)) << c.text;
    }
    EXPECT_TRUE(std::signbit(*parseDecimal("-inf")) && std::isnan(*parseDecimal("nan")));
    for (const char* text : {"", "-", "+1", " 1", "1 ", "1,5", "1e", "1e+", "e5", ".", "0x10", "1.2.3", "abc",
                             "infinity", "NaN", "1e999", "--1", "1f"}) {
        EXPECT_FALSE(parseDecimal(text).has_value()) << '"' << text << '"';
    }
}

// The C library's number reading in LC_NUMERIC set to the first installed locale of the names that
// writes decimals with a comma; the previous setting is back at the end of the scope.
class CommaDecimalLocale {
public:
    CommaDecimalLocale() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8", "ru_RU.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr) {
                installed_ = true;
                return;
            }
        }
    }
    ~CommaDecimalLocale() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;
    bool installed() const { return installed_; }

private:
    std::string previous_;
    bool installed_ = false;
};

// Past the double range the digits alone decide: below 1 it is zero with the sign, from 1 on it is
// refused, also when the toolkit has set a comma-decimal locale for the whole process.
void expectReadPastTheDoubleRange() {
    const TextCase zeros[] = {
        {-0.0, "-1.5e-400"}, {0.0, "100000e-330"}, {-0.0, "-1e-99999999999999999999999"}};
    for (const auto& c : zeros) {
        const auto parsed = parseDecimal(c.text);
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*parsed), std::bit_cast<std::uint64_t>(c.value)) << c.text;
    }
    for (const char* text : {"-1.5e400", "123456e305", "1e99999999999999999999999"}) {
        EXPECT_FALSE(parseDecimal(text).has_value()) << text;
    }
}

TEST(FloatText, ReadsPastTheDoubleRangeWhateverTheLocale) {
    expectReadPastTheDoubleRange();
    const CommaDecimalLocale comma;
    if (!comma.installed()) {
        GTEST_SKIP() << "no comma-decimal locale is installed";
    }
    expectReadPastTheDoubleRange();
}

TEST(FloatText, NarrowsToTheNearestFloat) {
    EXPECT_EQ(*nearestFloat(578.813), 578.81298828125f);
    EXPECT_EQ(*nearestFloat(3.40282e+38), 3.40282e+38f);
    // Past FLT_MAX but nearer to it than to the next power of two.
    EXPECT_EQ(*nearestFloat(3.4028235e+38), FLT_MAX);
    EXPECT_FALSE(nearestFloat(3.5e+38).has_value() || nearestFloat(-1e300).has_value());
    EXPECT_TRUE(std::isinf(*nearestFloat(-HUGE_VAL)) && std::isnan(*nearestFloat(std::nan(""))));
}

// The limits of every integer type are pinned by the scalars vector in both directions.
TEST(ValueText, RefusesValuesThatDoNotParseOrFit) {
    const std::pair<ValueType, std::vector<const char*>> cases[] = {
        {ValueType::Bool, {"2", "true", ""}},
        {ValueType::UInt8, {"-1"}},
        {ValueType::Int32, {"2147483648", "1.5", "+1", "12abc", ""}},
        {ValueType::Float32, {"1.0f", "3.5e38"}},
        {ValueType::Float64, {"1e309", "one"}},
        {ValueType::String, {"x"}}};
    for (const auto& [type, texts] : cases) {
        for (const char* text : texts) {
            EXPECT_FALSE(parseValueText(type, text).has_value()) << nameOf(type) << " \"" << text << '"';
        }
    }
    std::string anyByte; // any non-zero bool byte is true
    appendScalarText(anyByte, ValueType::Bool, 0x80);
    EXPECT_EQ(anyByte, "1");
}

} // namespace
} // namespace serz
