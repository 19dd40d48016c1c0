// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioIndex.h"
#include "RandomScenarios.h"
#include "consistfiles/CompactValues.h"
#include "consistfiles/ScenarioFindings.h"
#include "consistfiles/ScenarioFindingsText.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::below, consisttest::kCatalogue, consisttest::kLoco, consisttest::kWagon;
using consisttest::Entry, consisttest::record, consisttest::scenarioConsist, consisttest::scenarioFile,
    consisttest::World;

// A scenario whose first consist always lists a row, so a scenario that fails to convert lists less
// than one that converts.
std::string randomScenarioBin(std::mt19937& random) {
    return consisttest::randomScenarioBin(random, below(random, 5) + 1, true);
}

// What a read shows: the window's calls, the messages it showed, rows, every listed slot (the one
// past the rows too), missing units, the converter's result and the delta namespace.
using ReadSeen = std::tuple<std::vector<std::string>, std::vector<std::string>, std::vector<ConsistRow>,
                            std::vector<std::string>, std::string, int, std::string>;

ReadSeen readScenarios(World& world, const std::vector<std::string>& catalogue) {
    const std::size_t messagesBefore = world.messages.shown().size();
    world.answer({MessageAnswer::OK}, 5000);
    const auto read = world.readScenarios(catalogue);
    const std::vector<std::string> messages = world.messages.texts();
    std::vector<std::string> listed;
    for (std::size_t slot = 0; slot <= read.result.listing.rowCount(); ++slot) {
        listed.push_back(read.result.listing.listedConsist(slot));
    }
    return {read.observer.log,
            std::vector<std::string>(messages.begin() + static_cast<std::ptrdiff_t>(messagesBefore),
                                     messages.end()),
            read.result.listing.rows(),
            listed,
            read.result.missingUnits,
            world.converter.lastConverterResult(),
            world.converter.deltaNamespace().value()};
}

// A read of these files in an installation without a scenario index.
ReadSeen coldRead(const std::map<std::string, std::string>& scenarios,
                  const std::vector<std::string>& catalogue) {
    World world(ConverterMode::InProcess);
    for (const auto& [name, bin] : scenarios) {
        world.writeScenario(name.substr(0, 2), name.substr(2), bin);
    }
    return readScenarios(world, catalogue);
}

fs::path scenarioPath(const World& world, const std::string& name) {
    return world.routesFolder() / name.substr(0, 2) / "Scenarios" / name.substr(2) / "Scenario.bin";
}

// Writes a scenario whose last change lies the given time back.
void writeScenarioAged(const World& world, const std::string& name, const std::string& bin,
                       std::chrono::seconds age) {
    world.writeScenario(name.substr(0, 2), name.substr(2), bin);
    fs::last_write_time(scenarioPath(world, name), fs::file_time_type::clock::now() - age);
}

// Puts bytes of the file's size that convert to nothing in its place and gives it back its stamp:
// only a read that takes it from the index still lists it.
std::string overwriteKeepingStamp(const World& world, const std::string& name) {
    const fs::path file = scenarioPath(world, name);
    const fs::file_time_type modified = fs::last_write_time(file);
    const std::string garbage(fs::file_size(file), 'x');
    world.writeScenario(name.substr(0, 2), name.substr(2), garbage);
    fs::last_write_time(file, modified);
    return garbage;
}

enum class Change { None, ChangedFiles, RemovedFile, NewFile, Catalogue, DamagedIndex, FreshFiles };

struct IndexCase {
    const char* name;
    Change change;
    // Whether the second read must take the untouched scenarios from the index, or convert them.
    bool indexTrusted;
};

// A second read lists, says and leaves exactly what a read without the index lists, says and leaves
// (the same files, the same messages, in the same order); the index serves it the untouched scenarios
// unless the catalogue changed, the index was damaged, or the files changed too lately to be trusted.
class SecondScenarioRead : public ::testing::TestWithParam<IndexCase> {};

TEST_P(SecondScenarioRead, ShowsWhatAReadWithoutTheIndexShows) {
    const IndexCase& c = GetParam();
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        World world(ConverterMode::InProcess);
        const auto age = std::chrono::seconds(c.change == Change::FreshFiles ? 0 : 3600);
        std::map<std::string, std::string> real;
        for (int s = below(random, 4) + 3; s > 0; --s) {
            const std::string name = "R" + std::to_string(below(random, 3)) + "S" + std::to_string(s);
            real[name] = randomScenarioBin(random);
            writeScenarioAged(world, name, real[name], age);
        }
        readScenarios(world, kCatalogue);
        const fs::path indexFile = world.temp.programFolder() / std::string(kScenarioIndexName);
        ASSERT_TRUE(fs::exists(indexFile));

        std::vector<std::string> catalogue = kCatalogue;
        std::map<std::string, std::string> onDisk = real;
        std::set<std::string> touched;
        switch (c.change) {
        case Change::ChangedFiles:
            for (const auto& [name, bin] : real) {
                if (below(random, 2) == 0) {
                    touched.insert(name);
                }
            }
            break;
        case Change::RemovedFile:
            fs::remove_all(scenarioPath(world, real.begin()->first).parent_path());
            real.erase(real.begin());
            onDisk = real;
            break;
        case Change::NewFile:
            touched.insert("R9S1");
            break;
        case Change::Catalogue:
            catalogue.insert(catalogue.begin(), record("Old Wagon", R"(Kits\Old\oldwagon.xml)"));
            break;
        case Change::DamagedIndex: {
            std::string text = testing::fileText(indexFile);
            const auto at = static_cast<std::size_t>(random() % text.size());
            if (seed % 2 == 0) {
                text.resize(at);
            } else {
                text[at] = static_cast<char>(text[at] ^ 0x20);
            }
            world.temp.write(indexFile.lexically_relative(world.temp.path()), text);
            break;
        }
        case Change::None:
        case Change::FreshFiles:
            break;
        }
        for (const std::string& name : touched) {
            real[name] = onDisk[name] = randomScenarioBin(random);
            writeScenarioAged(world, name, real[name], std::chrono::seconds(1800));
        }
        for (auto& [name, bin] : onDisk) {
            if (!touched.contains(name)) {
                bin = overwriteKeepingStamp(world, name);
            }
        }
        const std::string indexBefore = testing::fileText(indexFile);

        EXPECT_EQ(readScenarios(world, catalogue), coldRead(c.indexTrusted ? real : onDisk, catalogue));
        if (c.change == Change::DamagedIndex) {
            EXPECT_NE(testing::fileText(indexFile), indexBefore);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecondScenarioRead,
    ::testing::Values(IndexCase{"Unchanged", Change::None, true},
                      IndexCase{"SomeFilesChanged", Change::ChangedFiles, true},
                      IndexCase{"AFileRemoved", Change::RemovedFile, true},
                      IndexCase{"AFileAdded", Change::NewFile, true},
                      IndexCase{"CatalogueChanged", Change::Catalogue, false},
                      IndexCase{"IndexDamaged", Change::DamagedIndex, false},
                      IndexCase{"FilesChangedJustBeforeTheRead", Change::FreshFiles, false}),
    [](const ::testing::TestParamInfo<IndexCase>& info) { return std::string(info.param.name); });

// A scenario that fails to convert is not remembered, so it fails the same way next time; one that
// converted is.
TEST(ScenarioIndex, RemembersOnlyTheScenariosThatConverted) {
    World world(ConverterMode::InProcess);
    std::mt19937 random(7);
    const std::string good = randomScenarioBin(random);
    writeScenarioAged(world, "R1Good", good, std::chrono::hours(1));
    writeScenarioAged(world, "R1Torn", good.substr(0, good.size() / 2), std::chrono::hours(1));
    readScenarios(world, kCatalogue);

    ScenarioIndex index = ScenarioIndex::fromText(
        testing::fileText(world.temp.programFolder() / std::string(kScenarioIndexName)),
        catalogueDigest(kCatalogue), 0);
    for (const auto& [name, remembered] : {std::pair{"R1Good", true}, std::pair{"R1Torn", false}}) {
        const fs::path file = scenarioPath(world, name);
        EXPECT_EQ(index.take(file, *scenarioStamp(file)).has_value(), remembered) << name;
    }
}

// Every consist, listed or not, names the scenario it was read from, whether the scenario was
// converted or listed from the index.
TEST(ScenarioIndex, EveryConsistNamesItsScenarioFile) {
    World world(ConverterMode::InProcess);
    const std::map<std::string, std::string> consistsOf = {{"R1A", "11"}, {"R1B", "12"}, {"R2A", "21"}};
    for (const auto& [name, identifier] : consistsOf) {
        const serz::Result<std::string> bin =
            serz::convert(serz::Direction::XmlToBin,
                          scenarioFile({scenarioConsist(identifier, {{kLoco, "0"}}, "Goods"),
                                        scenarioConsist(identifier + "0", {{"gone.xml", "1"}}, "")}));
        ASSERT_TRUE(bin.ok());
        writeScenarioAged(world, name, bin.value(), std::chrono::hours(1));
    }
    for (const char* read : {"converted", "from the index"}) {
        world.answer({MessageAnswer::OK}, 3);
        const ConsistReadResult result = world.readScenarios(kCatalogue).result;
        ASSERT_EQ(result.origins.size(), 6u) << read;
        for (const ConsistOrigin& origin : result.origins) {
            const auto [name, identifier] =
                *std::find_if(consistsOf.begin(), consistsOf.end(),
                              [&](const auto& c) { return origin.row.identifier.starts_with(c.second); });
            EXPECT_EQ(result.sources.at(origin.source), scenarioPath(world, name))
                << read << " " << identifier;
        }
    }
}

// An index of three scenarios, noted long before a read at second 100,000.
ScenarioIndex threeScenarioIndex() {
    constexpr long long kSecond = 1000000000LL;
    ScenarioIndex index(catalogueDigest(kCatalogue), 100000 * kSecond);
    for (int s = 0; s < 3; ++s) {
        ScenarioFindings findings;
        findings.consistOpened("5" + std::to_string(s));
        findings.vehicleClosed("5" + std::to_string(s), kLoco, "1");
        findings.consistClosed("5" + std::to_string(s), s == 1 ? "" : "1A05 Mail");
        index.note(
            "/game/R" + std::to_string(s) + "/Scenario.bin",
            {FileStamp{1000 + s, (50000 + s) * kSecond}, "<cRecordSet xmlns:d=\"x\">", findings.takeText()});
    }
    return index;
}

// Every cut, and every changed byte, of an index's file leaves it empty: each scenario is converted
// again rather than listed from a damaged index. So does an index of the earlier layout.
TEST(ScenarioIndex, IsEmptyForAFileCutOrChangedAnywhere) {
    const std::string text = threeScenarioIndex().text();
    const std::uint64_t catalogue = catalogueDigest(kCatalogue);
    ASSERT_EQ(ScenarioIndex::fromText(text, catalogue, 0).size(), 3u);
    for (std::size_t at = 0; at < text.size(); ++at) {
        EXPECT_EQ(ScenarioIndex::fromText(text.substr(0, at), catalogue, 0).size(), 0u) << "cut at " << at;
        for (const char flip : {'\x01', '\x80'}) {
            std::string changed = text;
            changed[at] = static_cast<char>(changed[at] ^ flip);
            EXPECT_EQ(ScenarioIndex::fromText(changed, catalogue, 0).size(), 0u) << "changed at " << at;
        }
    }
    EXPECT_EQ(ScenarioIndex::fromText(text + '\0', catalogue, 0).size(), 0u);
    EXPECT_EQ(ScenarioIndex::fromText("dovrel scenario index 1\n" + text.substr(24), catalogue, 0).size(),
              0u);
}

// The compact values read back as written; a value cut off, longer than 64 bits, not in its fewest
// bytes or longer than what is left is refused.
TEST(CompactValues, ReadBackWhatWasWrittenAndRefuseValuesOutOfShape) {
    std::string out;
    const std::vector<std::uint64_t> numbers = {0, 1, 127, 128, 16383, 16384, 1ULL << 63, ~0ULL};
    for (const std::uint64_t number : numbers) {
        putCompactNumber(out, number);
    }
    putCompactText(out, std::string("a\0\x80"
                                    "b",
                                    4));
    CompactReader reader(out);
    for (const std::uint64_t number : numbers) {
        EXPECT_EQ(reader.number(), number);
    }
    EXPECT_EQ(reader.text(), std::string_view("a\0\x80"
                                              "b",
                                              4));
    EXPECT_TRUE(reader.atEnd());

    for (const std::string& bad :
         {std::string("\x80"), std::string("\x80\x00", 2), std::string("\xff\x00", 2),
          std::string(9, '\xff') + '\x02', std::string(10, '\xff') + '\x01'}) {
        EXPECT_EQ(CompactReader(bad).number(), std::nullopt) << ::testing::PrintToString(bad);
    }
    EXPECT_EQ(CompactReader(std::string(9, '\xff') + '\x01').number(), ~0ULL);
    EXPECT_EQ(CompactReader("\x03"
                            "ab")
                  .text(),
              std::nullopt);
}

// Writes down what the replay reports, in order.
class ReplayLog final : public FindingsReplayListener {
public:
    void blueprintMet(std::string_view blueprint) override { log.push_back("b " + std::string(blueprint)); }
    void consistOpened(std::string_view identifier) override {
        log.push_back("o " + std::string(identifier));
    }
    void vehicleClosed(std::string_view identifier, std::size_t blueprint,
                       std::string_view heading) override {
        log.push_back("v " + std::string(identifier) + " " + std::to_string(blueprint) + " " +
                      std::string(heading));
    }
    void consistClosed(std::string_view identifier, std::string_view serviceName) override {
        log.push_back("c " + std::string(identifier) + " " + std::string(serviceName));
    }
    std::vector<std::string> log;
};

// The findings replay in the order found, each blueprint named once before its first vehicle; a
// vehicle of a blueprint not named before, or a finding before any identifier, is out of shape.
TEST(ScenarioFindingsText, ReplaysTheFindingsInOrderNamingEachBlueprintOnce) {
    ScenarioFindings findings;
    findings.consistOpened("7");
    findings.vehicleClosed("7", "a.xml", "0");
    findings.vehicleClosed("7", "b.xml", "1");
    findings.vehicleClosed("7", "a.xml", "1");
    findings.consistClosed("7", "Goods");
    findings.consistOpened("8");
    findings.vehicleClosed("8", "b.xml", "0");
    findings.consistClosed("8", "");
    ReplayLog replayed;
    EXPECT_TRUE(replayFindingsText(findings.text(), replayed));
    EXPECT_EQ(replayed.log, (std::vector<std::string>{"o 7", "b a.xml", "v 7 0 0", "b b.xml", "v 7 1 1",
                                                      "v 7 0 1", "c 7 Goods", "o 8", "v 8 1 0", "c 8 "}));

    for (const std::string& bad : {std::string("V\x01"
                                               "7\x00\x01"
                                               "0",
                                               6),
                                   std::string("o"), std::string("x")}) {
        ReplayLog partial;
        EXPECT_FALSE(replayFindingsText(bad, partial)) << ::testing::PrintToString(bad);
    }
}

} // namespace
} // namespace dovrel
