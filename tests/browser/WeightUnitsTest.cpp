// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/WeightUnits.h"
#include "browser/BrowserTestRecords.h"
#include "browser/ConsistTotals.h"
#include "browser/LocaleNumber.h"

#include <gtest/gtest.h>

#include <limits>

namespace dovrel {
namespace {

TEST(LocaleNumber, GroupingDecimalSignAndRounding) {
    const std::vector<std::tuple<float, int, std::string, std::string>> cases = {
        {1016.0469f, 0, "1,016", "1.016"},
        {1234567.0f, 2, "1,234,567.00", "1.234.567,00"},
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
        EXPECT_EQ(formatInLocale(value, decimals, QLocale(QStringLiteral("en_US"))), enUs) << value;
        EXPECT_EQ(formatInLocale(value, decimals, QLocale(QStringLiteral("de_DE"))), deDe) << value;
    }
    EXPECT_EQ(formatInLocale(std::numeric_limits<float>::infinity(), 2, QLocale(QStringLiteral("en_US"))),
              std::nullopt);
    EXPECT_EQ(formatInLocale(std::numeric_limits<float>::quiet_NaN(), 0, QLocale(QStringLiteral("en_US"))),
              std::nullopt);
    // Values exact in binary and far from a tie read as each locale itself writes them.
    const std::vector<std::pair<float, int>> values = {{1234.5f, 2}, {12345678.0f, 0}, {-98765.25f, 1}};
    for (const char* name : {"fr_FR", "de_CH", "en_IN", "ar_EG", "C"}) {
        const QLocale locale(QString::fromLatin1(name));
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
    const std::string tiny = "0." + std::string(400, '0') + "1"; // too small for a double: zero
    const std::vector<std::pair<std::string, std::optional<float>>> numbers = {
        {"126.5", 126.5f},  {"-3", -3.0f},         {"1e-50", 0.0f},      {"1e39", std::nullopt}, {tiny, 0.0f},
        {"", std::nullopt}, {"1,5", std::nullopt}, {"+1", std::nullopt}, {"inf", std::nullopt}};
    for (const auto& [text, value] : numbers) {
        EXPECT_EQ(storedNumber(text), value) << text;
    }
}

using testing::Field;

// A consist unit (record, "|", heading) with the mass and capacity texts given.
std::string unitOf(std::string name, std::string mass, std::string capacity, const char* heading = "0") {
    return testing::recordWith({{Field::englishName, std::move(name)},
                                {Field::mass, std::move(mass)},
                                {Field::capacity, std::move(capacity)}}) +
           "|" + heading;
}

// A wagon of 20 with 30 of cargo is 50 loaded; a tender's several capacities all count; headings do not.
// No weight unit chosen: only the mismatches; none: nothing.
TEST(ConsistTotals, MassesAddUpInTheWeightUnitAndTheLocalesFormat) {
    const std::string t1 = " tons\xC2\xB9";
    const std::string t2 = " tons\xC2\xB2";
    const std::vector<std::string> one = {unitOf("A", "1", "")};
    // In en_US but for the de_DE row 2.
    const std::vector<std::tuple<const char*, std::vector<std::string>, std::size_t, std::string>> cases = {
        {"imperialtons2240", {unitOf("W", "20", "30")}, 0, "Mass 20.00" + t1 + ", loaded 50.00" + t1},
        {"metric", {one[0], unitOf("T", "1", "10;20", "1")}, 0, "Mass 2,032 kgs, loaded 32,514 kgs"},
        {"imperialtons2000",
         {unitOf("W", "1000", "0.5")},
         2,
         "Mass 1.120,00" + t2 + ", loaded 1.120,56" + t2 + ", 2 coupler mismatches"},
        {"imperial", {one[0], one[0]}, 1, "Mass 4,480 lbs, loaded 4,480 lbs, 1 coupler mismatch"},
        {"Metric", one, 3, "3 coupler mismatches"},
        {"Metric", one, 0, ""},
        {"metric", {}, 0, ""},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [unitWeight, units, mismatches, caption] = cases[i];
        const QLocale locale(QString::fromLatin1(i == 2 ? "de_DE" : "en_US"));
        EXPECT_EQ(
            totalsCaption(units.size(), consistTotals(units, unitWeight), mismatches, unitWeight, locale),
            caption);
    }
}

// 5,001 units of 100 long tons: the sum is kept wider than a float, whose steps are 32 kg there.
TEST(ConsistTotals, AFullLineAddsUpWithoutLosingKilograms) {
    const std::vector<std::string> units(5001, unitOf("X", "100", ""));
    const ConsistTotals totals = consistTotals(units, "metric");
    EXPECT_EQ(totalsCaption(units.size(), totals, 0, "metric", QLocale(QStringLiteral("en_US"))),
              "Mass 508,125,042 kgs, loaded 508,125,042 kgs");
}

TEST(ConsistTotals, UnreadableNumbersAreLeftOutAndNamed) {
    std::vector<std::string> units = {unitOf("Good", "10", "5"), unitOf("No Mass", "heavy", "5"),
                                      unitOf("Bad Load", "10", "5;lots"), unitOf("Empty", "", "")};
    for (int i = 0; i < 11; ++i) {
        units.push_back(unitOf("Odd " + std::to_string(i), "-", ""));
    }
    const ConsistTotals totals = consistTotals(units, "imperialtons2240");
    EXPECT_EQ(totals.mass, 20.0);
    EXPECT_EQ(totals.loadedGross, 30.0) << "the readable capacity of Bad Load still counts";
    EXPECT_EQ(totalsToolTip(totals),
              "13 units without a mass: No Mass, Empty, Odd 0, Odd 1, Odd 2, Odd 3, Odd 4, Odd 5, Odd 6, "
              "Odd 7 and 3 more\n1 unit with an unreadable cargo capacity: Bad Load");
    const std::vector<std::string> readable = {unitOf("Good", "10", "")};
    EXPECT_EQ(totalsToolTip(consistTotals(readable, "metric")), "");
}

} // namespace
} // namespace dovrel
