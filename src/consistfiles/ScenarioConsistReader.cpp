// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioConsistReader.h"

#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ConsistReadEnding.h"
#include "consistfiles/ScenarioConsistScan.h"
#include "consistfiles/ScenarioFindings.h"
#include "consistfiles/ScenarioWalk.h"
#include "consistfiles/WorkingConversion.h"
#include "convert/InOrderWork.h"
#include "core/XmlText.h"

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

    // The scenario whose consists are passed next.
    void scenarioStarted(const std::filesystem::path& source) { source_ = source; }

    void consistOpened(const std::string&) override {
        // Vehicles of a consist that never closed (a cut-off file) do not pass to the next one.
        result_.listing.discardOpenConsist();
        openMissing_.clear();
    }

    void vehicleClosed(const std::string& identifier, const std::string& blueprint,
                       const std::string& heading) override {
        if (const std::string* record = lookup_.findWritten(std::nullopt, std::nullopt, blueprint)) {
            result_.listing.appendUnit(*record, heading);
            return;
        }
        result_.missingUnits.append(blueprint).append("\r\n");
        openMissing_.push_back(xmlUnescapedText(blueprint));
        services_.messages.inform(
            consistmessages::scenarioUnitNotFound(identifier, blueprintFileName(blueprint)));
    }

    void consistClosed(const std::string& identifier, const std::string& serviceName) override {
        const ConsistRow row{identifier,
                             serviceName.empty() ? std::string(consistmessages::kUnassigned) : serviceName};
        if (!result_.listing.openConsistHasUnits() && !openMissing_.empty()) {
            result_.origins.push_back({row, source_, std::move(openMissing_), std::nullopt});
        }
        if (result_.listing.openConsistHasUnits()) {
            result_.origins.push_back({row, source_, std::move(openMissing_), result_.listing.rowCount()});
            result_.listing.listOpenConsist(row);
            observer_.rowListed(row);
            observer_.progressShown(identifier + " " + row.name);
        }
        openMissing_.clear();
        services_.events.pump();
    }

private:
    ConsistFileServices& services_;
    ConsistReadObserver& observer_;
    const BlueprintLookup& lookup_;
    ConsistReadResult& result_;
    std::filesystem::path source_;
    std::vector<std::string> openMissing_;
};

// A scenario converted in memory and scanned as its XML lines came: how the conversion ended and
// what the scan found, to be listed only when the scenario converted.
struct ScannedScenario {
    InMemoryConversion conversion;
    ScenarioFindings findings;
};

// Safe on any thread: the scan only collects.
ScannedScenario scanInMemory(const Files& files, const std::filesystem::path& scenarioFile) {
    ScannedScenario scanned;
    ScenarioConsistScan scan(scanned.findings);
    // The whole file is converted even after the scan has finished: a fault anywhere in it lists
    // nothing of the scenario.
    scanned.conversion =
        streamInMemory(files, scenarioFile, [&scan](std::string_view line) { scan.scanLine(line); });
    return scanned;
}

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
    // With the bundled converter, worker threads convert and scan the next scenarios while this one
    // is listed; what they found is listed here, in walk order.
    std::optional<InOrderWork<ScannedScenario>> inMemory;
    if (services_.converter.runsInProcess()) {
        inMemory.emplace(
            scenarioFiles.size(),
            [this, &scenarioFiles](std::size_t index) {
                return scanInMemory(services_.files, scenarioFiles[index]);
            },
            conversionThreads(), conversionThreads());
    }
    for (const std::filesystem::path& scenarioFile : scenarioFiles) {
        listing.scenarioStarted(scenarioFile);
        if (inMemory) {
            const ScannedScenario scanned = inMemory->takeNext([this] { services_.events.pump(); });
            if (conversion.acceptStreamed(scanned.conversion)) {
                scanned.findings.passTo(listing);
            }
            continue;
        }
        const auto lines = conversion.gameFileLines(scenarioFile, workingBin);
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
