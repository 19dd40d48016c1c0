#include "consistfiles/ScenarioConsistReader.h"
#include "ConsistFilesBench.h"
#include "consistfiles/ScenarioWalk.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::record;
using consisttest::RecordingReadObserver;
using consisttest::scenarioConsist;
using consisttest::scenarioFile;
using testing::fileText;

const std::string kLoco = R"(RailVehicles\Steam\4F\loco4f.xml)";
const std::string kVan = R"(RailVehicles\Freight\Van\van.xml)";
const std::vector<std::string> kCatalogue = {record("4F", kLoco), record("Van", kVan)};

struct Read {
    ConsistReadResult result;
    RecordingReadObserver observer;
};

Read readWith(Bench& bench) {
    Read read;
    read.result = ScenarioConsistReader(bench.services)
                      .readScenarioConsists(bench.routesFolder(), kCatalogue, read.observer);
    return read;
}

TEST(ScenarioConsistReader, ListsConsistsOfAllScenariosNumberedOnAcrossFiles) {
    Bench bench;
    bench.writeScenario("Northline", "s2",
                        scenarioFile({scenarioConsist("30", {{kLoco, "1"}, {kVan}}, "1A05 Mail")}));
    bench.writeScenario(
        "Northline", "S1",
        scenarioFile({scenarioConsist("10", {{kVan}}, ""), scenarioConsist("20", {}, "Unused")}));
    const Read read = readWith(bench);

    const ConsistListing& listing = read.result.listing;
    ASSERT_EQ(listing.rows(), (std::vector<ConsistRow>{{"10", "(unassigned)"}, {"30", "1A05 Mail"}}));
    EXPECT_EQ(listing.listedConsist(0), kCatalogue[1] + "|0");
    EXPECT_EQ(listing.listedConsist(1), kCatalogue[0] + "|1:" + kCatalogue[1] + "|0");
    EXPECT_EQ(read.observer.log,
              (std::vector<std::string>{"reset", "busy", "row 10\t(unassigned)", "progress 10 (unassigned)",
                                        "row 30\t1A05 Mail", "progress 30 1A05 Mail", "idle", "progress "}));
    EXPECT_TRUE(bench.messages.shown().empty());
    // Per scenario: two pumps after the copy, two after the conversion; one per closed consist.
    EXPECT_EQ(bench.events.pumps(), 2 * 4 + 3);
}

TEST(ScenarioConsistReader, AMissingVehicleIsAnnouncedAndItsConsistListedWithTheOthers) {
    Bench bench;
    bench.writeScenario("R", "S",
                        scenarioFile({scenarioConsist("5", {{"Kits\\Old\\oldwagon.xml"}, {kVan}}, "Goods")}));
    bench.answer(MessageAnswer::OK);
    const Read read = readWith(bench);

    EXPECT_EQ(read.result.listing.rows(), (std::vector<ConsistRow>{{"5", "Goods"}}));
    EXPECT_EQ(read.result.listing.listedConsist(0), kCatalogue[1] + "|0");
    ASSERT_EQ(bench.messages.shown().size(), 1u);
    EXPECT_EQ(bench.messages.shown()[0].text,
              "ConsistID: 5\r\n\r\nUnit not found: oldwagon.xml\r\n\r\nIt will not be listed.");
    EXPECT_EQ(bench.messages.shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(fileText(bench.services.notFoundFile()), "Kits\\Old\\oldwagon.xml\r\n");
}

TEST(ScenarioConsistReader, ConsistsWithoutVehiclesOrWithNoneFoundGetNoRow) {
    Bench bench;
    const std::string empty = "\t\t<cConsist d:id=\"1\">\r\n\t\t\t<RailVehicles/>\r\n\t\t\t<Driver>\r\n"
                              "\t\t\t\t<d:nil/>\r\n\t\t\t</Driver>\r\n\t\t</cConsist>\r\n";
    bench.writeScenario("R", "S",
                        scenarioFile({empty, scenarioConsist("2", {{"gone.xml"}}, "X"),
                                      scenarioConsist("3", {{kLoco}}, "Y")}));
    bench.answer(MessageAnswer::OK);
    const Read read = readWith(bench);
    EXPECT_EQ(read.result.listing.rows(), (std::vector<ConsistRow>{{"3", "Y"}}));
    EXPECT_EQ(read.result.listing.listedConsist(0), kCatalogue[0] + "|0");
    EXPECT_EQ(bench.messages.shown().size(), 1u);
}

TEST(ScenarioConsistReader, ListsAtMost5001ConsistsAndSaysSo) {
    for (const int consists : {5001, 5002}) {
        Bench bench;
        const std::string one = scenarioConsist("7", {{kLoco}}, "S");
        std::vector<std::string> all(static_cast<std::size_t>(consists), one);
        // A consist beyond the table without a known vehicle would not be listed anyway.
        all.push_back(scenarioConsist("8", {{"gone.xml"}}, "S"));
        bench.writeScenario("R", "S", scenarioFile(all));
        bench.answer(MessageAnswer::OK, consists - 5001);
        const Read read = readWith(bench);
        EXPECT_EQ(read.result.listing.rowCount(), 5001u);
        EXPECT_EQ(read.result.truncated, consists > 5001);
        EXPECT_TRUE(bench.messages.allAnswersUsed());
        if (consists > 5001) {
            EXPECT_EQ(bench.messages.shown().back().text, "Only the first 5001 consists are listed.");
        }
    }
}

TEST(ScenarioWalk, VisitsRoutesAndScenariosInListingOrderLeavingOutWhatItMust) {
    Bench bench;
    const fs::path routes = bench.routesFolder();
    for (const char* scenario :
         {"b/Scenarios/s1/Scenario.bin", "e/scenarios/s4/scenario.BIN", "A/Scenarios/s0/Scenario.bin",
          "A/Scenarios/bad|name/Scenario.bin", "c/Scenarios/empty/Other.bin",
          "d/NoScenariosHere/x/Scenario.bin", "A/Scenarios/s3/Scenario.bin/nested"}) {
        bench.temp.write((routes / scenario).lexically_relative(bench.temp.path()), "x");
    }
    bench.temp.write((routes / "plainfile").lexically_relative(bench.temp.path()), "x");
    // A link back to a route already walked is not entered a second time.
    fs::create_directory_symlink(routes / "A", routes / "linked");

    std::vector<std::string> found;
    for (const fs::path& file : scenarioFilesInOrder(routes)) {
        found.push_back(file.lexically_relative(routes).string());
    }
    EXPECT_EQ(found, (std::vector<std::string>{"A/Scenarios/s0/Scenario.bin", "b/Scenarios/s1/Scenario.bin",
                                               "e/scenarios/s4/scenario.BIN"}));
    EXPECT_TRUE(scenarioFilesInOrder(routes / "missing").empty());
}

} // namespace
} // namespace dovrel
