// SPDX-License-Identifier: GPL-3.0-or-later
// The user-consist reader on arbitrary converter XML for ConsistTemplates.bin, as the window runs it
// (units looked up in a catalogue), then the unit list view and the consist line of the listed
// consists, as the window shows and loads one.
#include "FuzzCatalogue.h"
#include "FuzzReaderWorld.h"
#include "FuzzSupport.h"
#include "consistfiles/ListedConsistView.h"
#include "consistfiles/UserConsistReader.h"
#include "core/XmlText.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using dovrel::fuzz::require;
    static const std::vector<std::string> catalogue = dovrel::fuzz::lookupCatalogue();
    static const dovrel::fuzz::ReaderFolders folders;
    dovrel::fuzz::ReaderWorld world(folders, dovrel::fuzz::inputText(data, size));
    dovrel::fuzz::ListedRows window;
    const dovrel::ConsistReadResult result =
        dovrel::UserConsistReader(world.services())
            .readUserConsists(folders.contentFolder(), catalogue, window);

    const auto& rows = result.listing.rows();
    require(window.rows == rows, "the window lists the rows the reader keeps");
    // The window shows and loads one chosen row at a time: a few rows stand for all.
    for (std::size_t slot = 0; slot < std::min<std::size_t>(rows.size(), 16); ++slot) {
        const std::string text = rows[slot].text();
        const std::vector<std::string>& listed = result.listing.listedUnits(slot);
        const auto viewRows = dovrel::unitViewRows(listed);
        require(viewRows.size() == listed.size(), "one view row a listed unit");
        const dovrel::LoadedConsist loaded = dovrel::loadListedConsist(text, listed, catalogue);
        require(loaded.units.size() <= 5001 && loaded.units.size() <= listed.size(),
                "a consist line holds at most 5001 units, all of them listed");
        require(dovrel::rowNamed(rows, dovrel::xmlUnescapedText(dovrel::rowName(text))).value_or(slot) <=
                    slot,
                "a row's name is found at that row or before it");
    }
    return 0;
}
