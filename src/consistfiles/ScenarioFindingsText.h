// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ScenarioConsistScan.h"
#include "consistfiles/ScenarioFindings.h"

#include <string>
#include <string_view>

namespace dovrel {

// What the scan of one scenario found, as text for the scenario index: each finding in order, an
// identifier written only where it differs from the one before, and each blueprint path written once
// and named by its number after that, so that a scenario of thousands of vehicles takes a few bytes
// a vehicle.
std::string findingsText(const ScenarioFindings& findings);

// Reports the findings that findingsText wrote, in their order, to the listener. False, as soon as it
// is known, for text out of shape; the listener may then have heard part of it.
bool replayFindingsText(std::string_view text, ScenarioConsistScan::Listener& listener);

} // namespace dovrel
