#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel::testing {

// Compact models of the editor's line scans over converted XML, to check that the generated
// files hold what those scans look for, in the order they look for it. Lines are prepared by the
// editor's rules (trailing CR LF pairs removed, CR CR LF deleted, split at CR LF, trimmed of
// spaces); tags are found by containment ignoring ASCII case.

std::vector<std::string> scanLines(std::string text);
bool containsIgnoringCase(std::string_view line, std::string_view tag);

// What the blueprint reader leaves behind. Status 0 read, 888 not a vehicle, 999 failed.
struct BlueprintReading {
    int status = 0;
    std::string kind;
    std::string unitClass;
    std::string commonName;
    std::string englishName;
    std::string frontCouplingId;
    std::string rearCouplingId;
    std::array<std::string, 8> physics; // mass, derailment, drag, rolling, dry, wet, snow, sand
    std::string capacity;
    std::string bulkFreightType;
    std::string multipleUnit = "0";
};
BlueprintReading readBlueprint(const std::string& xml);

struct ListedVehicle {
    std::string blueprint;
    std::string heading;
};

// A user consist as the user-consist reader sees it.
struct TemplateReading {
    std::string id;
    std::string name;
    std::vector<ListedVehicle> vehicles;
};
std::vector<TemplateReading> readTemplates(const std::string& xml);

// A scenario consist as the scenario reader sees it, whether or not it would be listed.
struct ScenarioConsistReading {
    std::string id;
    std::string serviceName;
    bool noVehicles = false; // written as <RailVehicles/>
    bool nilDriver = false;
    std::vector<ListedVehicle> vehicles;
};
std::vector<ScenarioConsistReading> readScenario(const std::string& xml);

} // namespace dovrel::testing
