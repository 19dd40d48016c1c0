// What the generator makes: every XML is the converter's own text, including the tricky values the
// XML builder prints; the blueprint reader takes from each vehicle its names and couplings and skips
// the other blueprints; and the cases the readers have to meet are all there.

#include "Blueprints.h"
#include "ConsistPlan.h"
#include "ConsistXml.h"
#include "StockList.h"
#include "XmlBuilder.h"

#include "catalogue/BlueprintReader.h"
#include "core/TextRules.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/qt/QtFiles.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace dovrel::sample {
namespace {

// True when the XML converts to the binary form and the converter writes the same text back.
::testing::AssertionResult isConvertersOwnText(const std::string& xml) {
    const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
    if (!bin) {
        return ::testing::AssertionFailure()
               << "line " << bin.error().position << ": " << bin.error().message;
    }
    const auto back = serz::convert(serz::Direction::BinToXml, bin.value());
    if (!back || back.value() != xml) {
        return ::testing::AssertionFailure() << "written back differently: " << (back ? back.value() : "");
    }
    return ::testing::AssertionSuccess();
}

bool hasNonAscii(const std::string& text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::size_t listLength(const std::string& list) {
    return list.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(list, ';')) + 1;
}

TEST(XmlBuilder, WritesTheConvertersOwnText) {
    XmlBuilder x("cRecordSet", 0x80000001u);
    x.open("Record");
    x.open("Network-cTrackFollower", 7);
    x.text("Name", "A & B <c> \"d\" 'e' Säntis");
    x.boolean("Flipped", true);
    x.int32("Count", -3);
    x.float32("Mass", 1);
    x.float32("Tie", 578.8125);
    x.float32("Third", 1.0 / 3.0);
    x.float32("Small", 0.00001);
    x.float32("Large", 2.5e6);
    x.float32("NegativeZero", -0.0);
    x.float64("Latitude", 51.477811);
    x.floats("Axis", {0.6303032, -0.0, -3723.56640625, 1.0 / 3.0});
    x.uint64("e", 18446744073709551615ull);
    x.uint8("Palette", 255);
    x.uint32("Frames", 4294967295u);
    x.close();
    x.empty("Other");
    x.open("Driver");
    x.nil();
    x.close();
    x.reference("Target", 12345);
    const std::string xml = x.finish();
    EXPECT_TRUE(isConvertersOwnText(xml)) << xml;
}

class GeneratedContent : public ::testing::Test {
protected:
    Random random_{11};
    Stock stock_ = makeStock(random_, 150);
    QtFiles files_;
    CountingEventPump events_;
    BlueprintReader reader_{files_, events_, nullptr};
};

// Each vehicle blueprint reads with its names and couplings, and together they hold every planned
// case: every engine type and one without, multiple units, tenders, coaches, wagons with no, one and
// two bulk cargoes; missing and empty coupling ids; names shared across providers and names in other
// scripts; blueprints at every level below the product up to eight; tens of kilobytes each. The other
// blueprints are skipped.
TEST_F(GeneratedContent, BlueprintsReadAsTheirDescriptionsSayAndHoldEveryPlannedCase) {
    std::set<std::string> classes;
    std::set<std::pair<std::string, std::size_t>> kindsAndLoads;
    std::map<std::string, std::set<std::string>> providersByName;
    std::set<std::size_t> levels;
    std::size_t bytes = 0;
    bool multipleUnit = false, missingRear = false, emptyFront = false, nonAscii = false;
    for (const Vehicle& v : stock_.vehicles) {
        SCOPED_TRACE(v.folder + "/" + v.fileName);
        const std::string xml = vehicleBlueprintXml(v, random_);
        ASSERT_TRUE(isConvertersOwnText(xml));
        bytes += xml.size();
        BlueprintFields r;
        ASSERT_EQ(reader_.readText(xml, r), kBlueprintRead);
        const bool coupled = v.front.present && v.rear.present; // else the reader stops at the couplings
        EXPECT_EQ(std::make_tuple(r.commonName, r.englishName, r.frontCouplingId, r.rearCouplingId),
                  std::make_tuple(v.name, v.displayName, v.front.present ? v.front.ref.id : "",
                                  coupled ? v.rear.ref.id : ""));
        providersByName[r.englishName].insert(v.set.provider);
        nonAscii = nonAscii || hasNonAscii(r.englishName);
        levels.insert(v.folder.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(v.folder, '/')) + 1);
        missingRear = missingRear || (v.front.present && !v.rear.present);
        emptyFront = emptyFront || (v.front.present && v.front.ref.id.empty());
        if (coupled) {
            EXPECT_FALSE(r.mass.empty() || r.dragCoefficient.empty() || r.sandFriction.empty());
            classes.insert(r.unitClass);
            kindsAndLoads.emplace(r.blueprintKind, listLength(r.capacity));
            multipleUnit = multipleUnit || r.multipleUnit == "1";
        }
    }
    EXPECT_EQ(classes, (std::set<std::string>{"engine", "diesel", "electric", "steam", "tender", "passenger",
                                              "freight"}));
    for (std::size_t loads : {0, 1, 2}) {
        EXPECT_TRUE(kindsAndLoads.contains({"wagon", loads})) << loads;
    }
    EXPECT_TRUE(multipleUnit && missingRear && emptyFront && nonAscii);
    EXPECT_TRUE(
        std::ranges::any_of(providersByName, [](const auto& entry) { return entry.second.size() > 1; }));
    EXPECT_EQ(levels, (std::set<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_GT(bytes / stock_.vehicles.size(), 15000u);

    std::set<OtherKind> otherKinds;
    for (const OtherBlueprint& b : stock_.others) {
        const std::string xml = otherBlueprintXml(b, random_);
        EXPECT_TRUE(isConvertersOwnText(xml)) << b.fileName;
        BlueprintFields r;
        EXPECT_EQ(reader_.readText(xml, r), kNotAVehicleBlueprint) << b.fileName;
        otherKinds.insert(b.kind);
    }
    EXPECT_TRUE(otherKinds.contains(OtherKind::Coupling) && otherKinds.contains(OtherKind::Bogie) &&
                otherKinds.contains(OtherKind::Scenery));
}

// The user consists and every scenario are the converter's own text and hold the planned cases: a
// consist without vehicles, a train without driver (a nil, the only one), non-ASCII names; among the
// vehicles named, one of the user consists' and one of the scenarios' is nowhere in the assets and
// one has its path in other letter case.
TEST_F(GeneratedContent, ConsistFilesHoldThePlannedCases) {
    const ConsistPlan plan = planConsists(stock_, random_);
    std::set<std::string> exactIds, lowerIds;
    for (const Vehicle& v : stock_.vehicles) {
        exactIds.insert(blueprintId(v));
        lowerIds.insert(asciiLower(blueprintId(v)));
    }
    std::vector<std::string> nowhere;
    int otherCase = 0;
    const auto look = [&](const std::vector<ConsistVehicle>& vehicles) {
        for (const ConsistVehicle& v : vehicles) {
            if (!lowerIds.contains(asciiLower(v.ref.id))) {
                nowhere.push_back(v.ref.id);
            } else {
                otherCase += exactIds.contains(v.ref.id) ? 0 : 1;
            }
        }
    };
    EXPECT_TRUE(isConvertersOwnText(consistTemplatesXml(plan.userConsists, random_)));
    for (const UserConsist& consist : plan.userConsists) {
        look(consist.vehicles);
    }
    EXPECT_GE(plan.userConsists.size(), 3u);
    EXPECT_TRUE(
        std::ranges::any_of(plan.userConsists, [](const UserConsist& c) { return hasNonAscii(c.name); }));
    EXPECT_EQ(nowhere, (std::vector<std::string>{"RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml"}));

    nowhere.clear();
    int withoutVehicles = 0, withoutDriver = 0, nilDrivers = 0;
    bool nonAsciiService = false;
    for (const RoutePlan& route : plan.routes) {
        EXPECT_TRUE(isConvertersOwnText(routePropertiesXml(route, random_)));
        for (const ScenarioPlan& scenario : route.scenarios) {
            EXPECT_TRUE(isConvertersOwnText(scenarioPropertiesXml(scenario, random_)));
            const std::string xml = scenarioXml(scenario, random_);
            EXPECT_TRUE(isConvertersOwnText(xml)) << scenario.folder;
            for (std::size_t at = xml.find("<d:nil/>"); at != std::string::npos;
                 at = xml.find("<d:nil/>", at + 1)) {
                ++nilDrivers;
            }
            for (const Train& train : scenario.trains) {
                look(train.vehicles);
                withoutVehicles += train.vehicles.empty() ? 1 : 0;
                withoutDriver += train.driven ? 0 : 1;
                nonAsciiService = nonAsciiService || hasNonAscii(train.serviceName);
            }
        }
    }
    EXPECT_EQ(nilDrivers, withoutDriver);
    EXPECT_TRUE(withoutVehicles > 0 && withoutDriver > 0 && otherCase > 0 && nonAsciiService);
    EXPECT_EQ(nowhere,
              (std::vector<std::string>{"RailVehicles\\Freight\\Hopper\\Fals\\Wagon\\fals_covered.xml"}));
}

} // namespace
} // namespace dovrel::sample
