// Sessions of the consist list on generated installations, through the real editor and the real
// serz: the user-consist and scenario readers, viewing and loading a listed consist, and saving and
// deleting user consists. Files in unusual shapes are written as XML in the converter's layout and
// turned into the game's .bin files by serz itself.
#include "support/EditorProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <regex>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {
namespace {

namespace fs = std::filesystem;
using testing::EditorProcess;
using testing::fileText;
using testing::TempFolder;

constexpr std::string_view kCrLf = "\r\n";
constexpr std::uint64_t kSampleSeed = 7;

// ---------------------------------------------------------------------------------------------
// Texts

// Pieces of a text split at a separator; the empty text has none.
std::vector<std::string> splitText(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (text.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::string joinTexts(const std::vector<std::string>& pieces, std::string_view separator) {
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            text.append(separator);
        }
        text.append(pieces[i]);
    }
    return text;
}

std::string asciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string asciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

// The messages of the consist commands, as the user reads them.
namespace texts {
std::string paragraphs(const std::vector<std::string>& sentences) {
    return joinTexts(sentences, "\r\n\r\n");
}
std::string userUnitNotFound(const std::string& blueprint) {
    return paragraphs({blueprint, "Consist unit not found in game.", "It will not be listed."});
}
std::string scenarioUnitNotFound(const std::string& consistId, const std::string& fileName) {
    return paragraphs({"ConsistID: " + consistId, "Unit not found: " + fileName, "It will not be listed."});
}
const std::string kSelectConsist = "Select consist in list.";
const std::string kAbandon = paragraphs({"You are currently editing as consist.", "Okay to abandon?"});
const std::string kNameMissing = paragraphs({"Consist Name:", "You must name the consist.", "Enter a name."});
const std::string kForbiddenSymbols =
    paragraphs({"Consist Name:", "\\/*:?\"<>| symbols not allowed in consist name.", "Choose another name."});
const std::string kReplace = paragraphs({"Consist currently exists.", "Okay to replace?"});
const std::string kSaved = "Consist saved.";
const std::string kBadlyFormed =
    paragraphs({"Operation aborted.", "Badly formed .xml file.", "See error.xml file in \\Temp folder."});
const std::string kDeleteQuestion = paragraphs({"Consist currently exists on file.", "Okay to delete?"});
std::string deleted(const std::string& name) {
    return paragraphs({name, "Consist deleted."});
}
std::string lastDeleted(const std::string& name) {
    return paragraphs({name, "Consist deleted.", "No more user consists."});
}
} // namespace texts

// ---------------------------------------------------------------------------------------------
// Files and programs

void writeFile(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun runTool(const fs::path& program, const std::vector<std::string>& arguments) {
    QProcess process;
    QStringList list;
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QString::fromStdString(program.string()), list);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAll().toStdString()};
}

// Writes XML as the .bin file the game keeps, converted by serz.
void writeBinFile(const fs::path& bin, const std::string& xml) {
    const fs::path source = fs::path(bin).replace_extension(".xml");
    writeFile(source, xml);
    const ToolRun run = runTool(testing::serzExecutable(), {source.string()});
    fs::remove(source);
    if (run.exitCode != 0 || !fs::exists(bin)) {
        throw std::runtime_error("serz refused " + source.string() + ": " + run.output);
    }
}

// The XML serz makes of a .bin file, converted from a copy so that nothing lands beside the file.
std::string xmlOfBin(const fs::path& bin, const fs::path& scratch) {
    fs::create_directories(scratch);
    const fs::path copy = scratch / "copy.bin";
    fs::copy_file(bin, copy, fs::copy_options::overwrite_existing);
    const ToolRun run = runTool(testing::serzExecutable(), {copy.string()});
    if (run.exitCode != 0) {
        throw std::runtime_error("serz cannot read " + bin.string() + ": " + run.output);
    }
    std::string xml = fileText(scratch / "copy.xml");
    fs::remove(copy);
    fs::remove(scratch / "copy.xml");
    return xml;
}

// ---------------------------------------------------------------------------------------------
// Game files in the converter's layout

// One element per line, indented by tabs, every line ended by CR LF.
class XmlLines {
public:
    XmlLines& line(int depth, std::string_view text) {
        text_.append(static_cast<std::size_t>(depth), '\t').append(text).append(kCrLf);
        return *this;
    }
    XmlLines& lines(std::string_view block) {
        text_.append(block);
        return *this;
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

std::string stringValue(std::string_view element, std::string_view value) {
    return "<" + std::string(element) + " d:type=\"cDeltaString\">" + std::string(value) + "</" +
           std::string(element) + ">";
}

// A unit as the game's files name it.
struct Unit {
    std::string provider;
    std::string product;
    std::string path;
};

Unit nordland(std::string path) {
    return {"Ostwerk Rail", "Nordland Freight", std::move(path)};
}

// Units every sample installation catalogues, whatever its seed.
const Unit kDr220 = nordland("RailVehicles\\Diesel\\DR 220\\Default\\Engine\\dr220.xml");
const Unit kFals = nordland("RailVehicles\\Freight\\Hopper\\Fals\\Wagon\\fals_coal.xml");
const Unit kBrakeVan = nordland("RailVehicles\\Wagons\\brake_van.xml");
const Unit kEt45 = nordland("RailVehicles\\Electric\\ET 45\\Default\\Engine\\et45.xml");
const Unit kZacns = nordland("RailVehicles\\Freight\\Tank\\Zacns\\Wagon\\zacns_tank.xml");
const Unit kKuehlwagen = nordland("RailVehicles\\Freight\\Kühlwagen\\Tnfs\\Wagon\\tnfs_kühl.xml");
const Unit k7fLoco{"Ostwerk Rail", "Heritage Steam",
                   "RailVehicles\\Steam\\Class 7F\\Default\\Engine\\7f_loco.xml"};
const Unit k7fTender{"Ostwerk Rail", "Heritage Steam",
                     "RailVehicles\\Steam\\Class 7F\\Default\\Tender\\7f_tender.xml"};
const Unit k3tTank{"Ostwerk Rail", "Heritage Steam",
                   "RailVehicles\\Steam\\Class 3T\\Default\\Engine\\3t_tank.xml"};
const Unit kMk1Fk{"Ostwerk Rail", "Heritage Steam", "RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_fk.xml"};
const Unit kMk1Bck{"Ostwerk Rail", "Heritage Steam",
                   "RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bck.xml"};
const Unit kMk1BgMissing{"Ostwerk Rail", "Heritage Steam",
                         "RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml"};
const Unit kSchotter{"Brennmoor Works", "Bergstrecke Süd",
                     "RailVehicles\\Freight\\Schotterwagen\\Default\\Wagon\\schotter.xml"};
const Unit kZahnradlok{"Brennmoor Works", "Bergstrecke Süd",
                       "RailVehicles\\Electric\\Zahnradlok\\HGe 44\\Default\\Engine\\zahnradlok_hge44.xml"};
const Unit kPanorama{"Brennmoor Works", "Bergstrecke Süd",
                     "RailVehicles\\Coaches\\Panoramawagen\\Default\\Wagon\\panorama_älpli.xml"};
const Unit kEmuMotor{"Kestrel Models", "Regional Express",
                     "RailVehicles\\Electric\\EMU 425\\Default\\Engine\\emu425_dmso.xml"};
const Unit kEmuTrailer{"Kestrel Models", "Regional Express",
                       "RailVehicles\\Electric\\EMU 425\\Default\\Wagon\\emu425_tso.xml"};
const Unit kGhostA = nordland("RailVehicles\\Freight\\Ghost\\Wagon\\ghost_a.xml");
const Unit kGhostB = nordland("RailVehicles\\Freight\\Ghost\\Wagon\\ghost_b.xml");

// An entry of a user consist: its unit and how its heading and blueprint are written; an empty
// flipped value or blueprint element leaves that line out.
struct TemplateEntry {
    Unit unit;
    std::string flipped = "0";
    std::string flippedType = "bool";
    std::string blueprintElement = "BlueprintID";
};

// A cConsistTemplate element: its opening line at a depth, its entries numbered from firstEntryId
// in steps of 16, as the editor numbers them.
std::string templateBlock(std::string_view openingLine, int depth, std::string_view name,
                          const std::vector<TemplateEntry>& entries, std::int64_t firstEntryId) {
    XmlLines x;
    x.line(depth, openingLine);
    x.line(depth + 1, "<Name>");
    x.line(depth + 2, "<Localisation-cUserLocalisedString>");
    x.line(depth + 3, stringValue("English", name));
    for (const char* language : {"French", "Italian", "German", "Spanish"}) {
        x.line(depth + 3, stringValue(language, ""));
    }
    x.line(depth + 3, "<Other/>");
    x.line(depth + 2, "</Localisation-cUserLocalisedString>");
    x.line(depth + 1, "</Name>");
    x.line(depth + 1, "<ConsistEntry>");
    std::int64_t entryId = firstEntryId;
    for (const TemplateEntry& entry : entries) {
        x.line(depth + 2, "<cConsistTemplateEntry d:id=\"" + std::to_string(entryId) + "\">");
        entryId += 16;
        x.line(depth + 3, "<Blueprint>");
        x.line(depth + 4, "<iBlueprintLibrary-cAbsoluteBlueprintID>");
        x.line(depth + 5, "<BlueprintSetID>");
        x.line(depth + 6, "<iBlueprintLibrary-cBlueprintSetID>");
        x.line(depth + 7, stringValue("Provider", entry.unit.provider));
        x.line(depth + 7, stringValue("Product", entry.unit.product));
        x.line(depth + 6, "</iBlueprintLibrary-cBlueprintSetID>");
        x.line(depth + 5, "</BlueprintSetID>");
        if (!entry.blueprintElement.empty()) {
            x.line(depth + 5, stringValue(entry.blueprintElement, entry.unit.path));
        }
        x.line(depth + 4, "</iBlueprintLibrary-cAbsoluteBlueprintID>");
        x.line(depth + 3, "</Blueprint>");
        if (!entry.flipped.empty()) {
            x.line(depth + 3,
                   "<Flipped d:type=\"" + entry.flippedType + "\">" + entry.flipped + "</Flipped>");
        }
        x.line(depth + 2, "</cConsistTemplateEntry>");
    }
    x.line(depth + 1, "</ConsistEntry>");
    x.line(depth, "</cConsistTemplate>");
    return x.text();
}

std::string userTemplate(std::int64_t id, std::string_view name, const std::vector<TemplateEntry>& entries,
                         std::int64_t firstEntryId) {
    return templateBlock("<cConsistTemplate d:id=\"" + std::to_string(id) + "\">", 2, name, entries,
                         firstEntryId);
}

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

// A user-consist file as serz writes it, with the record set id of a file the editor created.
std::string userConsistDocument(const std::vector<std::string>& templates) {
    XmlLines x;
    x.line(0, kXmlDeclaration);
    x.line(0, "<cRecordSet xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"132395920\">");
    x.line(1, "<Record>");
    for (const std::string& block : templates) {
        x.lines(block);
    }
    x.line(1, "</Record>");
    x.line(0, "</cRecordSet>");
    return x.text();
}

// The template the editor writes for the units of its consist line (each a catalogue record, "|",
// heading flag).
std::string savedTemplate(std::int64_t id, std::string_view name,
                          const std::vector<std::string>& consistUnits, std::int64_t firstEntryId) {
    std::vector<TemplateEntry> entries;
    for (const std::string& unit : consistUnits) {
        const std::vector<std::string> fields = splitText(unit, "|");
        entries.push_back({Unit{fields.at(2), fields.at(3), fields.at(4)}, fields.back()});
    }
    return userTemplate(id, name, entries, firstEntryId);
}

// A vehicle of a scenario consist; an empty flipped value leaves that line out.
struct ScenarioVehicle {
    Unit unit;
    std::string flipped = "0";
};

// A scenario consist; without a service name its driver is nil.
struct ScenarioConsist {
    std::int64_t id;
    std::vector<ScenarioVehicle> vehicles;
    std::optional<std::string> serviceName;
};

void writeScenarioVehicle(XmlLines& x, const ScenarioVehicle& v, std::int64_t id) {
    x.line(4, "<cOwnedEntity d:id=\"" + std::to_string(id) + "\">");
    x.line(5, "<Component>");
    x.line(6, "<cWagon d:id=\"" + std::to_string(id + 1) + "\">");
    x.line(7, stringValue("UniqueNumber", "92 80 1234 567-8"));
    if (!v.flipped.empty()) {
        x.line(7, "<Flipped d:type=\"bool\">" + v.flipped + "</Flipped>");
    }
    x.line(7, "<HandBrakeApplied d:type=\"bool\">0</HandBrakeApplied>");
    x.line(6, "</cWagon>");
    x.line(5, "</Component>");
    x.line(5, "<BlueprintID>");
    x.line(6, "<iBlueprintLibrary-cAbsoluteBlueprintID>");
    x.line(7, "<BlueprintSetID>");
    x.line(8, "<iBlueprintLibrary-cBlueprintSetID>");
    x.line(9, stringValue("Provider", v.unit.provider));
    x.line(9, stringValue("Product", v.unit.product));
    x.line(8, "</iBlueprintLibrary-cBlueprintSetID>");
    x.line(7, "</BlueprintSetID>");
    x.line(7, stringValue("BlueprintID", v.unit.path));
    x.line(6, "</iBlueprintLibrary-cAbsoluteBlueprintID>");
    x.line(5, "</BlueprintID>");
    x.line(5, stringValue("Name", "Vehicle"));
    x.line(4, "</cOwnedEntity>");
}

std::string scenarioDocument(const std::vector<ScenarioConsist>& consists) {
    XmlLines x;
    x.line(0, kXmlDeclaration);
    x.line(0, "<cRecordSet xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"41\">");
    x.line(1, "<Record>");
    for (const ScenarioConsist& consist : consists) {
        x.line(2, "<cConsist d:id=\"" + std::to_string(consist.id) + "\">");
        if (consist.vehicles.empty()) {
            x.line(3, "<RailVehicles/>");
        } else {
            x.line(3, "<RailVehicles>");
            std::int64_t vehicleId = consist.id * 10;
            for (const ScenarioVehicle& v : consist.vehicles) {
                writeScenarioVehicle(x, v, vehicleId);
                vehicleId += 2;
            }
            x.line(3, "</RailVehicles>");
        }
        x.line(3, "<Driver>");
        if (consist.serviceName) {
            x.line(4, "<cDriver d:id=\"" + std::to_string(consist.id + 1) + "\">");
            x.line(5, "<ServiceName>");
            x.line(6, "<Localisation-cUserLocalisedString>");
            x.line(7, stringValue("English", *consist.serviceName));
            x.line(7, "<Other/>");
            x.line(6, "</Localisation-cUserLocalisedString>");
            x.line(5, "</ServiceName>");
            x.line(4, "</cDriver>");
        } else {
            x.line(4, "<d:nil/>");
        }
        x.line(3, "</Driver>");
        x.line(2, "</cConsist>");
    }
    x.line(1, "</Record>");
    x.line(0, "</cRecordSet>");
    return x.text();
}

// ---------------------------------------------------------------------------------------------
// Generated installations, made once for the whole program

struct SampleGame {
    TempFolder folder;
    fs::path game;
    int scenarioConsists = 0;
};

std::unique_ptr<SampleGame> generateSample(bool lowerCase) {
    auto sample = std::make_unique<SampleGame>();
    sample->game = sample->folder.gameFolder();
    std::vector<std::string> arguments{sample->game.string(), "--seed", std::to_string(kSampleSeed)};
    if (lowerCase) {
        arguments.emplace_back("--lower-case");
    }
    const ToolRun run = runTool(fs::path(DOVREL_BIN_DIR) / "make-sample-game", arguments);
    std::smatch match;
    static const std::regex kCount("([0-9]+) scenario consists");
    if (run.exitCode != 0 || !std::regex_search(run.output, match, kCount)) {
        throw std::runtime_error("make-sample-game failed: " + run.output);
    }
    sample->scenarioConsists = std::stoi(match[1].str());
    return sample;
}

const SampleGame& sampleGame(bool lowerCase = false) {
    static std::map<bool, std::unique_ptr<SampleGame>> made;
    std::unique_ptr<SampleGame>& sample = made[lowerCase];
    if (!sample) {
        sample = generateSample(lowerCase);
    }
    return *sample;
}

// The n-th id (from 0) the editor draws when DOVREL_RANDOM_SEED is the seed: 100000000 plus the
// integer part of r * 900000000, r made of 53 bits of std::mt19937_64.
std::int64_t drawnId(std::uint64_t seed, int n) {
    std::mt19937_64 generator(seed);
    std::uint64_t value = 0;
    for (int i = 0; i <= n; ++i) {
        value = generator();
    }
    const double r = static_cast<double>(value >> 11) * 0x1.0p-53;
    return 100000000 + static_cast<std::int64_t>(r * 900000000.0);
}

// ---------------------------------------------------------------------------------------------
// The dump

struct Message {
    std::string text;
    std::string icon;
    std::string buttons;
    std::string answer;
    bool operator==(const Message&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
    return out << "{" << m.icon << ", " << m.buttons << ", " << m.answer << ": \"" << m.text << "\"}";
}

Message information(const std::string& text) {
    return {text, "information", "OK", "OK"};
}
Message exclamation(const std::string& text) {
    return {text, "exclamation", "OK", "OK"};
}
Message question(const std::string& text, const std::string& answer) {
    return {text, "none", "YesNoCancel", answer};
}

std::string utf8(const QJsonValue& value) {
    return value.toString().toStdString();
}

std::vector<std::string> stringsOf(const QJsonValue& value) {
    std::vector<std::string> strings;
    for (const QJsonValue& entry : value.toArray()) {
        strings.push_back(utf8(entry));
    }
    return strings;
}

// One state dump; messages shown during start-up are left out.
class Dump {
public:
    Dump(QJsonObject json, qsizetype startMessages) : json_(std::move(json)), startMessages_(startMessages) {}

    QJsonObject control(const char* name) const {
        return json_.value(QStringLiteral("controls")).toObject().value(QLatin1String(name)).toObject();
    }
    std::string text(const char* name) const { return utf8(control(name).value(QStringLiteral("text"))); }
    bool enabled(const char* name) const { return control(name).value(QStringLiteral("enabled")).toBool(); }
    int current(const char* name) const { return control(name).value(QStringLiteral("current")).toInt(-2); }
    std::vector<std::string> items(const char* name) const {
        return stringsOf(control(name).value(QStringLiteral("items")));
    }
    std::vector<std::vector<std::string>> rows(const char* name) const {
        std::vector<std::vector<std::string>> rows;
        for (const QJsonValue& row : control(name).value(QStringLiteral("rows")).toArray()) {
            rows.push_back(stringsOf(row));
        }
        return rows;
    }
    QJsonValue state(const char* member) const {
        return json_.value(QStringLiteral("state")).toObject().value(QLatin1String(member));
    }
    std::vector<std::string> stateTexts(const char* member) const { return stringsOf(state(member)); }
    int stateNumber(const char* member) const { return state(member).toInt(-1000); }
    std::vector<std::string> listedConsists() const { return stateTexts("listedConsists"); }
    std::vector<std::string> consistUnits() const { return stateTexts("consistUnits"); }

    std::vector<Message> messages() const {
        const QJsonArray all = json_.value(QStringLiteral("messages")).toArray();
        std::vector<Message> messages;
        for (qsizetype i = startMessages_; i < all.size(); ++i) {
            const QJsonObject m = all.at(i).toObject();
            messages.push_back({utf8(m.value(QStringLiteral("text"))), utf8(m.value(QStringLiteral("icon"))),
                                utf8(m.value(QStringLiteral("buttons"))),
                                utf8(m.value(QStringLiteral("answer")))});
        }
        return messages;
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const Message& m : messages()) {
            texts.push_back(m.text);
        }
        return texts;
    }

    // The catalogue record of a blueprint path, found as the readers find it.
    std::string recordOf(const std::string& path) const {
        for (const std::string& record : stateTexts("catalogue")) {
            const std::vector<std::string> fields = splitText(record, "|");
            if (fields.size() > 4 && asciiLower(fields[4]) == asciiLower(path)) {
                return record;
            }
        }
        throw std::runtime_error("no catalogue record for " + path);
    }
    // A listed consist: the records of the units, each with its heading flag, joined by ":".
    std::string listed(const std::vector<std::pair<Unit, std::string>>& units) const {
        std::vector<std::string> listedUnits;
        for (const auto& [unit, heading] : units) {
            listedUnits.push_back(recordOf(unit.path) + "|" + heading);
        }
        return joinTexts(listedUnits, ":");
    }

private:
    QJsonObject json_;
    qsizetype startMessages_;
};

QJsonObject readJson(const fs::path& file) {
    QFile in(QString::fromStdString(file.string()));
    if (!in.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("no dump " + file.string());
    }
    return QJsonDocument::fromJson(in.readAll()).object();
}

// The unit list view's rows for a listed consist.
std::vector<std::vector<std::string>> unitViewRows(const std::string& listedConsist) {
    std::vector<std::vector<std::string>> rows;
    int number = 1;
    for (const std::string& unit : splitText(listedConsist, ":")) {
        const std::vector<std::string> fields = splitText(unit, "|");
        rows.push_back(
            {std::to_string(number++), fields.at(1), fields.back() == "0" ? "forward" : "reversed"});
    }
    return rows;
}

// ---------------------------------------------------------------------------------------------
// A session of the editor on one game folder

class Session {
public:
    // A game folder of its own (to fill), or an existing one that the session must not change.
    explicit Session(std::optional<fs::path> sharedGame = std::nullopt)
        : editor_(temp_), game_(sharedGame.value_or(temp_.gameFolder())) {
        editor_.storeGameFolder(game_);
    }

    void setEnvironment(const std::string& name, const std::string& value) {
        editor_.setEnvironment(name, value);
    }

    const fs::path& game() const { return game_; }
    fs::path gameFile() const { return game_ / "Content" / "ConsistTemplates.bin"; }
    fs::path programFile(const fs::path& relative) const { return temp_.programFolder() / relative; }

    // A copy of a whole installation, for a session that writes to it.
    void copyInstallation(const fs::path& from) {
        fs::copy(from, game_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }

    // An installation of its own files, with the stock of another: its assets are linked.
    void borrowAssets(const fs::path& from) {
        writeFile(game_ / "Vantor.exe", "");
        fs::create_directories(game_ / "Content" / "Routes");
        fs::create_directory_symlink(from / "Assets", game_ / "Assets");
    }
    void writeUserConsists(const std::string& xml) const { writeBinFile(gameFile(), xml); }
    fs::path writeScenario(const std::string& route, const std::string& scenario,
                           const std::string& xml) const {
        const fs::path bin = game_ / "Content" / "Routes" / route / "Scenarios" / scenario / "Scenario.bin";
        writeBinFile(bin, xml);
        return bin;
    }

    std::string gameFileXml() const { return xmlOfBin(gameFile(), temp_.path() / "check"); }

    // Runs the actions, each line "dump" replaced by a dump into a file of its own; returns the
    // dumps in order.
    std::vector<Dump> run(const std::vector<std::string>& actions) {
        const std::string prefix = (temp_.path() / ("run" + std::to_string(++runs_) + "-")).string();
        std::string script = "dump " + prefix + "start.json\n";
        std::vector<std::string> dumpFiles;
        for (const std::string& action : actions) {
            if (action == "dump") {
                dumpFiles.push_back(prefix + std::to_string(dumpFiles.size()) + ".json");
                script += "dump " + dumpFiles.back() + "\n";
            } else {
                script += action + "\n";
            }
        }
        const testing::EditorResult result = editor_.runScript(script);
        if (result.exitCode != 0) {
            throw std::runtime_error("editor exit code " + std::to_string(result.exitCode) + ": " +
                                     result.standardError);
        }
        const qsizetype startMessages =
            readJson(prefix + "start.json").value(QStringLiteral("messages")).toArray().size();
        std::vector<Dump> dumps;
        for (const std::string& file : dumpFiles) {
            dumps.emplace_back(readJson(file), startMessages);
        }
        return dumps;
    }

    Dump runOnce(const std::vector<std::string>& actions) {
        std::vector<std::string> all = actions;
        all.emplace_back("dump");
        return run(all).back();
    }

private:
    TempFolder temp_;
    EditorProcess editor_;
    fs::path game_;
    int runs_ = 0;
};

// The identifiers of the templates of a user-consist file, in file order.
std::vector<std::string> templateIds(const std::string& xml) {
    static const std::regex kOpening("<cConsistTemplate d:id=\"(-?[0-9]+)\">");
    std::vector<std::string> ids;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), kOpening); it != std::sregex_iterator();
         ++it) {
        ids.push_back((*it)[1].str());
    }
    return ids;
}

// A document with the lines of one template, from its opening to its closing line, cut out.
std::string withoutTemplate(const std::string& xml, const std::string& id) {
    const std::size_t open = xml.find("\t\t<cConsistTemplate d:id=\"" + id + "\">");
    const std::string closing = "\t\t</cConsistTemplate>\r\n";
    const std::size_t close = xml.find(closing, open);
    if (open == std::string::npos || close == std::string::npos) {
        throw std::runtime_error("no template " + id);
    }
    return xml.substr(0, open) + xml.substr(close + closing.size());
}

// A document with a template added after the others, just before </Record>.
std::string withTemplateAppended(const std::string& xml, const std::string& block) {
    const std::size_t record = xml.find("\t</Record>\r\n");
    if (record == std::string::npos) {
        throw std::runtime_error("no </Record> line");
    }
    return xml.substr(0, record) + block + xml.substr(record);
}

std::string rowName(const std::string& rowText) {
    return rowText.substr(rowText.find('\t') + 1);
}

std::string rowId(const std::string& rowText) {
    return rowText.substr(0, rowText.find('\t'));
}

std::size_t rowNamed(const std::vector<std::string>& rows, const std::string& name) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rowName(rows[i]) == name) {
            return i;
        }
    }
    throw std::runtime_error("no row named " + name);
}

// =============================================================================================
// Readers

TEST(ConsistFilesReaders, UserConsistsOfASampleAreListedWithTheirUnitsAndTheMissingOneNoted) {
    const SampleGame& sample = sampleGame();
    Session session(sample.game);
    // An earlier, longer notfound.txt is replaced, not added to.
    writeFile(session.programFile("notfound.txt"),
              "RailVehicles\\Earlier\\one.xml\r\nRailVehicles\\two.xml\r\n");
    const Dump dump = session.runOnce({"click mnuOpenVTUserConsists"});

    const std::vector<std::string> ids = templateIds(session.gameFileXml());
    const std::vector<std::string> names{"Nordland Coal Train", "Güterzug Nord 47611", "Coal &amp; Ballast",
                                         "EMU 425 Pair",        "Heritage Excursion",  "Mixed Freight"};
    ASSERT_EQ(ids.size(), names.size());
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        rows.push_back(ids[i] + "\t" + names[i]);
    }
    EXPECT_EQ(dump.items("List3"), rows);
    EXPECT_EQ(dump.text("Label7"), "User Consists");
    EXPECT_TRUE(dump.enabled("mnuDeleteConsist"));

    const std::vector<std::string> listed = dump.listedConsists();
    ASSERT_EQ(listed.size(), 6u);
    EXPECT_EQ(listed[0],
              dump.listed(
                  {{kDr220, "0"}, {kFals, "0"}, {kFals, "0"}, {kFals, "1"}, {kFals, "0"}, {kBrakeVan, "1"}}));
    EXPECT_EQ(listed[1], dump.listed({{kEt45, "0"},
                                      {kZacns, "0"},
                                      {kZacns, "0"},
                                      {kZacns, "1"},
                                      {kKuehlwagen, "0"},
                                      {kKuehlwagen, "0"}}));
    EXPECT_EQ(listed[2],
              dump.listed(
                  {{k7fLoco, "0"}, {k7fTender, "0"}, {kSchotter, "0"}, {kSchotter, "0"}, {kSchotter, "1"}}));
    EXPECT_EQ(listed[3], dump.listed({{kEmuMotor, "0"}, {kEmuTrailer, "0"}, {kEmuMotor, "1"}}));
    EXPECT_EQ(listed[4], dump.listed({{k3tTank, "0"}, {kMk1Fk, "0"}, {kMk1Fk, "0"}, {kMk1Bck, "1"}}))
        << "the missing brake coach is left out";
    EXPECT_FALSE(listed[5].empty());
    EXPECT_FALSE(listed[5].ends_with(":"));

    // Row 0 is chosen and shown.
    EXPECT_EQ(dump.current("List3"), 0);
    EXPECT_EQ(dump.text("Label22"), ids[0] + " Nordland Coal Train");
    EXPECT_EQ(dump.rows("ListView1"), unitViewRows(listed[0]));
    EXPECT_EQ(dump.rows("ListView1").at(5),
              (std::vector<std::string>{"6", "Güterzugbegleitwagen", "reversed"}));
    EXPECT_EQ(stringsOf(dump.control("ListView1").value(QStringLiteral("columns"))),
              (std::vector<std::string>{"Ord#", "Equipment", "Orientation"}));
    EXPECT_EQ(dump.text("Label11"), "");

    EXPECT_EQ(dump.messages(),
              std::vector<Message>{exclamation(texts::userUnitNotFound(kMk1BgMissing.path))});
    EXPECT_EQ(fileText(session.programFile("notfound.txt")), kMk1BgMissing.path + "\r\n");
}

TEST(ConsistFilesReaders, ScenarioConsistsOfASampleAreListedAcrossAllScenarios) {
    const SampleGame& sample = sampleGame();
    Session session(sample.game);
    const Dump dump = session.runOnce({"click mnuOpenVTScenarioConsists"});

    const std::vector<std::string> rows = dump.items("List3");
    const std::vector<std::string> listed = dump.listedConsists();
    // Every consist but the one without vehicles, numbered on from one scenario to the next with
    // no empty slot between.
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(sample.scenarioConsists - 1));
    ASSERT_EQ(listed.size(), rows.size());
    for (const std::string& consist : listed) {
        EXPECT_FALSE(consist.empty());
        EXPECT_FALSE(consist.ends_with(":"));
    }
    EXPECT_EQ(dump.text("Label7"), "Scenario Consists");
    EXPECT_FALSE(dump.enabled("mnuDeleteConsist"));
    EXPECT_EQ(dump.current("List3"), 0);
    EXPECT_EQ(dump.rows("ListView1"), unitViewRows(listed[0]));
    EXPECT_EQ(dump.text("Label22"), rowId(rows[0]) + " " + rowName(rows[0]));
    EXPECT_EQ(dump.text("Label11"), "");
    EXPECT_NE(std::find_if(rows.begin(), rows.end(),
                           [](const std::string& row) { return rowName(row) == "(unassigned)"; }),
              rows.end());

    EXPECT_EQ(listed[rowNamed(rows, "7Z41 Coal to Brennmoor")], dump.listed({{kDr220, "0"},
                                                                             {kFals, "0"},
                                                                             {kFals, "1"},
                                                                             {kFals, "0"},
                                                                             {kFals, "1"},
                                                                             {kFals, "0"},
                                                                             {kBrakeVan, "1"}}));
    EXPECT_EQ(listed[rowNamed(rows, "2N15 Stopping Service")],
              dump.listed({{kEmuMotor, "0"}, {kEmuTrailer, "0"}, {kEmuMotor, "1"}}))
        << "paths written in lower case are found";
    EXPECT_EQ(listed[rowNamed(rows, "Güterzug 47611 nach Brennmoor")],
              dump.listed({{kEt45, "0"}, {kKuehlwagen, "0"}, {kKuehlwagen, "0"}}));
    EXPECT_EQ(listed[rowNamed(rows, "Sonderzug «Säntis»")],
              dump.listed({{kZahnradlok, "0"}, {kPanorama, "0"}, {kPanorama, "1"}}));

    // One message per missing vehicle, in the order of the walk, and their paths in notfound.txt.
    std::vector<std::pair<std::size_t, std::string>> missing{
        {rowNamed(rows, "6M02 Mixed Freight"),
         "RailVehicles\\Freight\\Hopper\\Fals\\Wagon\\fals_covered.xml"},
        {rowNamed(rows, "Güterzug 47611 nach Brennmoor"),
         "RailVehicles\\Freight\\Default Wagon\\Wagon\\default_wagon.xml"}};
    std::sort(missing.begin(), missing.end());
    std::vector<Message> messages;
    std::string notFound;
    for (const auto& [row, path] : missing) {
        messages.push_back(
            information(texts::scenarioUnitNotFound(rowId(rows[row]), path.substr(path.rfind('\\') + 1))));
        notFound += path + "\r\n";
    }
    EXPECT_EQ(dump.messages(), messages);
    EXPECT_EQ(fileText(session.programFile("notfound.txt")), notFound);
}

TEST(ConsistFilesReaders, TheLowerCaseVariantOfAnInstallationReadsTheSame) {
    const std::vector<std::string> actions{"click mnuOpenVTUserConsists", "dump",
                                           "click mnuOpenVTScenarioConsists", "dump"};
    Session usual(sampleGame(false).game);
    Session lower(sampleGame(true).game);
    ASSERT_TRUE(fs::exists(lower.game() / "content" / "consisttemplates.bin"));
    const std::vector<Dump> expected = usual.run(actions);
    const std::vector<Dump> seen = lower.run(actions);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i == 0 ? "user consists" : "scenario consists");
        EXPECT_FALSE(seen[i].items("List3").empty());
        EXPECT_EQ(seen[i].items("List3"), expected[i].items("List3"));
        EXPECT_EQ(seen[i].listedConsists(), expected[i].listedConsists());
        EXPECT_EQ(seen[i].text("Label7"), expected[i].text("Label7"));
        EXPECT_EQ(seen[i].rows("ListView1"), expected[i].rows("ListView1"));
    }
    EXPECT_EQ(seen.back().messages(), expected.back().messages());
    EXPECT_EQ(fileText(lower.programFile("notfound.txt")), fileText(usual.programFile("notfound.txt")));
}

TEST(ConsistFilesReaders, NotFoundFileIsLeftAloneWhenEveryUnitIsFound) {
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(
        userConsistDocument({userTemplate(501, "All Known", {{kDr220}, {kFals}}, 7001)}));
    session.writeScenario("R1", "S1", scenarioDocument({{601, {{kBrakeVan}}, "1A01 Known"}}));
    const std::string earlier = "RailVehicles\\From\\An\\Earlier\\read.xml\r\n";
    writeFile(session.programFile("notfound.txt"), earlier);

    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "dump", "click mnuOpenVTScenarioConsists", "dump"});
    EXPECT_EQ(dumps[0].items("List3"), std::vector<std::string>{"501\tAll Known"});
    EXPECT_EQ(dumps[1].items("List3"), std::vector<std::string>{"601\t1A01 Known"});
    EXPECT_EQ(dumps[1].messages(), std::vector<Message>{});
    EXPECT_EQ(fileText(session.programFile("notfound.txt")), earlier);
}

// A user-consist file in an unusual shape and what the reader makes of it.
struct UserFileCase {
    const char* name;
    std::string xml;
    std::vector<std::string> rows;
    std::vector<std::vector<std::pair<Unit, std::string>>> listed;
    std::vector<std::string> missing; // blueprints announced, in order
};

class UserFileTest : public ::testing::TestWithParam<UserFileCase> {};

TEST_P(UserFileTest, IsListedAsTheGameWouldShowIt) {
    const UserFileCase& c = GetParam();
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(c.xml);
    const Dump dump = session.runOnce({"click mnuOpenVTUserConsists"});

    EXPECT_EQ(dump.items("List3"), c.rows);
    std::vector<std::string> listed;
    for (const auto& units : c.listed) {
        listed.push_back(dump.listed(units));
    }
    EXPECT_EQ(dump.listedConsists(), listed);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(dump.rows("ListView1"), unitViewRows(listed[0]));

    std::vector<Message> messages;
    std::string notFound;
    for (const std::string& path : c.missing) {
        messages.push_back(exclamation(texts::userUnitNotFound(path)));
        notFound += path + "\r\n";
    }
    EXPECT_EQ(dump.messages(), messages);
    EXPECT_EQ(fs::exists(session.programFile("notfound.txt")), !c.missing.empty());
    if (!c.missing.empty()) {
        EXPECT_EQ(fileText(session.programFile("notfound.txt")), notFound);
    }
}

Unit inUpperCase(Unit unit) {
    unit.path = asciiUpper(unit.path);
    return unit;
}

INSTANTIATE_TEST_SUITE_P(
    ConsistFilesReaders, UserFileTest,
    ::testing::Values(
        UserFileCase{"allUnitsOfTheFirstTemplateMissing",
                     userConsistDocument({userTemplate(1001, "Lost Stock", {{kGhostA}, {kGhostB, "1"}}, 8001),
                                          userTemplate(1002, "Known Stock", {{kDr220}, {kFals, "1"}}, 8101)}),
                     {"1001\tLost Stock", "1002\tKnown Stock"},
                     {{}, {{kDr220, "0"}, {kFals, "1"}}},
                     {kGhostA.path, kGhostB.path}},
        UserFileCase{"flippedWrittenAsTrue",
                     userConsistDocument({userTemplate(1101, "Headings",
                                                       {{kDr220, "true", "cDeltaString"},
                                                        {kFals, "0"},
                                                        {kFals, "1"},
                                                        {kBrakeVan, "0", "cDeltaString"}},
                                                       8201)}),
                     {"1101\tHeadings"},
                     {{{kDr220, "1"}, {kFals, "0"}, {kFals, "1"}, {kBrakeVan, "0"}}},
                     {}},
        UserFileCase{
            "blueprintInOtherLetterCase",
            userConsistDocument({userTemplate(1201, "Shouting",
                                              {{inUpperCase(kDr220), "0", "bool", "blueprintid"},
                                               {inUpperCase(kKuehlwagen), "1", "bool", "BLUEPRINTID"}},
                                              8301)}),
            {"1201\tShouting"},
            {{{kDr220, "0"}, {kKuehlwagen, "1"}}},
            {}},
        // Heading and blueprint carry over from the entry before within a template (an entry
        // without its blueprint line never gets as far as its heading line); a new template
        // starts from heading "0" and blueprint "*".
        UserFileCase{"entriesWithoutHeadingOrBlueprint",
                     userConsistDocument(
                         {userTemplate(1401, "Carried Over",
                                       {{kDr220, "1"}, {kFals, ""}, {kBrakeVan, "0", "bool", ""}}, 8501),
                          userTemplate(1402, "Nothing Given", {{kZacns, "", "bool", ""}}, 8601)}),
                     {"1401\tCarried Over", "1402\tNothing Given"},
                     {{{kDr220, "1"}, {kFals, "1"}, {kFals, "1"}}, {}},
                     {"*"}},
        // The template as the root element: its line carries the namespace, version and id.
        UserFileCase{
            "templateLineWithSeveralAttributes",
            std::string(kXmlDeclaration) + "\r\n" +
                templateBlock(
                    "<cConsistTemplate xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"1301\">", 0,
                    "Rooted", {{kBrakeVan}, {kGhostA}}, 8401),
            {"urn:vantor:delta\" d:version=\"1.0\" d:id=\"1301\tRooted"},
            {{{kBrakeVan, "0"}}},
            {kGhostA.path}}),
    [](const auto& info) { return std::string(info.param.name); });

// Scenarios in unusual shapes and what the reader makes of them.
struct ScenarioFile {
    std::string route;
    std::string scenario;
    std::vector<ScenarioConsist> consists;
    bool cutShort = false; // the .bin ends halfway, so that serz cannot read it
};

struct ScenarioCase {
    const char* name;
    std::vector<ScenarioFile> files;
    std::vector<std::string> rows;
    std::vector<std::vector<std::pair<Unit, std::string>>> listed;
    std::vector<Message> messages;
};

class ScenarioFileTest : public ::testing::TestWithParam<ScenarioCase> {};

TEST_P(ScenarioFileTest, IsListedAsTheGameWouldShowIt) {
    const ScenarioCase& c = GetParam();
    Session session;
    session.borrowAssets(sampleGame().game);
    for (const ScenarioFile& file : c.files) {
        const fs::path bin =
            session.writeScenario(file.route, file.scenario, scenarioDocument(file.consists));
        if (file.cutShort) {
            fs::resize_file(bin, fs::file_size(bin) / 2);
        }
    }
    const Dump dump = session.runOnce({"click mnuOpenVTScenarioConsists"});

    EXPECT_EQ(dump.items("List3"), c.rows);
    std::vector<std::string> listed;
    for (const auto& units : c.listed) {
        listed.push_back(dump.listed(units));
    }
    EXPECT_EQ(dump.listedConsists(), listed);
    EXPECT_EQ(dump.messages(), c.messages);
    EXPECT_EQ(dump.text("Label7"), c.rows.empty() ? "" : "Scenario Consists");
}

INSTANTIATE_TEST_SUITE_P(
    ConsistFilesReaders, ScenarioFileTest,
    ::testing::Values(
        ScenarioCase{
            "consistWithoutVehicles",
            {{"Route", "Yard", {{2001, {}, "0Z00 Empty"}, {2002, {{kDr220}, {kFals, "1"}}, "6Z01 Freight"}}}},
            {"2002\t6Z01 Freight"},
            {{{kDr220, "0"}, {kFals, "1"}}},
            {}},
        // Routes and scenarios in the order of names compared with a-z as A-Z ("_" after the
        // letters, "first" before "Second"); the rows numbered on from one file to the next.
        ScenarioCase{"scenariosNumberedOnInListingOrder",
                     {{"beta", "Second", {{2102, {{kFals, "1"}}, std::nullopt}}},
                      {"_gamma", "x", {{2105, {{kEt45}}, "5G01 Last"}}},
                      {"Alpha", "Only", {{2101, {{kDr220}}, "1A01 First"}}},
                      {"beta", "first", {{2103, {{kBrakeVan}}, "2B01 Later"}, {2104, {{kZacns}}, ""}}}},
                     {"2101\t1A01 First", "2103\t2B01 Later", "2104\t(unassigned)", "2102\t(unassigned)",
                      "2105\t5G01 Last"},
                     {{{kDr220, "0"}}, {{kBrakeVan, "0"}}, {{kZacns, "0"}}, {{kFals, "1"}}, {{kEt45, "0"}}},
                     {}},
        ScenarioCase{"foldersWithNamesTheWalkLeavesOut",
                     {{"Odd|Route", "Fine", {{2501, {{kDr220}}, "Pipe"}}},
                      {"Route", "Back\\slash", {{2502, {{kDr220}}, "Backslash"}}},
                      {"Route", "Bell\x07", {{2503, {{kDr220}}, "Control"}}},
                      {"Route", "Plain", {{2504, {{kFals}}, "7P01 Plain"}}}},
                     {"2504\t7P01 Plain"},
                     {{{kFals, "0"}}},
                     {}},
        // A scenario serz cannot read lists nothing, neither its own consists nor the previous
        // scenario's again.
        ScenarioCase{"unreadableScenarioBetweenTwo",
                     {{"Route", "A", {{2301, {{kDr220}}, "1A23 Before"}}},
                      {"Route", "B", {{2302, {{kFals}}, "1B23 Lost"}}, true},
                      {"Route", "C", {{2303, {{kBrakeVan}}, "1C23 After"}}}},
                     {"2301\t1A23 Before", "2303\t1C23 After"},
                     {{{kDr220, "0"}}, {{kBrakeVan, "0"}}},
                     {}},
        ScenarioCase{
            "vehicleWithoutHeading",
            {{"Route",
              "Hump",
              {{2401, {{kDr220, "1"}, {kFals, ""}}, "8H24 Hump"}, {2402, {{kFals, ""}}, "8H25 Next"}}}},
            {"2401\t8H24 Hump", "2402\t8H25 Next"},
            {{{kDr220, "1"}, {kFals, "1"}}, {{kFals, "0"}}},
            {}},
        ScenarioCase{"firstVehicleMissing",
                     {{"Route", "Branch", {{2201, {{kGhostA}, {kBrakeVan, "1"}}, "9G01 Ghost"}}}},
                     {"2201\t9G01 Ghost"},
                     {{{kBrakeVan, "1"}}},
                     {information(texts::scenarioUnitNotFound("2201", "ghost_a.xml"))}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConsistFilesReaders, ConsistsBeyondTheTableAreNotListedAndSaidSo) {
    constexpr int kConsists = 5002;
    std::vector<std::string> templates;
    std::vector<ScenarioConsist> trains;
    for (int i = 0; i < kConsists; ++i) {
        templates.push_back(
            userTemplate(700000 + i, "Many " + std::to_string(i), {{kFals}}, 800000 + 16 * i));
        trains.push_back({900000 + i, {{kBrakeVan}}, "Train " + std::to_string(i)});
    }
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(userConsistDocument(templates));
    session.writeScenario("Route", "Crowded", scenarioDocument(trains));
    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "dump", "click mnuOpenVTScenarioConsists", "dump"});
    const Message full = exclamation("Only the first 5001 consists are listed.");
    for (const Dump& dump : dumps) {
        const std::vector<std::string> rows = dump.items("List3");
        ASSERT_EQ(rows.size(), 5001u);
        EXPECT_EQ(rowName(rows.back()), (&dump == &dumps[0] ? "Many 5000" : "Train 5000"));
        EXPECT_EQ(dump.listedConsists().size(), 5001u);
        EXPECT_EQ(dump.listedConsists().back(), dump.listed({{&dump == &dumps[0] ? kFals : kBrakeVan, "0"}}));
    }
    EXPECT_EQ(dumps[0].messages(), std::vector<Message>{full});
    EXPECT_EQ(dumps[1].messages(), (std::vector<Message>{full, full}));
}

// =============================================================================================
// Viewing and loading

// Three user consists: a name with brackets and spaces around it, one of units all missing, and
// a plain one.
void writeViewGame(Session& session) {
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(
        userConsistDocument({userTemplate(3001, "  Coal (empty)  ", {{kDr220}, {kFals, "1"}}, 9001),
                             userTemplate(3002, "Lost (all) Stock", {{kGhostA}}, 9101),
                             userTemplate(3003, "Brake Van Pair", {{kBrakeVan}, {kBrakeVan, "1"}}, 9201)}));
}

TEST(ConsistFilesView, ViewLoadsTheChosenConsistAndAsksBeforeAbandoningTheLine) {
    Session session;
    writeViewGame(session);
    const std::vector<Dump> dumps = session.run(
        {"click mnuOpenVTUserConsists", "choose List3 #0", "click butView", "dump", "choose List3 #2",
         "answer No", "click butView", "dump", "answer Yes", "click butView", "dump"});
    const std::vector<std::string> listed = dumps[0].listedConsists();
    ASSERT_EQ(listed.size(), 3u);

    // Loaded, with the name cleaned of its brackets and spaces, and the first unit selected.
    EXPECT_EQ(dumps[0].items("List3").at(0), "3001\t  Coal (empty)  ");
    EXPECT_EQ(dumps[0].consistUnits(), splitText(listed[0], ":"));
    EXPECT_EQ(dumps[0].stateNumber("unitCount"), 2);
    EXPECT_EQ(dumps[0].stateNumber("selectedIndex"), 0);
    EXPECT_EQ(dumps[0].text("Text1"), "Coal empty");

    // No: the line and the name stay; only the unit list view follows the chosen row.
    EXPECT_EQ(dumps[1].consistUnits(), dumps[0].consistUnits());
    EXPECT_EQ(dumps[1].text("Text1"), "Coal empty");
    EXPECT_EQ(dumps[1].rows("ListView1"), unitViewRows(listed[2]));

    // Yes: the line is replaced by the chosen consist.
    EXPECT_EQ(dumps[2].consistUnits(), splitText(listed[2], ":"));
    EXPECT_EQ(dumps[2].text("Text1"), "Brake Van Pair");
    EXPECT_EQ(dumps[2].stateNumber("selectedIndex"), 0);

    EXPECT_EQ(dumps[2].messages(),
              (std::vector<Message>{exclamation(texts::userUnitNotFound(kGhostA.path)),
                                    question(texts::kAbandon, "No"), question(texts::kAbandon, "Yes")}));
}

TEST(ConsistFilesView, AListedConsistWithoutUnitsLoadsAnEmptyLineWithNothingSelected) {
    Session session;
    writeViewGame(session);
    const Dump dump = session.runOnce({"click mnuOpenVTUserConsists", "choose List3 #1", "click butView"});
    EXPECT_EQ(dump.listedConsists().at(1), "");
    EXPECT_EQ(dump.rows("ListView1"), (std::vector<std::vector<std::string>>{}));
    EXPECT_EQ(dump.text("Label22"), "3002 Lost (all) Stock");
    EXPECT_EQ(dump.stateNumber("unitCount"), 0);
    EXPECT_EQ(dump.consistUnits(), std::vector<std::string>{});
    EXPECT_EQ(dump.stateNumber("selectedIndex"), -1);
    EXPECT_EQ(dump.text("Text1"), "Lost all Stock");
    EXPECT_EQ(dump.text("Label10"), "0");
    EXPECT_FALSE(dump.enabled("mnuSaveConsistToVTUserConsists"));
}

TEST(ConsistFilesView, AListedConsistLongerThanTheLineLoadsItsFirst5001Units) {
    std::vector<TemplateEntry> entries(5002, TemplateEntry{kFals});
    entries.back() = {kBrakeVan};
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(userConsistDocument({userTemplate(3101, "Endless", entries, 9301)}));
    const Dump dump = session.runOnce({"click mnuOpenVTUserConsists", "click butView"});
    EXPECT_EQ(splitText(dump.listedConsists().at(0), ":").size(), 5002u);
    const std::vector<std::string> units = dump.consistUnits();
    EXPECT_EQ(units.size(), 5001u);
    EXPECT_EQ(dump.stateNumber("unitCount"), 5001);
    EXPECT_EQ(units.back(), dump.recordOf(kFals.path) + "|0");
    EXPECT_EQ(dump.messages().back(),
              exclamation(texts::paragraphs({"Consist is full.", "A consist holds at most 5001 units."})));
}

TEST(ConsistFilesView, AScenarioConsistWithoutServiceNameLoadsAsUnassigned) {
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeScenario("Route", "Depot",
                          scenarioDocument({{4001, {{kDr220}, {kBrakeVan, "1"}}, std::nullopt}}));
    const Dump dump = session.runOnce({"click mnuOpenVTScenarioConsists", "click butView"});
    EXPECT_EQ(dump.items("List3"), std::vector<std::string>{"4001\t(unassigned)"});
    EXPECT_EQ(dump.text("Text1"), "unassigned");
    EXPECT_EQ(dump.consistUnits(), splitText(dump.listedConsists().at(0), ":"));
    EXPECT_EQ(dump.rows("ListView1"),
              (std::vector<std::vector<std::string>>{{"1", "DR 220 Diesel", "forward"},
                                                     {"2", "Güterzugbegleitwagen", "reversed"}}));
}

// =============================================================================================
// Saving

constexpr std::uint64_t kSaveSeed = 20240613;

// A copy of the sample installation, with fixed random ids.
void useSampleCopy(Session& session, bool lowerCase = false) {
    session.copyInstallation(sampleGame(lowerCase).game);
    session.setEnvironment("DOVREL_RANDOM_SEED", std::to_string(kSaveSeed));
}

TEST(ConsistFilesSave, ASaveWithoutAFileCreatesItAndReadsBackAsSaved) {
    Session session;
    useSampleCopy(session);
    fs::remove(session.gameFile());
    const std::string name = "Zürcher Güterzug «Öl» Nº 5";
    const std::vector<Dump> dumps = session.run(
        {"click mnuOpenVTScenarioConsists", "choose List3 #0", "click butView", "type Text1 " + name, "dump",
         "click mnuSaveConsistToVTUserConsists", "dump", "click mnuOpenVTUserConsists", "dump"});
    const Dump& before = dumps[0];
    const Dump& saved = dumps[1];
    const Dump& readBack = dumps[2];

    EXPECT_FALSE(before.enabled("mnuOpenVTUserConsists"));
    ASSERT_TRUE(fs::exists(session.gameFile()));
    EXPECT_EQ(saved.messages().back(), information(texts::kSaved));
    EXPECT_TRUE(saved.enabled("mnuOpenVTUserConsists"));
    // Scenario consists stay on show.
    EXPECT_EQ(saved.text("Label7"), "Scenario Consists");
    EXPECT_EQ(saved.items("List3"), before.items("List3"));

    // The document is the editor's own, byte for byte: ids from the first two draws, no CR LF
    // after the last line. serz reads it back to the same lines.
    const std::vector<std::string> units = before.consistUnits();
    ASSERT_FALSE(units.empty());
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    const std::string expected =
        userConsistDocument({savedTemplate(templateId, name, units, drawnId(kSaveSeed, 1))});
    EXPECT_EQ(fileText(session.programFile("Temp/tempc.xml")), expected.substr(0, expected.size() - 2));
    EXPECT_EQ(session.gameFileXml(), expected);

    EXPECT_EQ(readBack.items("List3"), std::vector<std::string>{std::to_string(templateId) + "\t" + name});
    EXPECT_EQ(readBack.listedConsists(), std::vector<std::string>{joinTexts(units, ":")});
    EXPECT_EQ(readBack.text("Label7"), "User Consists");
}

TEST(ConsistFilesSave, TheSameNameAgainIsReplacedOnlyAfterYes) {
    Session session;
    useSampleCopy(session);
    const std::string original = fileText(session.gameFile());
    const std::vector<std::string> actions{"click mnuOpenVTUserConsists",
                                           "choose List3 #0",
                                           "click butView",
                                           "dump",
                                           "click mnuSaveConsistToVTUserConsists",
                                           "dump"};

    std::vector<std::string> no = actions;
    no.insert(no.begin() + 4, "answer No");
    const std::vector<Dump> kept = session.run(no);
    EXPECT_EQ(kept[1].messages().back(), question(texts::kReplace, "No"));
    EXPECT_EQ(fileText(session.gameFile()), original);
    EXPECT_EQ(kept[1].items("List3"), kept[0].items("List3"));

    const std::string xmlBefore = session.gameFileXml();
    std::vector<std::string> yes = actions;
    yes.insert(yes.begin() + 4, "answer Yes");
    const std::vector<Dump> replaced = session.run(yes);
    // The file is read again before "Consist saved.", so its missing unit is announced again.
    const Message missing = exclamation(texts::userUnitNotFound(kMk1BgMissing.path));
    EXPECT_EQ(replaced[1].messages(), (std::vector<Message>{missing, question(texts::kReplace, "Yes"),
                                                            missing, information(texts::kSaved)}));

    // The old template's lines are gone, the others keep theirs, the new one comes last.
    const std::vector<std::string> rowsBefore = replaced[0].items("List3");
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    const std::vector<std::string> units = replaced[0].consistUnits();
    EXPECT_EQ(session.gameFileXml(), withTemplateAppended(withoutTemplate(xmlBefore, rowId(rowsBefore[0])),
                                                          savedTemplate(templateId, "Nordland Coal Train",
                                                                        units, drawnId(kSaveSeed, 1))));

    std::vector<std::string> rowsAfter(rowsBefore.begin() + 1, rowsBefore.end());
    rowsAfter.push_back(std::to_string(templateId) + "\tNordland Coal Train");
    EXPECT_EQ(replaced[1].items("List3"), rowsAfter);
    EXPECT_EQ(replaced[1].listedConsists().back(), joinTexts(units, ":"));
    // The saved consist is chosen again.
    EXPECT_EQ(replaced[1].current("List3"), 5);
    EXPECT_EQ(replaced[1].text("Label22"), std::to_string(templateId) + " Nordland Coal Train");
}

TEST(ConsistFilesSave, ANameDifferingOnlyInLetterCaseIsSavedBesideTheOther) {
    Session session;
    useSampleCopy(session);
    const std::string xmlBefore = session.gameFileXml();
    const std::vector<Dump> dumps = session.run({"click mnuOpenVTUserConsists", "choose List3 #0",
                                                 "click butView", "type Text1 NORDLAND COAL TRAIN", "dump",
                                                 "click mnuSaveConsistToVTUserConsists", "dump"});
    EXPECT_EQ(dumps[1].messages().back(), information(texts::kSaved));
    for (const Message& m : dumps[1].messages()) {
        EXPECT_NE(m.text, texts::kReplace);
    }
    const std::int64_t templateId = drawnId(kSaveSeed, 0);
    std::vector<std::string> rows = dumps[0].items("List3");
    rows.push_back(std::to_string(templateId) + "\tNORDLAND COAL TRAIN");
    EXPECT_EQ(dumps[1].items("List3"), rows);
    EXPECT_EQ(dumps[1].current("List3"), 6);
    EXPECT_EQ(session.gameFileXml(),
              withTemplateAppended(xmlBefore, savedTemplate(templateId, "NORDLAND COAL TRAIN",
                                                            dumps[0].consistUnits(), drawnId(kSaveSeed, 1))));
}

TEST(ConsistFilesSave, IdsAlreadyInTheFileAreSteppedOverBySixteen) {
    constexpr std::uint64_t kSeed = 4242;
    const std::int64_t firstDraw = drawnId(kSeed, 0);
    const std::int64_t secondDraw = drawnId(kSeed, 1);
    // The first draw and the next step are template ids; the second draw is the file's last entry.
    const std::string taken = userTemplate(firstDraw, "Taken Once", {{kDr220}}, 300000000);
    const std::string takenToo =
        userTemplate(firstDraw + 16, "Taken Twice", {{kFals}, {kBrakeVan, "1"}}, secondDraw - 16);
    Session session;
    session.borrowAssets(sampleGame().game);
    session.setEnvironment("DOVREL_RANDOM_SEED", std::to_string(kSeed));
    session.writeUserConsists(userConsistDocument({taken, takenToo}));

    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "choose List3 #1", "click butView",
                     "type Text1 Fresh Ids", "dump", "click mnuSaveConsistToVTUserConsists", "dump"});
    const std::vector<std::string> units = dumps[0].consistUnits();
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(session.gameFileXml(),
              userConsistDocument(
                  {taken, takenToo, savedTemplate(firstDraw + 32, "Fresh Ids", units, secondDraw + 16)}));
    EXPECT_EQ(dumps[1].items("List3").back(), std::to_string(firstDraw + 32) + "\tFresh Ids");
    EXPECT_EQ(dumps[1].listedConsists().back(), joinTexts(units, ":"));
}

TEST(ConsistFilesSave, NamesThatCannotBeSavedAreRefusedWithoutWritingAnything) {
    Session session;
    useSampleCopy(session);
    const std::string original = fileText(session.gameFile());
    std::vector<std::string> actions{"click mnuOpenVTUserConsists", "click butView", "type Text1    ",
                                     "click mnuSaveConsistToVTUserConsists", "dump"};
    std::vector<Message> expected{exclamation(texts::userUnitNotFound(kMk1BgMissing.path)),
                                  exclamation(texts::kNameMissing)};
    for (const char symbol : std::string_view("\\/*:?\"<>|")) {
        actions.push_back(std::string("type Text1 Coal") + symbol + "Ore");
        actions.emplace_back("click mnuSaveConsistToVTUserConsists");
        expected.push_back(exclamation(texts::kForbiddenSymbols));
    }
    actions.emplace_back("dump");
    const std::vector<Dump> dumps = session.run(actions);
    EXPECT_EQ(dumps[0].text("Text1"), "") << "the spaces are trimmed away";
    EXPECT_EQ(dumps[1].messages(), expected);
    EXPECT_EQ(dumps[1].text("Text1"), "Coal|Ore");
    EXPECT_EQ(fileText(session.gameFile()), original);
    EXPECT_FALSE(fs::exists(session.programFile("Temp/tempc.xml")));
    EXPECT_FALSE(fs::exists(session.programFile("Temp/tempc.bin")));
}

TEST(ConsistFilesSave, ANameWithAnAmpersandIsSavedEscapedAndFoundAgain) {
    Session session;
    useSampleCopy(session);
    writeFile(session.programFile("Temp/error.xml"), "an earlier rejection\r\n");
    // The sample already holds a consist named "Coal & Ballast": the name from the box is found in
    // the file under its entity and replaced after the question.
    const Dump dump =
        session.runOnce({"click mnuOpenVTUserConsists", "choose List3 #3", "click butView",
                         "type Text1 Coal & Ballast", "answer Yes", "click mnuSaveConsistToVTUserConsists"});
    const std::vector<Message> messages = dump.messages();
    EXPECT_NE(std::find(messages.begin(), messages.end(), question(texts::kReplace, "Yes")), messages.end());
    EXPECT_EQ(messages.back(), information(texts::kSaved));
    const std::vector<std::string> rows = dump.items("List3");
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rowName(rows.back()), "Coal &amp; Ballast");
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](const std::string& row) { return rowName(row) == "Coal &amp; Ballast"; }),
              1);
    EXPECT_EQ(dump.current("List3"), 5) << "the saved consist's row is chosen";
    EXPECT_EQ(fileText(session.programFile("Temp/error.xml")), "an earlier rejection\r\n");
}

TEST(ConsistFilesSave, ANameTheFileSpellsWithAnEntityIsChosenAfterTheSave) {
    Session session;
    useSampleCopy(session);
    const Dump dump = session.runOnce({"click mnuOpenVTUserConsists", "choose List3 #2", "click butView",
                                       "type Text1 O'Brien Special", "click mnuSaveConsistToVTUserConsists"});
    EXPECT_EQ(dump.messages().back(), information(texts::kSaved));
    // serz writes the apostrophe as an entity, and the reader keeps entities as written; the row
    // whose name stands for the name from the box is chosen.
    const std::vector<std::string> rows = dump.items("List3");
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rowName(rows.back()), "O&apos;Brien Special");
    const int current = dump.current("List3");
    ASSERT_EQ(current, 6);
    const std::string& chosen = rows[static_cast<std::size_t>(current)];
    EXPECT_EQ(dump.text("Label22"), rowId(chosen) + " " + rowName(chosen));
    EXPECT_EQ(dump.rows("ListView1"),
              unitViewRows(dump.listedConsists().at(static_cast<std::size_t>(current))));
}

TEST(ConsistFilesSave, OnALowerCaseInstallationTheFileIsReplacedUnderItsOwnName) {
    Session session;
    useSampleCopy(session, true);
    const fs::path content = session.game() / "content";
    const auto names = [&content] {
        std::vector<std::string> list;
        for (const fs::directory_entry& entry : fs::directory_iterator(content)) {
            list.push_back(entry.path().filename().string());
        }
        std::sort(list.begin(), list.end());
        return list;
    };
    const std::vector<std::string> before = names();
    const std::vector<Dump> dumps = session.run(
        {"click mnuOpenVTUserConsists", "choose List3 #1", "click butView", "type Text1 Kleiner Zug",
         "click mnuSaveConsistToVTUserConsists", "dump", "answer Yes", "click mnuDeleteConsist", "dump"});
    EXPECT_EQ(dumps[0].messages().back(), information(texts::kSaved));
    EXPECT_EQ(rowName(dumps[0].items("List3").back()), "Kleiner Zug");
    EXPECT_EQ(dumps[1].messages().back(), information(texts::deleted("Kleiner Zug")));
    // No second spelling of the file appears beside it.
    EXPECT_EQ(names(), before);
    // Saved and deleted again, the file holds the templates it held at the start.
    EXPECT_EQ(
        xmlOfBin(content / "consisttemplates.bin", session.programFile("check")),
        xmlOfBin(sampleGame(true).game / "content" / "consisttemplates.bin", session.programFile("check")));
    std::vector<std::string> rows = dumps[0].items("List3");
    ASSERT_EQ(rows.size(), 7u);
    rows.pop_back();
    EXPECT_EQ(dumps[1].items("List3"), rows);
}

// =============================================================================================
// Deleting

TEST(ConsistFilesDelete, DeletingOneOfThreeCutsOutExactlyItsLines) {
    const std::string first = userTemplate(5001, "First", {{kDr220}, {kFals, "1"}}, 10001);
    const std::string second = userTemplate(5002, "Second", {{kEt45}, {kZacns}}, 10101);
    const std::string third = userTemplate(5003, "Third", {{kBrakeVan, "1"}}, 10201);
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(userConsistDocument({first, second, third}));
    ASSERT_EQ(session.gameFileXml(), userConsistDocument({first, second, third}));
    const std::string original = fileText(session.gameFile());

    const Dump kept = session.runOnce(
        {"click mnuOpenVTUserConsists", "choose List3 #1", "answer No", "click mnuDeleteConsist"});
    EXPECT_EQ(kept.messages(), std::vector<Message>{question(texts::kDeleteQuestion, "No")});
    EXPECT_EQ(fileText(session.gameFile()), original);

    const Dump dump = session.runOnce(
        {"click mnuOpenVTUserConsists", "choose List3 #1", "answer Yes", "click mnuDeleteConsist"});
    EXPECT_EQ(dump.messages(), (std::vector<Message>{question(texts::kDeleteQuestion, "Yes"),
                                                     information(texts::deleted("Second"))}));
    const std::string expected = userConsistDocument({first, third});
    EXPECT_EQ(session.gameFileXml(), expected);
    // The rewrite ends every line with CR LF, the last one included.
    EXPECT_EQ(fileText(session.programFile("Temp/tempc.xml")), expected);
    EXPECT_EQ(dump.items("List3"), (std::vector<std::string>{"5001\tFirst", "5003\tThird"}));
    EXPECT_EQ(dump.listedConsists(), (std::vector<std::string>{dump.listed({{kDr220, "0"}, {kFals, "1"}}),
                                                               dump.listed({{kBrakeVan, "1"}})}));
    EXPECT_EQ(dump.current("List3"), 0);
    EXPECT_TRUE(dump.enabled("mnuOpenVTUserConsists"));
}

TEST(ConsistFilesDelete, TheFirstTemplateOfTheChosenNameIsDeletedLetterCaseCounting) {
    const std::string upper = userTemplate(5201, "TWIN", {{kDr220}}, 12001);
    const std::string first = userTemplate(5202, "Twin", {{kFals}}, 12101);
    const std::string other = userTemplate(5203, "Other", {{kBrakeVan}}, 12201);
    const std::string second = userTemplate(5204, "Twin", {{kZacns}}, 12301);
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(userConsistDocument({upper, first, other, second}));
    const Dump dump = session.runOnce(
        {"click mnuOpenVTUserConsists", "choose List3 #3", "answer Yes", "click mnuDeleteConsist"});
    EXPECT_EQ(dump.messages().back(), information(texts::deleted("Twin")));
    EXPECT_EQ(session.gameFileXml(), userConsistDocument({upper, other, second}));
    EXPECT_EQ(dump.items("List3"), (std::vector<std::string>{"5201\tTWIN", "5203\tOther", "5204\tTwin"}));
}

// The chosen name is trimmed, the file's is not: a name with spaces around it is not found.
TEST(ConsistFilesDelete, AConsistNamedWithSpacesAroundIsNotFoundInTheFile) {
    Session session;
    writeViewGame(session);
    const std::string original = fileText(session.gameFile());
    const Dump dump = session.runOnce(
        {"click mnuOpenVTUserConsists", "choose List3 #0", "answer Yes", "click mnuDeleteConsist"});
    EXPECT_EQ(dump.messages().back(),
              exclamation(texts::paragraphs({"Operation aborted.", "Coal (empty)",
                                             "Consist not found in ConsistTemplates.bin file."})));
    EXPECT_EQ(fileText(session.gameFile()), original);
    EXPECT_EQ(dump.items("List3").size(), 3u);
}

TEST(ConsistFilesDelete, DeletingTheLastConsistDeletesTheFile) {
    Session session;
    session.borrowAssets(sampleGame().game);
    session.writeUserConsists(
        userConsistDocument({userTemplate(5101, "Only One", {{kDr220}, {kFals}}, 11001)}));
    const std::vector<Dump> dumps =
        session.run({"click mnuOpenVTUserConsists", "answer Yes", "click mnuDeleteConsist", "dump",
                     "click mnuDeleteConsist", "click butView", "dump"});
    const Dump& dump = dumps[0];
    EXPECT_FALSE(fs::exists(session.gameFile()));
    EXPECT_EQ(dump.messages(), (std::vector<Message>{question(texts::kDeleteQuestion, "Yes"),
                                                     information(texts::lastDeleted("Only One"))}));
    EXPECT_EQ(dump.items("List3"), std::vector<std::string>{});
    EXPECT_EQ(dump.text("Label7"), "");
    EXPECT_FALSE(dump.enabled("mnuOpenVTUserConsists"));
    // Kept as they were: the unit list view, the chosen consist label and the delete command.
    EXPECT_EQ(dump.rows("ListView1").size(), 2u);
    EXPECT_EQ(dump.text("Label22"), "5101 Only One");
    EXPECT_TRUE(dump.enabled("mnuDeleteConsist"));
    // A further delete finds the empty list and does nothing; View, still enabled, has nothing to load.
    std::vector<Message> later = dump.messages();
    later.push_back(exclamation(texts::kSelectConsist));
    EXPECT_EQ(dumps[1].messages(), later);
}

} // namespace
} // namespace dovrel
