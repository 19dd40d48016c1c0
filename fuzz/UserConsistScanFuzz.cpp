// SPDX-License-Identifier: GPL-3.0-or-later
// The user-consist read on the converter's XML of ConsistTemplates.bin: the lines go through the scan
// into the listing as the reader builds it (units looked up in a catalogue), then into the unit list
// view and the consist line, as the window shows and loads a listed consist.
#include "FuzzCatalogue.h"
#include "FuzzSupport.h"
#include "consistfiles/BlueprintLookup.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/UserConsistScan.h"
#include "convert/DeltaNamespace.h"
#include "core/TextRules.h"
#include "core/XmlText.h"

#include <algorithm>

namespace {

using dovrel::fuzz::require;

class Listing final : public dovrel::UserConsistScan::Listener {
public:
    Listing(const dovrel::BlueprintLookup& lookup, dovrel::ConsistReadResult& result)
        : lookup_(lookup), result_(result) {}

    void unitClosed(const dovrel::TemplateUnit& unit) override {
        require(unit.heading == "0" || unit.heading == "1", "a heading is 0 or 1");
        if (result_.listing.isFull()) {
            return;
        }
        if (const std::string* record = lookup_.findWritten(unit.provider, unit.product, unit.blueprint)) {
            result_.listing.appendUnit(*record, unit.heading);
            return;
        }
        result_.missingUnits.append(unit.blueprint).append("\r\n");
    }

    void templateClosed(const std::string& identifier, const std::string& name) override {
        if (result_.listing.isFull()) {
            result_.truncated = true;
            return;
        }
        result_.listing.listOpenConsist({identifier, name});
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
    dovrel::UserConsistScan scan(listing);
    for (const std::string& line : lines) {
        scan.scanLine(line);
        if (result.truncated) {
            break;
        }
    }
    result.listing.dropFinalColons();

    const auto& rows = result.listing.rows();
    require(rows.size() <= dovrel::kTableSlots, "at most 5001 rows");
    // The window shows and loads one chosen row at a time: a few rows stand for all.
    for (std::size_t slot = 0; slot < std::min<std::size_t>(rows.size(), 16); ++slot) {
        const std::string text = rows[slot].text();
        const std::string& listed = result.listing.listedConsist(slot);
        const auto viewRows = dovrel::unitViewRows(listed);
        require(viewRows.size() == dovrel::splitListedConsist(listed).size(), "one view row a listed unit");
        const dovrel::LoadedConsist loaded = dovrel::loadListedConsist(text, listed, catalogue);
        require(loaded.units.size() <= dovrel::kTableSlots, "a consist line holds at most 5001 units");
        require(dovrel::rowNamed(rows, dovrel::xmlUnescapedText(dovrel::rowName(text))).value_or(slot) <=
                    slot,
                "a row's name is found at that row or before it");
    }
    return 0;
}
