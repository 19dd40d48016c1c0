// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliInstallation.h"

#include "catalogue/AssetScan.h"
#include "catalogue/CatalogueCache.h"
#include "catalogue/SilentScanObserver.h"
#include "consistfiles/ScenarioConsistReader.h"
#include "consistfiles/UserConsistReader.h"
#include "core/XmlText.h"

namespace dovrel::cli {

namespace fs = std::filesystem;

namespace {

class QuietReadObserver final : public ConsistReadObserver {
public:
    void listReset() override {}
    void rowListed(const ConsistRow&) override {}
    void progressShown(const std::string&) override {}
    void busyPointerShown(bool) override {}
};

class QuietSaveObserver final : public SaveObserver {
public:
    void nameTrimmed(const std::string&) override {}
    void consistSaved(const std::string&) override {}
};

std::vector<std::string> catalogueLines(const Catalogue& catalogue) {
    const auto records = catalogue.records();
    return {records.begin(), records.end()};
}

void appendEntries(std::vector<ConsistEntry>& entries, const ConsistReadResult& result,
                   const std::string& kind) {
    for (const ConsistOrigin& origin : result.origins) {
        ConsistEntry entry{
            kind, origin.row.identifier, xmlUnescapedText(origin.row.name), result.sources[origin.source],
            {},   origin.missingUnits};
        if (origin.listedSlot) {
            entry.units = result.listing.listedUnits(*origin.listedSlot);
        }
        entries.push_back(std::move(entry));
    }
}

} // namespace

CliInstallation::CliInstallation(const CliEnvironment& environment, fs::path gameFolder,
                                 MessageBoxes& messages)
    : gameFolder_(std::move(gameFolder)), layout_(checkGameFolderLayout(gameFolder_)),
      programFolder_(environment.programFolder), messages_(messages),
      converter_(files_, processes_, environment.converter, false, environment.converterMode),
      backups_(files_, clock_, environment.programFolder), services_{files_,   converter_,
                                                                     events_,  messages_,
                                                                     backups_, environment.programFolder},
      random_(MersenneRandomSource::seedFrom(environment.randomSeed)) {}

std::string CliInstallation::problem() const {
    switch (layout_.lack) {
    case GameFolderLack::FolderPath:
        return "no game folder is set: choose it in the editor (Edit > Preferences > Locate Game .EXE) or "
               "give --game DIR";
    case GameFolderLack::GameFolder:
        return gameFolder_.string() + ": folder path to game not found";
    case GameFolderLack::Content:
        return gameFolder_.string() + ": folder path to \\Content not found";
    case GameFolderLack::Routes:
        return gameFolder_.string() + ": folder path to \\Content\\Routes not found";
    case GameFolderLack::Assets:
        return gameFolder_.string() + ": folder path to \\Assets not found";
    case GameFolderLack::Nothing:
        break;
    }
    return {};
}

Catalogue CliInstallation::catalogue(bool refresh) {
    std::error_code error;
    fs::create_directories(services_.tempFolder(), error);
    const CatalogueCache cache(files_, programFolder_);
    if (refresh) {
        files_.remove(cache.file());
    } else if (std::optional<Catalogue> cached = cache.loadFor(layout_.assetsFolder)) {
        // The browser's lists that a scan also makes are not needed here.
        return std::move(*cached);
    }
    SilentScanObserver observer;
    AssetScan scan(files_, converter_, events_, messages_, observer);
    Catalogue catalogue;
    const AssetScanReport report =
        scan.run({layout_.assetsFolder, programFolder_, services_.tempFolder()}, catalogue);
    if (!report.cacheWrite.status.ok) {
        // The catalogue serves this run; without its cache the next one scans again.
        messages_.warn(fileNotWrittenText(report.cacheWrite.file, report.cacheWrite.status));
    }
    return catalogue;
}

std::vector<ConsistEntry> CliInstallation::consists(ConsistScope scope, const Catalogue& catalogue) {
    std::error_code error;
    fs::create_directories(services_.tempFolder(), error);
    const std::vector<std::string> lines = catalogueLines(catalogue);
    QuietReadObserver observer;
    std::vector<ConsistEntry> entries;
    if (scope != ConsistScope::Scenarios) {
        const ConsistReadResult user =
            UserConsistReader(services_).readUserConsists(layout_.contentFolder, lines, observer);
        userFileUnread_ = userFileUnread_ || !user.unreadFile.empty();
        appendEntries(entries, user, "user");
    }
    if (scope != ConsistScope::User) {
        appendEntries(
            entries,
            ScenarioConsistReader(services_).readScenarioConsists(layout_.routesFolder, lines, observer),
            "scenario");
    }
    return entries;
}

SaveResult CliInstallation::save(const std::string& name, const std::vector<std::string>& units,
                                 const Catalogue& catalogue) {
    std::error_code error;
    fs::create_directories(services_.tempFolder(), error);
    QuietSaveObserver observer;
    SaveContext context;
    context.catalogue = catalogueLines(catalogue);
    return UserConsistSaver(services_, random_, kLockPatience)
        .saveUserConsist(name, units, layout_.contentFolder, observer, context);
}

} // namespace dovrel::cli
