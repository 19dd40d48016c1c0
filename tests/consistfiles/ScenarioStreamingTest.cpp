// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomScenarios.h"
#include "consistfiles/WorkingConversion.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using consisttest::below, consisttest::kCatalogue, consisttest::kLoco, consisttest::kWagon;
using consisttest::Entry, consisttest::scenarioConsist, consisttest::scenarioFile, consisttest::World;

// Now and then (one in `largeOneIn`) large enough to reach the reader in many chunks.
std::string randomScenarioBin(std::mt19937& random, int largeOneIn = 8) {
    const int consists = below(random, largeOneIn) == 0 ? 400 : below(random, 6);
    return consisttest::randomScenarioBin(random, consists, false);
}

// The file cut short, or one byte changed, at a random place.
std::string damaged(std::string bin, std::mt19937& random) {
    const auto at = static_cast<std::size_t>(random() % bin.size());
    if (below(random, 2) == 0) {
        bin.resize(at);
    } else {
        bin[at] = static_cast<char>(bin[at] ^ (1 + below(random, 255)));
    }
    return bin;
}

// The lines handed on are the whole XML's lines; a file that fails fails as in one piece, and a file
// cut short has handed on only lines of the good file before its fault.
TEST(StreamInMemory, HandsOnTheLinesOfTheWholeConversionAndFailsAsItDoes) {
    World world(ConverterMode::InProcess);
    const fs::path file = world.routesFolder() / "Scenario.bin";
    int streamedBeforeAFault = 0;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        const std::string good = randomScenarioBin(random);
        world.temp.write(file.lexically_relative(world.temp.path()), good);
        const std::vector<std::string> goodLines = *convertInMemory(world.files, file).lines;
        for (const std::string& bin : {good, damaged(good, random), good.substr(0, good.size() - 1)}) {
            world.temp.write(file.lexically_relative(world.temp.path()), bin);
            std::vector<std::string> streamed;
            const InMemoryConversion conversion = streamInMemory(
                world.files, file, [&](std::string_view line) { streamed.emplace_back(line); });
            const ConvertedLines whole = convertInMemory(world.files, file);

            EXPECT_EQ(std::tie(conversion.converterResult, conversion.failure, conversion.rootLine),
                      std::tie(whole.conversion.converterResult, whole.conversion.failure,
                               whole.conversion.rootLine));
            EXPECT_EQ(conversion.converted(), whole.lines.has_value());
            if (whole.lines) {
                EXPECT_EQ(streamed, *whole.lines);
            } else if (bin.size() < good.size()) {
                ASSERT_LE(streamed.size(), goodLines.size());
                EXPECT_TRUE(std::equal(streamed.begin(), streamed.end(), goodLines.begin()));
                streamedBeforeAFault += streamed.empty() ? 0 : 1;
            }
        }
    }
    EXPECT_GT(streamedBeforeAFault, 0);
    EXPECT_EQ(streamInMemory(world.files, world.routesFolder() / "missing.bin", [](std::string_view) {})
                  .converterResult,
              std::nullopt);
}

// What a read shows: the window's calls, messages, rows, every listed slot (the one past the rows
// too), missing units, notfound.txt, the converter's result and the delta namespace.
using ReadSeen =
    std::tuple<std::vector<std::string>, std::vector<std::string>, std::vector<ConsistRow>,
               std::vector<std::string>, std::string, std::optional<std::string>, int, std::string>;

ReadSeen readInstallation(ConverterMode mode,
                          const std::vector<std::pair<std::string, std::string>>& scenarios) {
    World world(mode);
    for (const auto& [name, bin] : scenarios) {
        world.writeScenario(name.substr(0, 2), name.substr(2), bin);
    }
    world.answer({MessageAnswer::OK}, 5000);
    const auto read = world.readScenarios(kCatalogue);
    std::vector<std::string> listed;
    for (std::size_t slot = 0; slot <= read.result.listing.rowCount(); ++slot) {
        listed.push_back(read.result.listing.listedConsist(slot));
    }
    const fs::path notFound = world.services.notFoundFile();
    return {read.observer.log,
            world.messages.texts(),
            read.result.listing.rows(),
            listed,
            read.result.missingUnits,
            fs::exists(notFound) ? std::optional(testing::fileText(notFound)) : std::nullopt,
            world.converter.lastConverterResult(),
            world.converter.deltaNamespace().value()};
}

// Random scenarios, some damaged, read as they convert show all that the program's whole XML shows.
TEST(ScenarioConsistReader, ListsTheSameStreamedInMemoryAsFromTheProgramsWholeXml) {
    int damagedFiles = 0;
    for (unsigned seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 random(seed);
        std::vector<std::pair<std::string, std::string>> scenarios;
        for (int s = below(random, 6) + 1; s > 0; --s) {
            const bool damage = below(random, 3) == 0;
            std::string bin = randomScenarioBin(random, damage ? 2 : 8);
            if (damage) {
                bin = damaged(bin, random);
                ++damagedFiles;
            }
            scenarios.emplace_back("R" + std::to_string(below(random, 3)) + "S" + std::to_string(s), bin);
        }
        EXPECT_EQ(readInstallation(ConverterMode::InProcess, scenarios),
                  readInstallation(ConverterMode::ChildProcess, scenarios));
    }
    EXPECT_GT(damagedFiles, 0);
}

} // namespace
} // namespace dovrel
