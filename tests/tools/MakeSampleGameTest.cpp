// The make-sample-game program: the layout it writes, every .bin through the codec, the same
// bytes for the same seed, the lower-case spelling, and the guard on the output folder.

#include "SampleRun.h"

#include "support/TempFolder.h"

#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace dovrel::testing {
namespace {

namespace fs = std::filesystem;

bool hasFile(const FileMap& files, const std::string& path) {
    return files.count(path) == 1;
}

std::size_t countWithPrefix(const FileMap& files, const std::string& prefix) {
    return static_cast<std::size_t>(std::count_if(files.begin(), files.end(), [&prefix](const auto& entry) {
        return entry.first.starts_with(prefix);
    }));
}

TEST(MakeSampleGame, WritesTheLayoutOfAnInstallation) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0) << sample.run.err;
    EXPECT_EQ(sample.run.err, "");
    const std::string& out = sample.run.out;
    EXPECT_TRUE(out.starts_with("make-sample-game: wrote " + sample.folder.string() + " (seed 7): ")) << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_NE(out.find(" vehicle blueprints (1 corrupt)"), std::string::npos) << out;

    const FileMap& files = sample.files;
    ASSERT_TRUE(hasFile(files, "Vantor.exe"));
    EXPECT_EQ(files.at("Vantor.exe"), "");
    EXPECT_TRUE(hasFile(files, "Content/ConsistTemplates.bin"));
    EXPECT_TRUE(hasFile(files, ".make-sample-game"));
    EXPECT_GT(countWithPrefix(files, "Assets/Developer/"), 0u);
    EXPECT_GT(countWithPrefix(files, "Assets/VantorStudios/vantorcore/"), 0u);
    EXPECT_GT(countWithPrefix(files, "Content/Routes/"), 0u);
    EXPECT_TRUE(
        std::any_of(files.begin(), files.end(), [](const auto& f) { return f.first.ends_with(".BIN"); }));

    // Routes: one without a Scenarios folder, one scenario folder without Scenario.bin.
    std::size_t routes = 0;
    std::size_t routesWithoutScenarios = 0;
    std::size_t scenarioFiles = 0;
    std::size_t foldersWithoutScenario = 0;
    for (const auto& route : fs::directory_iterator(sample.folder / "Content" / "Routes")) {
        ++routes;
        if (!fs::is_directory(route.path() / "Scenarios")) {
            ++routesWithoutScenarios;
            continue;
        }
        for (const auto& scenario : fs::directory_iterator(route.path() / "Scenarios")) {
            (fs::is_regular_file(scenario.path() / "Scenario.bin") ? scenarioFiles
                                                                   : foldersWithoutScenario)++;
        }
    }
    EXPECT_EQ(routes, 3u);
    EXPECT_EQ(routesWithoutScenarios, 1u);
    EXPECT_EQ(scenarioFiles, 3u);
    EXPECT_EQ(foldersWithoutScenario, 1u);
}

TEST(MakeSampleGame, EveryBinButTheCorruptOneGoesThroughTheCodec) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
    EXPECT_EQ(
        sample.unconvertible,
        (std::vector<std::string>{
            "Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Freight/Hopper/Fals/Wagon/fals_damaged.bin"}));
    EXPECT_GT(sample.xml.size(), 100u);
    for (const auto& [path, xml] : sample.xml) {
        // The file is exactly what the codec makes of its own XML.
        const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
        ASSERT_TRUE(bin.ok()) << path;
        EXPECT_TRUE(bin.value() == sample.files.at(path)) << path;
    }
}

TEST(MakeSampleGame, TheSameSeedGivesTheSameBytesAndAnotherSeedOthers) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
    const TempFolder temp;
    ASSERT_EQ(runMakeSampleGame({(temp.path() / "again").string(), "--seed", "7"}).exitCode, 0);
    EXPECT_TRUE(allFiles(temp.path() / "again") == sample.files);

    ASSERT_EQ(runMakeSampleGame({(temp.path() / "other").string(), "--seed", "8"}).exitCode, 0);
    const FileMap other = allFiles(temp.path() / "other");
    EXPECT_NE(other.at("Content/ConsistTemplates.bin"), sample.files.at("Content/ConsistTemplates.bin"));
    EXPECT_NE(
        other.at("Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/DR 220/Default/Engine/dr220.bin"),
        sample.files.at(
            "Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/DR 220/Default/Engine/dr220.bin"));
}

// A path of the normal spelling as --lower-case writes it: each fixed name in lower case.
std::string lowerCaseSpelling(const std::string& path) {
    static const std::set<std::string> kFixed{"Assets",    "Content",     "Routes", "ConsistTemplates.bin",
                                              "Scenarios", "Scenario.bin"};
    std::string spelled;
    std::size_t start = 0;
    while (true) {
        const auto end = path.find('/', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (kFixed.count(part) == 1) {
            std::transform(part.begin(), part.end(), part.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        }
        spelled += part;
        if (end == std::string::npos) {
            return spelled;
        }
        spelled += '/';
        start = end + 1;
    }
}

TEST(MakeSampleGame, LowerCaseSpellsOnlyTheFixedNamesInLowerCase) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
    const TempFolder temp;
    const ProgramRun run = runMakeSampleGame({temp.gameFolder().string(), "--seed", "7", "--lower-case"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("(seed 7, lower case)"), std::string::npos) << run.out;
    const FileMap lower = allFiles(temp.gameFolder());
    EXPECT_TRUE(hasFile(lower, "content/consisttemplates.bin"));
    EXPECT_TRUE(hasFile(lower, "Vantor.exe"));
    EXPECT_EQ(countWithPrefix(lower, "Content/") + countWithPrefix(lower, "Assets/"), 0u);
    EXPECT_GT(countWithPrefix(lower, "assets/Ostwerk Rail/"), 0u);
    std::size_t scenarios = 0;
    for (const auto& [path, bytes] : sample.files) {
        if (path == ".make-sample-game") {
            continue;
        }
        const std::string spelled = lowerCaseSpelling(path);
        ASSERT_TRUE(hasFile(lower, spelled)) << spelled;
        EXPECT_TRUE(lower.at(spelled) == bytes) << spelled;
        scenarios +=
            spelled.ends_with("/scenario.bin") && spelled.find("/scenarios/") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(scenarios, 3u);
    EXPECT_EQ(lower.size(), sample.files.size());
}

TEST(MakeSampleGame, RunsAgainOverAnEarlierSampleAndKeepsWhatIsNotItsOwn) {
    const TempFolder temp;
    const fs::path game = temp.gameFolder();
    ASSERT_EQ(runMakeSampleGame({game.string(), "--units", "90", "--seed", "3"}).exitCode, 0);
    const FileMap first = allFiles(game);
    temp.write("game/notes.txt", "mine");
    temp.write("game/Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/mine.bin", "also mine");

    const ProgramRun again = runMakeSampleGame({game.string(), "--units", "60", "--seed", "4"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    FileMap second = allFiles(game);
    EXPECT_EQ(second["notes.txt"], "mine");
    EXPECT_EQ(second["Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/mine.bin"], "also mine");
    second.erase("notes.txt");
    second.erase("Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/mine.bin");

    const TempFolder fresh;
    ASSERT_EQ(runMakeSampleGame({fresh.gameFolder().string(), "--units", "60", "--seed", "4"}).exitCode, 0);
    EXPECT_TRUE(second == allFiles(fresh.gameFolder())); // nothing of the first run is left
    EXPECT_GT(first.size(), second.size());
}

TEST(MakeSampleGame, RefusesAFolderThatIsNotAnEarlierSample) {
    const TempFolder temp;
    temp.write("game/Content/ConsistTemplates.bin", "someone's own file");
    const ProgramRun run = runMakeSampleGame({temp.gameFolder().string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("is not empty and holds no earlier sample"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(allFiles(temp.gameFolder()), (FileMap{{"Content/ConsistTemplates.bin", "someone's own file"}}));

    temp.write("forged/.make-sample-game", "Assets/x.bin\n");
    temp.write("forged/Assets/x.bin", "keep");
    const ProgramRun forged = runMakeSampleGame({(temp.path() / "forged").string()});
    EXPECT_EQ(forged.exitCode, 1);
    EXPECT_NE(forged.err.find("was not written by make-sample-game"), std::string::npos) << forged.err;
    EXPECT_EQ(fileText(temp.path() / "forged/Assets/x.bin"), "keep");
}

TEST(MakeSampleGame, BadFoldersAndArgumentsGiveAMessageAndAnExitCode) {
    const TempFolder temp;
    const fs::path file = temp.write("a-file", "x");
    const ProgramRun onFile = runMakeSampleGame({file.string()});
    EXPECT_EQ(onFile.exitCode, 1);
    EXPECT_NE(onFile.err.find("exists and is not a folder"), std::string::npos) << onFile.err;

    const ProgramRun below = runMakeSampleGame({(file / "game").string()});
    EXPECT_EQ(below.exitCode, 1);
    EXPECT_NE(below.err.find("cannot create the folder"), std::string::npos) << below.err;

    const ProgramRun noFolder = runMakeSampleGame({"--seed", "3"});
    EXPECT_EQ(noFolder.exitCode, 2);
    EXPECT_TRUE(noFolder.err.starts_with("make-sample-game: the folder DIR is missing\nusage: "))
        << noFolder.err;
    EXPECT_EQ(runMakeSampleGame({"x", "--units", "lots"}).exitCode, 2);

    const ProgramRun help = runMakeSampleGame({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("usage: make-sample-game DIR [--seed N] [--units N] [--lower-case]\n"));
    EXPECT_NE(help.out.find(".make-sample-game"), std::string::npos);
}

} // namespace
} // namespace dovrel::testing
