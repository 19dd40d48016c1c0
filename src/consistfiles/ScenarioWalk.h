// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

namespace dovrel {

// Every scenario file of the installation in the order the scenario reader visits them: the routes
// in listing order, and within each route that has a Scenarios folder its scenario folders in
// listing order, each one that holds a Scenario.bin. The fixed names are found ignoring case;
// folders whose names the walks leave out are skipped, and a folder reached a second time through
// a link is not entered again.
std::vector<std::filesystem::path> scenarioFilesInOrder(const std::filesystem::path& routesFolder);

} // namespace dovrel
