// SPDX-License-Identifier: GPL-3.0-or-later
// The dovrel program run as the user runs it, on generated installations (loose and packed): each
// subcommand's output and exit status, the cache it shares with the editor, a shared consist taken
// from one installation to another whose folders are spelled in other letter case, and the lock.
#include "SampleGame.h"
#include "core/NameResolver.h"
#include "platform/FileLock.h"
#include "support/TempFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;

struct DovrelRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The fields of a TSV line, an empty last one included.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields{""};
    for (const char c : line) {
        if (c == '\t') {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

// The TSV line of `consists` whose name column is the name; empty when there is none.
std::vector<std::string> consistNamed(const std::string& table, const std::string& name) {
    for (const std::string& line : linesOf(table)) {
        if (const std::vector<std::string> fields = fieldsOf(line); fields.size() > 2 && fields[2] == name) {
            return fields;
        }
    }
    return {};
}

// An isolated settings folder, program folder and home, and the installations made in it.
class DovrelProgramTest : public ::testing::Test {
protected:
    fs::path makeGame(const std::string& folder, bool packed, bool lowerCase = false) {
        sample::Options options;
        options.folder = temp_.path() / folder;
        options.packed = packed;
        options.lowerCase = lowerCase;
        sample::makeSampleGame(options);
        return options.folder;
    }

    DovrelRun run(const std::vector<std::string>& arguments) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           QString::fromStdString(temp_.configFolder().string()));
        environment.insert(QStringLiteral("DOVREL_PROGRAM_FOLDER"),
                           QString::fromStdString(temp_.programFolder().string()));
        environment.insert(QStringLiteral("HOME"), QString::fromStdString((temp_.path() / "home").string()));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        environment.remove(QStringLiteral("DOVREL_SERZ"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(QString::fromStdString(temp_.path().string()));
        QStringList list;
        for (const std::string& argument : arguments) {
            list << QString::fromStdString(argument);
        }
        process.start(QString::fromStdString((fs::path(DOVREL_BIN_DIR) / "dovrel").string()), list);
        if (!process.waitForFinished(240000)) {
            process.kill();
            process.waitForFinished();
            return {};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }

    fs::path cacheFile() const { return temp_.programFolder() / "equipmentlist.txt"; }
    // The user-consist file in whatever letter case the installation spells it.
    static fs::path userFile(const fs::path& game) {
        return resolveName(resolveName(game, "Content").value_or(game / "Content"), "ConsistTemplates.bin")
            .value_or(game / "Content" / "ConsistTemplates.bin");
    }

    TempFolder temp_;
};

class DovrelLayoutTest : public DovrelProgramTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { game_ = makeGame("game", GetParam()); }
    fs::path game_;
};

TEST_P(DovrelLayoutTest, StockListsTheCatalogueFromTheCacheOfItsFolderOrAScan) {
    const DovrelRun scanned = run({"stock", "--game", game_.string()});
    ASSERT_EQ(scanned.exitCode, 0) << scanned.err;
    const std::vector<std::string> rows = linesOf(scanned.out);
    ASSERT_GT(rows.size(), 20u);
    EXPECT_EQ(rows.size(), linesOf(fileText(cacheFile())).size());
    const std::vector<std::string> first = fieldsOf(rows.front());
    EXPECT_EQ(first.size(), 9u);

    // The cache is what the next run lists; --refresh scans again.
    std::string shortened = fileText(cacheFile());
    shortened.erase(shortened.rfind("\r\n"));
    temp_.write("program/equipmentlist.txt", shortened);
    EXPECT_EQ(linesOf(run({"stock", "--game", game_.string()}).out).size(), rows.size() - 1);
    const DovrelRun refreshed = run({"stock", "--game", game_.string(), "--refresh", "--format", "json"});
    ASSERT_EQ(refreshed.exitCode, 0) << refreshed.err;
    const QJsonArray units = QJsonDocument::fromJson(QByteArray::fromStdString(refreshed.out)).array();
    ASSERT_EQ(static_cast<std::size_t>(units.size()), rows.size());
    EXPECT_EQ(units[0].toObject()[QLatin1String("name")].toString().toStdString(), first[0]);
    EXPECT_EQ(units[0].toObject()[QLatin1String("blueprint")].toString().toStdString(), first[4]);
}

TEST_P(DovrelLayoutTest, ConsistsTellWhetherEveryUnitIsInstalled) {
    const DovrelRun all = run({"consists", "--game", game_.string()});
    ASSERT_EQ(all.exitCode, 0) << all.err;
    const std::vector<std::string> complete = consistNamed(all.out, "Coal & Ballast");
    ASSERT_EQ(complete.size(), 6u) << all.out;
    EXPECT_EQ(complete[0], "user");
    EXPECT_EQ(fs::path(complete[3]).filename(), "ConsistTemplates.bin");
    EXPECT_EQ(complete[4], "complete");
    EXPECT_EQ(std::count(complete[5].begin(), complete[5].end(), '|'), 4);
    EXPECT_EQ(consistNamed(all.out, "Heritage Excursion").at(4), "1");
    const std::vector<std::string> scenario = consistNamed(all.out, "6M02 Mixed Freight");
    ASSERT_FALSE(scenario.empty());
    EXPECT_EQ(scenario[0], "scenario");
    EXPECT_EQ(fs::path(scenario[3]).filename(), "Scenario.bin");
    EXPECT_EQ(scenario[4], "1");

    const DovrelRun user = run({"consists", "--game", game_.string(), "--user"});
    const DovrelRun scenarios = run({"consists", "--game", game_.string(), "--scenarios"});
    EXPECT_EQ(linesOf(user.out).size() + linesOf(scenarios.out).size(), linesOf(all.out).size());
    EXPECT_TRUE(consistNamed(scenarios.out, "Heritage Excursion").empty());
    EXPECT_TRUE(consistNamed(user.out, "6M02 Mixed Freight").empty());
}

TEST_P(DovrelLayoutTest, WhereUsedFindsUnitsByNameOrPathIgnoringCase) {
    const DovrelRun coaches = run({"where-used", "--game", game_.string(), "MK1_FK"});
    ASSERT_EQ(coaches.exitCode, 0) << coaches.err;
    EXPECT_FALSE(consistNamed(coaches.out, "Heritage Excursion").empty());
    EXPECT_TRUE(consistNamed(coaches.out, "Coal & Ballast").empty());
    // A unit that is not installed is known by its path.
    const DovrelRun missing = run({"where-used", "--game", game_.string(), "fals_covered"});
    EXPECT_EQ(linesOf(missing.out).size(), 1u) << missing.out;
    EXPECT_FALSE(consistNamed(missing.out, "6M02 Mixed Freight").empty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, DovrelLayoutTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Packed" : "Loose"; });

TEST_F(DovrelProgramTest, AnExportedConsistImportsIntoAnInstallationWithOtherLetterCase) {
    const fs::path first = makeGame("first", false);
    const fs::path second = makeGame("second", true, true);
    const fs::path shared = temp_.path() / "coal.dovrel-consist";
    const DovrelRun exported =
        run({"export", "--game", first.string(), "Coal & Ballast", "-o", shared.string()});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_EQ(run({"export", "--game", first.string(), "Coal & Ballast"}).out, fileText(shared));

    const std::string before = fileText(userFile(second));
    const DovrelRun imported =
        run({"import", "--game", second.string(), shared.string(), "--name", "Shared coal"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_FALSE(fs::is_empty(temp_.programFolder() / "Backups"));
    const std::vector<std::string> listed =
        consistNamed(run({"consists", "--game", second.string(), "--user"}).out, "Shared coal");
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed[4], "complete");
    EXPECT_EQ(listed[5],
              consistNamed(run({"consists", "--game", first.string(), "--user"}).out, "Coal & Ballast")[5]);

    // The same name again is a replacement, made only when asked for.
    const std::string once = fileText(userFile(second));
    EXPECT_NE(once, before);
    const DovrelRun refused =
        run({"import", "--game", second.string(), shared.string(), "--name", "Shared coal"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
    EXPECT_EQ(fileText(userFile(second)), once);
    EXPECT_EQ(
        run({"import", "--game", second.string(), shared.string(), "--name", "Shared coal", "--replace"})
            .exitCode,
        0);
}

TEST_F(DovrelProgramTest, UnitsNotInstalledAreNamedWithStandInsAndNothingIsWritten) {
    const fs::path game = makeGame("game", false);
    std::string text = run({"export", "--game", game.string(), "EMU 425 Pair"}).out;
    const std::size_t tso = text.find("emu425_tso");
    ASSERT_NE(tso, std::string::npos) << text;
    text.replace(tso, 10, "emu999_tso");
    const fs::path shared = temp_.write("emu.dovrel-consist", text);

    const std::string before = fileText(userFile(game));
    const DovrelRun refused = run({"import", "--game", game.string(), shared.string()});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("unit 2: "), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("closest installed: "), std::string::npos) << refused.err;
    EXPECT_EQ(fileText(userFile(game)), before);

    const DovrelRun skipped =
        run({"import", "--game", game.string(), shared.string(), "--skip-missing", "--name", "Pair"});
    ASSERT_EQ(skipped.exitCode, 0) << skipped.err;
    const std::vector<std::string> listed =
        consistNamed(run({"consists", "--game", game.string(), "--user"}).out, "Pair");
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(std::count(listed[5].begin(), listed[5].end(), '|'), 1);
}

TEST_F(DovrelProgramTest, ExitStatusesTellUsageFailureAndMissingUnits) {
    const fs::path game = makeGame("game", false);
    const fs::path hostile = temp_.write("deep.dovrel-consist", std::string(100000, '['));
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    } cases[] = {
        {{}, 2, "subcommand is needed"},
        {{"stock", "--format", "csv"}, 2, "tsv or json"},
        {{"stock", "--game", (temp_.path() / "nowhere").string()}, 1, "not found"},
        {{"stock"}, 1, "no game folder is set"},
        {{"import", "--game", game.string(), hostile.string()}, 1, "nested too deeply"},
        {{"import", "--game", game.string(), (temp_.path() / "none").string()}, 1, "no such file"},
        {{"export", "--game", game.string(), "No Such Consist"}, 1, "no user consist is named"},
        {{"export", "--game", game.string(), "Heritage Excursion"}, 3, "not installed"},
    };
    for (const auto& [arguments, exitCode, message] : cases) {
        const DovrelRun result = run(arguments);
        EXPECT_EQ(result.exitCode, exitCode) << arguments.size() << " " << result.err;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
}

TEST_F(DovrelProgramTest, AnUnreadableUserConsistFileIsAFailure) {
    const fs::path game = makeGame("game", false);
    temp_.write("game/Content/ConsistTemplates.bin", "not a consist file");
    const DovrelRun result = run({"consists", "--game", game.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("ConsistTemplates.bin"), std::string::npos) << result.err;
    EXPECT_FALSE(consistNamed(result.out, "6M02 Mixed Freight").empty()) << "the scenarios are still listed";
}

TEST_F(DovrelProgramTest, TheEditorsGameFolderSettingIsUsedWithoutGame) {
    const fs::path game = makeGame("game", false);
    temp_.write("config/DovrelConsistEditor/DovrelConsistEditor.conf",
                "[Preferences]\nGameFolder=" + game.string() + "\n");
    const DovrelRun result = run({"consists", "--user"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_FALSE(consistNamed(result.out, "Coal & Ballast").empty());
}

TEST_F(DovrelProgramTest, AnImportWaitsForTheLockThenFailsWithoutWriting) {
    const fs::path game = makeGame("game", false);
    const fs::path shared = temp_.path() / "coal.dovrel-consist";
    ASSERT_EQ(run({"export", "--game", game.string(), "Coal & Ballast", "-o", shared.string()}).exitCode, 0);
    const std::string before = fileText(userFile(game));
    const FileLock held(userFile(game), std::chrono::milliseconds(0));
    ASSERT_EQ(held.state(), FileLock::State::Held);
    const DovrelRun locked =
        run({"import", "--game", game.string(), shared.string(), "--name", "Locked out"});
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_NE(locked.err.find("in use by another program"), std::string::npos) << locked.err;
    EXPECT_EQ(fileText(userFile(game)), before);
}

} // namespace
} // namespace dovrel
