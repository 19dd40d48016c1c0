// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/BlueprintReader.h"

#include "catalogue/EquipmentRecord.h"
#include "core/TextRules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace dovrel {

namespace {

// The walk starts with the fourth line; the declaration, the loader and <Blueprint> are never looked at.
constexpr std::size_t kFirstLine = 3;
constexpr int kOutside = 0;

enum class Action {
    None,        // the element only moves the walk on
    Assign,      // the value goes to the step's target
    EnglishName, // the value goes to englishName and is shown at once
    FrontCoupling,
    RearCoupling,
    EngineType,  // the value in lower case becomes the unit's class
    Capacity,    // appended with ";"
    FreightType, // appended with ";"
    Doorway,     // a wagon carrying passengers, or a locomotive that is a multiple unit
};

struct Step {
    int state;
    std::string_view element; // ends with a space where the converter writes attributes
    Action action;
    std::string BlueprintFields::*target;
    int next;
    int nextForLoco;
};

constexpr Step step(int state, std::string_view element, Action action, int next,
                    std::string BlueprintFields::*target = nullptr) {
    return {state, element, action, target, next, next};
}

// What each state looks for; a state with two steps tries them in this order.
constexpr std::array kSteps = {
    step(1, "<Name ", Action::Assign, 2, &BlueprintFields::commonName),
    step(2, "<English ", Action::EnglishName, 3),
    step(3, "<RailVehicleComponent>", Action::None, 5),
    step(5, "<FrontCouplingBlueprintID>", Action::None, 6),
    step(6, "<Provider ", Action::None, 7),
    step(7, "<Product ", Action::None, 8),
    step(8, "<BlueprintID ", Action::FrontCoupling, 9),
    step(9, "<RearCouplingBlueprintID>", Action::None, 10),
    step(10, "<Provider ", Action::None, 11),
    step(11, "<Product ", Action::None, 12),
    step(12, "<BlueprintID ", Action::RearCoupling, 13),
    step(13, "<Mass ", Action::Assign, 14, &BlueprintFields::mass),
    step(14, "<EaseOfDerailment ", Action::Assign, 15, &BlueprintFields::easeOfDerailment),
    step(15, "<DragCoefficient ", Action::Assign, 16, &BlueprintFields::dragCoefficient),
    step(16, "<RollingFrictionCoefficient ", Action::Assign, 17, &BlueprintFields::rollingFriction),
    step(17, "<DryFriction ", Action::Assign, 18, &BlueprintFields::dryFriction),
    step(18, "<WetFriction ", Action::Assign, 19, &BlueprintFields::wetFriction),
    step(19, "<SnowFriction ", Action::Assign, 20, &BlueprintFields::snowFriction),
    Step{20, "<SandFrictionMultiplier ", Action::Assign, &BlueprintFields::sandFriction, 21, 201},
    step(201, "<EngineType ", Action::EngineType, 21),
    step(21, "<CargoComponent>", Action::None, 22),
    step(22, "<CargoDef>", Action::None, 23),
    step(23, "<cBulkCargoDef ", Action::None, 24),
    step(23, "<cPassengerDoorwayDef ", Action::Doorway, 23),
    step(24, "<Capacity ", Action::Capacity, 25),
    step(25, "<BulkFreightType ", Action::FreightType, 23),
};

// Lines that end the walk wherever they stand inside the blueprint.
constexpr std::array<std::string_view, 6> kWalkEnds = {
    "</cEngineBlueprint>", "</cWagonBlueprint>", "</cTenderBlueprint>",
    "</cBogeyBlueprint>",  "<CargoDef/>",        "</CargoDef>",
};

struct BlueprintElement {
    std::string_view element;
    std::string_view kind;
    std::string_view unitClass;
};

constexpr std::array<BlueprintElement, 3> kBlueprintElements = {{
    {"<cEngineBlueprint>", "loco", "engine"},
    {"<cWagonBlueprint>", "wagon", "freight"},
    {"<cTenderBlueprint>", "tender", "tender"},
}};

// Every text the reader looks for starts with "<", so a line is searched for "<" once and each test
// compares only at those places: the same answer as looking for the text anywhere in the line,
// ignoring case.
constexpr bool startsWithTag(std::string_view text) {
    return !text.empty() && text.front() == '<';
}
static_assert(std::all_of(kSteps.begin(), kSteps.end(),
                          [](const Step& s) { return startsWithTag(s.element); }));
static_assert(std::all_of(kWalkEnds.begin(), kWalkEnds.end(), startsWithTag));
static_assert(std::all_of(kBlueprintElements.begin(), kBlueprintElements.end(),
                          [](const BlueprintElement& e) { return startsWithTag(e.element); }));

class LineTags {
public:
    void look(std::string_view line) {
        line_ = line;
        starts_.clear();
        for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
            starts_.push_back(at);
        }
    }

    bool contains(std::string_view tag) const {
        // The byte after "<" tells most tags apart before the whole tag is compared.
        const char second = tag.size() > 1 ? asciiLower(tag[1]) : '\0';
        for (const std::size_t at : starts_) {
            if (line_.size() - at >= tag.size() && (tag.size() < 2 || asciiLower(line_[at + 1]) == second) &&
                equalsIgnoringCase(line_.substr(at, tag.size()), tag)) {
                return true;
            }
        }
        return false;
    }

private:
    std::string_view line_;
    std::vector<std::size_t> starts_;
};

bool endsTheWalk(const LineTags& line) {
    for (const std::string_view end : kWalkEnds) {
        if (line.contains(end)) {
            return true;
        }
    }
    return false;
}

const Step* matchingStep(int state, const LineTags& line) {
    for (const Step& candidate : kSteps) {
        if (candidate.state == state && line.contains(candidate.element)) {
            return &candidate;
        }
    }
    return nullptr;
}

void takeCoupling(std::string_view value, std::string& id, std::string& coupler) {
    if (!value.empty()) {
        id = std::string(value);
        coupler = shortCouplerName(value);
    }
}

void dropLastSemicolon(std::string& list) {
    if (list.ends_with(';')) {
        list.pop_back();
    }
}

} // namespace

BlueprintReader::BlueprintReader(Files& files, EventPump& events, NameShown showEnglishName)
    : files_(files), events_(events), showEnglishName_(std::move(showEnglishName)) {}

int BlueprintReader::read(const std::filesystem::path& xmlFile, BlueprintFields& fields) const {
    fields.resetAllButKind();
    const std::optional<std::string> text = files_.read(xmlFile);
    if (!text) {
        return kBlueprintReadFailed;
    }
    return readText(*text, fields);
}

int BlueprintReader::readText(std::string_view text, BlueprintFields& fields) const {
    std::string storage;
    const std::vector<std::string_view> lines = xmlLineViews(text, storage);
    int state = kOutside;
    LineTags tags;
    for (std::size_t index = kFirstLine; index < lines.size(); ++index) {
        const std::string_view line = trimSpaces(lines[index]);
        if (line.empty()) {
            events_.pump();
            continue;
        }
        tags.look(line);
        if (state == kOutside) {
            const BlueprintElement* found = nullptr;
            for (const BlueprintElement& candidate : kBlueprintElements) {
                if (tags.contains(candidate.element)) {
                    found = &candidate;
                    break;
                }
            }
            if (found == nullptr) {
                return kNotAVehicleBlueprint;
            }
            fields.blueprintKind = found->kind;
            fields.unitClass = found->unitClass;
            state = 1;
            events_.pump();
            continue;
        }
        if (endsTheWalk(tags)) {
            break;
        }
        if (const Step* current = matchingStep(state, tags)) {
            std::string_view value;
            if (current->action != Action::None && current->action != Action::Doorway) {
                const std::optional<std::string_view> cut = cutValue(line);
                if (!cut) {
                    return kBlueprintReadFailed;
                }
                value = *cut;
            }
            switch (current->action) {
            case Action::None:
                break;
            case Action::Assign:
                fields.*(current->target) = std::string(value);
                break;
            case Action::EnglishName:
                fields.englishName = std::string(value);
                if (showEnglishName_) {
                    showEnglishName_(fields.englishName);
                }
                break;
            case Action::FrontCoupling:
                takeCoupling(value, fields.frontCouplingId, fields.frontCoupler);
                break;
            case Action::RearCoupling:
                takeCoupling(value, fields.rearCouplingId, fields.rearCoupler);
                break;
            case Action::EngineType:
                fields.unitClass = asciiLower(value);
                break;
            case Action::Capacity:
                fields.capacity.append(value).push_back(';');
                break;
            case Action::FreightType:
                fields.bulkFreightType.append(value).push_back(';');
                break;
            case Action::Doorway:
                if (fields.blueprintKind == "wagon") {
                    fields.unitClass = "passenger";
                } else if (fields.blueprintKind == "loco") {
                    fields.multipleUnit = "1";
                }
                break;
            }
            state = fields.blueprintKind == "loco" ? current->nextForLoco : current->next;
        }
        events_.pump();
    }
    dropLastSemicolon(fields.capacity);
    dropLastSemicolon(fields.bulkFreightType);
    return kBlueprintRead;
}

} // namespace dovrel
