#include "consistfiles/UserConsistReader.h"
#include "ConsistFilesBench.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

using consisttest::Bench;
using consisttest::Entry;
using consisttest::record;
using consisttest::RecordingReadObserver;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

const std::string kLoco = R"(RailVehicles\Diesel\Class 66\class66.xml)";
const std::string kWagon = R"(RailVehicles\Freight\Hopper\hopper.xml)";
const std::vector<std::string> kCatalogue = {record("Class 66", kLoco), record("Hopper", kWagon), ""};

struct Read {
    ConsistReadResult result;
    RecordingReadObserver observer;
};

Read readWith(Bench& bench, const std::vector<std::string>& catalogue = kCatalogue) {
    Read read;
    read.result =
        UserConsistReader(bench.services).readUserConsists(bench.contentFolder(), catalogue, read.observer);
    return read;
}

// A run that finds every unit leaves notfound.txt as it was.
TEST(UserConsistReader, ListsEveryTemplateWithItsUnitsInOrder) {
    Bench bench;
    bench.temp.write("program/notfound.txt", "earlier\r\n");
    bench.writeGameFile(userConsistFile({userTemplate(R"(d:id="11")", "Coal", {{kLoco}, {kWagon, "1"}}),
                                         userTemplate(R"(d:id="12")", "Empty", {})}));
    const Read read = readWith(bench);

    const ConsistListing& listing = read.result.listing;
    ASSERT_EQ(listing.rows(), (std::vector<ConsistRow>{{"11", "Coal"}, {"12", "Empty"}}));
    EXPECT_EQ(listing.listedConsist(0), kCatalogue[0] + "|0:" + kCatalogue[1] + "|1");
    EXPECT_EQ(listing.listedConsist(1), "");
    EXPECT_EQ(read.observer.log,
              (std::vector<std::string>{"reset", "row 11\tCoal", "progress 11 Coal", "row 12\tEmpty",
                                        "progress 12 Empty", "progress "}));
    EXPECT_EQ(bench.convertedNames(), std::vector<std::string>{"temp.bin"});
    EXPECT_EQ(bench.converter.deltaNamespace().value(), "urn:game:delta");
    EXPECT_TRUE(bench.messages.shown().empty());
    EXPECT_EQ(fileText(bench.services.notFoundFile()), "earlier\r\n");
    // Two pumps after the copy, two after the conversion, one per line and one per template.
    const std::string xml = fileText(bench.gameFile());
    EXPECT_EQ(bench.events.pumps(), 4 + std::count(xml.begin(), xml.end(), '\n') + 2);
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
        Bench bench;
        bench.writeGameFile(userConsistFile({userTemplate(c.opening, "T", {c.entry})}));
        const Read read = readWith(bench);
        ASSERT_EQ(read.result.listing.rowCount(), 1u) << c.entry.blueprintLine();
        EXPECT_EQ(read.result.listing.rows()[0].identifier, c.identifier) << c.entry.blueprintLine();
        EXPECT_EQ(read.result.listing.listedConsist(0), kCatalogue[0] + "|" + c.heading)
            << c.entry.blueprintLine();
    }
}

TEST(UserConsistReader, MissingUnitsAreAnnouncedOnceEachAndWrittenToNotFound) {
    Bench bench;
    bench.writeGameFile(
        userConsistFile({userTemplate(R"(d:id="1")", "Gone", {{"A\\x.xml"}, {"B\\y.xml"}}),
                         userTemplate(R"(d:id="2")", "Here", {{kLoco}, {"A\\x.xml"}, {kWagon}})}));
    bench.answer(MessageAnswer::OK, 3);
    const Read read = readWith(bench);

    EXPECT_EQ(read.result.listing.rowCount(), 2u);
    EXPECT_EQ(read.result.listing.listedConsist(0), "");
    EXPECT_EQ(read.result.listing.listedConsist(1), kCatalogue[0] + "|0:" + kCatalogue[1] + "|0");
    ASSERT_EQ(bench.messages.shown().size(), 3u);
    EXPECT_EQ(bench.messages.shown()[1].text,
              "B\\y.xml\r\n\r\nConsist unit not found in game.\r\n\r\nIt will not be listed.");
    EXPECT_EQ(bench.messages.shown()[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(fileText(bench.services.notFoundFile()), "A\\x.xml\r\nB\\y.xml\r\nA\\x.xml\r\n");
}

TEST(UserConsistReader, AnEntryWithoutABlueprintLineReusesThePreviousOne) {
    Bench bench;
    bench.writeGameFile(userConsistFile({userTemplate(R"(d:id="1")", "A", {{kWagon}, {"", "1", "2", ""}})}));
    // Without its blueprint line the entry's Flipped line is not looked for either: both carry over.
    EXPECT_EQ(readWith(bench).result.listing.listedConsist(0), kCatalogue[1] + "|0:" + kCatalogue[1] + "|0");
}

TEST(UserConsistReader, NoFileOrAFailedConversionGivesAnEmptyListAndNeverAnEarlierOutput) {
    for (const bool fileExists : {false, true}) {
        Bench bench;
        if (fileExists) {
            bench.writeGameFile("corrupt");
        }
        bench.temp.write("program/Temp/temp.xml",
                         userConsistFile({userTemplate(R"(d:id="9")", "Stale", {{kLoco}})}));
        const Read read = readWith(bench);
        EXPECT_EQ(read.result.listing.rowCount(), 0u) << fileExists;
        EXPECT_EQ(read.observer.log, (std::vector<std::string>{"reset", "progress "}));
        EXPECT_EQ(bench.processes.runs().size(), fileExists ? 1u : 0u);
    }
}

TEST(UserConsistReader, FindsTheFileWhateverTheCaseOfItsName) {
    Bench bench;
    bench.temp.write("game/Content/consisttemplates.BIN",
                     userConsistFile({userTemplate(R"(d:id="1")", "A", {})}));
    EXPECT_EQ(readWith(bench).result.listing.rowCount(), 1u);
}

TEST(UserConsistReader, ListsAtMost5001ConsistsAndSaysSo) {
    for (const int templates : {5001, 5002}) {
        Bench bench;
        std::vector<std::string> elements;
        for (int i = 0; i < templates; ++i) {
            elements.push_back(userTemplate("d:id=\"" + std::to_string(i) + "\"", "N", {{kLoco}}));
        }
        bench.writeGameFile(userConsistFile(elements));
        bench.answer(MessageAnswer::OK, templates - 5001);
        const Read read = readWith(bench);
        EXPECT_EQ(read.result.listing.rowCount(), 5001u);
        EXPECT_EQ(read.result.listing.rows().back().identifier, "5000");
        EXPECT_EQ(read.result.listing.listedConsist(5000), kCatalogue[0] + "|0");
        EXPECT_EQ(read.result.truncated, templates > 5001);
        EXPECT_TRUE(bench.messages.allAnswersUsed());
        if (templates > 5001) {
            EXPECT_EQ(bench.messages.shown().back().text, "Only the first 5001 consists are listed.");
        }
    }
}

} // namespace
} // namespace dovrel
