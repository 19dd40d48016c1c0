// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesWorld.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/ScenarioWalk.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Entry;
using consisttest::record;
using consisttest::scenarioConsist;
using consisttest::scenarioFile;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using consisttest::World;
using testing::fileText;

using consisttest::kCatalogue;
using consisttest::kLoco;
using consisttest::kWagon;

// A unit is its provider's, product's and path's (letter case ignored); without its blueprint line an
// entry carries over the one before. A self-closing template is an empty consist, one with d:id 0 is
// not listed. Missing units are announced once each and written to notfound.txt.
TEST(UserConsistReader, ListsTemplatesWithTheUnitsFoundByProviderProductAndPath) {
    const std::vector<std::string> catalogue = {kCatalogue[0], kCatalogue[1],
                                                record("Zeta Hopper", kWagon, "Zeta", "Freight"), ""};
    const Entry zetaWagon{kWagon, "0", "900", "BlueprintID", "Zeta", "Freight"};
    const Entry zetaLoco{kLoco, "0", "900", "BlueprintID", "Zeta", "Freight"};
    World world;
    world.writeGameFile(userConsistFile(
        {userTemplate(R"(d:id="11")", "Coal", {{kLoco}, {kWagon, "1"}}),
         userTemplate(R"(d:id="12")", "Empty", {}), "\t\t<cConsistTemplate d:id=\"13\"/>\r\n",
         consisttest::hiddenUserTemplate("Hidden"),
         userTemplate(R"(d:id="1")", "Gone", {{"A\\x.xml"}, {"B\\y.xml"}}),
         userTemplate(R"(d:id="2")", "Units",
                      {{kLoco, "true"},
                       zetaWagon,
                       {kWagon, "0", "9", "blueprintid", "ACME", "PACK"},
                       zetaLoco,
                       {"RAILVEHICLES\\diesel\\CLASS 66\\Class66.XML"}}),
         userTemplate(R"(d:id="3" d:extra="x")", "Carried", {{kWagon}, {"", "1", "2", ""}})}));
    world.answer({MessageAnswer::OK}, 3);
    const auto read = world.readUser(catalogue);

    const ConsistListing& listing = read.result.listing;
    ASSERT_EQ(listing.rows(), (std::vector<ConsistRow>{{"11", "Coal"},
                                                       {"12", "Empty"},
                                                       {"13", "*"},
                                                       {"1", "Gone"},
                                                       {"2", "Units"},
                                                       {R"(3" d:extra="x)", "Carried"}}));
    EXPECT_EQ(listing.listedConsist(0), catalogue[0] + "|0:" + catalogue[1] + "|1");
    EXPECT_EQ(listing.listedConsist(1) + listing.listedConsist(2) + listing.listedConsist(3), "");
    EXPECT_EQ(listing.listedConsist(4),
              catalogue[0] + "|1:" + catalogue[2] + "|0:" + catalogue[1] + "|0:" + catalogue[0] + "|0");
    EXPECT_EQ(listing.listedConsist(5), catalogue[1] + "|0:" + catalogue[1] + "|0");
    EXPECT_EQ(read.observer.log,
              (std::vector<std::string>{"reset", "row 11\tCoal", "progress 11 Coal", "row 12\tEmpty",
                                        "progress 12 Empty", "row 13\t*", "progress 13 *", "row 1\tGone",
                                        "progress 1 Gone", "row 2\tUnits", "progress 2 Units",
                                        "row 3\" d:extra=\"x\tCarried", "progress 3\" d:extra=\"x Carried",
                                        "progress "}));
    EXPECT_EQ(world.convertedNames(), std::vector<std::string>{"temp.bin"});
    EXPECT_EQ(world.converter.deltaNamespace().value(), "urn:game:delta");
    ASSERT_EQ(world.messages.shown().size(), 3u);
    EXPECT_EQ(world.messages.shown()[1].text,
              "B\\y.xml\r\n\r\nConsist unit not found in game.\r\n\r\nIt will not be listed.");
    EXPECT_EQ(world.messages.shown()[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(fileText(world.services.notFoundFile()), "A\\x.xml\r\nB\\y.xml\r\n" + kLoco + "\r\n");
    // Two pumps per copy and conversion; one per line, per template and after writing notfound.txt.
    const std::string xml = fileText(world.gameFile());
    EXPECT_EQ(world.events.pumps(), 4 + std::count(xml.begin(), xml.end(), '\n') + 6 + 1);

    fs::remove(world.gameFile());
    EXPECT_EQ(world.readUser(kCatalogue).observer.log, (std::vector<std::string>{"reset", "progress "}));
    EXPECT_EQ(world.processes.runs().size(), 1u);
}

std::string binaryOf(const std::string& xml) {
    const serz::Result<std::string> bin = serz::convert(serz::Direction::XmlToBin, xml);
    EXPECT_TRUE(bin.ok()) << (bin.ok() ? "" : bin.error().message);
    return bin.ok() ? bin.value() : std::string();
}

// A ":" in a provider, product, folder or English name stays inside its unit: every unit is shown and
// loaded whole, by both readers. The converter run in memory lists the same as the program, and
// leaves no working files.
TEST(ConsistReaders, KeepEveryUnitWholeWhenItsRecordHoldsAColonWithEitherConverter) {
    const std::string colonPath = R"(RailVehicles\Class 9:1\loco.xml)";
    const std::vector<std::string> catalogue = {record("Class 66: Coal", kLoco, "Colon:Prov", "Pack:One"),
                                                record("Nine", colonPath), ""};
    const Entry colonLoco{.blueprint = kLoco, .provider = "Colon:Prov", .product = "Pack:One"};
    const std::vector<std::string> units = {catalogue[0] + "|0", catalogue[1] + "|1", catalogue[0] + "|0"};
    for (const ConverterMode mode : {ConverterMode::ChildProcess, ConverterMode::InProcess}) {
        World world(mode);
        world.writeGameFile(binaryOf(userConsistFile(
            {userTemplate(R"(d:id="1")", "Mixed", {colonLoco, {colonPath, "1"}, colonLoco, {"gone.xml"}})})));
        world.writeScenario("R", "S",
                            binaryOf(scenarioFile({scenarioConsist("7", {{colonPath, "1"}, colonLoco}, ""),
                                                   scenarioConsist("8", {{"lost.xml"}}, "")})));
        world.writeScenario("R", "T", "not a scenario in the binary form");
        world.answer({MessageAnswer::OK}, 2);
        const auto user = world.readUser(catalogue);
        const auto scenarios = world.readScenarios(catalogue);

        const std::vector<std::string>& listed = user.result.listing.listedUnits(0);
        EXPECT_EQ(listed, units);
        EXPECT_EQ(unitViewRows(listed), (std::vector<UnitViewRow>{{"1", "Class 66: Coal", "forward"},
                                                                  {"2", "Nine", "reversed"},
                                                                  {"3", "Class 66: Coal", "forward"}}));
        EXPECT_EQ(loadListedConsist("1\tMixed", listed, catalogue).units, units);
        EXPECT_EQ(scenarios.result.listing.rows(), (std::vector<ConsistRow>{{"7", "(unassigned)"}}));
        EXPECT_EQ(scenarios.result.listing.listedUnits(0), (std::vector<std::string>{units[1], units[0]}));
        // The script's dump still shows a listed consist as its units joined by ":".
        EXPECT_EQ(user.result.listing.listedConsist(0), units[0] + ":" + units[1] + ":" + units[2]);
        EXPECT_EQ(world.messages.texts(),
                  (std::vector<std::string>{
                      "gone.xml\r\n\r\nConsist unit not found in game.\r\n\r\nIt will not be listed.",
                      "ConsistID: 8\r\n\r\nUnit not found: lost.xml\r\n\r\nIt will not be listed."}));
        EXPECT_EQ(fs::exists(world.tempFile("temp.bin")) || fs::exists(world.tempFile("temp.xml")),
                  mode == ConverterMode::ChildProcess);
    }
}

// Past 5,001 every consist is listed, in file order, and without a closing message; a unit is found at
// its first record however far down the catalogue that stands.
TEST(ConsistReaders, ListEveryConsistPast5001InOrder) {
    constexpr std::size_t kConsists = 5003;
    std::vector<std::string> catalogue;
    for (std::size_t i = 0; i < 5002; ++i) {
        catalogue.push_back(record("Filler", "RailVehicles\\Filler\\" + std::to_string(i) + ".xml"));
    }
    catalogue.insert(catalogue.end(), {record("Class 66", kLoco), record("Class 66 again", kLoco), ""});
    World world;
    std::vector<std::string> templates, scenario, identifiers;
    for (std::size_t i = 0; i < kConsists; ++i) {
        identifiers.push_back(std::to_string(i));
        templates.push_back(userTemplate("d:id=\"" + identifiers.back() + "\"", "N", {{kLoco}}));
        scenario.push_back(scenarioConsist(identifiers.back(), {{kLoco}}, "S"));
    }
    scenario.push_back(scenarioConsist("gone", {{"gone.xml"}}, "S"));
    world.writeGameFile(userConsistFile(templates));
    world.writeScenario("R", "S", scenarioFile(scenario));
    world.answer({MessageAnswer::OK});
    const auto user = world.readUser(catalogue);
    const auto scenarios = world.readScenarios(catalogue);

    for (const ConsistReadResult* read : {&user.result, &scenarios.result}) {
        std::vector<std::string> listed;
        for (const ConsistRow& row : read->listing.rows()) {
            listed.push_back(row.identifier);
        }
        EXPECT_EQ(listed, identifiers);
        EXPECT_EQ(read->listing.listedConsist(kConsists - 1), catalogue[5002] + "|0");
    }
    EXPECT_EQ(world.messages.texts(),
              std::vector<std::string>{
                  "ConsistID: gone\r\n\r\nUnit not found: gone.xml\r\n\r\nIt will not be listed."});
}

// Scenarios are read in the walk's order (routes, then scenarios, by name; no link entered twice, no
// other file). Consists without vehicles, or with none found, get no row; a missing vehicle is announced.
TEST(ScenarioConsistReader, ListsTheConsistsOfEveryScenarioInWalkOrderAndAnnouncesMissingVehicles) {
    World world;
    const fs::path routes = world.routesFolder();
    const std::string empty = "\t\t<cConsist d:id=\"1\">\r\n\t\t\t<RailVehicles/>\r\n\t\t\t<Driver>\r\n"
                              "\t\t\t\t<d:nil/>\r\n\t\t\t</Driver>\r\n\t\t</cConsist>\r\n";
    const std::string ignored = scenarioFile({scenarioConsist("99", {{kLoco}}, "Ignored")});
    for (const auto& [file, xml] : std::vector<std::pair<std::string, std::string>>{
             {"b/Scenarios/s1/Scenario.bin",
              scenarioFile({scenarioConsist("30", {{kLoco, "1"}, {kWagon}}, "1A05 Mail")})},
             {"e/scenarios/s4/scenario.BIN",
              scenarioFile({empty, scenarioConsist("2", {{"gone.xml"}}, "X"),
                            scenarioConsist("5", {{"Kits\\Old\\oldwagon.xml"}, {kWagon}}, "Goods")})},
             {"A/Scenarios/s0/Scenario.bin",
              scenarioFile({scenarioConsist("10", {{kWagon}}, ""), scenarioConsist("20", {}, "Unused")})},
             {"A/Scenarios/bad|name/Scenario.bin", ignored},
             {"c/Scenarios/empty/Other.bin", ignored},
             {"d/NoScenariosHere/x/Scenario.bin", ignored},
             {"A/Scenarios/s3/Scenario.bin/nested", ignored},
             {"plainfile", ignored}}) {
        world.temp.write((routes / file).lexically_relative(world.temp.path()), xml);
    }
    fs::create_directory_symlink(routes / "A", routes / "linked");
    world.answer({MessageAnswer::OK}, 2);
    const auto read = world.readScenarios(kCatalogue);

    const ConsistListing& listing = read.result.listing;
    ASSERT_EQ(listing.rows(),
              (std::vector<ConsistRow>{{"10", "(unassigned)"}, {"30", "1A05 Mail"}, {"5", "Goods"}}));
    EXPECT_EQ(listing.listedConsist(1), kCatalogue[0] + "|1:" + kCatalogue[1] + "|0");
    EXPECT_EQ(listing.listedConsist(2), kCatalogue[1] + "|0");
    EXPECT_EQ(read.observer.log,
              (std::vector<std::string>{"reset", "busy", "row 10\t(unassigned)", "progress 10 (unassigned)",
                                        "row 30\t1A05 Mail", "progress 30 1A05 Mail", "row 5\tGoods",
                                        "progress 5 Goods", "idle", "progress "}));
    ASSERT_EQ(world.messages.shown().size(), 2u);
    EXPECT_EQ(world.messages.shown()[1].text,
              "ConsistID: 5\r\n\r\nUnit not found: oldwagon.xml\r\n\r\nIt will not be listed.");
    EXPECT_EQ(world.messages.shown()[1].icon, MessageIcon::Information);
    EXPECT_EQ(fileText(world.services.notFoundFile()), "gone.xml\r\nKits\\Old\\oldwagon.xml\r\n");
    // Per scenario: two pumps after the copy, two after the conversion; one per closed consist.
    EXPECT_EQ(world.events.pumps(), 3 * 4 + 6);
    EXPECT_TRUE(scenarioFilesInOrder(routes / "missing").empty());
}

// A file in the binary form whose one string of 1 MiB is repeated until the strings add up to more
// than the converter reads from one file (64 MiB).
std::string overlongStringsFile() {
    std::string bin("SERZ\0\0\1\0", 8);
    const auto number = [&bin](std::uint64_t value, int width) {
        for (int i = 0; i < width; ++i) {
            bin.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    const auto newString = [&](const std::string& text) {
        number(0xFFFF, 2);
        number(text.size(), 4);
        bin += text;
    };
    bin += "\xFF\x50";
    newString("cRecordSet");
    number(0, 8);
    bin += "\xFF\x56";
    newString("S");
    newString("cDeltaString");
    newString(std::string(std::size_t{1} << 20, 'a'));
    for (int i = 0; i < 70; ++i) {
        bin += '\x01'; // the scalar's cache slot, then its string again
        number(3, 2);
    }
    bin += "\xFF\x70";
    number(0, 2);
    return bin;
}

// Open, Save and Delete name what kept the game's file from being read: the Temp folder a file, the
// converter's output blocked, strings past the converter's limit; never an empty list without a
// word, "Consist not found" or "Could not read" the game's file. The game's file stays as it was.
TEST(ConsistFileReading, EachCommandNamesWhyTheGameFileCouldNotBeRead) {
    enum Cause { TempIsAFile, OutputBlocked, StringsPastTheLimit };
    // The bundled converter reads the game's file in memory: only what it cannot read stops it.
    for (const auto& [mode, cause] :
         std::vector<std::pair<ConverterMode, Cause>>{{ConverterMode::ChildProcess, TempIsAFile},
                                                      {ConverterMode::ChildProcess, OutputBlocked},
                                                      {ConverterMode::ChildProcess, StringsPastTheLimit},
                                                      {ConverterMode::InProcess, StringsPastTheLimit}}) {
        SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + " " + std::to_string(cause));
        World world(mode);
        const std::string before =
            cause == StringsPastTheLimit
                ? overlongStringsFile()
                : binaryOf(userConsistFile({userTemplate(R"(d:id="1")", "Alpha", {{kLoco}})}));
        world.writeGameFile(before);
        if (cause == TempIsAFile) {
            fs::remove_all(world.temp.programFolder() / "Temp");
            world.temp.write("program/Temp", "a file");
        } else if (cause == OutputBlocked) {
            // A folder that cannot be removed stands where the converter writes its XML.
            for (const char* xml : {"temp.xml", "tempc.xml"}) {
                world.temp.write("program/Temp/" + std::string(xml) + "/held", "x");
            }
        }
        world.answer({MessageAnswer::OK}, 3);
        const auto read = world.readUser(kCatalogue);
        const auto saved = world.save("Beta", {kCatalogue[0] + "|0"});
        const auto deleted = world.remove(ListedRow{0, "1\tAlpha"});

        const std::string game = world.gameFile().string();
        const auto copyFailure = [&](const char* working) {
            return "Operation aborted.\r\n\r\nCould not copy " + game + " to " +
                   world.tempFile(working).string() + ".\r\n\r\nNot a directory";
        };
        const std::string notConverted =
            "Operation aborted.\r\n\r\nCould not convert " + game + " to XML.\r\n\r\n" +
            (mode == ConverterMode::ChildProcess
                 ? "The converter " + (fs::path(DOVREL_BIN_DIR) / "serz").string() +
                       " ended with exit status 1."
                 : game + ": byte offset 1048829: names and strings add up to more than 64 MiB");
        const std::vector<std::string> expected =
            cause == TempIsAFile
                ? std::vector{copyFailure("temp.bin"), copyFailure("tempc.bin"), copyFailure("tempc.bin")}
                : std::vector(3, notConverted);
        EXPECT_EQ(world.messages.texts(), expected);
        EXPECT_EQ(read.result.listing.rowCount(), 0u);
        EXPECT_EQ(saved.result, SaveResult::NotRead);
        EXPECT_EQ(deleted.result, DeleteResult::NotRead);
        EXPECT_EQ(fileText(world.gameFile()), before);
    }
}

} // namespace
} // namespace dovrel
