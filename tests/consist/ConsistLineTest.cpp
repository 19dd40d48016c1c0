#include "consist/ConsistLine.h"
#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace dovrel {
namespace {

// "A B< C": units named A, B reversed and C.
std::vector<std::string> units(const std::string& names) {
    std::vector<std::string> result;
    std::istringstream words(names);
    for (std::string name; words >> name;) {
        const bool reversed = name.ends_with('<');
        result.push_back(name.substr(0, name.size() - (reversed ? 1 : 0)) + "|x|" + (reversed ? "1" : "0"));
    }
    return result;
}

std::string unit(const std::string& name) {
    return units(name).front();
}

ConsistLine lineOf(const std::string& names, std::int32_t selected) {
    ConsistLine line;
    EXPECT_EQ(line.apply(ReplaceLine{{}, units(names), {-1, selected}}), EditStatus::Applied);
    return line;
}

std::vector<std::string> unitsOf(const ConsistLine& line) {
    return {line.units().begin(), line.units().end()};
}

class RecordingObserver final : public ConsistLineObserver {
public:
    std::vector<std::string> kinds;
    void lineEdited(const ConsistLine&, const ConsistEdit& edit) override {
        kinds.emplace_back(editKindName(edit));
    }
};

TEST(ConsistUnit, HeadingIsTheLastCharacter) {
    const std::string forward = makeConsistUnit("Wagon|Box Van|Acme");
    EXPECT_EQ(forward, "Wagon|Box Van|Acme|0");
    EXPECT_TRUE(isForward(forward));
    EXPECT_EQ(withToggledHeading(forward), "Wagon|Box Van|Acme|1");
    EXPECT_EQ(unitField(forward, RecordField::englishName), "Box Van");
    EXPECT_EQ(unitField(forward, RecordField::rearCouplingId), "");
    // Anything but "0" counts as reversed and toggles back to "0"; an empty text stays empty.
    EXPECT_FALSE(isForward("a|b|x"));
    EXPECT_EQ(withToggledHeading("a|b|x"), "a|b|0");
    EXPECT_FALSE(isForward(""));
    EXPECT_EQ(withToggledHeading(""), "");
}

TEST(ConsistLine, RefusesEditsThatDoNotFitAndChangesNothing) {
    struct Case {
        const char* name;
        ConsistEdit edit;
        EditStatus status;
    };
    const Case cases[] = {
        {"insert past the tail", InsertUnit{3, unit("N"), {0, 0}}, EditStatus::OutOfRange},
        {"insert before the head", InsertUnit{-1, unit("N"), {0, 0}}, EditStatus::OutOfRange},
        {"remove outside", RemoveUnit{2, unit("A"), {0, 0}}, EditStatus::OutOfRange},
        {"remove another unit", RemoveUnit{1, unit("A"), {0, 0}}, EditStatus::Mismatch},
        {"replace another unit", ReplaceUnit{0, unit("B"), unit("T"), {0, 0}}, EditStatus::Mismatch},
        {"swap outside", SwapUnits{0, 2, {0, 0}}, EditStatus::OutOfRange},
        {"toggle outside", ToggleHeading{-1, {0, 0}}, EditStatus::OutOfRange},
        {"selection past the line", ToggleHeading{0, {0, 2}}, EditStatus::OutOfRange},
        {"selection after removal", RemoveUnit{1, unit("B"), {1, 1}}, EditStatus::OutOfRange},
        {"replace a line it does not hold", ReplaceLine{units("A"), {}, {0, -1}}, EditStatus::Mismatch},
    };
    for (const Case& c : cases) {
        ConsistLine line = lineOf("A B", 0);
        RecordingObserver observer;
        line.addObserver(observer);
        EXPECT_EQ(line.apply(c.edit), c.status) << c.name;
        EXPECT_EQ(unitsOf(line), units("A B")) << c.name;
        EXPECT_EQ(line.selectedIndex(), 0) << c.name;
        EXPECT_TRUE(observer.kinds.empty()) << c.name;
        line.removeObserver(observer);
        ASSERT_EQ(line.apply(ToggleHeading{0, {0, 0}}), EditStatus::Applied);
        EXPECT_TRUE(observer.kinds.empty()) << "heard after removal";
    }
}

TEST(ConsistLine, HoldsAtMost5001UnitsAndSelectsOnlyWhatItHolds) {
    std::vector<std::string> full(static_cast<std::size_t>(ConsistLine::kCapacity), unit("W"));
    ConsistLine line;
    ASSERT_EQ(line.apply(ReplaceLine{{}, full, {-1, -1}}), EditStatus::Applied);
    EXPECT_EQ(line.apply(InsertUnit{0, unit("N"), {-1, -1}}), EditStatus::Full);
    full.push_back(unit("W"));
    EXPECT_EQ(line.apply(ReplaceLine{unitsOf(line), full, {-1, -1}}), EditStatus::Full);
    EXPECT_EQ(line.unitCount(), 5001);
    EXPECT_EQ(line.consistUnits().size(), 5001u);

    line = lineOf("A B C", -1);
    EXPECT_TRUE(line.setSelectedIndex(1));
    EXPECT_FALSE(line.setSelectedIndex(3));
    EXPECT_FALSE(line.setSelectedIndex(-2));
    EXPECT_EQ(line.selectedIndex(), 1);
    EXPECT_TRUE(line.setSelectedIndex(-1));
    // The gap closes by copying: slots past the count keep what they last held.
    ASSERT_EQ(line.apply(RemoveUnit{0, unit("A"), {-1, -1}}), EditStatus::Applied);
    EXPECT_EQ(line.consistUnits()[2], unit("C"));
    EXPECT_EQ(line.unit(2), "");
}

} // namespace
} // namespace dovrel
