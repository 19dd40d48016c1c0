// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/AssetScan.h"

#include "catalogue/BlueprintOutcome.h"
#include "catalogue/CatalogueCache.h"
#include "catalogue/EarlierFolderListings.h"
#include "catalogue/FolderListings.h"
#include "catalogue/ScanIndex.h"
#include "convert/InOrderWork.h"
#include "convert/WorkingFiles.h"

#include <chrono>
#include <deque>
#include <future>
#include <optional>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kWorkingInput = "temp.bin";
constexpr const char* kWorkingOutput = "temp.xml";
// Outcomes the worker threads may hold ready beyond the one the window takes next.
constexpr std::size_t kOutcomesAhead = 256;
// Blueprints the walk may find beyond the one the window takes next: a walk far ahead of the
// conversions would hold every blueprint of a large installation at once.
constexpr std::size_t kBlueprintsAhead = 4096;

// The wait cursor for as long as the scan of the assets runs, however it ends.
class WaitCursor {
public:
    explicit WaitCursor(ScanObserver& observer) : observer_(&observer) { observer_->showWaitCursor(); }
    ~WaitCursor() { release(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void release() {
        if (observer_ != nullptr) {
            observer_->restoreCursor();
            observer_ = nullptr;
        }
    }

private:
    ScanObserver* observer_;
};

} // namespace

std::string blueprintErrorMessage() {
    return "Error reading blueprint file for this unit.";
}

std::string couplerMissingMessage(const std::string& englishName) {
    return "Information only!\r\n\r\n" + englishName + "\r\n\r\nCoupler not specified.                 ";
}

AssetScan::AssetScan(Files& files, ConverterRunner& converter, EventPump& events, MessageBoxes& messages,
                     ScanObserver& observer, SteadyNow now)
    : files_(files), converter_(converter), events_(events), messages_(messages), observer_(observer),
      now_(std::move(now)) {}

AssetScanReport AssetScan::run(const AssetScanFolders& folders, Catalogue& catalogue, ScanMessageMode mode) {
    AssetScanReport report;
    mode_ = mode;
    collected_.clear();
    catalogue.clear();
    const CatalogueCache cache(files_, folders.programFolder);
    if (std::optional<Catalogue> loaded = cache.loadFor(folders.assetsFolder)) {
        catalogue = std::move(*loaded);
        report.loadedFromCache = true;
    }
    if (!report.loadedFromCache) {
        scanAssets(folders, catalogue, report);
    }
    observer_.clearProgress();
    report.lists = CatalogueLists::of(catalogue);
    report.collectedMessages = std::move(collected_);
    collected_.clear();
    return report;
}

void AssetScan::scanAssets(const AssetScanFolders& folders, Catalogue& catalogue, AssetScanReport& report) {
    WaitCursor waitCursor(observer_);
    std::error_code ignored;
    fs::create_directories(folders.tempFolder, ignored);

    const long long startNs = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::system_clock::now().time_since_epoch())
                                  .count();
    started_ = now_();
    waited_ = {};
    // Nothing is counted yet: the window says it is looking for blueprints.
    observer_.showBlueprintsDone(0, 0, scanTime());
    if (converter_.runsInProcess()) {
        // The walk goes on while the workers convert; the count of blueprints found grows with it.
        convertAndReadInProcess(folders, startNs, catalogue, report);
    } else {
        // One converter run per blueprint is slow: the walk finds every blueprint first, so the
        // window can tell how many are left. It shows nothing and asks nothing on its way.
        std::vector<FoundBlueprint> blueprints;
        BlueprintWalk(folders.assetsFolder)
            .forEachBlueprint(listProductFolders(folders.assetsFolder), [&](FoundBlueprint&& blueprint) {
                blueprints.push_back(std::move(blueprint));
            });
        report.blueprintsFound = static_cast<int>(blueprints.size());
        observer_.showBlueprintsDone(0, report.blueprintsFound, scanTime());
        const BlueprintReader reader(
            files_, events_, [this](const std::string& englishName) { observer_.showProgress(englishName); });
        for (std::size_t i = 0; i < blueprints.size(); ++i) {
            convertAndRead(blueprints[i], folders, reader, catalogue);
            observer_.showBlueprintsDone(static_cast<int>(i + 1), report.blueprintsFound, scanTime());
        }
    }

    waitCursor.release();
    CatalogueCache cache(files_, folders.programFolder);
    report.cacheWrite = cache.write(catalogue, folders.assetsFolder);
    pump(1);
}

void AssetScan::convertAndRead(const FoundBlueprint& blueprint, const AssetScanFolders& folders,
                               const BlueprintReader& reader, Catalogue& catalogue) {
    const fs::path input = folders.tempFolder / kWorkingInput;
    const fs::path output = folders.tempFolder / kWorkingOutput;
    // An output left by an earlier blueprint must never be read as this one's: when it cannot be
    // removed, or the copy fails, the converter does not run and the unit counts as unreadable.
    const bool placed = files_.remove(output).ok && placeBlueprint(blueprint, input).ok;
    pump(2);
    if (placed) {
        converter_.RunConverter(input);
    }
    pump(2);

    BlueprintFields fields;
    fields.blueprintKind.clear();
    const std::optional<std::string> xml = placed ? files_.read(output) : std::nullopt;
    if (xml) {
        converter_.noteXmlOutput(*xml);
    }
    const int status = xml ? reader.readText(*xml, fields) : kBlueprintReadFailed;
    store(status, fields, blueprint, catalogue);
}

FileStatus AssetScan::placeBlueprint(const FoundBlueprint& blueprint, const fs::path& workingInput) {
    if (!blueprint.packed) {
        return placeWorkingInput(files_, blueprint.file, workingInput);
    }
    if (const FileStatus removed = files_.remove(workingInput); !removed.ok) {
        return removed;
    }
    const std::optional<std::string> bytes = blueprintBytes(blueprint);
    if (!bytes) {
        return FileStatus::failure("The packed blueprint cannot be read.");
    }
    return files_.replace(workingInput, *bytes);
}

std::optional<std::string> AssetScan::blueprintBytes(const FoundBlueprint& blueprint) {
    if (blueprint.packed) {
        return archives_.read(blueprint.file, *blueprint.packed);
    }
    return files_.read(blueprint.file);
}

void AssetScan::convertAndReadInProcess(const AssetScanFolders& folders, long long startNs,
                                        Catalogue& catalogue, AssetScanReport& report) {
    const fs::path indexFile = folders.programFolder / kScanIndexName;
    // The last scan's index, brought up to date as this scan meets each blueprint. It loads beside
    // the folders' listings and the walk of the first products: the first blueprint needs it.
    std::future<ScanIndex> loadingIndex =
        std::async(std::launch::async | std::launch::deferred, [this, &indexFile, startNs] {
            ScanIndex loaded = ScanIndex::load(files_, indexFile);
            loaded.beginScan(startNs);
            return loaded;
        });
    std::optional<ScanIndex> loadedIndex;
    const auto index = [&]() -> ScanIndex& {
        if (!loadedIndex) {
            loadedIndex = loadingIndex.get();
        }
        return *loadedIndex;
    };
    const fs::path listingsFile = folders.programFolder / kFolderListingsName;
    const EarlierFolderListings earlierListings = EarlierFolderListings::load(files_, listingsFile);
    // The walk goes on while workers convert what it found; the window takes each outcome in walk
    // order (from the index when the blueprint is unchanged), so the progress label, the messages
    // and the catalogue come exactly as a scan of one file at a time gives them.
    struct Found {
        FoundBlueprint blueprint;
        std::optional<BlueprintOutcome> noted;
    };
    std::deque<Found> waiting;
    std::size_t converted = 0;
    int done = 0;
    InOrderWork<BlueprintOutcome> work(conversionThreads(), kOutcomesAhead);
    const auto takeOne = [&](bool wait) {
        Found& found = waiting.front();
        std::optional<BlueprintOutcome> outcome;
        const bool reused = found.noted.has_value();
        if (reused) {
            outcome = std::move(found.noted);
            ++report.blueprintsReused;
        } else {
            outcome = wait ? work.takeNext([this] { events_.pump(); }) : work.takeReady();
            if (!outcome) {
                return false;
            }
        }
        if (outcome->converterResult) {
            converter_.noteResult(*outcome->converterResult);
            converter_.noteXmlOutput(outcome->rootLine);
        }
        if (outcome->englishNameReached) {
            observer_.showProgress(outcome->fields.englishName);
        }
        events_.pump();
        store(outcome->status, outcome->fields, found.blueprint, catalogue);
        if (!reused) {
            index().note(found.blueprint, *outcome);
        }
        waiting.pop_front();
        observer_.showBlueprintsDone(++done, report.blueprintsFound, scanTime());
        return true;
    };
    BlueprintWalk walk(folders.assetsFolder, &earlierListings, startNs);
    walk.forEachBlueprint(listProductFolders(folders.assetsFolder), [&](FoundBlueprint&& blueprint) {
        ++report.blueprintsFound;
        std::optional<BlueprintOutcome> noted = index().reuse(blueprint);
        waiting.push_back(Found{std::move(blueprint), std::move(noted)});
        if (!waiting.back().noted) {
            // The job reads the blueprint where it waits: a deque keeps its place while others are
            // added, and it leaves only once its outcome was taken, after the job ended.
            const FoundBlueprint* waitingBlueprint = &waiting.back().blueprint;
            work.add([this, waitingBlueprint] {
                return convertAndReadInMemory(blueprintBytes(*waitingBlueprint));
            });
            ++converted;
        }
        while (!waiting.empty() && takeOne(waiting.size() > kBlueprintsAhead)) {
        }
    });
    while (!waiting.empty()) {
        takeOne(true);
    }
    // When every blueprint came from the index and none of it was dropped, the index would be
    // written as it is. Without it the next scan converts every blueprint again; nothing else
    // depends on it.
    const std::size_t dropped = index().forgetUnmet();
    if (converted > 0 || dropped > 0 || index().size() == 0) {
        (void)index().write(files_, indexFile);
    }
    // The index is let go once written, before the folders' listings are written.
    loadedIndex.reset();
    // The same for the folders' entries: written when some folder was listed from the disk.
    const FolderListings& listings = walk.listings();
    if (listings.listedAfresh() || listings.size() != earlierListings.size() || listings.size() == 0) {
        (void)listings.write(files_, listingsFile);
    }
}

void AssetScan::store(int status, const BlueprintFields& fields, const FoundBlueprint& blueprint,
                      Catalogue& catalogue) {
    if (status == kBlueprintReadFailed) {
        tell(blueprintErrorMessage(), MessageIcon::Exclamation, blueprint);
        return;
    }
    if (status == kNotAVehicleBlueprint) {
        return;
    }
    if (!fields.hasBothCouplings()) {
        tell(couplerMissingMessage(fields.englishName), MessageIcon::Information, blueprint);
        return;
    }
    catalogue.append(
        assembleRecord(fields, blueprint.owner.provider, blueprint.owner.product, blueprint.blueprintPath));
}

void AssetScan::tell(const std::string& text, MessageIcon icon, const FoundBlueprint& blueprint) {
    if (mode_ == ScanMessageMode::Collect) {
        std::string where = blueprint.file;
        if (blueprint.packed) {
            where += "/" + blueprint.packed->name;
        }
        collected_.push_back({text, std::move(where)});
        return;
    }
    const auto opened = now_();
    messages_.show(text, icon, MessageButtons::OK);
    waited_ += now_() - opened;
}

std::chrono::milliseconds AssetScan::scanTime() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(now_() - started_ - waited_);
}

void AssetScan::pump(int times) {
    for (int i = 0; i < times; ++i) {
        events_.pump();
    }
}

} // namespace dovrel
