// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sharing/SharedConsistFile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace dovrel {

// A shared consist's units found in the installed stock.
struct SharedConsistMatch {
    // The installed units in the file's order, each a record text + "|" + heading flag ("0" or "1"):
    // what a consist line holds.
    std::vector<std::string> units;
    // The positions in the file's list of the units that are not installed.
    std::vector<std::size_t> missing;
};

// Finds each shared unit in the catalogue by provider, product and blueprint path, ignoring ASCII
// case as the game's file system does, so the same stock found under folders spelled otherwise is
// found. The catalogue ends at its first empty slot.
SharedConsistMatch matchSharedConsist(const SharedConsist& consist,
                                      const std::vector<std::string>& catalogue);

} // namespace dovrel
