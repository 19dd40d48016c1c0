#include "browser/WeightUnits.h"
#include "browser/LocaleNumber.h"

#include <gtest/gtest.h>

#include <limits>

namespace dovrel {
namespace {

TEST(LocaleNumber, GroupingDecimalSignAndRounding) {
    const std::vector<std::tuple<float, int, std::string, std::string>> cases = {
        {1016.0469f, 0, "1,016", "1.016"},
        {1234567.0f, 2, "1,234,567.00", "1.234.567,00"},
        {0.0f, 2, "0.00", "0,00"},
        // Ties go away from zero, judged on the float's shortest text.
        {2.5f, 0, "3", "3"},
        {-2.5f, 0, "-3", "-3"},
        {1.005f, 2, "1.01", "1,01"},
        {1.0049f, 2, "1.00", "1,00"},
        {999.96f, 1, "1,000.0", "1.000,0"}, // the carry adds a digit and a group
        {-0.001f, 2, "0.00", "0,00"},       // no minus sign on a zero
        {-1234.5f, 1, "-1,234.5", "-1.234,5"},
        {std::numeric_limits<float>::max(), 0, "340,282,346,638,528,859,811,704,183,484,516,925,440",
         "340.282.346.638.528.859.811.704.183.484.516.925.440"},
        {std::numeric_limits<float>::denorm_min(), 2, "0.00", "0,00"},
    };
    for (const auto& [value, decimals, enUs, deDe] : cases) {
        EXPECT_EQ(formatInLocale(value, decimals, QLocale("en_US")), enUs) << value;
        EXPECT_EQ(formatInLocale(value, decimals, QLocale("de_DE")), deDe) << value;
    }
    EXPECT_EQ(formatInLocale(std::numeric_limits<float>::infinity(), 2, QLocale("en_US")), std::nullopt);
    EXPECT_EQ(formatInLocale(std::numeric_limits<float>::quiet_NaN(), 0, QLocale("en_US")), std::nullopt);
}

TEST(LocaleNumber, FollowsEachLocalesOwnLayout) {
    // Values exact in binary and far from a tie must read as the locale itself writes them: its group
    // sizes, separators, minus sign and digit shapes.
    const std::vector<std::pair<float, int>> values = {
        {1234.5f, 2}, {12345678.0f, 0}, {-98765.25f, 1}, {0.75f, 2}};
    for (const char* name : {"fr_FR", "de_CH", "sv_SE", "en_IN", "es_ES", "ar_EG", "C"}) {
        const QLocale locale(name);
        for (const auto& [value, decimals] : values) {
            EXPECT_EQ(formatInLocale(value, decimals, locale),
                      locale.toString(static_cast<double>(value), 'f', decimals).toStdString())
                << name << " " << value;
        }
    }
}

// Restored at start-up, or chosen (a choice is written as the same text).
TEST(UnitWeightMenu, RestoredAtStartUpAndChosen) {
    const std::vector<std::tuple<std::string, std::string, std::optional<WeightMenuItem>>> cases = {
        {"", "imperialtons2240", WeightMenuItem::ImperialTons2240},
        {"metric", "metric", WeightMenuItem::Metric},
        {"imperial", "imperial", WeightMenuItem::Imperial},
        {"imperialtons2240", "imperialtons2240", WeightMenuItem::ImperialTons2240},
        {"imperialtons2000", "imperialtons2000", WeightMenuItem::ImperialTons2000},
        {"Metric", "Metric", std::nullopt}, // compared with case, kept as read
        {" metric", " metric", std::nullopt},
    };
    for (const auto& [stored, unitWeight, checked] : cases) {
        const UnitWeightChoice choice = restoredUnitWeight(stored);
        EXPECT_EQ(choice.unitWeight, unitWeight) << stored;
        EXPECT_EQ(choice.checkedItem, checked) << stored;
        if (checked) {
            EXPECT_EQ(chosenUnitWeight(*checked).unitWeight, unitWeight) << stored;
        }
    }
    // A value the menu does not know checks no item; the window checks the chosen item's.
    EXPECT_EQ(checkMarks(std::nullopt), (std::array<bool, 4>{}));
}

TEST(MassConversion, ProductsInDoubleRoundedToFloat) {
    const std::vector<std::tuple<float, std::string, std::optional<float>>> cases = {
        {1.0f, "metric", 1016.04694f},    {1.0f, "imperial", 2240.0f},
        {1.0f, "imperialtons2240", 1.0f}, {1.0f, "imperialtons2000", 1.12f},
        {12.34f, "metric", 12538.019f}, // the float product would be 12538.02
        {1.0f, "Metric", std::nullopt},   {3.0e38f, "metric", std::nullopt}, // out of float's range
    };
    for (const auto& [stored, unit, converted] : cases) {
        EXPECT_EQ(convertMass(stored, unit), converted) << stored << " " << unit;
    }
    const std::vector<std::pair<std::string, std::optional<float>>> numbers = {
        {"126.5", 126.5f},    {"-3", -3.0f},
        {"1e-50", 0.0f},      {"1e39", std::nullopt},
        {"1e-400", 0.0f},     {"0." + std::string(400, '0') + "1", 0.0f}, // too small for a double: zero
        {"", std::nullopt},   {"1,5", std::nullopt},
        {"+1", std::nullopt}, {"inf", std::nullopt},
    };
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(storedNumber(text), value) << text;
    }
}

} // namespace
} // namespace dovrel
