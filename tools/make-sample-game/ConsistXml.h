// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConsistPlan.h"
#include "Random.h"

#include <functional>
#include <string>
#include <vector>

namespace dovrel::sample {

// ConsistTemplates.bin as XML: the cRecordSet root, <Record>, one cConsistTemplate per user
// consist in the layout the editor itself writes (name in five languages, then one
// cConsistTemplateEntry per vehicle with its blueprint and heading).
std::string consistTemplatesXml(const std::vector<UserConsist>& consists, Random& random);

// Scenario.bin as XML: the cRecordSet root, <Record>, one cConsist per train. A consist holds its
// vehicles (component values with the heading among them, then the blueprint, an empty reskin,
// the name and the entity id), its two track followers and its driver: nil, or a cDriver whose
// destination carries an empty group name before the service name. The `fillers` follow the
// scenario's own trains, varied by `fillerRandom`, their GUID texts and vehicle numbers each one of
// a few thousand. The text goes to `take` in pieces, a train or more at a time.
void writeScenarioXml(const ScenarioPlan& scenario, Random& random, const std::vector<Train>& fillers,
                      Random& fillerRandom, const std::function<void(std::string)>& take);

// RouteProperties.xml and ScenarioProperties.xml: the names the game shows.
std::string routePropertiesXml(const RoutePlan& route, Random& random);
std::string scenarioPropertiesXml(const ScenarioPlan& scenario, Random& random);

} // namespace dovrel::sample
