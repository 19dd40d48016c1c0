// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace dovrel::testing {

// A fake home folder's Steam: "~/.local/share/Steam" and the like, their game folders and lists.
inline std::filesystem::path steamFolderIn(const std::filesystem::path& home) {
    return home / ".local/share/Steam";
}

// A game installation as Steam leaves it: Content/Routes, Assets and the game's .exe.
void makeSteamGame(const std::filesystem::path& folder, const std::string& exeName = "Vantor.exe");

// steamapps/libraryfolders.vdf below a Steam folder, in the layout Steam writes, listing the
// libraries given.
void writeLibraryList(const std::filesystem::path& steamFolder,
                      const std::vector<std::filesystem::path>& libraries);

} // namespace dovrel::testing
