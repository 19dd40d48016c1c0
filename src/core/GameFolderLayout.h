// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace dovrel {

// What a folder lacks to be a game installation, in the order the folders are checked.
enum class GameFolderLack { Nothing, FolderPath, GameFolder, Content, Routes, Assets };

// The folders a game installation holds, each found in any letter case, as far as the check got:
// a folder is set only when it and every folder checked before it exist.
struct GameFolderLayout {
    GameFolderLack lack = GameFolderLack::Nothing;
    std::filesystem::path contentFolder;
    std::filesystem::path routesFolder;
    std::filesystem::path assetsFolder;
};

// Checks, in this order, that the path is not empty, that the folder exists, and that it holds
// Content, Content/Routes and Assets; the first that fails is the lack.
GameFolderLayout checkGameFolderLayout(const std::filesystem::path& gameFolder);

} // namespace dovrel
