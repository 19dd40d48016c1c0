// SPDX-License-Identifier: GPL-3.0-or-later
// The make-sample-game program: the layout it writes, every blueprint of its stock in place and every
// .bin through the codec, the same bytes for the same seed, and the guard on the output folder. (Its
// packed twin is scanned against the loose sample in test_catalogue.)

#include "StockList.h"
#include "XmlBuilder.h"

#include "support/TempFolder.h"

#include "core/TextRules.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace dovrel::testing {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs make-sample-game with the arguments (none holds a single quote), standard input closed.
ProgramRun runMakeSampleGame(const std::vector<std::string>& arguments) {
    const TempFolder outputs;
    std::string command = "'" DOVREL_BIN_DIR "/make-sample-game'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    const fs::path out = outputs.path() / "out", err = outputs.path() / "err";
    const int status =
        std::system((command + " </dev/null >'" + out.string() + "' 2>'" + err.string() + "'").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileText(out), fileText(err)};
}

// Every file below a folder: its path relative to the folder ("/" between the parts) and its bytes.
using FileMap = std::map<std::string, std::string>;
FileMap allFiles(const fs::path& folder) {
    FileMap files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).generic_string()] = fileText(entry.path());
        }
    }
    return files;
}

// One default installation (seed 7), made once, with every .bin the codec converts as XML.
struct GeneratedSample {
    fs::path folder;
    ProgramRun run;
    FileMap files;
    std::map<std::string, std::string> xml; // .bin path -> its XML
    std::vector<std::string> unconvertible;
};
const GeneratedSample& defaultSample() {
    static const TempFolder temp;
    static const GeneratedSample sample = [] {
        GeneratedSample made;
        made.folder = temp.path() / "sample";
        made.run = runMakeSampleGame({made.folder.string(), "--seed", "7"});
        made.files = made.run.exitCode == 0 ? allFiles(made.folder) : FileMap();
        for (const auto& [path, bytes] : made.files) {
            if (path.size() >= 4 && asciiLower(path.substr(path.size() - 4)) == ".bin") {
                const auto xml = serz::convert(serz::Direction::BinToXml, bytes);
                xml ? void(made.xml[path] = xml.value()) : made.unconvertible.push_back(path);
            }
        }
        return made;
    }();
    return sample;
}

TEST(MakeSampleGame, WritesAnInstallationWithEveryBlueprintInPlace) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0) << sample.run.err;
    EXPECT_EQ(sample.run.err, "");
    const std::string& out = sample.run.out;
    EXPECT_TRUE(out.starts_with("make-sample-game: wrote " + sample.folder.string() + " (seed 7): ")) << out;
    EXPECT_EQ(std::ranges::count(out, '\n'), 1) << out;
    EXPECT_NE(out.find(" vehicle blueprints (1 corrupt)"), std::string::npos) << out;
    const FileMap& files = sample.files;
    EXPECT_EQ(files.count("Content/ConsistTemplates.bin") + files.count(".make-sample-game"), 2u);
    EXPECT_EQ(files.at("Vantor.exe"), "");
    for (const std::string prefix : {"Assets/Developer/", "Assets/VantorStudios/vantorcore/"}) {
        EXPECT_TRUE(files.lower_bound(prefix)->first.starts_with(prefix)) << prefix;
    }
    EXPECT_TRUE(std::ranges::any_of(files, [](const auto& f) { return f.first.ends_with(".BIN"); }));

    // Every blueprint of the stock for the seed and size is at its place below Assets (a vehicle's is
    // the one with its name); every .bin is what the codec makes of its own XML, but the one cut short.
    const std::string corrupt =
        "Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Freight/Hopper/Fals/Wagon/fals_damaged.bin";
    EXPECT_EQ(sample.unconvertible, std::vector<std::string>{corrupt});
    for (const auto& [path, xml] : sample.xml) {
        const auto bin = serz::convert(serz::Direction::XmlToBin, xml);
        ASSERT_TRUE(bin.ok()) << path;
        EXPECT_TRUE(bin.value() == sample.files.at(path)) << path;
    }
    sample::Random random(7);
    const sample::Stock stock = sample::makeStock(random, 60);
    const auto pathOf = [](const sample::BlueprintSet& set, const std::string& folder,
                           const std::string& file) {
        return "Assets/" + set.provider + "/" + set.product + "/" + (folder.empty() ? "" : folder + "/") +
               file;
    };
    for (const sample::Vehicle& v : stock.vehicles) {
        const std::string path = pathOf(v.set, v.folder, v.fileName);
        ASSERT_EQ(path == corrupt, v.outcome == sample::Outcome::Unreadable) << path;
        EXPECT_TRUE(path == corrupt || (sample.xml.contains(path) &&
                                        sample.xml.at(path).find(">" + sample::escapedXml(v.displayName) +
                                                                 "<") != std::string::npos))
            << path;
    }
    for (const sample::OtherBlueprint& b : stock.others) {
        EXPECT_TRUE(sample.xml.contains(pathOf(b.set, b.folder, b.fileName))) << b.fileName;
    }
}

// --scenario-mb fills each scenario with more trains after its own to about the size asked for, and
// changes no other file.
TEST(MakeSampleGame, ScenarioMegabytesFillTheScenariosAndNothingElse) {
    const GeneratedSample& sample = defaultSample();
    const TempFolder temp;
    const ProgramRun run =
        runMakeSampleGame({temp.gameFolder().string(), "--seed", "7", "--scenario-mb", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const FileMap filled = allFiles(temp.gameFolder());
    ASSERT_EQ(filled.size(), sample.files.size());
    int scenarios = 0;
    for (const auto& [path, bytes] : filled) {
        ASSERT_TRUE(sample.files.contains(path)) << path;
        if (!path.ends_with("/Scenario.bin")) {
            EXPECT_TRUE(path == ".make-sample-game" || bytes == sample.files.at(path)) << path;
            continue;
        }
        ++scenarios;
        EXPECT_NEAR(static_cast<double>(bytes.size()), 1 << 20, 0.1 * (1 << 20)) << path;
        const auto xml = serz::convert(serz::Direction::BinToXml, bytes);
        ASSERT_TRUE(xml.ok()) << path;
        const std::string& own = sample.xml.at(path);
        const std::string ownTrains = own.substr(0, own.rfind("\t</Record>"));
        EXPECT_TRUE(xml.value().starts_with(ownTrains)) << path;
        EXPECT_GT(std::ranges::count(xml.value(), '\n'), 10 * std::ranges::count(own, '\n')) << path;
    }
    EXPECT_EQ(scenarios, 3);
}

TEST(MakeSampleGame, RunsAgainOverAnEarlierSampleAndKeepsWhatIsNotItsOwn) {
    const TempFolder temp;
    const fs::path game = temp.gameFolder();
    ASSERT_EQ(runMakeSampleGame({game.string(), "--units", "90", "--seed", "3"}).exitCode, 0);
    const std::size_t firstFiles = allFiles(game).size();
    const std::string mine = "Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/mine.bin";
    temp.write("game/notes.txt", "mine");
    temp.write("game/" + mine, "also mine");

    const ProgramRun again = runMakeSampleGame({game.string(), "--units", "60", "--seed", "4"});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    FileMap second = allFiles(game);
    EXPECT_EQ(std::make_pair(second["notes.txt"], second[mine]),
              std::make_pair(std::string("mine"), std::string("also mine")));
    second.erase("notes.txt");
    second.erase(mine);
    const TempFolder fresh;
    ASSERT_EQ(runMakeSampleGame({fresh.gameFolder().string(), "--units", "60", "--seed", "4"}).exitCode, 0);
    // Nothing of the first run is left, and the same seed gives the same bytes.
    EXPECT_TRUE(second == allFiles(fresh.gameFolder()));
    EXPECT_GT(firstFiles, second.size());
}

// A folder that is not an earlier sample, a file in place of the folder, a folder that cannot be
// made, and bad arguments are refused with a message and an exit code; nothing is touched.
TEST(MakeSampleGame, RefusesFoldersItMustNotUseAndBadArguments) {
    const TempFolder temp;
    temp.write("game/Content/ConsistTemplates.bin", "someone's own file");
    temp.write("forged/.make-sample-game", "Assets/x.bin\n");
    temp.write("forged/Assets/x.bin", "keep");
    const fs::path file = temp.write("a-file", "x");
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message; // on standard error, or on standard output when the exit code is 0
    } cases[] = {
        {{temp.gameFolder().string()}, 1, "is not empty and holds no earlier sample"},
        {{(temp.path() / "forged").string()}, 1, "was not written by make-sample-game"},
        {{file.string()}, 1, "exists and is not a folder"},
        {{(file / "game").string()}, 1, "cannot create the folder"},
        {{"--seed", "3"}, 2, "make-sample-game: the folder DIR is missing\nusage: "},
        {{"--help"},
         0,
         "usage: make-sample-game DIR [--seed N] [--units N] [--lower-case] [--packed] [--scenario-mb N]\n"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runMakeSampleGame(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_NE((c.exitCode == 0 ? run.out : run.err).find(c.message), std::string::npos) << run.err;
        if (c.exitCode == 0) {
            EXPECT_NE(run.out.find(".make-sample-game"), std::string::npos);
        } else {
            EXPECT_EQ(run.out, "") << c.message;
        }
    }
    EXPECT_EQ(allFiles(temp.gameFolder()), (FileMap{{"Content/ConsistTemplates.bin", "someone's own file"}}));
    EXPECT_EQ(fileText(temp.path() / "forged/Assets/x.bin"), "keep");
}

} // namespace
} // namespace dovrel::testing
