// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameXml.h"
#include "Stock.h"

#include <string>

namespace dovrel::sample {

// What a vehicle is, as its description says.
enum class Role { DieselLoco, ElectricLoco, SteamLoco, Railcar, Tender, Coach, FreightWagon, Departmental };

Role roleOf(const Vehicle& vehicle);

// The shop description of a vehicle in every language.
Localised describe(Role role, const std::string& displayName);

// The description of a blueprint that is not a vehicle.
Localised describeAccessory(const std::string& displayName);

} // namespace dovrel::sample
