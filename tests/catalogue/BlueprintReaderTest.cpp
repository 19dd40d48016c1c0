// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/BlueprintReader.h"
#include "BlueprintFixture.h"
#include "platform/DiskFiles.h"
#include "platform/doubles/CountingEventPump.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using testing::BlueprintFixture;
using testing::CargoDefinition;
using testing::replaceFirst;
using Kind = CargoDefinition::Kind;

const CargoDefinition kDoorway{Kind::PassengerDoorway, "", ""};

struct ReaderHarness {
    DiskFiles files;
    CountingEventPump events;
    std::vector<std::string> shown;
    BlueprintReader reader{files, events, [this](const std::string& name) { shown.push_back(name); }};
};

TEST(BlueprintReader, ReadsTheUnitClassCargoAndMultipleUnitFlag) {
    BlueprintFixture noEngineType = BlueprintFixture::engine("Diesel", "Shunter");
    noEngineType.engineType.reset();
    noEngineType.cargo = {kDoorway};
    BlueprintFixture multipleUnit = BlueprintFixture::engine("Electric", "Class 390");
    multipleUnit.cargo = {kDoorway};
    BlueprintFixture tender =
        BlueprintFixture::wagon("Tender", {{Kind::Bulk, "8.5", "eBulkFreightTypeCoal"}});
    tender.element = "cTenderBlueprint";
    BlueprintFixture notAVehicle = BlueprintFixture::wagon("Bogie", {});
    notAVehicle.element = "cBogeyBlueprint";
    const struct {
        BlueprintFixture fixture;
        int status;
        const char *unitClass, *capacity, *freightType, *multipleUnit;
    } cases[] = {
        {BlueprintFixture::engine("Diesel", "Class 66"), 0, "diesel", "", "", "0"},
        {BlueprintFixture::engine("ELECTRIC", "Class 90"), 0, "electric", "", "", "0"},
        {BlueprintFixture::engine("Steam", "Black 5"), 0, "steam", "", "", "0"},
        {noEngineType, 0, "engine", "", "", "0"},
        {tender, 0, "tender", "8.5", "eBulkFreightTypeCoal", "0"},
        {BlueprintFixture::wagon("Flat", {}), 0, "freight", "", "", "0"},
        {BlueprintFixture::wagon("Hopper", {{Kind::Bulk, "45", "eBulkFreightTypeCoal"}}), 0, "freight", "45",
         "eBulkFreightTypeCoal", "0"},
        {BlueprintFixture::wagon("Tank", {{Kind::Bulk, "45", "Oil"}, {Kind::Bulk, "1e-005", "Water"}}), 0,
         "freight", "45;1e-005", "Oil;Water", "0"},
        {BlueprintFixture::wagon("Coach", {kDoorway}), 0, "passenger", "", "", "0"},
        {multipleUnit, 0, "electric", "", "", "1"},
        {notAVehicle, 888, "", "", "", "0"},
    };
    for (const auto& c : cases) {
        ReaderHarness harness;
        BlueprintFields fields;
        EXPECT_EQ(harness.reader.readText(c.fixture.xml(), fields), c.status) << c.fixture.english;
        EXPECT_EQ(
            std::make_tuple(fields.unitClass, fields.capacity, fields.bulkFreightType, fields.multipleUnit),
            std::make_tuple(c.unitClass, c.capacity, c.freightType, c.multipleUnit))
            << c.fixture.english;
    }
}

TEST(BlueprintReader, ReadsEveryValueOfARealisticBlueprint) {
    ReaderHarness harness;
    BlueprintFixture fixture = BlueprintFixture::wagon("Coal &amp; Coke", {{Kind::Bulk, "45", "Coal"}});
    fixture.name = "HTA";
    fixture.frontId = "RailVehicles\\Couplings\\Screw.Chain.xml";
    fixture.rearId = "Buffer";
    BlueprintFields fields;

    ASSERT_EQ(harness.reader.readText(fixture.xml(), fields), kBlueprintRead);

    EXPECT_EQ(fields.blueprintKind, "wagon");
    EXPECT_EQ(fields.commonName, "HTA");
    EXPECT_EQ(fields.englishName, "Coal &amp; Coke");
    EXPECT_EQ(fields.frontCouplingId, "RailVehicles\\Couplings\\Screw.Chain.xml");
    EXPECT_EQ(fields.frontCoupler, "Screw.Chain");
    EXPECT_EQ(fields.rearCouplingId, "Buffer");
    EXPECT_EQ(fields.rearCoupler, "Buffer");
    EXPECT_EQ((std::vector<std::string>{fields.mass, fields.easeOfDerailment, fields.dragCoefficient,
                                        fields.rollingFriction, fields.dryFriction, fields.wetFriction,
                                        fields.snowFriction, fields.sandFriction}),
              (std::vector<std::string>{"126.5", "0.85", "0.9", "0.002", "0.25", "0.15", "0.1", "1.5"}));
    EXPECT_EQ(harness.shown, std::vector<std::string>{"Coal &amp; Coke"});
}

// The walk reads from the fourth line on and stops at the first line that ends it; a value cut short
// fails the read.
TEST(BlueprintReader, EdgeCasesOfTheWalk) {
    struct Case {
        const char* name;
        std::string xml;
        int status;
        std::vector<std::string> englishFrontRearMass;
    };
    const std::string plain = BlueprintFixture::wagon("Box van", {}).xml();
    BlueprintFixture emptyFront = BlueprintFixture::wagon("No front", {});
    emptyFront.frontId.clear();
    const char* buf = "RailVehicles\\Couplings\\Buffer.xml";
    const auto endingLine = [&plain](const std::string& line) {
        return replaceFirst(plain, "<ProviderNote", line + "\r\n<ProviderNote");
    };
    const std::string upperCase =
        replaceFirst(replaceFirst(replaceFirst(plain, "<Mass ", "<MASS "), "<English ", "<english "),
                     "<RailVehicleComponent>", "<RAILVEHICLECOMPONENT>");
    const Case cases[] = {
        {"tagsInAnyCase", upperCase, 0, {"Box van", buf, buf, "126.5"}},
        {"emptyFrontBlueprintId", emptyFront.xml(), 0, {"No front", "", buf, "126.5"}},
        {"cargoDefEmptyEndsTheWalk", endingLine("<CargoDef/>"), 0, {"Box van", "", "", ""}},
        {"closingCargoDefEndsTheWalk", endingLine("</CargoDef>"), 0, {"Box van", "", "", ""}},
        {"closingBogeyEndsTheWalk", endingLine("</cBogeyBlueprint>"), 0, {"Box van", "", "", ""}},
        {"selfClosingValue", replaceFirst(plain, ">126.5</Mass>", "/>"), 999, {"Box van", buf, buf, ""}},
        {"valueWithoutEndTag", replaceFirst(plain, "Wagon</Name>", "Wagon"), 999, {"", "", "", ""}},
        {"crCrLfJoinsTheLineAndBlankLinesPass",
         replaceFirst(endingLine("   \r\n \t<Note/>"), "126.5</Mass>", "126\r\r\n.5</Mass>"),
         0,
         {"Box van", buf, buf, "126.5"}},
        {"withoutRailVehicleComponent",
         replaceFirst(BlueprintFixture::wagon("Odd", {}).xml(), "<RailVehicleComponent>", "<Other>"),
         0,
         {"Odd", "", "", ""}},
        // The first three lines are never looked at, so a blueprint element among them is not seen.
        {"blueprintElementTooEarly",
         "<?xml?>\r\n<cEngineBlueprint>\r\n<Name d:type=\"cDeltaString\">Early</Name>\r\n<English "
         "d:type=\"cDeltaString\">Early</English>\r\n",
         888,
         {"", "", "", ""}},
        {"onlyTheHeader", "<?xml?>\r\n<cBlueprintLoader>\r\n<Blueprint>\r\n\r\n\r\n", 0, {"", "", "", ""}},
    };
    for (const Case& c : cases) {
        ReaderHarness harness;
        BlueprintFields fields;
        EXPECT_EQ(harness.reader.readText(c.xml, fields), c.status) << c.name;
        EXPECT_EQ(
            (std::vector{fields.englishName, fields.frontCouplingId, fields.rearCouplingId, fields.mass}),
            c.englishFrontRearMass)
            << c.name;
    }
}

TEST(BlueprintReader, ReadsAFileAndForgetsThePreviousBlueprint) {
    testing::TempFolder temp;
    ReaderHarness harness;
    BlueprintFields fields;
    BlueprintFixture multipleUnit = BlueprintFixture::engine("Electric", "Class 390");
    multipleUnit.cargo = {kDoorway};
    const BlueprintFixture hopper = BlueprintFixture::wagon("Hopper", {{Kind::Bulk, "5", "Sand"}});

    ASSERT_EQ(harness.reader.read(temp.write("first.xml", multipleUnit.xml()), fields), kBlueprintRead);
    fields.blueprintKind.clear();
    ASSERT_EQ(harness.reader.read(temp.write("second.xml", hopper.xml()), fields), kBlueprintRead);
    EXPECT_EQ(std::make_tuple(fields.multipleUnit, fields.unitClass, fields.capacity),
              std::make_tuple("0", "freight", "5"));
    fields.blueprintKind = "wagon";
    EXPECT_EQ(harness.reader.read(temp.path() / "missing.xml", fields), kBlueprintReadFailed);
    EXPECT_EQ(std::make_tuple(fields.blueprintKind, fields.unitClass, fields.capacity, fields.englishName),
              std::make_tuple("wagon", "", "", ""))
        << "the kind is the caller's to set";
    EXPECT_EQ(harness.reader.read(temp.path(), fields), kBlueprintReadFailed) << "a folder is not a file";
}

} // namespace
} // namespace dovrel
