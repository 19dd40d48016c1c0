// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Random.h"
#include "Stock.h"

#include <string>

namespace dovrel::sample {

// The XML of a vehicle blueprint as the converter writes it. Line four opens the blueprint
// element (<cEngineBlueprint>, <cTenderBlueprint>, <cWagonBlueprint>); inside, the name, the
// English display name, the rail vehicle component with the front and rear coupling ids, the
// mass and the friction values, the engine type and the cargo definitions follow one another
// in that order, among the localisations, render, container, simulation, sound, script and
// control components of a real blueprint.
std::string vehicleBlueprintXml(const Vehicle& vehicle, Random& random);

// The XML of a coupling, bogie, scenery, sound, cab or simulation blueprint.
std::string otherBlueprintXml(const OtherBlueprint& blueprint, Random& random);

} // namespace dovrel::sample
