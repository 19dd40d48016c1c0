// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadObserver.h"
#include "consistfiles/ScenarioConsistScan.h"
#include "consistfiles/WorkingConversion.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dovrel {

class ScenarioConsistListing;

// Reads the consists of every scenario of every route into one listing: each scenario converted
// in turn, each consist with at least one vehicle found in the catalogue listed as its identifier
// and its driver's service name, or "(unassigned)" without one. Vehicles missing from the
// catalogue are announced, left out and noted in notfound.txt. A scenario that cannot be copied or
// converted lists nothing and the walk goes on. With the bundled converter, a scenario unchanged
// since an earlier read of the same catalogue is listed from the scenario index instead of converted;
// the list, the messages and their order are the same.
class ScenarioConsistReader {
public:
    explicit ScenarioConsistReader(ConsistFileServices& services) : services_(services) {}

    // Afterwards the window sets the heading "Scenario Consists" and selects row 0 when a row was
    // listed, then updates the commands; the delete command stays disabled.
    ConsistReadResult readScenarioConsists(const std::filesystem::path& routesFolder,
                                           const std::vector<std::string>& catalogue,
                                           ConsistReadObserver& observer);

private:
    // With the bundled converter: the scenarios converted on worker threads, except those whose
    // findings the scenario index beside the catalogue cache remembers; the index noted again.
    void listInProcess(const std::vector<std::filesystem::path>& scenarioFiles,
                       const std::vector<std::string>& catalogue, WorkingConversion& conversion,
                       ScenarioConsistListing& listing);

    ConsistFileServices& services_;
};

} // namespace dovrel
