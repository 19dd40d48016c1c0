// What the generator makes, read by the editor's own readers: every blueprint and consist file is
// the converter's own text, the blueprint reader takes from each vehicle what its description says
// and skips the other blueprints, the consist scans find the planned consists, and the cases the
// readers have to meet are all there.

#include "Blueprints.h"
#include "ConsistPlan.h"
#include "ConsistXml.h"
#include "SampleRun.h"
#include "StockList.h"
#include "XmlBuilder.h"

#include "catalogue/BlueprintReader.h"
#include "consistfiles/ScenarioConsistScan.h"
#include "consistfiles/UserConsistScan.h"
#include "core/TextRules.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/qt/QtFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace dovrel::sample {
namespace {

using testing::isConvertersOwnText;

bool hasNonAscii(const std::string& text) {
    return std::ranges::any_of(text, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

std::size_t listLength(const std::string& list) {
    return list.empty() ? 0 : static_cast<std::size_t>(std::ranges::count(list, ';')) + 1;
}

// A consist as a scan reports it: its name (a template's name, a driver's service name), and its
// vehicles' blueprints and headings.
struct ReadConsist {
    std::string name;
    std::vector<std::pair<std::string, std::string>> vehicles;
    bool operator==(const ReadConsist&) const = default;
};

ReadConsist planned(const std::string& name, const std::vector<ConsistVehicle>& vehicles) {
    ReadConsist consist{escapedXml(name), {}};
    for (const ConsistVehicle& v : vehicles) {
        consist.vehicles.emplace_back(v.ref.id, v.flipped ? "1" : "0");
    }
    return consist;
}

class ConsistCollector final : public UserConsistScan::Listener, public ScenarioConsistScan::Listener {
public:
    std::vector<ReadConsist> closed;
    int opened = 0;

    void unitClosed(const std::string& blueprint, const std::string& heading) override {
        current_.vehicles.emplace_back(blueprint, heading);
    }
    void templateClosed(const std::string&, const std::string& name) override { close(name); }
    void consistOpened(const std::string&) override {
        ++opened;
        current_ = {};
    }
    void vehicleClosed(const std::string&, const std::string& blueprint,
                       const std::string& heading) override {
        unitClosed(blueprint, heading);
    }
    void consistClosed(const std::string&, const std::string& serviceName) override { close(serviceName); }

private:
    void close(const std::string& name) {
        current_.name = name;
        closed.push_back(current_);
        current_ = {};
    }
    ReadConsist current_;
};

template <typename Scan> ConsistCollector scanned(const std::string& xml) {
    ConsistCollector collector;
    Scan scan(collector);
    for (const std::string& line : splitXmlLines(xml)) {
        scan.scanLine(line);
    }
    return collector;
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

// The user consists and every scenario's consists as the editor's scans read them, against the
// plan: a consist without vehicles is opened but never closed, a nil driver leaves the service name
// empty. Among the vehicles named, one is nowhere in the assets and one has its path in other letter
// case.
TEST_F(GeneratedContent, ConsistFilesReadAsPlanned) {
    const ConsistPlan plan = planConsists(stock_, random_);
    std::set<std::string> exactIds, lowerIds;
    for (const Vehicle& v : stock_.vehicles) {
        exactIds.insert(blueprintId(v));
        lowerIds.insert(asciiLower(blueprintId(v)));
    }
    std::vector<std::string> nowhere;
    int otherCase = 0;
    const auto look = [&](const std::vector<ReadConsist>& consists) {
        for (const ReadConsist& consist : consists) {
            for (const auto& [blueprint, heading] : consist.vehicles) {
                if (!lowerIds.contains(asciiLower(blueprint))) {
                    nowhere.push_back(blueprint);
                } else {
                    otherCase += exactIds.contains(blueprint) ? 0 : 1;
                }
            }
        }
    };

    const std::string templatesXml = consistTemplatesXml(plan.userConsists, random_);
    ASSERT_TRUE(isConvertersOwnText(templatesXml));
    const ConsistCollector templates = scanned<UserConsistScan>(templatesXml);
    std::vector<ReadConsist> expected;
    for (const UserConsist& consist : plan.userConsists) {
        expected.push_back(planned(consist.name, consist.vehicles));
    }
    EXPECT_EQ(templates.closed, expected);
    EXPECT_GE(expected.size(), 3u);
    EXPECT_TRUE(std::ranges::any_of(expected, [](const ReadConsist& c) { return hasNonAscii(c.name); }));
    look(templates.closed);
    EXPECT_EQ(nowhere, (std::vector<std::string>{"RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml"}));

    nowhere.clear();
    int withoutVehicles = 0, withoutDriver = 0, nilDrivers = 0;
    bool nonAsciiService = false;
    for (const RoutePlan& route : plan.routes) {
        EXPECT_TRUE(isConvertersOwnText(routePropertiesXml(route, random_)));
        for (const ScenarioPlan& scenario : route.scenarios) {
            SCOPED_TRACE(route.folder + "/" + scenario.folder);
            EXPECT_TRUE(isConvertersOwnText(scenarioPropertiesXml(scenario, random_)));
            const std::string xml = scenarioXml(scenario, random_);
            ASSERT_TRUE(isConvertersOwnText(xml));
            const ConsistCollector consists = scanned<ScenarioConsistScan>(xml);
            for (std::size_t at = xml.find("<d:nil/>"); at != std::string::npos;
                 at = xml.find("<d:nil/>", at + 1)) {
                ++nilDrivers; // a driver is the only value that is ever nil
            }
            expected.clear();
            for (const Train& train : scenario.trains) {
                if (!train.vehicles.empty()) {
                    expected.push_back(planned(train.driven ? train.serviceName : "", train.vehicles));
                }
                withoutVehicles += train.vehicles.empty() ? 1 : 0;
                withoutDriver += train.driven ? 0 : 1;
                nonAsciiService = nonAsciiService || hasNonAscii(train.serviceName);
            }
            EXPECT_EQ(consists.opened, static_cast<int>(scenario.trains.size()));
            EXPECT_EQ(consists.closed, expected);
            look(consists.closed);
        }
    }
    EXPECT_EQ(nilDrivers, withoutDriver);
    EXPECT_TRUE(withoutVehicles > 0 && withoutDriver > 0 && otherCase > 0 && nonAsciiService);
    EXPECT_EQ(nowhere,
              (std::vector<std::string>{"RailVehicles\\Freight\\Hopper\\Fals\\Wagon\\fals_covered.xml"}));
}

} // namespace
} // namespace dovrel::sample
