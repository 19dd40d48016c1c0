// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioFindings.h"

#include "consistfiles/CompactValues.h"
#include "consistfiles/ScenarioFindingsText.h"

namespace dovrel {

using namespace findingstext;

void ScenarioFindings::consistOpened(const std::string& identifier) {
    putKind(kOpened, identifier);
}

void ScenarioFindings::vehicleClosed(const std::string& identifier, const std::string& blueprint,
                                     const std::string& heading) {
    const auto [known, added] = blueprints_.try_emplace(blueprint, blueprints_.size());
    if (added) {
        text_.push_back(kBlueprint);
        putCompactText(text_, blueprint);
    }
    putKind(kVehicle, identifier);
    putCompactNumber(text_, known->second);
    putCompactText(text_, heading);
}

void ScenarioFindings::consistClosed(const std::string& identifier, const std::string& serviceName) {
    putKind(kClosed, identifier);
    putCompactText(text_, serviceName);
}

void ScenarioFindings::putKind(char kind, const std::string& identifier) {
    if (first_ || identifier != identifier_) {
        text_.push_back(withIdentifier(kind));
        putCompactText(text_, identifier);
        identifier_ = identifier;
        first_ = false;
    } else {
        text_.push_back(kind);
    }
}

} // namespace dovrel
