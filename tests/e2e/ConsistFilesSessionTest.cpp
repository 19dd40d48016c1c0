// SPDX-License-Identifier: GPL-3.0-or-later
// The consist list through the real editor and serz on a generated installation: reading, View, and
// saving, replacing and deleting with the game's file compared with the document the editor must write.
#include "platform/SpawnProcessRunner.h"
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
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

// Messages are "icon/buttons/answer: text".
std::string information(const std::string& text) {
    return "information/OK/OK: " + text;
}
std::string paragraphs(const Strings& sentences) {
    return join(sentences, "\r\n\r\n");
}

void runTool(const fs::path& program, const Strings& arguments) {
    if (SpawnProcessRunner().run(program, arguments, false) != 0) {
        throw std::runtime_error(program.string() + " failed");
    }
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

const std::string kMk1BgMissing = "RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml";
const std::string kMk1BgNotFound =
    "exclamation/OK/OK: " +
    paragraphs({kMk1BgMissing, "Consist unit not found in game.", "It will not be listed."});

// The template the editor writes for the units of its consist line (each a catalogue record, "|",
// heading flag): in the converter's layout (one element per line, indented by tabs, CR LF), its
// entries numbered from firstEntryId in steps of 16.
std::string savedTemplate(std::int64_t id, const std::string& name, const Strings& consistUnits,
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
    for (const std::string& unit : consistUnits) {
        const Strings fields = split(unit, '|');
        line(4, "<cConsistTemplateEntry d:id=\"" + std::to_string(entryId) + "\">");
        entryId += 16;
        line(5, "<Blueprint>");
        line(6, "<iBlueprintLibrary-cAbsoluteBlueprintID>");
        line(7, "<BlueprintSetID>");
        line(8, "<iBlueprintLibrary-cBlueprintSetID>");
        value(9, "Provider", fields.at(2));
        value(9, "Product", fields.at(3));
        line(8, "</iBlueprintLibrary-cBlueprintSetID>");
        line(7, "</BlueprintSetID>");
        value(7, "BlueprintID", fields.at(4));
        line(6, "</iBlueprintLibrary-cAbsoluteBlueprintID>");
        line(5, "</Blueprint>");
        line(5, "<Flipped d:type=\"bool\">" + fields.back() + "</Flipped>");
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

// The document without the template of the id.
std::string withoutTemplate(const std::string& xml, const std::string& id) {
    const std::size_t open = xml.find("\t\t<cConsistTemplate d:id=\"" + id + "\">");
    const std::size_t close = xml.find("\t\t</cConsistTemplate>\r\n", open) + 23;
    return open == std::string::npos ? "" : xml.substr(0, open) + xml.substr(close);
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

// A generated installation (seed 7), made once for the whole program.
fs::path sampleGame() {
    static const std::unique_ptr<TempFolder> sample = [] {
        auto folder = std::make_unique<TempFolder>();
        runTool(fs::path(DOVREL_BIN_DIR) / "make-sample-game",
                {folder->gameFolder().string(), "--seed", "7"});
        return folder;
    }();
    return sample->gameFolder();
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

    QJsonObject control(const char* name) const {
        return json_[QLatin1String("controls")].toObject()[QLatin1String(name)].toObject();
    }
    std::string text(const char* name) const {
        return control(name)[QLatin1String("text")].toString().toStdString();
    }
    bool enabled(const char* name) const { return control(name)[QLatin1String("enabled")].toBool(); }
    int current(const char* name) const { return control(name)[QLatin1String("current")].toInt(-2); }
    Strings items(const char* name) const { return stringsOf(control(name)[QLatin1String("items")]); }
    QJsonValue state(const char* member) const {
        return json_[QLatin1String("state")].toObject()[QLatin1String(member)];
    }
    Strings listedConsists() const { return stringsOf(state("listedConsists")); }
    Strings consistUnits() const { return stringsOf(state("consistUnits")); }
    QJsonArray fileDialogs() const { return json_[QLatin1String("fileDialogs")].toArray(); }

    Strings messages() const {
        const QJsonArray all = json_[QLatin1String("messages")].toArray();
        Strings messages;
        for (qsizetype i = startMessages_; i < all.size(); ++i) {
            const QJsonObject m = all.at(i).toObject();
            messages.push_back((m[QLatin1String("icon")].toString() + QLatin1Char('/') +
                                m[QLatin1String("buttons")].toString() + QLatin1Char('/') +
                                m[QLatin1String("answer")].toString() + QLatin1String(": ") +
                                m[QLatin1String("text")].toString())
                                   .toStdString());
        }
        return messages;
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
        fs::copy(sampleGame(), game_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
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
        const qsizetype startMessages =
            readJson(prefix + "start.json")[QLatin1String("messages")].toArray().size();
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

// A listed consist as the file names of its units' blueprints (in lower case), each with its heading.
std::string blueprintsOf(const std::string& consist) {
    std::string text;
    for (const std::string& unit : split(consist, ':')) {
        const Strings fields = split(unit, '|');
        text += fields.at(4).substr(fields.at(4).rfind('\\') + 1) + "|" + fields.back() + " ";
    }
    return QString::fromStdString(text).toLower().toStdString();
}

TEST(ConsistFilesReaders, UserConsistsOfASampleAreListedWithTheirUnitsAndTheMissingOneNoted) {
    Session session(sampleGame());
    const Dump dump = session.run({"click mnuOpenVTUserConsists", "dump"})[0];
    Strings names;
    for (const std::string& row : dump.items("List3")) {
        names.push_back(rowName(row));
    }
    EXPECT_EQ(names, (Strings{"Nordland Coal Train", "Güterzug Nord 47611", "Coal &amp; Ballast",
                              "EMU 425 Pair", "Heritage Excursion", "Mixed Freight"}));
    const Strings listed = dump.listedConsists();
    ASSERT_EQ(listed.size(), names.size());
    EXPECT_EQ(blueprintsOf(listed[4]), "3t_tank.xml|0 mk1_fk.xml|0 mk1_fk.xml|0 mk1_bck.xml|1 ")
        << "the missing brake coach is left out";
    EXPECT_EQ(dump.messages(), Strings{kMk1BgNotFound});
    EXPECT_EQ(fileText(session.programFile("notfound.txt")), kMk1BgMissing + "\r\n");
}

TEST(ConsistFilesReaders, ScenarioConsistsOfASampleAreListedAcrossAllScenarios) {
    Session session(sampleGame());
    const Dump dump = session.run({"click mnuOpenVTScenarioConsists", "dump"})[0];
    const Strings rows = dump.items("List3");
    const Strings listed = dump.listedConsists();
    ASSERT_EQ(listed.size(), rows.size());
    EXPECT_EQ(blueprintsOf(listed.at(rowNamed(rows, "7Z41 Coal to Brennmoor"))),
              "dr220.xml|0 fals_coal.xml|0 fals_coal.xml|1 fals_coal.xml|0 fals_coal.xml|1 fals_coal.xml|0 "
              "brake_van.xml|1 ");
    // A message for each of the two missing vehicles (their order is the reader's, tested with it).
    EXPECT_EQ(dump.messages().size(), 2u);
}

// View loads the listed units as a step of its own: Undo brings the line and the name back, Redo
// loads the consist again; Refresh Equipment List clears the history.
TEST(ConsistFilesView, ViewLoadsTheListedUnitsAndUndoTakesItBack) {
    Session session(sampleGame());
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

// File > Export Consist... and Import Consist... reached by a script's file-dialog lines: the line
// exported through the save dialog comes back whole through the open dialog, as one step.
TEST(ConsistFilesShare, AnExportedConsistImportsBackThroughTheScriptsFileDialogs) {
    Session session(sampleGame());
    const TempFolder shared;
    const std::string file = (shared.path() / "coal").string();
    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "choose List3 #2", "click butView", "dump",
                     "file-dialog " + file, "click mnuExportConsist", "answer Yes", "click mnuNewConsist",
                     "file-dialog " + file + ".dovrel-consist", "click mnuImportConsist", "dump"});
    EXPECT_TRUE(fs::is_regular_file(file + ".dovrel-consist"));
    EXPECT_EQ(dumps[1].consistUnits(), dumps[0].consistUnits());
    EXPECT_EQ(dumps[1].text("Text1"), dumps[0].text("Text1"));
    EXPECT_EQ(dumps[1].text("mnuUndo"), "Undo Import Consist");
    const QJsonArray dialogs = dumps[1].fileDialogs();
    ASSERT_EQ(dialogs.size(), 2);
    EXPECT_EQ(dialogs[0].toObject()[QLatin1String("title")].toString(), QStringLiteral("Export Consist"));
    EXPECT_TRUE(dialogs[0].toObject()[QLatin1String("save")].toBool());
    EXPECT_EQ(dialogs[1].toObject()[QLatin1String("title")].toString(), QStringLiteral("Import Consist"));
    EXPECT_FALSE(dialogs[1].toObject().contains(QLatin1String("save")));
    for (const std::string& message : dumps[1].messages()) {
        EXPECT_EQ(message.find("not installed"), std::string::npos) << "every unit came back: " << message;
    }
}

// A name typed after View is the name of the line from then on: Undo and Redo over the View and the
// steps after it give it back, so a Save goes to the typed name.
TEST(ConsistFilesView, ANameTypedAfterViewComesBackWithRedo) {
    Session session(sampleGame());
    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "choose List3 #0", "click butView",
                     "type Text1 Typed name", "choose List1 #0", "click butAddLocoRight", "dump",
                     "click mnuUndo", "click mnuUndo", "dump", "click mnuRedo", "click mnuRedo", "dump"});
    EXPECT_EQ(dumps[1].text("Text1"), "");
    EXPECT_EQ(dumps[1].state("unitCount").toInt(), 0);
    EXPECT_EQ(dumps[2].text("Text1"), "Typed name");
    EXPECT_EQ(dumps[2].consistUnits(), dumps[0].consistUnits());
}

// Saving and deleting: the game's file, as serz reads it back, is the document the editor must write.
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
    EXPECT_FALSE(dumps[0].enabled("mnuOpenVTUserConsists"));
    EXPECT_EQ(dumps[1].messages().back(), information("Consist saved."));
    EXPECT_TRUE(dumps[1].enabled("mnuOpenVTUserConsists"));
    EXPECT_EQ(dumps[1].items("List3"), dumps[0].items("List3")) << "scenario consists stay on show";

    // Ids from the first two draws, no CR LF after the last line; serz reads it back to the same lines.
    const Strings units = dumps[0].consistUnits();
    ASSERT_FALSE(units.empty());
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    const std::string expected =
        userConsistDocument({savedTemplate(templateId, name, units, drawnId(kSaveSeed, 1))});
    EXPECT_EQ(fileText(session.programFile("Temp/tempc.xml")), expected.substr(0, expected.size() - 2));
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
    EXPECT_EQ(
        replaced[1].messages(),
        (Strings{kMk1BgNotFound,
                 "none/YesNoCancel/Yes: " + paragraphs({"Consist currently exists.", "Okay to replace?"}),
                 kMk1BgNotFound, information("Consist saved.")}));

    // The old template's lines are gone, the others keep theirs, the new one comes last and is chosen.
    const Strings rowsBefore = replaced[0].items("List3");
    const Strings units = replaced[0].consistUnits();
    const std::string rest = withoutTemplate(xmlBefore, rowId(rowsBefore.at(0)));
    const std::size_t record = rest.find("\t</Record>\r\n");
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    EXPECT_EQ(session.gameFileXml(),
              rest.substr(0, record) +
                  savedTemplate(templateId, "Nordland Coal Train", units, drawnId(kSaveSeed, 1)) +
                  rest.substr(record));
    EXPECT_EQ(replaced[1].listedConsists().back(), join(units, ":"));
    EXPECT_EQ(replaced[1].current("List3"), 5);
    EXPECT_EQ(replaced[1].text("Label22"), std::to_string(templateId) + " Nordland Coal Train");
}

TEST(ConsistFilesDelete, DeletingOneCutsOutExactlyItsLinesAndTheLastDeletesTheFile) {
    Session session;
    session.copySample();
    const std::string xmlBefore = session.gameFileXml();
    const std::vector<Dump> dumps = session.run({"click mnuOpenVTUserConsists", "dump", "choose List3 #1",
                                                 "answer Yes", "click mnuDeleteConsist", "dump"});
    const Dump& dump = dumps[1];
    const std::string deleted = rowName(dumps[0].items("List3").at(1));
    EXPECT_EQ(dump.messages(),
              (Strings{kMk1BgNotFound,
                       "none/YesNoCancel/Yes: " +
                           paragraphs({"Consist currently exists on file.", "Okay to delete?"}),
                       kMk1BgNotFound, information(paragraphs({deleted, "Consist deleted."}))}));
    const Strings rows = dump.items("List3");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rowNamed(rows, deleted), rows.size());
    const std::string expected = withoutTemplate(xmlBefore, rowId(dumps[0].items("List3").at(1)));
    EXPECT_EQ(session.gameFileXml(), expected);
    // The rewrite ends every line with CR LF, the last one included.
    EXPECT_EQ(fileText(session.programFile("Temp/tempc.xml")), expected);

    // The other five: the file goes with the last, and the list empties.
    Strings actions{"click mnuOpenVTUserConsists"};
    for (int i = 0; i < 5; ++i) {
        actions.insert(actions.end(), {"answer Yes", "click mnuDeleteConsist"});
    }
    actions.push_back("dump");
    const Dump last = session.run(actions)[0];
    EXPECT_FALSE(fs::exists(session.gameFile()));
    EXPECT_EQ(last.messages().back(),
              information(paragraphs({rowName(rows.back()), "Consist deleted.", "No more user consists."})));
    EXPECT_EQ(last.items("List3"), Strings{});
    EXPECT_FALSE(last.enabled("mnuOpenVTUserConsists"));
}

} // namespace
} // namespace dovrel
