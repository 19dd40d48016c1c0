// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistReader.h"

#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ConsistReadEnding.h"
#include "consistfiles/UserConsistScan.h"
#include "consistfiles/WorkingConversion.h"
#include "core/NameResolver.h"
#include "core/XmlText.h"

namespace dovrel {

namespace {

// Turns what the scan reports into rows, listed consists and missing-unit messages.
class UserConsistListing final : public UserConsistScan::Listener {
public:
    UserConsistListing(ConsistFileServices& services, ConsistReadObserver& observer,
                       const BlueprintLookup& lookup, ConsistReadResult& result, std::filesystem::path source)
        : services_(services), observer_(observer), lookup_(lookup), result_(result),
          source_(result.sources.size()) {
        result_.sources.push_back(std::move(source));
    }

    void unitClosed(const TemplateUnit& unit) override {
        if (const std::string* record = lookup_.findWritten(unit.provider, unit.product, unit.blueprint)) {
            result_.listing.appendUnit(*record, unit.heading);
            return;
        }
        result_.missingUnits.append(unit.blueprint).append("\r\n");
        openMissing_.push_back(xmlUnescapedText(unit.blueprint));
        services_.messages.warn(consistmessages::userUnitNotFound(unit.blueprint));
    }

    void templateClosed(const std::string& identifier, const std::string& name) override {
        ConsistRow row{identifier, name};
        result_.origins.push_back({row, source_, std::move(openMissing_), result_.listing.rowCount()});
        openMissing_.clear();
        result_.listing.listOpenConsist(row);
        observer_.rowListed(row);
        observer_.progressShown(identifier + " " + xmlUnescapedText(name));
        services_.events.pump();
    }

private:
    ConsistFileServices& services_;
    ConsistReadObserver& observer_;
    const BlueprintLookup& lookup_;
    ConsistReadResult& result_;
    std::size_t source_;
    std::vector<std::string> openMissing_;
};

} // namespace

ConsistReadResult UserConsistReader::readUserConsists(const std::filesystem::path& contentFolder,
                                                      const std::vector<std::string>& catalogue,
                                                      ConsistReadObserver& observer) {
    WorkingConversion conversion(services_);
    const std::optional<std::filesystem::path> gameFile = resolveName(contentFolder, "ConsistTemplates.bin");
    const std::vector<std::string> lines =
        conversion.gameFileLines(gameFile, services_.tempFolder() / "temp.bin")
            .value_or(std::vector<std::string>{});

    observer.listReset();
    ConsistReadResult result;
    if (!conversion.failure().empty()) {
        // The file is there but could not be read: the empty list is not left to speak for itself.
        services_.messages.warn(conversion.failure());
        result.unreadFile = conversion.failure();
    }

    const BlueprintLookup lookup(catalogue);
    UserConsistListing listing(services_, observer, lookup, result,
                               gameFile.value_or(contentFolder / "ConsistTemplates.bin"));
    UserConsistScan scan(listing);
    for (const std::string& line : lines) {
        scan.scanLine(line);
        services_.events.pump();
    }
    endConsistRead(services_, observer, result);
    return result;
}

} // namespace dovrel
