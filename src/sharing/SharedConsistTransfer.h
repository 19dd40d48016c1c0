// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// What Import Consist... puts into the consist line, and what it tells the user.
struct SharedConsistLoad {
    std::string name;
    // The installed units in the file's order, each a record + "|" + heading flag; none when the file
    // cannot be read or holds no installed unit, and then the line stays as it is.
    std::vector<std::string> units;
    // The one message to show (exclamation icon): why nothing was loaded, or the units left out.
    std::optional<std::string> message;
};

// Reads a consist file and finds its units in the catalogue (ending at its first empty slot).
SharedConsistLoad loadSharedConsist(const std::filesystem::path& file,
                                    const std::vector<std::string>& catalogue);

// Writes the consist line's units under the name as a consist file, replacing the file whole.
FileStatus writeSharedConsist(Files& files, const std::filesystem::path& file, std::string_view name,
                              const std::vector<std::string>& units);

} // namespace dovrel
