#include "browser/ConsistTotals.h"

#include "browser/BrowserTestRecords.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

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
    const char* en = "en_US";
    const std::vector<
        std::tuple<const char*, const char*, std::vector<std::string>, std::size_t, std::string>>
        cases = {
            {"imperialtons2240", en, {unitOf("W", "20", "30")}, 0, "Mass 20.00" + t1 + ", loaded 50.00" + t1},
            {"metric", en, {one[0], unitOf("T", "1", "10;20", "1")}, 0, "Mass 2,032 kgs, loaded 32,514 kgs"},
            {"imperialtons2000",
             "de_DE",
             {unitOf("W", "1000", "0.5")},
             2,
             "Mass 1.120,00" + t2 + ", loaded 1.120,56" + t2 + ", 2 coupler mismatches"},
            {"imperial", en, {one[0], one[0]}, 1, "Mass 4,480 lbs, loaded 4,480 lbs, 1 coupler mismatch"},
            {"Metric", en, one, 3, "3 coupler mismatches"},
            {"Metric", en, one, 0, ""},
            {"metric", en, {}, 0, ""},
        };
    for (const auto& [unitWeight, locale, units, mismatches, caption] : cases) {
        const ConsistTotals totals = consistTotals(units, unitWeight);
        EXPECT_EQ(totalsCaption(units.size(), totals, mismatches, unitWeight, QLocale(locale)), caption)
            << caption;
    }
}

// 5,001 units of 100 long tons: the sum is kept wider than a float, whose steps are 32 kg there.
TEST(ConsistTotals, AFullLineAddsUpWithoutLosingKilograms) {
    const std::vector<std::string> units(5001, unitOf("X", "100", ""));
    const ConsistTotals totals = consistTotals(units, "metric");
    EXPECT_EQ(totalsCaption(units.size(), totals, 0, "metric", QLocale("en_US")),
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
