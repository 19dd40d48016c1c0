#include "consist/ConsistLine.h"
#include "consist/ConsistUnit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dovrel {
namespace {

std::string unitNamed(const std::string& name, char heading = '0') {
    return name + "|x|" + heading;
}

// A line holding the given units, with the selection given.
ConsistLine lineOf(const std::vector<std::string>& units, std::int32_t selected) {
    ConsistLine line;
    EXPECT_EQ(line.apply(ReplaceLine{{}, units, {-1, selected}}), EditStatus::Applied);
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
    const std::string unit = makeConsistUnit("Wagon|Box Van|Acme");
    EXPECT_EQ(unit, "Wagon|Box Van|Acme|0");
    EXPECT_TRUE(isForward(unit));
    EXPECT_EQ(withToggledHeading(unit), "Wagon|Box Van|Acme|1");
    EXPECT_EQ(withToggledHeading(withToggledHeading(unit)), unit);
    // Anything but "0" counts as reversed and toggles back to "0".
    EXPECT_FALSE(isForward("a|b|x"));
    EXPECT_EQ(withToggledHeading("a|b|x"), "a|b|0");
    EXPECT_FALSE(isForward(""));
    EXPECT_EQ(withToggledHeading(""), "");
    EXPECT_EQ(unitField(unit, RecordField::englishName), "Box Van");
    EXPECT_EQ(unitField(unit, RecordField::rearCouplingId), "");
}

// Each kind of edit, applied and then inverted, gives back the line's units and selection.
TEST(ConsistLine, EveryEditKindIsUndoneByItsInverse) {
    const std::vector<std::string> start = {unitNamed("A"), unitNamed("B", '1'), unitNamed("C"),
                                            unitNamed("D")};
    struct Case {
        ConsistEdit edit;
        std::vector<std::string> expected;
        std::int32_t selectedAfter;
    };
    const Case cases[] = {
        {InsertUnit{1, unitNamed("N"), {2, 3}},
         {unitNamed("A"), unitNamed("N"), unitNamed("B", '1'), unitNamed("C"), unitNamed("D")},
         3},
        {InsertUnit{4, unitNamed("N"), {2, 2}},
         {unitNamed("A"), unitNamed("B", '1'), unitNamed("C"), unitNamed("D"), unitNamed("N")},
         2},
        {RemoveUnit{0, unitNamed("A"), {2, 0}}, {unitNamed("B", '1'), unitNamed("C"), unitNamed("D")}, 0},
        {ReplaceUnit{1, unitNamed("B", '1'), unitNamed("T"), {2, 2}},
         {unitNamed("A"), unitNamed("T"), unitNamed("C"), unitNamed("D")},
         2},
        {SwapUnits{1, 2, {2, 1}}, {unitNamed("A"), unitNamed("C"), unitNamed("B", '1'), unitNamed("D")}, 1},
        {ToggleHeading{3, {2, 2}},
         {unitNamed("A"), unitNamed("B", '1'), unitNamed("C"), unitNamed("D", '1')},
         2},
        {ToggleAllHeadings{{2, 2}},
         {unitNamed("A", '1'), unitNamed("B"), unitNamed("C", '1'), unitNamed("D", '1')},
         2},
        {MirrorLine{{2, 1}},
         {unitNamed("D", '1'), unitNamed("C", '1'), unitNamed("B"), unitNamed("A", '1')},
         1},
        {ReplaceLine{start, {}, {2, -1}}, {}, -1},
        {ReplaceLine{start, {unitNamed("X")}, {2, 0}}, {unitNamed("X")}, 0},
    };
    for (const Case& c : cases) {
        ConsistLine line = lineOf(start, 2);
        ASSERT_EQ(line.apply(c.edit), EditStatus::Applied) << editKindName(c.edit);
        EXPECT_EQ(unitsOf(line), c.expected) << editKindName(c.edit);
        EXPECT_EQ(line.selectedIndex(), c.selectedAfter) << editKindName(c.edit);
        ASSERT_EQ(line.apply(invert(c.edit)), EditStatus::Applied) << editKindName(c.edit);
        EXPECT_EQ(unitsOf(line), start) << editKindName(c.edit);
        EXPECT_EQ(line.selectedIndex(), 2) << editKindName(c.edit);
    }
}

TEST(ConsistLine, RefusesEditsThatDoNotFitAndChangesNothing) {
    const std::vector<std::string> start = {unitNamed("A"), unitNamed("B")};
    struct Case {
        const char* name;
        ConsistEdit edit;
        EditStatus status;
    };
    const Case cases[] = {
        {"insert past the tail", InsertUnit{3, unitNamed("N"), {0, 0}}, EditStatus::OutOfRange},
        {"insert before the head", InsertUnit{-1, unitNamed("N"), {0, 0}}, EditStatus::OutOfRange},
        {"remove outside", RemoveUnit{2, unitNamed("A"), {0, 0}}, EditStatus::OutOfRange},
        {"remove another unit", RemoveUnit{1, unitNamed("A"), {0, 0}}, EditStatus::Mismatch},
        {"replace another unit", ReplaceUnit{0, unitNamed("B"), unitNamed("T"), {0, 0}},
         EditStatus::Mismatch},
        {"swap outside", SwapUnits{0, 2, {0, 0}}, EditStatus::OutOfRange},
        {"toggle outside", ToggleHeading{-1, {0, 0}}, EditStatus::OutOfRange},
        {"selection past the line", ToggleHeading{0, {0, 2}}, EditStatus::OutOfRange},
        {"selection after removal", RemoveUnit{1, unitNamed("B"), {1, 1}}, EditStatus::OutOfRange},
        {"replace a line it does not hold", ReplaceLine{{unitNamed("A")}, {}, {0, -1}}, EditStatus::Mismatch},
    };
    for (const Case& c : cases) {
        ConsistLine line = lineOf(start, 0);
        RecordingObserver observer;
        line.addObserver(observer);
        EXPECT_EQ(line.apply(c.edit), c.status) << c.name;
        EXPECT_EQ(unitsOf(line), start) << c.name;
        EXPECT_EQ(line.selectedIndex(), 0) << c.name;
        EXPECT_TRUE(observer.kinds.empty()) << c.name;
        line.removeObserver(observer);
    }
}

TEST(ConsistLine, HoldsAtMost5001Units) {
    std::vector<std::string> units(static_cast<std::size_t>(ConsistLine::kCapacity), unitNamed("W"));
    ConsistLine line = lineOf(units, -1);
    EXPECT_TRUE(line.full());
    EXPECT_EQ(line.apply(InsertUnit{0, unitNamed("N"), {-1, -1}}), EditStatus::Full);
    EXPECT_EQ(line.unitCount(), 5001);
    units.push_back(unitNamed("W"));
    EXPECT_EQ(line.apply(ReplaceLine{{line.units().begin(), line.units().end()}, units, {-1, -1}}),
              EditStatus::Full);
    EXPECT_EQ(line.unitCount(), 5001);
    EXPECT_EQ(line.consistUnits().size(), 5001u);
}

TEST(ConsistLine, SlotsPastTheCountKeepTheirTexts) {
    ConsistLine line = lineOf({unitNamed("A"), unitNamed("B"), unitNamed("C")}, 0);
    ASSERT_EQ(line.apply(RemoveUnit{0, unitNamed("A"), {0, 0}}), EditStatus::Applied);
    EXPECT_EQ(line.consistUnits()[2], unitNamed("C")); // the gap closes by copying, slot 2 keeps C
    ASSERT_EQ(line.apply(ReplaceLine{unitsOf(line), {}, {0, -1}}), EditStatus::Applied);
    EXPECT_EQ(line.unitCount(), 0);
    EXPECT_EQ(line.consistUnits()[0], unitNamed("B"));
    EXPECT_EQ(line.unit(0), "");
}

TEST(ConsistLine, SelectionNamesAUnitOrNothing) {
    ConsistLine line = lineOf({unitNamed("A"), unitNamed("B")}, -1);
    EXPECT_TRUE(line.setSelectedIndex(1));
    EXPECT_FALSE(line.setSelectedIndex(2));
    EXPECT_FALSE(line.setSelectedIndex(-2));
    EXPECT_EQ(line.selectedIndex(), 1);
    EXPECT_TRUE(line.setSelectedIndex(-1));
    EXPECT_EQ(line.selectedIndex(), -1);
}

TEST(ConsistLine, ObserversHearEveryAppliedEdit) {
    ConsistLine line;
    RecordingObserver observer;
    line.addObserver(observer);
    line.apply(InsertUnit{0, unitNamed("A"), {-1, 0}});
    line.apply(ToggleHeading{0, {0, 0}});
    line.apply(SwapUnits{0, 1, {0, 0}}); // refused: not heard
    line.removeObserver(observer);
    line.apply(ToggleHeading{0, {0, 0}}); // after removal: not heard
    EXPECT_EQ(observer.kinds, (std::vector<std::string>{"insert unit", "toggle heading"}));
}

} // namespace
} // namespace dovrel
