// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Random.h"
#include "Stock.h"

#include <string>
#include <vector>

namespace dovrel::sample {

// One vehicle of a consist as a game file names it.
struct ConsistVehicle {
    BlueprintRef ref;
    std::string name; // the vehicle's display name
    bool engine = false;
    bool flipped = false;
    double mass = 0;
    int bulkCargoes = 0;
};

// A consist the user composed, as kept in ConsistTemplates.bin.
struct UserConsist {
    std::string name;
    std::vector<ConsistVehicle> vehicles;
};

// A consist placed by a scenario. Without a driver the driver is nil; without vehicles the
// consist is written with an empty vehicle list.
struct Train {
    bool driven = true;
    std::string serviceName;
    std::string destination;
    std::vector<ConsistVehicle> vehicles;
};

struct ScenarioPlan {
    std::string folder; // the scenario's folder name
    std::string displayName;
    bool hasScenarioFile = true; // false: a folder holding only its properties
    std::vector<Train> trains;
};

struct RoutePlan {
    std::string folder;
    std::string displayName;
    bool hasScenariosFolder = true;
    std::vector<ScenarioPlan> scenarios;
};

struct ConsistPlan {
    std::vector<UserConsist> userConsists;
    std::vector<RoutePlan> routes;
};

// The user consists and the routes with their scenarios, made of the catalogued stock, with the
// cases the consist readers have to meet: a unit that is nowhere in the assets, a train without
// driver, a consist without vehicles, a path in other letter case, a route without scenarios,
// non-ASCII names. The random trains grow with the size of the stock.
ConsistPlan planConsists(const Stock& stock, Random& random);

// Random trains of the catalogued stock, made as a scenario's own random trains are.
std::vector<Train> randomTrains(const Stock& stock, Random& random, int count);

} // namespace dovrel::sample
