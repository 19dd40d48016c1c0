#include "LineScans.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace dovrel::testing {
namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text between the line's first ">" and its last "<".
std::optional<std::string> valueOf(const std::string& line) {
    const auto open = line.find('>');
    const auto close = line.rfind('<');
    if (open == std::string::npos || close == std::string::npos || close < open) {
        return std::nullopt;
    }
    return line.substr(open + 1, close - open - 1);
}

// The text between the line's first and last double quote.
std::string identifierOf(const std::string& line) {
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    return first == std::string::npos || last <= first ? std::string()
                                                       : line.substr(first + 1, last - first - 1);
}

std::string headingOf(const std::string& line, const std::string& previous) {
    const auto value = valueOf(line);
    return value ? (*value == "0" ? "0" : "1") : previous;
}

void dropLastSemicolon(std::string& text) {
    if (!text.empty() && text.back() == ';') {
        text.pop_back();
    }
}

} // namespace

std::vector<std::string> scanLines(std::string text) {
    while (text.size() >= 2 && text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    }
    for (auto at = text.find("\r\r\n"); at != std::string::npos; at = text.find("\r\r\n", at)) {
        text.erase(at, 3);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find("\r\n", start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const auto first = line.find_first_not_of(' ');
        const auto last = line.find_last_not_of(' ');
        lines.push_back(first == std::string::npos ? std::string() : line.substr(first, last - first + 1));
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return lines;
}

bool containsIgnoringCase(std::string_view line, std::string_view tag) {
    if (tag.size() > line.size()) {
        return false;
    }
    for (std::size_t at = 0; at + tag.size() <= line.size(); ++at) {
        std::size_t i = 0;
        while (i < tag.size() && lower(line[at + i]) == lower(tag[i])) {
            ++i;
        }
        if (i == tag.size()) {
            return true;
        }
    }
    return false;
}

BlueprintReading readBlueprint(const std::string& xml) {
    static constexpr const char* kEnds[] = {"</cEngineBlueprint>", "</cWagonBlueprint>",
                                            "</cTenderBlueprint>", "</cBogeyBlueprint>",
                                            "<CargoDef/>",         "</CargoDef>"};
    BlueprintReading r;
    // The state table: what each state looks for, where its value goes (nowhere: nullptr; appended
    // with ";" when `append`), and the next state. A state with two rows tries them in order.
    struct Step {
        int state;
        const char* tag;
        std::string* value;
        bool append;
        int next;
    };
    const Step steps[] = {
        {1, "<Name ", &r.commonName, false, 2},
        {2, "<English ", &r.englishName, false, 3},
        {3, "<RailVehicleComponent>", nullptr, false, 5},
        {5, "<FrontCouplingBlueprintID>", nullptr, false, 6},
        {6, "<Provider ", nullptr, false, 7},
        {7, "<Product ", nullptr, false, 8},
        {8, "<BlueprintID ", &r.frontCouplingId, false, 9},
        {9, "<RearCouplingBlueprintID>", nullptr, false, 10},
        {10, "<Provider ", nullptr, false, 11},
        {11, "<Product ", nullptr, false, 12},
        {12, "<BlueprintID ", &r.rearCouplingId, false, 13},
        {13, "<Mass ", &r.physics[0], false, 14},
        {14, "<EaseOfDerailment ", &r.physics[1], false, 15},
        {15, "<DragCoefficient ", &r.physics[2], false, 16},
        {16, "<RollingFrictionCoefficient ", &r.physics[3], false, 17},
        {17, "<DryFriction ", &r.physics[4], false, 18},
        {18, "<WetFriction ", &r.physics[5], false, 19},
        {19, "<SnowFriction ", &r.physics[6], false, 20},
        {20, "<SandFrictionMultiplier ", &r.physics[7], false, 21}, // 201 for a locomotive
        {201, "<EngineType ", &r.unitClass, false, 21},
        {21, "<CargoComponent>", nullptr, false, 22},
        {22, "<CargoDef>", nullptr, false, 23},
        {23, "<cBulkCargoDef ", nullptr, false, 24},
        {23, "<cPassengerDoorwayDef ", nullptr, false, 23},
        {24, "<Capacity ", &r.capacity, true, 25},
        {25, "<BulkFreightType ", &r.bulkFreightType, true, 23},
    };
    const std::vector<std::string> lines = scanLines(xml);
    int state = 0;
    for (std::size_t i = 3; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) {
            continue;
        }
        if (state == 0) {
            static constexpr const char* kKinds[][3] = {{"<cEngineBlueprint>", "loco", "engine"},
                                                        {"<cWagonBlueprint>", "wagon", "freight"},
                                                        {"<cTenderBlueprint>", "tender", "tender"}};
            for (const auto& kind : kKinds) {
                if (state == 0 && containsIgnoringCase(line, kind[0])) {
                    r.kind = kind[1];
                    r.unitClass = kind[2];
                    state = 1;
                }
            }
            if (state == 0) {
                r.status = 888;
                return r;
            }
            continue;
        }
        if (std::any_of(std::begin(kEnds), std::end(kEnds),
                        [&line](const char* end) { return containsIgnoringCase(line, end); })) {
            break;
        }
        const auto step = std::find_if(std::begin(steps), std::end(steps), [&](const Step& s) {
            return s.state == state && containsIgnoringCase(line, s.tag);
        });
        if (step == std::end(steps)) {
            continue;
        }
        if (step->value != nullptr) {
            const auto value = valueOf(line);
            if (!value) {
                r.status = 999;
                return r;
            }
            *step->value = step->append ? *step->value + *value + ";" : *value;
        }
        if (state == 201) {
            std::transform(r.unitClass.begin(), r.unitClass.end(), r.unitClass.begin(), lower);
        } else if (state == 23 && step->next == 23) { // a passenger doorway
            if (r.kind == "wagon") {
                r.unitClass = "passenger";
            } else if (r.kind == "loco") {
                r.multipleUnit = "1";
            }
        }
        state = state == 20 && r.kind == "loco" ? 201 : step->next;
    }
    dropLastSemicolon(r.capacity);
    dropLastSemicolon(r.bulkFreightType);
    return r;
}

std::vector<TemplateReading> readTemplates(const std::string& xml) {
    std::vector<TemplateReading> templates;
    TemplateReading current;
    bool inside = false;
    int state = 0;
    std::string blueprint;
    std::string heading;
    for (const std::string& line : scanLines(xml)) {
        if (line.empty()) {
            continue;
        }
        if (!inside) {
            if (containsIgnoringCase(line, "<cConsistTemplate ")) {
                current = TemplateReading{identifierOf(line), "*", {}};
                blueprint = "*";
                heading = "0";
                inside = true;
                state = 1;
            }
            continue;
        }
        if (containsIgnoringCase(line, "</cConsistTemplate>")) {
            templates.push_back(current);
            inside = false;
        } else if (containsIgnoringCase(line, "</cConsistTemplateEntry>")) {
            current.vehicles.push_back({blueprint, heading});
            state = 4;
        } else if (state == 1 && containsIgnoringCase(line, "<Name>")) {
            state = 2;
        } else if (state == 2 && containsIgnoringCase(line, "<English ")) {
            current.name = valueOf(line).value_or(current.name);
            state = 3;
        } else if (state == 3 && containsIgnoringCase(line, "<ConsistEntry>")) {
            state = 4;
        } else if (state == 4 && containsIgnoringCase(line, "<cConsistTemplateEntry ")) {
            state = 5;
        } else if (state == 5 && containsIgnoringCase(line, "<BlueprintID ")) {
            blueprint = valueOf(line).value_or(blueprint);
            state = 6;
        } else if (state == 6 && containsIgnoringCase(line, "<Flipped ")) {
            heading = headingOf(line, heading);
            state = 7;
        }
    }
    return templates;
}

std::vector<ScenarioConsistReading> readScenario(const std::string& xml) {
    std::vector<ScenarioConsistReading> consists;
    ScenarioConsistReading current;
    bool inside = false;
    int state = 0;
    std::string blueprint;
    std::string heading;
    for (const std::string& line : scanLines(xml)) {
        if (line.empty()) {
            continue;
        }
        if (!inside) {
            if (containsIgnoringCase(line, "<cConsist ")) {
                current = ScenarioConsistReading{identifierOf(line), "", false, false, {}};
                blueprint.clear();
                heading = "0";
                inside = true;
                state = 1;
            }
            continue;
        }
        if (containsIgnoringCase(line, "</cConsist>")) {
            consists.push_back(current);
            inside = false;
        } else if (containsIgnoringCase(line, "</cOwnedEntity>")) {
            current.vehicles.push_back({blueprint, heading});
            state = 2;
        } else if (containsIgnoringCase(line, "</Component>")) {
            state = 5;
        } else if (containsIgnoringCase(line, "<RailVehicles/>")) {
            current.noVehicles = true;
            consists.push_back(current);
            inside = false;
        } else if (containsIgnoringCase(line, "</RailVehicles>")) {
            state = 7;
        } else if (containsIgnoringCase(line, "</Record>")) {
            break;
        } else if (state == 1 && containsIgnoringCase(line, "<RailVehicles>")) {
            state = 2;
        } else if (state == 2 && containsIgnoringCase(line, "<cOwnedEntity ")) {
            state = 3;
        } else if (state == 3 && containsIgnoringCase(line, "<Component>")) {
            state = 4;
        } else if (state == 4 && containsIgnoringCase(line, "<Flipped ")) {
            heading = headingOf(line, heading);
            state = 5;
        } else if (state == 5 && containsIgnoringCase(line, "<BluePrintID>")) {
            state = 6;
        } else if (state == 6 && containsIgnoringCase(line, "<BlueprintID ")) {
            blueprint = valueOf(line).value_or(blueprint);
            state = 7;
        } else if (state == 7 && containsIgnoringCase(line, "<Driver>")) {
            state = 8;
        } else if (state == 8 && containsIgnoringCase(line, "<d:nil/>")) {
            current.nilDriver = true;
        } else if (state == 8 && containsIgnoringCase(line, "<ServiceName>")) {
            state = 9;
        } else if (state == 9 && containsIgnoringCase(line, "<English ")) {
            current.serviceName = valueOf(line).value_or(current.serviceName);
            state = 10;
        }
    }
    return consists;
}

} // namespace dovrel::testing
