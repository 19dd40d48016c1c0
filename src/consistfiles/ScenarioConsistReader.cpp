// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioConsistReader.h"

#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ConsistReadEnding.h"
#include "consistfiles/ScenarioConsistScan.h"
#include "consistfiles/ScenarioFindings.h"
#include "consistfiles/ScenarioFindingsText.h"
#include "consistfiles/ScenarioIndex.h"
#include "consistfiles/ScenarioWalk.h"
#include "consistfiles/WorkingConversion.h"
#include "convert/InOrderWork.h"
#include "core/TextKeyedMap.h"
#include "core/XmlText.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>

namespace dovrel {

// Turns what the scan of each scenario found, replayed from its findings text, into rows, listed
// consists and missing-vehicle messages. Each blueprint is looked up in the catalogue once a read.
// The row numbering runs on from one scenario to the next.
class ScenarioConsistListing final : public FindingsReplayListener {
public:
    ScenarioConsistListing(ConsistFileServices& services, ConsistReadObserver& observer,
                           const BlueprintLookup& lookup, ConsistReadResult& result)
        : services_(services), observer_(observer), lookup_(lookup), result_(result) {}

    // The scenario whose findings are replayed next.
    void scenarioStarted(const std::filesystem::path& source) {
        source_ = result_.sources.size();
        result_.sources.push_back(source);
        blueprints_.clear();
    }

    void blueprintMet(std::string_view blueprint) override {
        auto known = knownBlueprints_.find(blueprint);
        if (known == knownBlueprints_.end()) {
            known =
                knownBlueprints_
                    .emplace(std::string(blueprint),
                             KnownBlueprint{lookup_.findWritten(std::nullopt, std::nullopt, blueprint), {}})
                    .first;
        }
        blueprints_.push_back({blueprint, &known->second});
    }

    void consistOpened(std::string_view) override {
        // Vehicles of a consist that never closed (a cut-off file) do not pass to the next one.
        result_.listing.discardOpenConsist();
        openMissing_.clear();
    }

    void vehicleClosed(std::string_view identifier, std::size_t blueprintNumber,
                       std::string_view heading) override {
        const auto& [blueprint, known] = blueprints_[blueprintNumber];
        if (known->record) {
            result_.listing.appendUnit(unitNumber(*known, heading));
            return;
        }
        result_.missingUnits.append(blueprint).append("\r\n");
        openMissing_.push_back(xmlUnescapedText(blueprint));
        services_.messages.inform(
            consistmessages::scenarioUnitNotFound(identifier, blueprintFileName(blueprint)));
    }

    void consistClosed(std::string_view identifier, std::string_view serviceName) override {
        ConsistRow row{std::string(identifier),
                       std::string(serviceName.empty() ? consistmessages::kUnassigned : serviceName)};
        if (!result_.listing.openConsistHasUnits() && !openMissing_.empty()) {
            result_.origins.push_back({std::move(row), source_, std::move(openMissing_), std::nullopt});
        } else if (result_.listing.openConsistHasUnits()) {
            result_.origins.push_back({row, source_, std::move(openMissing_), result_.listing.rowCount()});
            observer_.rowListed(row);
            observer_.progressShown(row.identifier + " " + row.name);
            result_.listing.listOpenConsist(std::move(row));
        }
        openMissing_.clear();
        services_.events.pump();
    }

private:
    // A blueprint as written, looked up once a read: its record in the catalogue (none when the
    // catalogue has none), and the listing's numbers of its units forward and reversed, once needed.
    struct KnownBlueprint {
        const std::string* record;
        std::array<std::optional<std::uint32_t>, 2> units;
    };
    // A blueprint met in the scenario being replayed, in the order met.
    struct MetBlueprint {
        std::string_view blueprint;
        KnownBlueprint* known;
    };

    std::uint32_t unitNumber(KnownBlueprint& known, std::string_view heading) {
        if (heading != "0" && heading != "1") {
            return result_.listing.unitNumber(*known.record, heading);
        }
        std::optional<std::uint32_t>& unit = known.units[heading == "1" ? 1 : 0];
        if (!unit) {
            unit = result_.listing.unitNumber(*known.record, heading);
        }
        return *unit;
    }

    ConsistFileServices& services_;
    ConsistReadObserver& observer_;
    const BlueprintLookup& lookup_;
    ConsistReadResult& result_;
    std::size_t source_ = 0;
    std::vector<MetBlueprint> blueprints_;
    // Kept for the whole read: the records stand in the catalogue, which outlives it.
    TextKeyedMap<KnownBlueprint> knownBlueprints_;
    std::vector<std::string> openMissing_;
};

namespace {

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
    const BlueprintLookup lookup(catalogue);
    ScenarioConsistListing listing(services_, observer, lookup, result);
    const std::vector<std::filesystem::path> scenarioFiles = scenarioFilesInOrder(routesFolder);
    if (services_.converter.runsInProcess()) {
        listInProcess(scenarioFiles, catalogue, conversion, listing);
    } else {
        const std::filesystem::path workingBin = services_.tempFolder() / "temp.bin";
        for (const std::filesystem::path& scenarioFile : scenarioFiles) {
            listing.scenarioStarted(scenarioFile);
            const auto lines = conversion.gameFileLines(scenarioFile, workingBin);
            if (!lines) {
                continue;
            }
            ScenarioFindings findings;
            ScenarioConsistScan scan(findings);
            for (const std::string& line : *lines) {
                scan.scanLine(line);
                if (scan.finished()) {
                    break;
                }
            }
            replayFindingsText(findings.text(), listing);
        }
    }

    observer.busyPointerShown(false);
    endConsistRead(services_, observer, result);
    return result;
}

void ScenarioConsistReader::listInProcess(const std::vector<std::filesystem::path>& scenarioFiles,
                                          const std::vector<std::string>& catalogue,
                                          WorkingConversion& conversion, ScenarioConsistListing& listing) {
    const long long startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count();
    const std::filesystem::path indexFile = services_.programFolder / kScenarioIndexName;
    const std::uint64_t catalogueId = catalogueDigest(catalogue);
    const std::string previousText = services_.files.read(indexFile).value_or(std::string());
    ScenarioIndex previous = ScenarioIndex::fromText(previousText, catalogueId, startNs);
    ScenarioIndex next(catalogueId, startNs);

    // Each scenario's stamp is taken before its bytes are read: a change made after it shows as
    // another stamp next time.
    std::vector<std::optional<FileStamp>> stamps;
    std::vector<std::optional<ScenarioIndex::Scan>> remembered;
    std::vector<std::size_t> toConvert;
    for (std::size_t i = 0; i < scenarioFiles.size(); ++i) {
        stamps.push_back(scenarioStamp(scenarioFiles[i]));
        remembered.push_back(stamps.back() ? previous.take(scenarioFiles[i], *stamps.back()) : std::nullopt);
        if (!remembered.back()) {
            toConvert.push_back(i);
        }
    }
    // Worker threads convert and scan the next scenarios while this one is listed; what they found
    // is listed here, in walk order, between the remembered ones; none start when every scenario is.
    std::optional<InOrderWork<ScannedScenario>> work;
    if (!toConvert.empty()) {
        work.emplace(
            toConvert.size(),
            [this, &scenarioFiles, &toConvert](std::size_t index) {
                return scanInMemory(services_.files, scenarioFiles[toConvert[index]]);
            },
            conversionThreads(), conversionThreads());
    }
    for (std::size_t i = 0; i < scenarioFiles.size(); ++i) {
        listing.scenarioStarted(scenarioFiles[i]);
        if (std::optional<ScenarioIndex::Scan>& scan = remembered[i]) {
            // The window sees the same steps as for a conversion that succeeded.
            conversion.acceptStreamed(InMemoryConversion{scenarioFiles[i], 0, scan->rootLine, {}});
            replayFindingsText(scan->findings, listing);
            next.note(scenarioFiles[i], std::move(*scan));
            continue;
        }
        ScannedScenario scanned = work->takeNext([this] { services_.events.pump(); });
        if (!conversion.acceptStreamed(scanned.conversion)) {
            // A scenario that failed is not remembered: it is converted, and fails, again next time.
            continue;
        }
        replayFindingsText(scanned.findings.text(), listing);
        if (stamps[i]) {
            next.note(scenarioFiles[i],
                      {*stamps[i], std::move(scanned.conversion.rootLine), scanned.findings.takeText()});
        }
    }
    // The index of an unchanged installation stays as it is: every scenario was taken from it and
    // none is left over.
    if (toConvert.empty() && previous.size() == 0 && !scenarioFiles.empty()) {
        return;
    }
    if (const std::string text = next.text(); text != previousText) {
        services_.files.replaceRegenerable(indexFile, text);
    }
}

} // namespace dovrel
