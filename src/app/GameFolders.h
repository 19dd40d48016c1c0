// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace dovrel {

// The folders of the game installation, set by a successful check of each.
struct GameFolders {
    std::filesystem::path gameFolder;
    std::filesystem::path contentFolder;
    std::filesystem::path routesFolder;
    std::filesystem::path assetsFolder;
};

} // namespace dovrel
