// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioConsistReader.h"

#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ConsistReadEnding.h"
#include "consistfiles/ScenarioConsistScan.h"
#include "consistfiles/ScenarioWalk.h"
#include "consistfiles/WorkingConversion.h"
#include "convert/InOrderWork.h"

#include <optional>

namespace dovrel {

namespace {

// Turns what the scan reports into rows, listed consists and missing-vehicle messages. The row
// numbering runs on from one scenario to the next.
class ScenarioConsistListing final : public ScenarioConsistScan::Listener {
public:
    ScenarioConsistListing(ConsistFileServices& services, ConsistReadObserver& observer,
                           const BlueprintLookup& lookup, ConsistReadResult& result)
        : services_(services), observer_(observer), lookup_(lookup), result_(result) {}

    void consistOpened(const std::string&) override {
        // Vehicles of a consist that never closed (a cut-off file) do not pass to the next one.
        result_.listing.discardOpenConsist();
    }

    void vehicleClosed(const std::string& identifier, const std::string& blueprint,
                       const std::string& heading) override {
        if (const std::string* record = lookup_.findWritten(std::nullopt, std::nullopt, blueprint)) {
            result_.listing.appendUnit(*record, heading);
            return;
        }
        result_.missingUnits.append(blueprint).append("\r\n");
        services_.messages.inform(
            consistmessages::scenarioUnitNotFound(identifier, blueprintFileName(blueprint)));
    }

    void consistClosed(const std::string& identifier, const std::string& serviceName) override {
        if (result_.listing.openConsistHasUnits()) {
            ConsistRow row{identifier,
                           serviceName.empty() ? std::string(consistmessages::kUnassigned) : serviceName};
            result_.listing.listOpenConsist(row);
            observer_.rowListed(row);
            observer_.progressShown(identifier + " " + row.name);
        }
        services_.events.pump();
    }

private:
    ConsistFileServices& services_;
    ConsistReadObserver& observer_;
    const BlueprintLookup& lookup_;
    ConsistReadResult& result_;
};

} // namespace

ConsistReadResult ScenarioConsistReader::readScenarioConsists(const std::filesystem::path& routesFolder,
                                                              const std::vector<std::string>& catalogue,
                                                              ConsistReadObserver& observer) {
    observer.listReset();
    ConsistReadResult result;
    observer.busyPointerShown(true);

    WorkingConversion conversion(services_);
    const std::filesystem::path workingBin = services_.tempFolder() / "temp.bin";
    const BlueprintLookup lookup(catalogue);
    ScenarioConsistListing listing(services_, observer, lookup, result);
    const std::vector<std::filesystem::path> scenarioFiles = scenarioFilesInOrder(routesFolder);
    // With the bundled converter, worker threads convert the next scenarios while this one is read.
    std::optional<InOrderWork<ConvertedLines>> inMemory;
    if (services_.converter.runsInProcess()) {
        inMemory.emplace(
            scenarioFiles.size(),
            [this, &scenarioFiles](std::size_t index) {
                return convertInMemory(services_.files, scenarioFiles[index]);
            },
            conversionThreads(), conversionThreads());
    }
    for (const std::filesystem::path& scenarioFile : scenarioFiles) {
        const auto lines =
            inMemory ? conversion.acceptInMemory(inMemory->takeNext([this] { services_.events.pump(); }))
                     : conversion.gameFileLines(scenarioFile, workingBin);
        if (!lines) {
            continue;
        }
        ScenarioConsistScan scan(listing);
        for (const std::string& line : *lines) {
            scan.scanLine(line);
            if (scan.finished()) {
                break;
            }
        }
    }

    observer.busyPointerShown(false);
    endConsistRead(services_, observer, result);
    return result;
}

} // namespace dovrel
