// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/BlueprintReader.h"
#include "catalogue/BlueprintWalk.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueCache.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/ScanObserver.h"
#include "catalogue/ScanReport.h"
#include "convert/ConverterRunner.h"
#include "platform/EventPump.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dovrel {

struct AssetScanFolders {
    std::filesystem::path assetsFolder;
    std::filesystem::path programFolder; // holds the cache file
    std::filesystem::path tempFolder;    // the converter's working folder
};

struct AssetScanReport {
    bool loadedFromCache = false;
    int blueprintsFound = 0;  // blueprint files the walk handed to the converter
    int blueprintsReused = 0; // of them, taken unchanged from the last scan's index
    // The outcome of writing the cache and its folder record at the end of a scan; success when it
    // was loaded.
    CacheWrite cacheWrite;
    CatalogueLists lists;
    // A collecting scan's messages, in the order it met their blueprints.
    std::vector<ScanMessage> collectedMessages;
};

// The message for a blueprint that could not be converted or read.
std::string blueprintErrorMessage();
// The message for a unit without both coupling IDs; the unit is not stored.
std::string couplerMissingMessage(const std::string& englishName);

// Fills the catalogue: from the cache file when it exists and its record names no other assets
// folder, else by converting and reading every blueprint of the assets and writing the cache file
// with its record. Failing steps of a scan are skipped and the
// scan goes on; every record found is kept. With a converter program, one run
// of it per blueprint through the working files; with the bundled converter, its codec in memory on
// worker threads, each outcome taken in walk order on the calling thread, and the outcomes kept in an
// index beside the cache so that the next scan converts only the blueprints that changed.
class AssetScan {
public:
    using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

    AssetScan(Files& files, ConverterRunner& converter, EventPump& events, MessageBoxes& messages,
              ScanObserver& observer, SteadyNow now = &std::chrono::steady_clock::now);

    // With ScanMessageMode::Collect the scan shows no message of its own; the report holds them.
    AssetScanReport run(const AssetScanFolders& folders, Catalogue& catalogue,
                        ScanMessageMode mode = ScanMessageMode::Show);

private:
    void scanAssets(const AssetScanFolders& folders, Catalogue& catalogue, AssetScanReport& report);
    void convertAndRead(const FoundBlueprint& blueprint, const AssetScanFolders& folders,
                        const BlueprintReader& reader, Catalogue& catalogue);
    // Puts a blueprint's bytes in place as the working input: a copy of a loose file, or the entry
    // of an archive written out.
    FileStatus placeBlueprint(const FoundBlueprint& blueprint, const std::filesystem::path& workingInput);
    // A blueprint's bytes; safe on any thread.
    std::optional<std::string> blueprintBytes(const FoundBlueprint& blueprint);
    void convertAndReadInProcess(const AssetScanFolders& folders, long long startNs, Catalogue& catalogue,
                                 AssetScanReport& report);
    // A read blueprint's values: stored as a record, or the message that says why not.
    void store(int status, const BlueprintFields& fields, const FoundBlueprint& blueprint,
               Catalogue& catalogue);
    // A message about a blueprint: shown, with the time it stands open left out of the scan's time,
    // or kept for the report.
    void tell(const std::string& text, MessageIcon icon, const FoundBlueprint& blueprint);
    // The time the running scan has worked: since it started, less the time it waited for the user.
    std::chrono::milliseconds scanTime() const;
    void pump(int times);

    Files& files_;
    ConverterRunner& converter_;
    EventPump& events_;
    MessageBoxes& messages_;
    ScanObserver& observer_;
    SteadyNow now_;
    ArchiveShelf archives_;
    // The running scan's.
    ScanMessageMode mode_ = ScanMessageMode::Show;
    std::vector<ScanMessage> collected_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::duration waited_{};
};

} // namespace dovrel
