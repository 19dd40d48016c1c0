#include "core/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dovrel {
namespace {

TEST(NumberText, RefusesEverythingElse) {
    for (const char* text : {"", "-", ".", "+1", " 1", "1 ", "1,5", "1.2.3", "inf", "nan", "-inf", "1e",
                             "1e+", "e5", "0x10", "1f", "--1", "1e5.5", "12;13"}) {
        EXPECT_FALSE(isNumberText(text)) << '"' << text << '"';
        EXPECT_FALSE(parseNumberText(text).has_value()) << '"' << text << '"';
    }
}

// The game's numbers, and numbers beyond a double, which take their limit.
TEST(NumberText, AcceptsTheGamesNumbers) {
    const std::string zeros(400, '0');
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<std::string, double>> cases = {
        {"0", 0.0},
        {"84.5", 84.5},
        {"-3", -3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1E-2", 0.01},
        {"2.5e+1", 25.0},
        {"-0.125", -0.125},
        {"0001", 1.0},
        {"1e999", inf},
        {"-1e999", -inf},
        {"1e-999", 0.0},
        {"0." + zeros + "1", 0.0},
        {"-." + zeros + "7", -0.0},
        {"0." + zeros + "1e5", 0.0},
        {"1" + zeros, inf},
        {"1" + zeros + ".5", inf},
        {"0.0001e999", inf},
        {"1" + zeros + "e-800", 0.0},
        {"1e-99999999999999999999", 0.0},
    };
    for (const auto& [text, value] : cases) {
        const auto parsed = parseNumberText(text);
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
        EXPECT_EQ(std::signbit(*parsed), std::signbit(value)) << text;
    }
}

} // namespace
} // namespace dovrel
