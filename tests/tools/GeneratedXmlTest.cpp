// The XML the generator makes for every kind of file: what the converter writes back for it, and
// for vehicle blueprints what the editor's blueprint reader takes from it.

#include "Blueprints.h"
#include "ConsistPlan.h"
#include "ConsistXml.h"
#include "LineScans.h"
#include "Random.h"
#include "StockList.h"

#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dovrel::sample {
namespace {

using testing::BlueprintReading;
using testing::readBlueprint;

// True when the XML converts to the binary form and the converter writes the same text back.
::testing::AssertionResult isConvertersOwnText(const std::string& xml) {
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    if (!bin) {
        return ::testing::AssertionFailure()
               << "line " << bin.error().position << ": " << bin.error().message;
    }
    const auto back = serz::convert(serz::Direction::BinToXml, bin.value());
    if (!back) {
        return ::testing::AssertionFailure() << "the binary form does not convert back";
    }
    if (back.value() != xml) {
        std::size_t at = 0;
        while (at < xml.size() && at < back.value().size() && xml[at] == back.value()[at]) {
            ++at;
        }
        return ::testing::AssertionFailure()
               << "differs at byte " << at << ": " << xml.substr(at > 60 ? at - 60 : 0, 120);
    }
    return ::testing::AssertionSuccess();
}

std::string engineClass(EngineType type) {
    switch (type) {
    case EngineType::Diesel:
        return "diesel";
    case EngineType::Electric:
        return "electric";
    case EngineType::Steam:
        return "steam";
    case EngineType::None:
        break;
    }
    return "engine";
}

class GeneratedXml : public ::testing::Test {
protected:
    GeneratedXml() : random_(11), stock_(makeStock(random_, 150)) {}
    Random random_;
    Stock stock_;
};

TEST_F(GeneratedXml, VehicleBlueprintsAreTheConvertersTextAndReadAsDescribed) {
    ASSERT_GE(stock_.vehicles.size(), 150u);
    for (const Vehicle& v : stock_.vehicles) {
        SCOPED_TRACE(v.folder + "/" + v.fileName);
        const std::string xml = vehicleBlueprintXml(v, random_);
        ASSERT_TRUE(isConvertersOwnText(xml));
        EXPECT_GT(xml.size(), 15000u);
        const BlueprintReading r = readBlueprint(xml);
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.commonName, v.name);
        EXPECT_EQ(r.englishName, v.displayName);
        EXPECT_EQ(r.frontCouplingId, v.front.present ? v.front.ref.id : "");
        if (!v.front.present || !v.rear.present) {
            // The reader never gets past a missing coupling element.
            EXPECT_EQ(r.rearCouplingId, "");
            continue;
        }
        EXPECT_EQ(r.rearCouplingId, v.rear.ref.id);
        for (const std::string& value : r.physics) {
            EXPECT_FALSE(value.empty());
        }
        const std::size_t loads =
            r.capacity.empty() ? 0 : std::count(r.capacity.begin(), r.capacity.end(), ';') + 1;
        const std::size_t types =
            r.bulkFreightType.empty()
                ? 0
                : std::count(r.bulkFreightType.begin(), r.bulkFreightType.end(), ';') + 1;
        switch (v.kind) {
        case VehicleKind::Engine:
            EXPECT_EQ(r.kind, "loco");
            EXPECT_EQ(r.unitClass, engineClass(v.engine));
            // Without an engine type the reader never reaches the cargo.
            EXPECT_EQ(r.multipleUnit, v.doorways > 0 && v.engine != EngineType::None ? "1" : "0");
            EXPECT_EQ(loads, v.engine == EngineType::None ? 0 : v.cargo.size());
            break;
        case VehicleKind::Tender:
            EXPECT_EQ(r.kind, "tender");
            EXPECT_EQ(r.unitClass, "tender");
            EXPECT_EQ(loads, v.cargo.size());
            break;
        case VehicleKind::Wagon:
            EXPECT_EQ(r.kind, "wagon");
            EXPECT_EQ(r.unitClass, v.doorways > 0 ? "passenger" : "freight");
            EXPECT_EQ(loads, v.cargo.size());
            break;
        }
        EXPECT_EQ(types, loads);
    }
}

TEST_F(GeneratedXml, OtherBlueprintsAreTheConvertersTextAndNoVehicles) {
    ASSERT_FALSE(stock_.others.empty());
    for (const OtherBlueprint& b : stock_.others) {
        SCOPED_TRACE(b.folder + "/" + b.fileName);
        const std::string xml = otherBlueprintXml(b, random_);
        EXPECT_TRUE(isConvertersOwnText(xml));
        EXPECT_EQ(readBlueprint(xml).status, 888);
    }
}

TEST_F(GeneratedXml, ConsistFilesAreTheConvertersText) {
    const ConsistPlan plan = planConsists(stock_, random_);
    EXPECT_TRUE(isConvertersOwnText(consistTemplatesXml(plan.userConsists, random_)));
    for (const RoutePlan& route : plan.routes) {
        EXPECT_TRUE(isConvertersOwnText(routePropertiesXml(route, random_)));
        for (const ScenarioPlan& scenario : route.scenarios) {
            EXPECT_TRUE(isConvertersOwnText(scenarioXml(scenario, random_)));
            EXPECT_TRUE(isConvertersOwnText(scenarioPropertiesXml(scenario, random_)));
        }
    }
}

TEST(StockList, FewerUnitsThanTheFixedSetStillGiveTheFixedSet) {
    Random random(1);
    EXPECT_EQ(static_cast<int>(makeStock(random, 5).vehicles.size()), fixedVehicleCount());
}

} // namespace
} // namespace dovrel::sample
