// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's cache file: any text loads as a catalogue of at most one record a line and gives the
// browser's lists; the catalogue written back to a cache file loads as the same records.
#include "FuzzSupport.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueLists.h"

#include <algorithm>

using dovrel::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = dovrel::fuzz::inputText(data, size);
    const dovrel::Catalogue catalogue = dovrel::Catalogue::fromCacheText(text);
    const auto lineEnds =
        static_cast<std::size_t>(std::ranges::count(text, '\n') + std::ranges::count(text, '\r'));
    require(catalogue.size() <= 1 + lineEnds, "at most one record a line");
    require(std::none_of(catalogue.records().begin(), catalogue.records().end(),
                         [](const std::string& record) { return record.empty(); }),
            "no record in use is empty");
    const dovrel::CatalogueLists lists = dovrel::CatalogueLists::of(catalogue);
    require(lists.couplerList.size() <= 2 * catalogue.size(), "two couplers a record at most");

    const dovrel::Catalogue reloaded = dovrel::Catalogue::fromCacheText(catalogue.cacheText());
    require(std::ranges::equal(reloaded.records(), catalogue.records()),
            "a written cache file loads as the same records");
    return 0;
}
