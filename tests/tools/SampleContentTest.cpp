// The generated installation as the editor's scans read it: the blueprints' elements in the order
// the blueprint reader looks for them, the user consists and the scenario consists with the
// cases their readers have to meet.

#include "LineScans.h"
#include "SampleRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace dovrel::testing {
namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

bool hasNonAscii(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A blueprint file of the sample below Assets: its provider, its path below the product folder.
struct AssetFile {
    std::string provider;
    std::string belowProduct;
};

AssetFile assetFile(const std::string& path) {
    const auto provider = path.find('/') + 1;
    const auto product = path.find('/', provider) + 1;
    const auto rest = path.find('/', product) + 1;
    return AssetFile{path.substr(provider, product - provider - 1), path.substr(rest)};
}

// The id by which consists name a blueprint: its path below the product, "\" between the parts,
// ".xml" for the extension.
std::string blueprintIdOf(const std::string& belowProduct) {
    std::string id = belowProduct.substr(0, belowProduct.rfind('.')) + ".xml";
    std::replace(id.begin(), id.end(), '/', '\\');
    return id;
}

class SampleContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const GeneratedSample& sample = defaultSample();
        for (const auto& [path, xml] : sample.xml) {
            if (path.starts_with("Assets/")) {
                readings_[path] = readBlueprint(xml);
                const std::string id = blueprintIdOf(assetFile(path).belowProduct);
                exactIds_.insert(id);
                assetIds_.insert(lower(id));
            }
        }
    }

    static const BlueprintReading& reading(const std::string& path) {
        static const BlueprintReading none = [] {
            BlueprintReading r;
            r.status = -1;
            return r;
        }();
        const auto found = readings_.find(path);
        EXPECT_NE(found, readings_.end()) << path;
        return found == readings_.end() ? none : found->second;
    }

    static bool inAssets(const std::string& id) { return assetIds_.count(lower(id)) == 1; }

    static std::map<std::string, BlueprintReading> readings_;
    static std::set<std::string> assetIds_; // in lower case
    static std::set<std::string> exactIds_;
};

std::map<std::string, BlueprintReading> SampleContent::readings_;
std::set<std::string> SampleContent::assetIds_;
std::set<std::string> SampleContent::exactIds_;

TEST_F(SampleContent, EveryBlueprintOpensItsElementOnTheFourthLine) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.run.exitCode, 0);
    std::size_t vehicles = 0;
    std::size_t bytes = 0;
    for (const auto& [path, xml] : sample.xml) {
        if (!path.starts_with("Assets/")) {
            continue;
        }
        const std::vector<std::string> lines = scanLines(xml);
        ASSERT_GT(lines.size(), 4u) << path;
        EXPECT_EQ(lines[0], "<?xml version=\"1.0\" encoding=\"utf-8\"?>");
        EXPECT_EQ(lines[1], "<cBlueprintLoader xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\">") << path;
        EXPECT_EQ(lines[2], "\t<Blueprint>") << path;
        const std::string& element = lines[3];
        EXPECT_TRUE(element.starts_with("\t\t<c") && element.ends_with("Blueprint>") &&
                    element.find(' ') == std::string::npos)
            << path << ": " << element;
        if (readings_.at(path).status == 0) {
            ++vehicles;
            bytes += xml.size();
        }
    }
    ASSERT_GT(vehicles, 40u);
    EXPECT_GT(bytes / vehicles, 20000u); // tens of kilobytes, as real blueprints are
}

// What the blueprint reader takes from the vehicles that show its cases, and from blueprints of
// other kinds, by their path below Assets ("-": not read).
struct ExpectedReading {
    int status;
    const char* unitClass;
    const char* multipleUnit;
    const char* capacity;
    const char* freightTypes;
    bool frontId;
    bool rearId;
};

TEST_F(SampleContent, TheBlueprintReaderFindsEveryCase) {
    const std::string nordland = "Ostwerk Rail/Nordland Freight/RailVehicles/";
    const std::string heritage = "Ostwerk Rail/Heritage Steam/RailVehicles/";
    const std::string regional = "Kestrel Models/Regional Express/RailVehicles/";
    const std::string bulk = "Kestrel Models/Bulk Haulers/RailVehicles/";
    const std::vector<std::pair<std::string, ExpectedReading>> cases{
        {nordland + "Diesel/DR 220/Default/Engine/dr220.bin", {0, "diesel", "0", "", "", true, true}},
        {nordland + "Electric/ET 45/Default/Engine/et45.BIN", {0, "electric", "0", "", "", true, true}},
        {heritage + "Steam/Class 7F/Default/Engine/7f_loco.bin", {0, "steam", "0", "", "", true, true}},
        {heritage + "Steam/Class 3T/Default/Engine/3t_tank.bin",
         {0, "steam", "0", "2.5;5.5", "Coal;Water", true, true}},
        {heritage + "Departmental/Track Trolley/Default/Engine/trolley.bin",
         {0, "engine", "0", "", "", true, true}},
        {regional + "Electric/EMU 425/Default/Engine/emu425_dmso.bin",
         {0, "electric", "1", "", "", true, true}},
        {regional + "Diesel/DMU 642/Default/Engine/dmu642_a.bin", {0, "diesel", "1", "", "", true, true}},
        {regional + "Electric/EMU 425/Default/Wagon/emu425_tso.bin",
         {0, "passenger", "0", "", "", true, true}},
        {heritage + "Steam/Class 7F/Default/Tender/7f_tender.bin",
         {0, "tender", "0", "9;16", "Coal;Water", true, true}},
        {nordland + "Freight/Flat/Rs/Wagon/rs_flat.bin", {0, "freight", "0", "", "", true, true}},
        {nordland + "Freight/Kühlwagen/Tnfs/Wagon/tnfs_kühl.bin", {0, "freight", "0", "", "", true, true}},
        {nordland + "Freight/Hopper/Fals/Wagon/fals_coal.bin", {0, "freight", "0", "58", "Coal", true, true}},
        {bulk + "Freight/Hopper/Covered/Wagon/covered_hopper.bin",
         {0, "freight", "0", "48;48", "Grain;Fertiliser", true, true}},
        // Missing and empty coupling ids; nothing after a missing coupling element is read.
        {regional + "Electric/EMU 425/Default/Engine/emu425_dmsob.bin",
         {0, "engine", "0", "", "", true, false}},
        {regional + "Diesel/DMU 642/Default/Engine/dmu642_b.bin", {0, "diesel", "1", "", "", false, true}},
        {regional + "Coaches/Regio/Default/Wagon/regio_bdz.bin", {0, "passenger", "0", "", "", true, false}},
        // Blueprints of other kinds in folders the scan reads.
        {nordland + "Diesel/DR 220/Default/Engine/dr220_bogie.bin", {888, "-", "-", "-", "-", false, false}},
        {nordland + "Common/Lamps/headlamp.bin", {888, "-", "-", "-", "-", false, false}},
        {"Brennmoor Works/Bergstrecke Süd/RailVehicles/Electric/Zahnradlok/HGe "
         "44/Default/Engine/zahnrad_truck.bin",
         {888, "-", "-", "-", "-", false, false}},
        {"VantorStudios/vantorcore/RailVehicles/Couplings/Buffer.bin",
         {888, "-", "-", "-", "-", false, false}},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path);
        const BlueprintReading& r = reading("Assets/" + path);
        ASSERT_EQ(r.status, expected.status);
        if (r.status != 0) {
            continue;
        }
        EXPECT_EQ(r.unitClass, expected.unitClass);
        EXPECT_EQ(r.multipleUnit, expected.multipleUnit);
        EXPECT_EQ(r.capacity, expected.capacity);
        EXPECT_EQ(r.bulkFreightType, expected.freightTypes);
        EXPECT_EQ(!r.frontCouplingId.empty(), expected.frontId);
        EXPECT_EQ(!r.rearCouplingId.empty(), expected.rearId);
    }
    EXPECT_EQ(reading("Assets/" + regional + "Electric/EMU 425/Default/Engine/emu425_dmsob.bin").physics[0],
              "");
    EXPECT_EQ(reading("Assets/" + nordland + "Diesel/DR 220/Default/Engine/dr220.bin").frontCouplingId,
              "RailVehicles\\Couplings\\Buffer.xml");
    for (const auto& [path, r] : readings_) {
        if (r.status == 0 && !r.rearCouplingId.empty()) {
            EXPECT_TRUE(std::none_of(r.physics.begin(), r.physics.end(), [](const std::string& v) {
                return v.empty();
            })) << path;
        }
    }
}

TEST_F(SampleContent, NamesRepeatAcrossProvidersAndUseOtherScripts) {
    std::map<std::string, std::set<std::string>> providersByName;
    bool nonAscii = false;
    for (const auto& [path, r] : readings_) {
        if (r.status == 0) {
            providersByName[r.englishName].insert(assetFile(path).provider);
            nonAscii = nonAscii || hasNonAscii(r.englishName);
        }
    }
    EXPECT_EQ(providersByName["DR 220 Diesel"].size(), 2u);
    EXPECT_EQ(providersByName["Mk1 Corridor Coach"].size(), 2u);
    EXPECT_TRUE(nonAscii);
    EXPECT_EQ(
        reading("Assets/Halvard Stock/Coastal Commuter/RailVehicles/Freight/Cisterna/Wagon/cisterna_15.bin")
            .englishName,
        "Вагон-цистерна 15-150");
}

TEST_F(SampleContent, VehicleBlueprintsLieAtEveryLevelFromZeroToEight) {
    std::set<std::size_t> levels;
    for (const auto& [path, r] : readings_) {
        if (r.status == 0) {
            const std::string below = assetFile(path).belowProduct;
            levels.insert(static_cast<std::size_t>(std::count(below.begin(), below.end(), '/')));
        }
    }
    EXPECT_EQ(levels, (std::set<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(
        reading("Assets/Developer/Prototypes/RailVehicles/Diesel/Prototype/Default/Engine/prototype.bin")
            .status,
        0);
}

TEST_F(SampleContent, UserConsistsNameKnownUnitsAndOneThatIsNowhere) {
    const GeneratedSample& sample = defaultSample();
    ASSERT_EQ(sample.xml.count("Content/ConsistTemplates.bin"), 1u);
    const std::string& xml = sample.xml.at("Content/ConsistTemplates.bin");
    EXPECT_NE(xml.find("<cRecordSet xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\"132395920\">\r\n"
                       "\t<Record>\r\n\t\t<cConsistTemplate d:id=\""),
              std::string::npos);
    const std::vector<TemplateReading> templates = readTemplates(xml);
    ASSERT_GE(templates.size(), 3u);
    EXPECT_LE(templates.size(), 10u);
    std::vector<std::string> nowhere;
    std::set<std::string> headings;
    std::set<std::string> ids;
    for (const TemplateReading& t : templates) {
        EXPECT_NE(t.name, "*");
        EXPECT_FALSE(t.vehicles.empty()) << t.name;
        ids.insert(t.id);
        for (const ListedVehicle& v : t.vehicles) {
            headings.insert(v.heading);
            if (!inAssets(v.blueprint)) {
                nowhere.push_back(v.blueprint);
            }
        }
    }
    EXPECT_EQ(ids.size(), templates.size());
    EXPECT_EQ(headings, (std::set<std::string>{"0", "1"}));
    EXPECT_EQ(nowhere, (std::vector<std::string>{"RailVehicles\\Coaches\\Mk1\\Maroon\\Wagon\\mk1_bg.xml"}));
    EXPECT_TRUE(std::any_of(templates.begin(), templates.end(),
                            [](const TemplateReading& t) { return t.name == "Coal &amp; Ballast"; }));
    EXPECT_TRUE(std::any_of(templates.begin(), templates.end(),
                            [](const TemplateReading& t) { return hasNonAscii(t.name); }));
}

TEST_F(SampleContent, ScenarioConsistsMeetEveryCaseOfTheScenarioReader) {
    const GeneratedSample& sample = defaultSample();
    std::size_t scenarios = 0;
    std::size_t nilDrivers = 0;
    std::size_t emptyConsists = 0;
    std::size_t otherCase = 0;
    std::vector<std::string> nowhere;
    bool nonAsciiService = false;
    for (const auto& [path, xml] : sample.xml) {
        if (!path.ends_with("/Scenario.bin")) {
            continue;
        }
        ++scenarios;
        EXPECT_NE(xml.find("<cRecordSet xmlns:d=\"urn:vantor:delta\" d:version=\"1.0\" d:id=\""),
                  std::string::npos);
        const std::vector<ScenarioConsistReading> consists = readScenario(xml);
        EXPECT_GE(consists.size(), 3u) << path;
        EXPECT_LE(consists.size(), 50u) << path;
        for (const ScenarioConsistReading& c : consists) {
            EXPECT_FALSE(c.id.empty());
            nilDrivers += c.nilDriver ? 1 : 0;
            emptyConsists += c.noVehicles ? 1 : 0;
            nonAsciiService = nonAsciiService || hasNonAscii(c.serviceName);
            for (const ListedVehicle& v : c.vehicles) {
                if (!inAssets(v.blueprint)) {
                    nowhere.push_back(v.blueprint);
                } else if (exactIds_.count(v.blueprint) == 0) {
                    ++otherCase;
                }
            }
        }
    }
    EXPECT_EQ(scenarios, 3u);
    EXPECT_GE(nilDrivers, 1u);
    EXPECT_GE(emptyConsists, 1u);
    EXPECT_GE(otherCase, 1u);
    EXPECT_TRUE(nonAsciiService);
    EXPECT_EQ(nowhere,
              (std::vector<std::string>{"RailVehicles\\Freight\\Hopper\\Fals\\Wagon\\fals_covered.xml"}));
}

// True when the texts occur in the XML in this order, each after the one before.
::testing::AssertionResult inOrder(const std::string& xml, std::initializer_list<const char*> texts) {
    std::size_t at = 0;
    for (const char* text : texts) {
        at = xml.find(text, at);
        if (at == std::string::npos) {
            return ::testing::AssertionFailure() << "no " << text << " where expected";
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(SampleContent, AConsistHasTheGamesOrderOfParts) {
    const GeneratedSample& sample = defaultSample();
    const auto scenario = std::find_if(sample.xml.begin(), sample.xml.end(), [](const auto& entry) {
        return entry.first.ends_with("/Scenario.bin") && entry.second.find("7Z41 ") != std::string::npos;
    });
    ASSERT_NE(scenario, sample.xml.end());
    const std::string& xml = scenario->second;
    const char* const emptyName = "<English d:type=\"cDeltaString\"></English>";
    // The first consist, and its first vehicle: components with the heading among the first's
    // values, the blueprint, an empty reskin of the same shape, the name, the entity id. After
    // the vehicles the followers and the driver, whose destination carries an empty group name
    // before the service name.
    const std::string consist =
        xml.substr(xml.find("<cConsist d:id="), xml.find("</cConsist>") - xml.find("<cConsist d:id="));
    const std::string vehicle = consist.substr(0, consist.find("</cOwnedEntity>"));
    EXPECT_TRUE(inOrder(vehicle,
                        {"<cOwnedEntity d:id=", "<Component>", "<Flipped d:type=\"bool\">", "</cEngine>",
                         "<cPosOri", "<cCargoComponent", "<cScriptComponent", "</Component>", "<BlueprintID>",
                         "<Provider ", "<Product ", "<BlueprintID d:type=", "<ReskinBlueprintID>",
                         "<BlueprintID d:type=\"cDeltaString\"></", "<Name d:type=", "<EntityID>"}));
    EXPECT_TRUE(inOrder(consist, {"<RailVehicles>", "</RailVehicles>", "<FrontFollower>", "<RearFollower>",
                                  "<Driver>", "<cDriver d:id=", "<GroupName>", emptyName, "<ServiceName>",
                                  "<English d:type=\"cDeltaString\">7Z41 "}));
}

} // namespace
} // namespace dovrel::testing
