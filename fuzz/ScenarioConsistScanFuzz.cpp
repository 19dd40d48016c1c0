// SPDX-License-Identifier: GPL-3.0-or-later
// The scenario-consist read on the converter's XML of one Scenario.bin: the lines go through the scan
// into the listing as the reader builds it (vehicles looked up in a catalogue), then into the unit
// list view and the consist line, as the window shows and loads a listed consist.
#include "FuzzCatalogue.h"
#include "FuzzSupport.h"
#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistFileMessages.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadEnding.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/ScenarioConsistScan.h"
#include "convert/DeltaNamespace.h"
#include "core/TextRules.h"

#include <algorithm>

namespace {

using dovrel::fuzz::require;

class Listing final : public dovrel::ScenarioConsistScan::Listener {
public:
    Listing(const dovrel::BlueprintLookup& lookup, dovrel::ConsistReadResult& result)
        : lookup_(lookup), result_(result) {}

    void consistOpened(const std::string&) override { result_.listing.discardOpenConsist(); }

    void vehicleClosed(const std::string&, const std::string& blueprint,
                       const std::string& heading) override {
        require(heading == "0" || heading == "1", "a heading is 0 or 1");
        const std::string* record = lookup_.find(blueprint);
        if (result_.listing.isFull()) {
            result_.truncated = result_.truncated || record != nullptr;
            return;
        }
        if (record) {
            result_.listing.appendUnit(*record, heading);
            return;
        }
        // The text of the message the reader shows.
        result_.missingUnits.append(dovrel::blueprintFileName(blueprint)).append("\r\n");
    }

    void consistClosed(const std::string& identifier, const std::string& serviceName) override {
        if (result_.listing.openConsistHasUnits()) {
            result_.listing.listOpenConsist(
                {identifier,
                 serviceName.empty() ? std::string(dovrel::consistmessages::kUnassigned) : serviceName});
        }
    }

private:
    const dovrel::BlueprintLookup& lookup_;
    dovrel::ConsistReadResult& result_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::string> catalogue = dovrel::fuzz::lookupCatalogue();
    const std::string_view text = dovrel::fuzz::inputText(data, size);
    dovrel::DeltaNamespace deltaNamespace;
    deltaNamespace.noteConverterOutput(text);
    const std::vector<std::string> lines = dovrel::splitXmlLines(text);

    const dovrel::BlueprintLookup lookup(catalogue);
    dovrel::ConsistReadResult result;
    Listing listing(lookup, result);
    dovrel::ScenarioConsistScan scan(listing);
    for (const std::string& line : lines) {
        scan.scanLine(line);
        if (scan.finished() || result.truncated) {
            break;
        }
    }
    result.listing.dropFinalColons();

    const auto& rows = result.listing.rows();
    require(rows.size() <= dovrel::kTableSlots, "at most 5001 rows");
    // The window shows and loads one chosen row at a time: a few rows stand for all.
    for (std::size_t slot = 0; slot < std::min<std::size_t>(rows.size(), 16); ++slot) {
        const std::string& listed = result.listing.listedConsist(slot);
        require(!listed.empty(), "a listed scenario consist has units");
        const auto viewRows = dovrel::unitViewRows(listed);
        require(viewRows.size() == dovrel::splitListedConsist(listed).size(), "one view row a listed unit");
        const dovrel::LoadedConsist loaded = dovrel::loadListedConsist(rows[slot].text(), listed, catalogue);
        require(loaded.units.size() <= dovrel::kTableSlots, "a consist line holds at most 5001 units");
    }
    return 0;
}
