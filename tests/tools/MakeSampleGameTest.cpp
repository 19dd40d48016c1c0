// The make-sample-game program: the layout it writes, every blueprint of its stock in place and every
// .bin through the codec, the same bytes for the same seed, the lower-case spelling, and the guard
// on the output folder.

#include "SampleRun.h"
#include "StockList.h"

#include "support/TempFolder.h"

#include "catalogue/BlueprintReader.h"
#include "catalogue/PackedArchive.h"
#include "platform/doubles/CountingEventPump.h"
#include "platform/qt/QtFiles.h"
#include "serz/Conversion.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace dovrel::testing {
namespace {

namespace fs = std::filesystem;

std::size_t countWithPrefix(const FileMap& files, const std::string& prefix) {
    return static_cast<std::size_t>(std::ranges::count_if(
        files, [&prefix](const auto& entry) { return entry.first.starts_with(prefix); }));
}

TEST(MakeSampleGame, WritesTheLayoutOfAnInstallation) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0) << sample.run.err;
    EXPECT_EQ(sample.run.err, "");
    const std::string& out = sample.run.out;
    EXPECT_TRUE(out.starts_with("make-sample-game: wrote " + sample.folder.string() + " (seed 7): ")) << out;
    EXPECT_EQ(std::ranges::count(out, '\n'), 1) << out;
    EXPECT_NE(out.find(" vehicle blueprints (1 corrupt)"), std::string::npos) << out;

    const FileMap& files = sample.files;
    EXPECT_EQ(files.count("Vantor.exe") + files.count("Content/ConsistTemplates.bin") +
                  files.count(".make-sample-game"),
              3u);
    EXPECT_EQ(files.at("Vantor.exe"), "");
    EXPECT_GT(countWithPrefix(files, "Assets/Developer/"), 0u);
    EXPECT_GT(countWithPrefix(files, "Assets/VantorStudios/vantorcore/"), 0u);
    EXPECT_TRUE(std::ranges::any_of(files, [](const auto& f) { return f.first.ends_with(".BIN"); }));
    // Three routes, one without a Scenarios folder; three scenarios and a scenario folder without
    // Scenario.bin.
    std::size_t routes = 0, routesWithoutScenarios = 0, scenarioFiles = 0, foldersWithoutScenario = 0;
    for (const auto& route : fs::directory_iterator(sample.folder / "Content" / "Routes")) {
        ++routes;
        if (!fs::is_directory(route.path() / "Scenarios")) {
            ++routesWithoutScenarios;
            continue;
        }
        for (const auto& scenario : fs::directory_iterator(route.path() / "Scenarios")) {
            ++(fs::is_regular_file(scenario.path() / "Scenario.bin") ? scenarioFiles
                                                                     : foldersWithoutScenario);
        }
    }
    EXPECT_EQ(std::make_tuple(routes, routesWithoutScenarios, scenarioFiles, foldersWithoutScenario),
              std::make_tuple(3u, 1u, 3u, 1u));
}

// The sample holds every blueprint of the stock for its seed and size at its place below Assets,
// where the blueprint reader finds the vehicle's name or skips the other kinds; every .bin is what
// the codec makes of its own XML, but the one cut short, which does not convert.
TEST(MakeSampleGame, EveryBlueprintIsInPlaceAndEveryBinButTheCorruptOneConverts) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
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
    QtFiles files;
    CountingEventPump events;
    const BlueprintReader reader(files, events, nullptr);
    const auto readAt = [&](const sample::BlueprintSet& set, const std::string& folder,
                            const std::string& file, BlueprintFields& fields) {
        const std::string path =
            "Assets/" + set.provider + "/" + set.product + "/" + (folder.empty() ? "" : folder + "/") + file;
        const auto found = sample.xml.find(path);
        return found == sample.xml.end() ? (path == corrupt ? -2 : -1)
                                         : reader.readText(found->second, fields);
    };
    for (const sample::Vehicle& v : stock.vehicles) {
        BlueprintFields fields;
        const int status = readAt(v.set, v.folder, v.fileName, fields);
        EXPECT_EQ(status, v.outcome == sample::Outcome::Unreadable ? -2 : kBlueprintRead) << v.fileName;
        EXPECT_EQ(fields.englishName, status == kBlueprintRead ? v.displayName : "") << v.fileName;
    }
    for (const sample::OtherBlueprint& b : stock.others) {
        BlueprintFields fields;
        EXPECT_EQ(readAt(b.set, b.folder, b.fileName, fields), kNotAVehicleBlueprint) << b.fileName;
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
    for (const std::string file :
         {"Content/ConsistTemplates.bin",
          "Assets/Ostwerk Rail/Nordland Freight/RailVehicles/Diesel/DR 220/Default/Engine/dr220.bin"}) {
        ASSERT_EQ(other.count(file), 1u) << file;
        EXPECT_NE(other.at(file), sample.files.at(file)) << file;
    }
}

// Only the fixed names (Assets, Content, Routes, ConsistTemplates.bin, Scenarios, Scenario.bin) are
// spelled in lower case; everything else is the same, byte for byte.
TEST(MakeSampleGame, LowerCaseSpellsOnlyTheFixedNamesInLowerCase) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
    const TempFolder temp;
    const ProgramRun run = runMakeSampleGame({temp.gameFolder().string(), "--seed", "7", "--lower-case"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("(seed 7, lower case)"), std::string::npos) << run.out;
    const FileMap lower = allFiles(temp.gameFolder());
    EXPECT_EQ(lower.size(), sample.files.size());
    const std::pair<std::string, std::string> fixed[] = {
        {"Assets/", "assets/"},         {"Content/", "content/"},
        {"/Routes/", "/routes/"},       {"/ConsistTemplates.bin", "/consisttemplates.bin"},
        {"/Scenarios/", "/scenarios/"}, {"/Scenario.bin", "/scenario.bin"}};
    for (const auto& [path, bytes] : sample.files) {
        std::string spelled = path;
        for (const auto& [name, lowered] : fixed) {
            const std::size_t at = spelled.find(name);
            const bool part = at != std::string::npos && (name.front() == '/' || at == 0) &&
                              (name.back() == '/' || at + name.size() == spelled.size());
            spelled = part ? spelled.replace(at, name.size(), lowered) : spelled;
        }
        if (path != ".make-sample-game") {
            ASSERT_EQ(lower.count(spelled), 1u) << spelled;
            EXPECT_TRUE(lower.at(spelled) == bytes) << spelled;
        }
    }
    EXPECT_EQ(countWithPrefix(lower, "content/routes/"), countWithPrefix(sample.files, "Content/Routes/"));
}

// --packed moves the files of most products into one archive per product and keeps everything else:
// each file of the default sample is on disk or in its product's archive with the same bytes, except
// the corrupt blueprint, packed whole in a damaged entry, and one blueprint that is on disk and in an
// archive, differently.
TEST(MakeSampleGame, PackedPutsTheSameFilesIntoArchivesOfTheirProducts) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
    const TempFolder temp;
    const ProgramRun run = runMakeSampleGame({temp.gameFolder().string(), "--seed", "7", "--packed"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("(seed 7, packed)"), std::string::npos) << run.out;
    const FileMap packed = allFiles(temp.gameFolder());

    FileMap entries; // path below the game folder, "/" between the parts -> bytes
    int unreadableEntries = 0;
    int archivesWithBackslashes = 0;
    int brokenArchives = 0;
    for (const auto& [path, bytes] : packed) {
        if (!path.ends_with(".ap")) {
            continue;
        }
        const std::optional<PackedArchive> archive = PackedArchive::open(temp.gameFolder() / path);
        if (!archive) {
            ++brokenArchives;
            continue;
        }
        const std::string product = path.substr(0, path.rfind('/') + 1);
        bool backslashes = false;
        for (const PackedArchive::Entry& entry : archive->entries()) {
            std::string name = entry.name;
            backslashes = backslashes || name.find('\\') != std::string::npos;
            std::replace(name.begin(), name.end(), '\\', '/');
            const std::optional<std::string> content = archive->read(entry);
            unreadableEntries += content ? 0 : 1;
            entries[product + name] = content.value_or("unreadable");
        }
        archivesWithBackslashes += backslashes ? 1 : 0;
    }
    EXPECT_EQ(brokenArchives, 1);
    EXPECT_EQ(unreadableEntries, 1);
    EXPECT_GT(archivesWithBackslashes, 0);
    EXPECT_GT(entries.size(), packed.size() / 2) << "most products are packed";

    int overridden = 0;
    for (const auto& [path, bytes] : sample.files) {
        if (path == ".make-sample-game") {
            continue;
        }
        const bool loose = packed.count(path) == 1;
        const bool inArchive = entries.count(path) == 1;
        ASSERT_TRUE(loose || inArchive) << path;
        if (loose && inArchive) {
            ++overridden;
            EXPECT_TRUE(packed.at(path) == bytes) << "the loose file is the sample's own: " << path;
            EXPECT_NE(entries.at(path), bytes) << path;
        } else if (loose) {
            EXPECT_TRUE(packed.at(path) == bytes) << path;
        } else if (entries.at(path) != "unreadable") {
            EXPECT_TRUE(entries.at(path) == bytes) << path;
        }
    }
    EXPECT_EQ(overridden, 1);
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
    EXPECT_TRUE(second == allFiles(fresh.gameFolder())); // nothing of the first run is left
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
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{temp.gameFolder().string()}, 1, "is not empty and holds no earlier sample"},
        {{(temp.path() / "forged").string()}, 1, "was not written by make-sample-game"},
        {{file.string()}, 1, "exists and is not a folder"},
        {{(file / "game").string()}, 1, "cannot create the folder"},
        {{"--seed", "3"}, 2, "make-sample-game: the folder DIR is missing\nusage: "},
        {{"x", "--units", "lots"}, 2, "usage: "},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runMakeSampleGame(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "") << c.message;
    }
    EXPECT_EQ(allFiles(temp.gameFolder()), (FileMap{{"Content/ConsistTemplates.bin", "someone's own file"}}));
    EXPECT_EQ(fileText(temp.path() / "forged/Assets/x.bin"), "keep");

    const ProgramRun help = runMakeSampleGame({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with(
        "usage: make-sample-game DIR [--seed N] [--units N] [--lower-case] [--packed]\n"));
    EXPECT_NE(help.out.find(".make-sample-game"), std::string::npos);
}

} // namespace
} // namespace dovrel::testing
