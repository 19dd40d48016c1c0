// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsistFilesBench.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/ScenarioWalk.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::Entry;
using consisttest::record;
using consisttest::scenarioConsist;
using consisttest::scenarioFile;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

const std::string kLoco = R"(RailVehicles\Diesel\Class 66\class66.xml)";
const std::string kWagon = R"(RailVehicles\Freight\Hopper\hopper.xml)";
const std::vector<std::string> kCatalogue = {record("Class 66", kLoco), record("Hopper", kWagon), ""};

// Missing units are announced once each and written to notfound.txt; without a file the list is empty.
TEST(UserConsistReader, ListsEveryTemplateWithItsUnitsInOrderAndAnnouncesMissingUnits) {
    Bench bench;
    bench.writeGameFile(
        userConsistFile({userTemplate(R"(d:id="11")", "Coal", {{kLoco}, {kWagon, "1"}}),
                         userTemplate(R"(d:id="12")", "Empty", {}),
                         userTemplate(R"(d:id="1")", "Gone", {{"A\\x.xml"}, {"B\\y.xml"}}),
                         userTemplate(R"(d:id="2")", "Here", {{kLoco}, {"A\\x.xml"}, {kWagon}}),
                         // Without its blueprint line an entry's Flipped line is not looked for
                         // either: both carry over from the entry before.
                         userTemplate(R"(d:id="3")", "Carried", {{kWagon}, {"", "1", "2", ""}})}));
    bench.answer({MessageAnswer::OK}, 3);
    const auto read = bench.readUser(kCatalogue);

    const ConsistListing& listing = read.result.listing;
    ASSERT_EQ(listing.rows(),
              (std::vector<ConsistRow>{
                  {"11", "Coal"}, {"12", "Empty"}, {"1", "Gone"}, {"2", "Here"}, {"3", "Carried"}}));
    EXPECT_EQ(listing.listedConsist(0), kCatalogue[0] + "|0:" + kCatalogue[1] + "|1");
    EXPECT_EQ(listing.listedConsist(1) + listing.listedConsist(2), "");
    EXPECT_EQ(listing.listedConsist(3), kCatalogue[0] + "|0:" + kCatalogue[1] + "|0");
    EXPECT_EQ(listing.listedConsist(4), kCatalogue[1] + "|0:" + kCatalogue[1] + "|0");
    EXPECT_EQ(
        read.observer.log,
        (std::vector<std::string>{"reset", "row 11\tCoal", "progress 11 Coal", "row 12\tEmpty",
                                  "progress 12 Empty", "row 1\tGone", "progress 1 Gone", "row 2\tHere",
                                  "progress 2 Here", "row 3\tCarried", "progress 3 Carried", "progress "}));
    EXPECT_EQ(bench.convertedNames(), std::vector<std::string>{"temp.bin"});
    EXPECT_EQ(bench.converter.deltaNamespace().value(), "urn:game:delta");
    ASSERT_EQ(bench.messages.shown().size(), 3u);
    EXPECT_EQ(bench.messages.shown()[1].text,
              "B\\y.xml\r\n\r\nConsist unit not found in game.\r\n\r\nIt will not be listed.");
    EXPECT_EQ(bench.messages.shown()[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(fileText(bench.services.notFoundFile()), "A\\x.xml\r\nB\\y.xml\r\nA\\x.xml\r\n");
    // Two pumps per copy and conversion; one per line, per template and after writing notfound.txt.
    const std::string xml = fileText(bench.gameFile());
    EXPECT_EQ(bench.events.pumps(), 4 + std::count(xml.begin(), xml.end(), '\n') + 5 + 1);

    fs::remove(bench.gameFile());
    const auto none = bench.readUser(kCatalogue);
    EXPECT_EQ(none.observer.log, (std::vector<std::string>{"reset", "progress "}));
    EXPECT_EQ(bench.processes.runs().size(), 1u);
}

// A unit is its provider's, product's and path's (letter case ignored): one that only another
// provider has is not found. A self-closing template is an empty consist of its own, and one with
// d:id 0 (no attribute) is not listed.
TEST(UserConsistReader, FindsUnitsByProviderProductAndPathAndListsSelfClosingTemplates) {
    const std::vector<std::string> catalogue = {record("Ok Hopper", kWagon, "Ok", "Freight"),
                                                record("Zeta Hopper", kWagon, "Zeta", "Freight"),
                                                record("Ok Loco", kLoco, "Ok", "Diesel"), ""};
    const auto entry = [](const std::string& blueprint, const char* provider, const char* product) {
        Entry unit{blueprint};
        unit.provider = provider;
        unit.product = product;
        return unit;
    };
    Bench bench;
    bench.writeGameFile(
        userConsistFile({userTemplate(R"(d:id="1")", "Mixed",
                                      {entry(kWagon, "Zeta", "Freight"), entry(kWagon, "OK", "FREIGHT"),
                                       entry(kLoco, "Zeta", "Diesel"), entry(kLoco, "Ok", "Coal &amp; Ore")}),
                         "\t\t<cConsistTemplate d:id=\"13\"/>\r\n", consisttest::hiddenUserTemplate("Hidden"),
                         userTemplate(R"(d:id="2")", "After", {entry(kLoco, "Ok", "Diesel")})}));
    bench.answer({MessageAnswer::OK}, 2);
    const auto read = bench.readUser(catalogue);

    const ConsistListing& listing = read.result.listing;
    EXPECT_EQ(listing.rows(), (std::vector<ConsistRow>{{"1", "Mixed"}, {"13", "*"}, {"2", "After"}}));
    EXPECT_EQ(listing.listedConsist(0), catalogue[1] + "|0:" + catalogue[0] + "|0");
    EXPECT_EQ(listing.listedConsist(1), "");
    EXPECT_EQ(listing.listedConsist(2), catalogue[2] + "|0");
    EXPECT_EQ(fileText(bench.services.notFoundFile()), kLoco + "\r\n" + kLoco + "\r\n");
}

TEST(UserConsistReader, LineRulesFindTheUnitAndItsHeading) {
    const struct {
        const char* opening;
        Entry entry;
        const char* identifier;
        const char* heading;
    } cases[] = {
        {R"(d:id="5")", {kLoco, "0"}, "5", "0"},
        {R"(d:id="5")", {kLoco, "1"}, "5", "1"},
        {R"(d:id="5")", {kLoco, "true"}, "5", "1"},
        {R"(d:id="5")", {"RAILVEHICLES\\diesel\\CLASS 66\\Class66.XML"}, "5", "0"},
        {R"(d:id="5")", {kLoco, "0", "1", "blueprintid"}, "5", "0"},
        {R"(d:id="5" d:extra="x")", {kLoco, "1"}, R"(5" d:extra="x)", "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.blueprintLine());
        Bench bench;
        bench.writeGameFile(userConsistFile({userTemplate(c.opening, "T", {c.entry})}));
        bench.temp.write("program/notfound.txt", "earlier\r\n");
        const auto read = bench.readUser(kCatalogue);
        EXPECT_EQ(fileText(bench.services.notFoundFile()), "earlier\r\n") << "every unit was found";
        ASSERT_EQ(read.result.listing.rowCount(), 1u);
        EXPECT_EQ(read.result.listing.rows()[0].identifier, c.identifier);
        EXPECT_EQ(read.result.listing.listedConsist(0), kCatalogue[0] + "|" + c.heading);
    }
}

// A ":" in a provider, product, folder or English name stays inside its unit: every unit is shown and
// loaded whole, by both readers.
TEST(ConsistReaders, KeepEveryUnitWholeWhenItsRecordHoldsAColon) {
    const std::string colonPath = R"(RailVehicles\Class 9:1\loco.xml)";
    const std::vector<std::string> catalogue = {record("Class 66: Coal", kLoco, "Colon:Prov", "Pack:One"),
                                                record("Nine", colonPath), ""};
    const Entry colonLoco{.blueprint = kLoco, .provider = "Colon:Prov", .product = "Pack:One"};
    Bench bench;
    bench.writeGameFile(
        userConsistFile({userTemplate(R"(d:id="1")", "Mixed", {colonLoco, {colonPath, "1"}, colonLoco})}));
    bench.writeScenario("R", "S",
                        scenarioFile({scenarioConsist("7", {{colonPath, "1"}, colonLoco}, "Mail")}));
    const auto user = bench.readUser(catalogue);
    const auto scenarios = bench.readScenarios(catalogue);

    const std::vector<std::string> units = {catalogue[0] + "|0", catalogue[1] + "|1", catalogue[0] + "|0"};
    const std::vector<std::string>& listed = user.result.listing.listedUnits(0);
    EXPECT_EQ(listed, units);
    EXPECT_EQ(unitViewRows(listed), (std::vector<UnitViewRow>{{"1", "Class 66: Coal", "forward"},
                                                              {"2", "Nine", "reversed"},
                                                              {"3", "Class 66: Coal", "forward"}}));
    EXPECT_EQ(loadListedConsist("1\tMixed", listed, catalogue).units, units);
    EXPECT_EQ(scenarios.result.listing.listedUnits(0), (std::vector<std::string>{units[1], units[0]}));
    // The script's dump still shows a listed consist as its units joined by ":".
    EXPECT_EQ(user.result.listing.listedConsist(0), units[0] + ":" + units[1] + ":" + units[2]);
}

// Past 5,001 every consist is listed, in file order, and without a closing message; a unit is found at
// its first record however far down the catalogue that stands.
TEST(ConsistReaders, ListEveryConsistPast5001InOrder) {
    constexpr std::size_t kConsists = 5003;
    std::vector<std::string> catalogue;
    for (std::size_t i = 0; i < 5002; ++i) {
        catalogue.push_back(record("Filler", "RailVehicles\\Filler\\" + std::to_string(i) + ".xml"));
    }
    catalogue.push_back(record("Class 66", kLoco));
    catalogue.push_back(record("Class 66 again", kLoco));
    catalogue.push_back("");
    Bench bench;
    std::vector<std::string> templates;
    std::vector<std::string> scenario;
    std::vector<std::string> identifiers;
    for (std::size_t i = 0; i < kConsists; ++i) {
        identifiers.push_back(std::to_string(i));
        templates.push_back(userTemplate("d:id=\"" + identifiers.back() + "\"", "N", {{kLoco}}));
        scenario.push_back(scenarioConsist(identifiers.back(), {{kLoco}}, "S"));
    }
    scenario.push_back(scenarioConsist("gone", {{"gone.xml"}}, "S"));
    bench.writeGameFile(userConsistFile(templates));
    bench.writeScenario("R", "S", scenarioFile(scenario));
    bench.answer({MessageAnswer::OK});
    const auto user = bench.readUser(catalogue);
    const auto scenarios = bench.readScenarios(catalogue);

    for (const ConsistReadResult* read : {&user.result, &scenarios.result}) {
        std::vector<std::string> listed;
        for (const ConsistRow& row : read->listing.rows()) {
            listed.push_back(row.identifier);
        }
        EXPECT_EQ(listed, identifiers);
        EXPECT_EQ(read->listing.listedConsist(kConsists - 1), catalogue[5002] + "|0");
    }
    EXPECT_EQ(bench.messages.texts(),
              std::vector<std::string>{
                  "ConsistID: gone\r\n\r\nUnit not found: gone.xml\r\n\r\nIt will not be listed."});
}

// Consists without vehicles, or with none found, get no row; a missing vehicle is announced.
TEST(ScenarioConsistReader, ListsConsistsOfAllScenariosNumberedOnAcrossFilesAndAnnouncesMissingVehicles) {
    Bench bench;
    bench.writeScenario("Northline", "s2",
                        scenarioFile({scenarioConsist("30", {{kLoco, "1"}, {kWagon}}, "1A05 Mail")}));
    bench.writeScenario(
        "Northline", "S1",
        scenarioFile({scenarioConsist("10", {{kWagon}}, ""), scenarioConsist("20", {}, "Unused")}));
    const std::string empty = "\t\t<cConsist d:id=\"1\">\r\n\t\t\t<RailVehicles/>\r\n\t\t\t<Driver>\r\n"
                              "\t\t\t\t<d:nil/>\r\n\t\t\t</Driver>\r\n\t\t</cConsist>\r\n";
    bench.writeScenario(
        "Southline", "S3",
        scenarioFile({empty, scenarioConsist("2", {{"gone.xml"}}, "X"),
                      scenarioConsist("5", {{"Kits\\Old\\oldwagon.xml"}, {kWagon}}, "Goods")}));
    bench.answer({MessageAnswer::OK}, 2);
    const auto read = bench.readScenarios(kCatalogue);

    const ConsistListing& listing = read.result.listing;
    ASSERT_EQ(listing.rows(),
              (std::vector<ConsistRow>{{"10", "(unassigned)"}, {"30", "1A05 Mail"}, {"5", "Goods"}}));
    EXPECT_EQ(listing.listedConsist(0), kCatalogue[1] + "|0");
    EXPECT_EQ(listing.listedConsist(1), kCatalogue[0] + "|1:" + kCatalogue[1] + "|0");
    EXPECT_EQ(listing.listedConsist(2), kCatalogue[1] + "|0");
    EXPECT_EQ(read.observer.log,
              (std::vector<std::string>{"reset", "busy", "row 10\t(unassigned)", "progress 10 (unassigned)",
                                        "row 30\t1A05 Mail", "progress 30 1A05 Mail", "row 5\tGoods",
                                        "progress 5 Goods", "idle", "progress "}));
    ASSERT_EQ(bench.messages.shown().size(), 2u);
    EXPECT_EQ(bench.messages.shown()[1].text,
              "ConsistID: 5\r\n\r\nUnit not found: oldwagon.xml\r\n\r\nIt will not be listed.");
    EXPECT_EQ(bench.messages.shown()[1].icon, MessageIcon::Information);
    EXPECT_EQ(fileText(bench.services.notFoundFile()), "gone.xml\r\nKits\\Old\\oldwagon.xml\r\n");
    // Per scenario: two pumps after the copy, two after the conversion; one per closed consist.
    EXPECT_EQ(bench.events.pumps(), 3 * 4 + 6);
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

std::string binaryOf(const std::string& xml) {
    const serz::Result<std::string> bin = serz::convert(serz::Direction::XmlToBin, xml);
    EXPECT_TRUE(bin.ok()) << (bin.ok() ? "" : bin.error().message);
    return bin.ok() ? bin.value() : std::string();
}

// Everything both readers show and leave behind, the converter run as the serz program or in memory;
// and whether working files were left.
std::pair<std::vector<std::string>, bool> readBoth(ConverterMode mode) {
    Bench bench(mode);
    bench.writeGameFile(binaryOf(
        userConsistFile({userTemplate("d:id=\"11\"", "Mixed",
                                      {Entry{kLoco}, Entry{"Kits\\Gone\\gone.xml"}, Entry{kWagon, "1"}}),
                         userTemplate("d:id=\"12\"", "Vans", {Entry{kWagon}})})));
    bench.writeScenario("Alpha", "One",
                        binaryOf(scenarioFile({scenarioConsist("1", {{kLoco, "1"}, {kWagon}}, "1A05 Mail"),
                                               scenarioConsist("2", {{"lost.xml"}}, "")})));
    bench.writeScenario("Alpha", "Two", "not a scenario in the binary form");
    bench.writeScenario("Beta", "Three", binaryOf(scenarioFile({scenarioConsist("3", {{kWagon}}, "")})));
    bench.writeScenario("Beta", "Zero", std::string("SERZ\0\0\1\0", 8));
    bench.answer({MessageAnswer::OK}, 2);

    std::vector<std::string> trace;
    const auto take = [&](const consisttest::Outcome<ConsistReadResult>& read) {
        for (std::size_t i = 0; i < read.result.listing.rowCount(); ++i) {
            trace.push_back(read.result.listing.rows()[i].text() + " = " +
                            read.result.listing.listedConsist(i));
        }
        trace.insert(trace.end(), read.observer.log.begin(), read.observer.log.end());
        trace.push_back("notfound.txt: " + fileText(bench.services.notFoundFile()));
    };
    take(bench.readUser(kCatalogue));
    take(bench.readScenarios(kCatalogue));
    const std::vector<std::string> messages = bench.messages.texts();
    trace.insert(trace.end(), messages.begin(), messages.end());
    trace.push_back("last converter result " + std::to_string(bench.converter.lastConverterResult()));
    trace.push_back("pumps " + std::to_string(bench.events.pumps()));
    return {trace, fs::exists(bench.tempFile("temp.bin")) || fs::exists(bench.tempFile("temp.xml"))};
}

TEST(ConsistReadersInProcess, ListAnnounceAndNoteExactlyWhatTheProgramGives) {
    const auto [program, workingFilesLeft] = readBoth(ConverterMode::ChildProcess);
    const auto [inProcess, workingFilesLeftInProcess] = readBoth(ConverterMode::InProcess);

    ASSERT_EQ(program.size(), 24u) << "4 rows, 2 messages among them";
    EXPECT_EQ(program[program.size() - 2], "last converter result 1") << "the last scenario does not convert";
    EXPECT_EQ(inProcess, program);
    EXPECT_TRUE(workingFilesLeft);
    EXPECT_FALSE(workingFilesLeftInProcess) << "reading in memory needs no working files";
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
    const std::pair<ConverterMode, Cause> cases[] = {{ConverterMode::ChildProcess, TempIsAFile},
                                                     {ConverterMode::ChildProcess, OutputBlocked},
                                                     {ConverterMode::ChildProcess, StringsPastTheLimit},
                                                     {ConverterMode::InProcess, StringsPastTheLimit}};
    for (const auto& [mode, cause] : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(mode)) + " " + std::to_string(cause));
        Bench bench(mode);
        const std::string before =
            cause == StringsPastTheLimit
                ? overlongStringsFile()
                : binaryOf(userConsistFile({userTemplate(R"(d:id="1")", "Alpha", {{kLoco}})}));
        bench.writeGameFile(before);
        if (cause == TempIsAFile) {
            fs::remove_all(bench.temp.programFolder() / "Temp");
            bench.temp.write("program/Temp", "a file");
        } else if (cause == OutputBlocked) {
            // A folder that cannot be removed stands where the converter writes its XML.
            for (const char* xml : {"temp.xml", "tempc.xml"}) {
                bench.temp.write("program/Temp/" + std::string(xml) + "/held", "x");
            }
        }
        bench.answer({MessageAnswer::OK}, 3);
        const auto read = bench.readUser(kCatalogue);
        const auto saved = bench.save("Beta", {kCatalogue[0] + "|0"});
        const auto deleted = bench.remove(ListedRow{0, "1\tAlpha"});

        const std::string game = bench.gameFile().string();
        const auto copyFailure = [&](const char* working) {
            return "Operation aborted.\r\n\r\nCould not copy " + game + " to " +
                   bench.tempFile(working).string() + ".\r\n\r\nNot a directory";
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
        EXPECT_EQ(bench.messages.texts(), expected);
        EXPECT_EQ(read.result.listing.rowCount(), 0u);
        EXPECT_EQ(saved.result, SaveResult::NotRead);
        EXPECT_EQ(deleted.result, DeleteResult::NotRead);
        EXPECT_EQ(fileText(bench.gameFile()), before);
    }
}

} // namespace
} // namespace dovrel
