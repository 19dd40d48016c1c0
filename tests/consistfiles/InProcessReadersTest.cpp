#include "ConsistFilesBench.h"
#include "consistfiles/ScenarioConsistReader.h"
#include "consistfiles/UserConsistReader.h"
#include "platform/SpawnProcessRunner.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::Bench;
using consisttest::Entry;
using consisttest::record;
using consisttest::RecordingReadObserver;
using consisttest::scenarioConsist;
using consisttest::scenarioFile;
using consisttest::userConsistFile;
using consisttest::userTemplate;
using testing::fileText;

const std::string kLoco = R"(RailVehicles\Steam\4F\loco4f.xml)";
const std::string kVan = R"(RailVehicles\Freight\Van\van.xml)";
const std::vector<std::string> kCatalogue = {record("4F", kLoco), record("Van", kVan)};

std::string binaryOf(const std::string& xml) {
    const serz::Result<std::string> bin = serz::convert(serz::Direction::XmlToBin, xml);
    EXPECT_TRUE(bin.ok()) << (bin.ok() ? "" : bin.error().message);
    return bin.ok() ? bin.value() : std::string();
}

// Everything a read shows and leaves behind.
struct ReadTrace {
    std::vector<ConsistRow> rows;
    std::vector<std::string> listed;
    std::vector<std::string> observed;
    std::vector<std::string> messages;
    std::string notFound;
    int lastConverterResult = 0;
    int pumps = 0;
    bool workingFilesLeft = false;
};

// Both readers on the same game files, the converter run as the serz program or in memory.
ReadTrace readBoth(ConverterMode mode) {
    Bench bench;
    bench.writeGameFile(binaryOf(
        userConsistFile({userTemplate("d:id=\"11\"", "Mixed",
                                      {Entry{kLoco}, Entry{"Kits\\Gone\\gone.xml"}, Entry{kVan, "1"}}),
                         userTemplate("d:id=\"12\"", "Vans", {Entry{kVan}})})));
    bench.writeScenario("Alpha", "One",
                        binaryOf(scenarioFile({scenarioConsist("1", {{kLoco, "1"}, {kVan}}, "1A05 Mail"),
                                               scenarioConsist("2", {{"lost.xml"}}, "")})));
    bench.writeScenario("Alpha", "Two", "not a scenario in the binary form");
    bench.writeScenario("Beta", "Three", binaryOf(scenarioFile({scenarioConsist("3", {{kVan}}, "")})));
    bench.writeScenario("Beta", "Zero", std::string("SERZ\0\0\1\0", 8));
    bench.answer(MessageAnswer::OK, 2);
    SpawnProcessRunner processes;
    ConverterRunner converter(bench.files, processes, fs::path(DOVREL_BIN_DIR) / "serz", false, mode);
    ConsistFileServices services{bench.files,    converter,     bench.events,
                                 bench.messages, bench.backups, bench.temp.programFolder()};
    RecordingReadObserver observer;

    ReadTrace trace;
    const auto take = [&](const ConsistReadResult& read) {
        trace.rows.insert(trace.rows.end(), read.listing.rows().begin(), read.listing.rows().end());
        for (std::size_t i = 0; i < read.listing.rowCount(); ++i) {
            trace.listed.push_back(read.listing.listedConsist(i));
        }
        trace.notFound += fileText(services.notFoundFile());
    };
    take(UserConsistReader(services).readUserConsists(bench.contentFolder(), kCatalogue, observer));
    take(ScenarioConsistReader(services).readScenarioConsists(bench.routesFolder(), kCatalogue, observer));
    trace.observed = observer.log;
    trace.messages = bench.messages.texts();
    trace.lastConverterResult = converter.lastConverterResult();
    trace.pumps = bench.events.pumps();
    trace.workingFilesLeft = fs::exists(bench.tempFile("temp.bin")) || fs::exists(bench.tempFile("temp.xml"));
    return trace;
}

TEST(ConsistReadersInProcess, ListAnnounceAndNoteExactlyWhatTheProgramGives) {
    const ReadTrace program = readBoth(ConverterMode::ChildProcess);
    const ReadTrace inProcess = readBoth(ConverterMode::InProcess);

    ASSERT_EQ(program.rows.size(), 4u);
    ASSERT_EQ(program.messages.size(), 2u);
    EXPECT_EQ(inProcess.rows, program.rows);
    EXPECT_EQ(inProcess.listed, program.listed);
    EXPECT_EQ(inProcess.observed, program.observed);
    EXPECT_EQ(inProcess.messages, program.messages);
    EXPECT_EQ(inProcess.notFound, program.notFound);
    EXPECT_EQ(program.lastConverterResult, 1) << "the last scenario does not convert";
    EXPECT_EQ(inProcess.lastConverterResult, program.lastConverterResult);
    EXPECT_EQ(inProcess.pumps, program.pumps);
    EXPECT_TRUE(program.workingFilesLeft);
    EXPECT_FALSE(inProcess.workingFilesLeft) << "reading in memory needs no working files";
}

} // namespace
} // namespace dovrel
