#include "catalogue/AssetScan.h"

#include "catalogue/CatalogueCache.h"
#include "convert/WorkingFiles.h"

#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kWorkingInput = "temp.bin";
constexpr const char* kWorkingOutput = "temp.xml";

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
                     ScanObserver& observer)
    : files_(files), converter_(converter), events_(events), messages_(messages), observer_(observer) {}

AssetScanReport AssetScan::run(const AssetScanFolders& folders, Catalogue& catalogue) {
    AssetScanReport report;
    catalogue.clear();
    const CatalogueCache cache(files_, folders.programFolder);
    if (cache.exists()) {
        // A cache that exists but cannot be read is rebuilt by a scan rather than taken as empty.
        if (std::optional<Catalogue> loaded = cache.load()) {
            catalogue = std::move(*loaded);
            report.loadedFromCache = true;
        }
    }
    if (!report.loadedFromCache) {
        scanAssets(folders, catalogue, report);
    }
    observer_.clearProgress();
    report.lists = CatalogueLists::of(catalogue);
    return report;
}

void AssetScan::scanAssets(const AssetScanFolders& folders, Catalogue& catalogue, AssetScanReport& report) {
    WaitCursor waitCursor(observer_);
    std::error_code ignored;
    fs::create_directories(folders.tempFolder, ignored);

    const BlueprintReader reader(
        files_, events_, [this](const std::string& englishName) { observer_.showProgress(englishName); });
    BlueprintWalk walk(folders.assetsFolder);
    walk.forEachBlueprint(listProductFolders(folders.assetsFolder), [&](const FoundBlueprint& blueprint) {
        convertAndRead(blueprint, folders, reader, catalogue);
        ++report.blueprintsFound;
    });

    waitCursor.release();
    CatalogueCache cache(files_, folders.programFolder);
    report.cacheWrite = cache.write(catalogue);
    pump(1);
}

void AssetScan::convertAndRead(const FoundBlueprint& blueprint, const AssetScanFolders& folders,
                               const BlueprintReader& reader, Catalogue& catalogue) {
    const fs::path input = folders.tempFolder / kWorkingInput;
    const fs::path output = folders.tempFolder / kWorkingOutput;
    // An output left by an earlier blueprint must never be read as this one's: when it cannot be
    // removed, or the copy fails, the converter does not run and the unit counts as unreadable.
    const bool placed = files_.remove(output).ok && placeWorkingInput(files_, blueprint.file, input).ok;
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
    if (status == kBlueprintReadFailed) {
        messages_.warn(blueprintErrorMessage());
        return;
    }
    if (status == kNotAVehicleBlueprint) {
        return;
    }
    if (!fields.hasBothCouplings()) {
        messages_.inform(couplerMissingMessage(fields.englishName));
        return;
    }
    catalogue.append(
        assembleRecord(fields, blueprint.owner.provider, blueprint.owner.product, blueprint.blueprintPath));
}

void AssetScan::pump(int times) {
    for (int i = 0; i < times; ++i) {
        events_.pump();
    }
}

} // namespace dovrel
