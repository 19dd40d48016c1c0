// Sessions of the consist list on generated installations, through the real editor and the real
// serz: reading user and scenario consists, View, and saving, replacing and deleting user consists
// with the game's file compared line for line with the document the editor must write.
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <regex>
#include <stdexcept>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::fileText;
using testing::TempFolder;
using Strings = std::vector<std::string>;

Strings split(const std::string& text, char separator) {
    Strings pieces;
    for (const QString& piece : QString::fromStdString(text).split(QLatin1Char(separator))) {
        pieces.push_back(piece.toStdString());
    }
    return text.empty() ? Strings{} : pieces;
}

std::string join(const Strings& pieces, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        text += (i == 0 ? "" : separator) + pieces[i];
    }
    return text;
}

// Messages as "icon/buttons/answer: text", and the texts of the consist commands.
std::string information(const std::string& text) {
    return "information/OK/OK: " + text;
}
std::string exclamation(const std::string& text) {
    return "exclamation/OK/OK: " + text;
}
std::string question(const std::string& text, const std::string& answer) {
    return "none/YesNoCancel/" + answer + ": " + text;
}
std::string paragraphs(const Strings& sentences) {
    return join(sentences, "\r\n\r\n");
}
std::string userUnitNotFound(const std::string& blueprint) {
    return exclamation(paragraphs({blueprint, "Consist unit not found in game.", "It will not be listed."}));
}
const std::string kReplace = paragraphs({"Consist currently exists.", "Okay to replace?"});
const std::string kDeleteQuestion = paragraphs({"Consist currently exists on file.", "Okay to delete?"});

std::string runTool(const fs::path& program, const Strings& arguments) {
    QProcess process;
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(program.string()), list);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        throw std::runtime_error(program.string() + " failed: " + process.readAll().toStdString());
    }
    return process.readAll().toStdString();
}

// The XML serz makes of a .bin file, converted from a copy so that nothing lands beside the file.
std::string xmlOfBin(const fs::path& bin, const fs::path& scratch) {
    fs::create_directories(scratch);
    fs::copy_file(bin, scratch / "copy.bin", fs::copy_options::overwrite_existing);
    runTool(testing::serzExecutable(), {(scratch / "copy.bin").string()});
    const std::string xml = fileText(scratch / "copy.xml");
    fs::remove(scratch / "copy.bin");
    fs::remove(scratch / "copy.xml");
    return xml;
}

// A unit as the game's files name it. Units every sample installation catalogues, whatever its seed.
struct Unit {
    std::string provider;
    std::string product;
    std::string path;
};
Unit nordland(const std::string& path) {
    return {"Ostwerk Rail", "Nordland Freight", "RailVehicles\\" + path};
}
Unit heritage(const std::string& path) {
    return {"Ostwerk Rail", "Heritage Steam", "RailVehicles\\" + path};
}
const Unit kDr220 = nordland("Diesel\\DR 220\\Default\\Engine\\dr220.xml");
const Unit kFals = nordland("Freight\\Hopper\\Fals\\Wagon\\fals_coal.xml");
const Unit kBrakeVan = nordland("Wagons\\brake_van.xml");
const Unit kEt45 = nordland("Electric\\ET 45\\Default\\Engine\\et45.xml");
const Unit kZacns = nordland("Freight\\Tank\\Zacns\\Wagon\\zacns_tank.xml");
const Unit k3tTank = heritage("Steam\\Class 3T\\Default\\Engine\\3t_tank.xml");
const Unit kMk1Fk = heritage("Coaches\\Mk1\\Maroon\\Wagon\\mk1_fk.xml");
const Unit kMk1Bck = heritage("Coaches\\Mk1\\Maroon\\Wagon\\mk1_bck.xml");
const std::string kMk1BgMissing = "RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml";
const Unit kEmuMotor{"Kestrel Models", "Regional Express",
                     "RailVehicles\\Electric\\EMU 425\\Default\\Engine\\emu425_dmso.xml"};
const Unit kEmuTrailer{"Kestrel Models", "Regional Express",
                       "RailVehicles\\Electric\\EMU 425\\Default\\Wagon\\emu425_tso.xml"};
using Entries = std::vector<std::pair<Unit, std::string>>; // units with their heading flags

// A cConsistTemplate element in the converter's layout (one element per line, indented by tabs,
// CR LF), its entries numbered from firstEntryId in steps of 16, as the editor numbers them.
std::string userTemplate(std::int64_t id, const std::string& name, const Entries& entries,
                         std::int64_t firstEntryId) {
    std::string x;
    const auto line = [&x](int depth, const std::string& text) {
        x.append(static_cast<std::size_t>(depth), '\t').append(text).append("\r\n");
    };
    const auto value = [&line](int depth, const std::string& element, const std::string& text) {
        line(depth, "<" + element + " d:type=\"cDeltaString\">" + text + "</" + element + ">");
    };
    line(2, "<cConsistTemplate d:id=\"" + std::to_string(id) + "\">");
    line(3, "<Name>");
    line(4, "<Localisation-cUserLocalisedString>");
    value(5, "English", name);
    for (const char* language : {"French", "Italian", "German", "Spanish"}) {
        value(5, language, "");
    }
    line(5, "<Other/>");
    line(4, "</Localisation-cUserLocalisedString>");
    line(3, "</Name>");
    line(3, "<ConsistEntry>");
    std::int64_t entryId = firstEntryId;
    for (const auto& [unit, flipped] : entries) {
        line(4, "<cConsistTemplateEntry d:id=\"" + std::to_string(entryId) + "\">");
        entryId += 16;
        line(5, "<Blueprint>");
        line(6, "<iBlueprintLibrary-cAbsoluteBlueprintID>");
        line(7, "<BlueprintSetID>");
        line(8, "<iBlueprintLibrary-cBlueprintSetID>");
        value(9, "Provider", unit.provider);
        value(9, "Product", unit.product);
        line(8, "</iBlueprintLibrary-cBlueprintSetID>");
        line(7, "</BlueprintSetID>");
        value(7, "BlueprintID", unit.path);
        line(6, "</iBlueprintLibrary-cAbsoluteBlueprintID>");
        line(5, "</Blueprint>");
        line(5, "<Flipped d:type=\"bool\">" + flipped + "</Flipped>");
        line(4, "</cConsistTemplateEntry>");
    }
    line(3, "</ConsistEntry>");
    line(2, "</cConsistTemplate>");
    return x;
}

// A user-consist file as serz writes it, with the record set id of a file the editor created.
std::string userConsistDocument(const Strings& templates) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<cRecordSet xmlns:d=\"urn:vantor:delta\" "
           "d:version=\"1.0\" d:id=\"132395920\">\r\n\t<Record>\r\n" +
           join(templates, "") + "\t</Record>\r\n</cRecordSet>\r\n";
}

// The template the editor writes for the units of its consist line (each a catalogue record, "|",
// heading flag).
std::string savedTemplate(std::int64_t id, const std::string& name, const Strings& consistUnits,
                          std::int64_t firstEntryId) {
    Entries entries;
    for (const std::string& unit : consistUnits) {
        const Strings fields = split(unit, '|');
        entries.push_back({Unit{fields.at(2), fields.at(3), fields.at(4)}, fields.back()});
    }
    return userTemplate(id, name, entries, firstEntryId);
}

// The n-th id (from 0) the editor draws when DOVREL_RANDOM_SEED is the seed: 100000000 plus the
// integer part of r * 900000000, r made of 53 bits of std::mt19937_64.
std::int64_t drawnId(std::uint64_t seed, int n) {
    std::mt19937_64 generator(seed);
    std::uint64_t value = 0;
    for (int i = 0; i <= n; ++i) {
        value = generator();
    }
    return 100000000 + static_cast<std::int64_t>(static_cast<double>(value >> 11) * 0x1.0p-53 * 900000000.0);
}

// A generated installation (seed 7), made once for the whole program, with its count of scenario
// consists.
struct SampleGame {
    TempFolder folder;
    int scenarioConsists = 0;
    fs::path game() const { return folder.gameFolder(); }
};

const SampleGame& sampleGame(bool lowerCase = false) {
    static std::unique_ptr<SampleGame> made[2];
    std::unique_ptr<SampleGame>& sample = made[lowerCase ? 1 : 0];
    if (!sample) {
        sample = std::make_unique<SampleGame>();
        Strings arguments{sample->game().string(), "--seed", "7"};
        if (lowerCase) {
            arguments.emplace_back("--lower-case");
        }
        const std::string output = runTool(fs::path(DOVREL_BIN_DIR) / "make-sample-game", arguments);
        std::smatch match;
        if (!std::regex_search(output, match, std::regex("([0-9]+) scenario consists"))) {
            throw std::runtime_error("make-sample-game said: " + output);
        }
        sample->scenarioConsists = std::stoi(match[1].str());
    }
    return *sample;
}

Strings stringsOf(const QJsonValue& value) {
    Strings strings;
    for (const QJsonValue& entry : value.toArray()) {
        strings.push_back(entry.toString().toStdString());
    }
    return strings;
}

// One state dump; messages shown during start-up are left out.
class Dump {
public:
    Dump(QJsonObject json, qsizetype startMessages) : json_(std::move(json)), startMessages_(startMessages) {}

    QJsonObject control(const char* name) const { return json_["controls"].toObject()[name].toObject(); }
    std::string text(const char* name) const { return control(name)["text"].toString().toStdString(); }
    bool enabled(const char* name) const { return control(name)["enabled"].toBool(); }
    int current(const char* name) const { return control(name)["current"].toInt(-2); }
    Strings items(const char* name) const { return stringsOf(control(name)["items"]); }
    QJsonValue state(const char* member) const { return json_["state"].toObject()[member]; }
    Strings listedConsists() const { return stringsOf(state("listedConsists")); }
    Strings consistUnits() const { return stringsOf(state("consistUnits")); }

    Strings messages() const {
        const QJsonArray all = json_["messages"].toArray();
        Strings messages;
        for (qsizetype i = startMessages_; i < all.size(); ++i) {
            const QJsonObject m = all.at(i).toObject();
            messages.push_back((m["icon"].toString() + "/" + m["buttons"].toString() + "/" +
                                m["answer"].toString() + ": " + m["text"].toString())
                                   .toStdString());
        }
        return messages;
    }

    // A listed consist: the catalogue records of the units (found by path, letter case aside), each
    // with its heading flag, joined by ":".
    std::string listed(const Entries& units) const {
        Strings listedUnits;
        for (const auto& [unit, heading] : units) {
            for (const std::string& record : stringsOf(state("catalogue"))) {
                if (QString::fromStdString(split(record, '|').at(4))
                        .compare(QString::fromStdString(unit.path), Qt::CaseInsensitive) == 0) {
                    listedUnits.push_back(record + "|" + heading);
                    break;
                }
            }
        }
        return join(listedUnits, ":");
    }

private:
    QJsonObject json_;
    qsizetype startMessages_;
};

QJsonObject readJson(const std::string& file) {
    QFile in(QString::fromStdString(file));
    if (!in.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("no dump " + file);
    }
    return QJsonDocument::fromJson(in.readAll()).object();
}

// The editor on one game folder: its own (to fill), or the sample's, which the session must not change.
class Session {
public:
    explicit Session(std::optional<fs::path> sharedGame = std::nullopt)
        : editor_(temp_), game_(sharedGame.value_or(temp_.gameFolder())) {
        editor_.storeGameFolder(game_);
    }

    void setRandomSeed(std::uint64_t seed) {
        editor_.setEnvironment("DOVREL_RANDOM_SEED", std::to_string(seed));
    }
    fs::path gameFile() const { return game_ / "Content" / "ConsistTemplates.bin"; }
    fs::path programFile(const fs::path& relative) const { return temp_.programFolder() / relative; }
    std::string gameFileXml() const { return xmlOfBin(gameFile(), temp_.path() / "check"); }

    // A copy of the sample installation, for a session that writes to it.
    void copySample() {
        fs::copy(sampleGame().game(), game_,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    // An installation of its own whose user-consist file holds the templates, written by serz, with
    // the sample's stock: its assets are linked.
    void borrowAssets(const Strings& templates) {
        temp_.write("game/Vantor.exe", "");
        fs::create_directories(game_ / "Content" / "Routes");
        fs::create_directory_symlink(sampleGame().game() / "Assets", game_ / "Assets");
        const fs::path xml = temp_.write("game/Content/ConsistTemplates.xml", userConsistDocument(templates));
        runTool(testing::serzExecutable(), {xml.string()});
        fs::remove(xml);
    }

    // Runs the actions, each line "dump" replaced by a dump into a file of its own; returns the
    // dumps in order.
    std::vector<Dump> run(const Strings& actions) {
        const std::string prefix = (temp_.path() / ("run" + std::to_string(++runs_) + "-")).string();
        std::string script = "dump " + prefix + "start.json\n";
        Strings dumpFiles;
        for (const std::string& action : actions) {
            if (action == "dump") {
                dumpFiles.push_back(prefix + std::to_string(dumpFiles.size()) + ".json");
            }
            script += (action == "dump" ? "dump " + dumpFiles.back() : action) + "\n";
        }
        const testing::EditorResult result = editor_.runScript(script);
        if (result.exitCode != 0) {
            throw std::runtime_error("editor exit code " + std::to_string(result.exitCode) + ": " +
                                     result.standardError);
        }
        const qsizetype startMessages = readJson(prefix + "start.json")["messages"].toArray().size();
        std::vector<Dump> dumps;
        for (const std::string& file : dumpFiles) {
            dumps.emplace_back(readJson(file), startMessages);
        }
        return dumps;
    }

private:
    TempFolder temp_;
    testing::EditorProcess editor_;
    fs::path game_;
    int runs_ = 0;
};

std::string rowName(const std::string& row) {
    return row.substr(row.find('\t') + 1);
}
std::string rowId(const std::string& row) {
    return row.substr(0, row.find('\t'));
}
std::size_t rowNamed(const Strings& rows, const std::string& name) {
    return static_cast<std::size_t>(
        std::find_if(rows.begin(), rows.end(), [&](const auto& row) { return rowName(row) == name; }) -
        rows.begin());
}

TEST(ConsistFilesReaders, UserConsistsOfASampleAreListedWithTheirUnitsAndTheMissingOneNoted) {
    Session session(sampleGame().game());
    // An earlier, longer notfound.txt is replaced, not added to.
    std::ofstream(session.programFile("notfound.txt"), std::ios::binary)
        << "RailVehicles\\Earlier\\one.xml\r\nRailVehicles\\two.xml\r\n";
    const Dump dump = session.run({"click mnuOpenVTUserConsists", "dump"})[0];

    const Strings rows = dump.items("List3");
    const std::string xml = session.gameFileXml();
    const Strings names{"Nordland Coal Train", "Güterzug Nord 47611", "Coal &amp; Ballast",
                        "EMU 425 Pair",        "Heritage Excursion",  "Mixed Freight"};
    ASSERT_EQ(rows.size(), names.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rowName(rows[i]), names[i]);
        EXPECT_NE(xml.find("<cConsistTemplate d:id=\"" + rowId(rows[i]) + "\">"), std::string::npos);
    }
    const Strings listed = dump.listedConsists();
    EXPECT_EQ(listed.at(0),
              dump.listed(
                  {{kDr220, "0"}, {kFals, "0"}, {kFals, "0"}, {kFals, "1"}, {kFals, "0"}, {kBrakeVan, "1"}}));
    EXPECT_EQ(listed.at(4), dump.listed({{k3tTank, "0"}, {kMk1Fk, "0"}, {kMk1Fk, "0"}, {kMk1Bck, "1"}}))
        << "the missing brake coach is left out";
    for (const std::string& consist : listed) {
        EXPECT_FALSE(consist.empty() || consist.ends_with(":"));
    }
    // Row 0 is chosen and shown.
    EXPECT_EQ(dump.current("List3"), 0);
    EXPECT_EQ(dump.text("Label22"), rowId(rows[0]) + " Nordland Coal Train");
    EXPECT_EQ(dump.control("ListView1")["rows"].toArray().size(), 6);
    EXPECT_EQ(dump.messages(), Strings{userUnitNotFound(kMk1BgMissing)});
    EXPECT_EQ(fileText(session.programFile("notfound.txt")), kMk1BgMissing + "\r\n");
}

TEST(ConsistFilesReaders, ScenarioConsistsOfASampleAreListedAcrossAllScenarios) {
    Session session(sampleGame().game());
    const Dump dump = session.run({"click mnuOpenVTScenarioConsists", "dump"})[0];
    const Strings rows = dump.items("List3");
    const Strings listed = dump.listedConsists();
    // Every consist but the one without vehicles, numbered on from one scenario to the next with
    // no empty slot between.
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(sampleGame().scenarioConsists - 1));
    ASSERT_EQ(listed.size(), rows.size());
    EXPECT_EQ(dump.text("Label22"), rowId(rows[0]) + " " + rowName(rows[0]));
    EXPECT_LT(rowNamed(rows, "(unassigned)"), rows.size());
    EXPECT_EQ(listed.at(rowNamed(rows, "7Z41 Coal to Brennmoor")), dump.listed({{kDr220, "0"},
                                                                                {kFals, "0"},
                                                                                {kFals, "1"},
                                                                                {kFals, "0"},
                                                                                {kFals, "1"},
                                                                                {kFals, "0"},
                                                                                {kBrakeVan, "1"}}));
    EXPECT_EQ(listed.at(rowNamed(rows, "2N15 Stopping Service")),
              dump.listed({{kEmuMotor, "0"}, {kEmuTrailer, "0"}, {kEmuMotor, "1"}}))
        << "paths written in lower case are found";

    // One message per missing vehicle, in the order of the walk, and their paths in notfound.txt.
    std::vector<std::pair<std::size_t, std::string>> missing{
        {rowNamed(rows, "6M02 Mixed Freight"), "Freight\\Hopper\\Fals\\Wagon\\fals_covered.xml"},
        {rowNamed(rows, "Güterzug 47611 nach Brennmoor"),
         "Freight\\Default Wagon\\Wagon\\default_wagon.xml"}};
    std::sort(missing.begin(), missing.end());
    Strings messages;
    std::string notFound;
    for (const auto& [row, path] : missing) {
        messages.push_back(information(
            paragraphs({"ConsistID: " + rowId(rows.at(row)),
                        "Unit not found: " + path.substr(path.rfind('\\') + 1), "It will not be listed."})));
        notFound += "RailVehicles\\" + path + "\r\n";
    }
    EXPECT_EQ(dump.messages(), messages);
    EXPECT_EQ(fileText(session.programFile("notfound.txt")), notFound);
}

// View loads the listed units as a step of its own: Undo brings the line and the name back, Redo
// loads the consist again; Refresh Equipment List clears the history.
TEST(ConsistFilesView, ViewLoadsTheListedUnitsAndUndoTakesItBack) {
    Session session(sampleGame().game());
    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "choose List3 #0", "click butView", "dump",
                     "choose List3 #3", "answer Yes", "click butView", "dump", "click mnuUndo", "dump",
                     "click mnuRedo", "dump", "answer Yes", "click mnuRefreshEquipmentList", "dump"});
    EXPECT_EQ(dumps[0].consistUnits(), split(dumps[0].listedConsists().at(0), ':'));
    EXPECT_EQ(dumps[1].consistUnits(), split(dumps[1].listedConsists().at(3), ':'));
    EXPECT_EQ(dumps[1].text("mnuUndo"), "Undo View Consist");
    EXPECT_EQ(dumps[2].consistUnits(), dumps[0].consistUnits());
    EXPECT_EQ(dumps[2].text("Text1"), "Nordland Coal Train");
    EXPECT_EQ(dumps[2].state("selectedIndex").toInt(), 0);
    EXPECT_EQ(dumps[2].text("mnuRedo"), "Redo View Consist");
    EXPECT_EQ(dumps[3].consistUnits(), dumps[1].consistUnits());
    EXPECT_EQ(dumps[3].text("Text1"), "EMU 425 Pair");
    EXPECT_EQ(dumps[4].state("unitCount").toInt(), 0);
    EXPECT_FALSE(dumps[4].enabled("mnuUndo") || dumps[4].enabled("mnuRedo"));
}

// =============================================================================================
// Saving and deleting: the game's file, as serz reads it back, is the document the editor must write

constexpr std::uint64_t kSaveSeed = 20240613;

TEST(ConsistFilesSave, ASaveWithoutAFileCreatesItAndReadsBackAsSaved) {
    Session session;
    session.copySample();
    session.setRandomSeed(kSaveSeed);
    fs::remove(session.gameFile());
    const std::string name = "Zürcher Güterzug «Öl» Nº 5";
    const std::vector<Dump> dumps = session.run(
        {"click mnuOpenVTScenarioConsists", "choose List3 #0", "click butView", "type Text1 " + name, "dump",
         "click mnuSaveConsistToVTUserConsists", "dump", "click mnuOpenVTUserConsists", "dump"});
    const Dump& before = dumps[0];
    const Dump& saved = dumps[1];
    EXPECT_FALSE(before.enabled("mnuOpenVTUserConsists"));
    EXPECT_EQ(saved.messages().back(), information("Consist saved."));
    EXPECT_TRUE(saved.enabled("mnuOpenVTUserConsists"));
    // Scenario consists stay on show.
    EXPECT_EQ(saved.text("Label7"), "Scenario Consists");
    EXPECT_EQ(saved.items("List3"), before.items("List3"));

    // Ids from the first two draws, no CR LF after the last line; serz reads it back to the same lines.
    const Strings units = before.consistUnits();
    ASSERT_FALSE(units.empty());
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    const std::string expected =
        userConsistDocument({savedTemplate(templateId, name, units, drawnId(kSaveSeed, 1))});
    EXPECT_EQ(fileText(session.programFile("Temp/tempc.xml")), expected.substr(0, expected.size() - 2));
    ASSERT_TRUE(fs::exists(session.gameFile()));
    EXPECT_EQ(session.gameFileXml(), expected);
    EXPECT_EQ(dumps[2].items("List3"), Strings{std::to_string(templateId) + "\t" + name});
    EXPECT_EQ(dumps[2].listedConsists(), Strings{join(units, ":")});
}

TEST(ConsistFilesSave, TheSameNameAgainIsReplacedAfterYes) {
    Session session;
    session.copySample();
    session.setRandomSeed(kSaveSeed);
    const std::string xmlBefore = session.gameFileXml();
    const std::vector<Dump> replaced =
        session.run({"click mnuOpenVTUserConsists", "choose List3 #0", "click butView", "dump", "answer Yes",
                     "click mnuSaveConsistToVTUserConsists", "dump"});
    // The file is read again before "Consist saved.", so its missing unit is announced again.
    const std::string missing = userUnitNotFound(kMk1BgMissing);
    EXPECT_EQ(replaced[1].messages(),
              (Strings{missing, question(kReplace, "Yes"), missing, information("Consist saved.")}));

    // The old template's lines are gone, the others keep theirs, the new one comes last.
    const Strings rowsBefore = replaced[0].items("List3");
    const Strings units = replaced[0].consistUnits();
    EXPECT_EQ(units, split(replaced[0].listedConsists().at(0), ':')) << "View loads the listed units";
    const std::size_t open =
        xmlBefore.find("\t\t<cConsistTemplate d:id=\"" + rowId(rowsBefore.at(0)) + "\">");
    const std::size_t close = xmlBefore.find("\t\t</cConsistTemplate>\r\n", open) + 23;
    const std::size_t record = xmlBefore.find("\t</Record>\r\n");
    ASSERT_LT(close, record);
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    EXPECT_EQ(session.gameFileXml(),
              xmlBefore.substr(0, open) + xmlBefore.substr(close, record - close) +
                  savedTemplate(templateId, "Nordland Coal Train", units, drawnId(kSaveSeed, 1)) +
                  xmlBefore.substr(record));
    Strings rowsAfter(rowsBefore.begin() + 1, rowsBefore.end());
    rowsAfter.push_back(std::to_string(templateId) + "\tNordland Coal Train");
    EXPECT_EQ(replaced[1].items("List3"), rowsAfter);
    EXPECT_EQ(replaced[1].listedConsists().back(), join(units, ":"));
    // The saved consist is chosen again.
    EXPECT_EQ(replaced[1].current("List3"), 5);
    EXPECT_EQ(replaced[1].text("Label22"), std::to_string(templateId) + " Nordland Coal Train");
}

TEST(ConsistFilesDelete, DeletingOneOfThreeCutsOutExactlyItsLinesAndTheLastDeletesTheFile) {
    const std::string first = userTemplate(5001, "First", {{kDr220, "0"}, {kFals, "1"}}, 10001);
    const std::string second = userTemplate(5002, "Second", {{kEt45, "0"}, {kZacns, "0"}}, 10101);
    const std::string third = userTemplate(5003, "Third", {{kBrakeVan, "1"}}, 10201);
    Session session;
    session.borrowAssets({first, second, third});
    ASSERT_EQ(session.gameFileXml(), userConsistDocument({first, second, third}));

    const Dump dump = session.run({"click mnuOpenVTUserConsists", "choose List3 #1", "answer Yes",
                                   "click mnuDeleteConsist", "dump"})[0];
    EXPECT_EQ(dump.messages(), (Strings{question(kDeleteQuestion, "Yes"),
                                        information(paragraphs({"Second", "Consist deleted."}))}));
    const std::string expected = userConsistDocument({first, third});
    EXPECT_EQ(session.gameFileXml(), expected);
    // The rewrite ends every line with CR LF, the last one included.
    EXPECT_EQ(fileText(session.programFile("Temp/tempc.xml")), expected);
    EXPECT_EQ(dump.items("List3"), (Strings{"5001\tFirst", "5003\tThird"}));
    EXPECT_EQ(dump.listedConsists(),
              (Strings{dump.listed({{kDr220, "0"}, {kFals, "1"}}), dump.listed({{kBrakeVan, "1"}})}));
    EXPECT_EQ(dump.current("List3"), 0);

    // The last two: the file goes with the last, and the list empties.
    const Dump last = session.run({"click mnuOpenVTUserConsists", "answer Yes", "click mnuDeleteConsist",
                                   "answer Yes", "click mnuDeleteConsist", "dump"})[0];
    EXPECT_FALSE(fs::exists(session.gameFile()));
    EXPECT_EQ(last.messages().back(),
              information(paragraphs({"Third", "Consist deleted.", "No more user consists."})));
    EXPECT_EQ(last.items("List3"), Strings{});
    EXPECT_FALSE(last.enabled("mnuOpenVTUserConsists"));
}

} // namespace
} // namespace dovrel
