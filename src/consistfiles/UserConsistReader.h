// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/ConsistListing.h"
#include "consistfiles/ConsistReadObserver.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dovrel {

// Reads the game's user consists (ConsistTemplates.bin in the content folder) into a listing:
// one row per template, identifier and English name; its units looked up in the catalogue by
// provider, product and blueprint path. A unit missing from the catalogue is announced, left out and noted in
// notfound.txt; its template is still listed. Every failing step is passed over without a
// message: an unreadable or unconvertible file gives an empty listing.
class UserConsistReader {
public:
    explicit UserConsistReader(ConsistFileServices& services) : services_(services) {}

    // The catalogue is the table of record lines, ending at its first empty slot. Afterwards the
    // window enables the delete command, sets the heading "User Consists" and selects row 0 when a
    // row was listed, then updates the commands.
    ConsistReadResult readUserConsists(const std::filesystem::path& contentFolder,
                                       const std::vector<std::string>& catalogue,
                                       ConsistReadObserver& observer);

private:
    ConsistFileServices& services_;
};

} // namespace dovrel
