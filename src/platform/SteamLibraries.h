// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace dovrel {

// The Steam libraries of the user whose home folder is given: the folders where Steam keeps
// itself (~/.local/share/Steam, ~/.steam/steam, the Flatpak's and the Snap's), each followed by
// the libraries its steamapps/libraryfolders.vdf lists. Only folders that exist count, each once
// (a link and its target are one folder), at its first place. A missing or malformed list is
// passed over without a word.
class SteamLibraries {
public:
    explicit SteamLibraries(const std::filesystem::path& home);

    const std::vector<std::filesystem::path>& libraries() const { return libraries_; }

    // The game installations the libraries hold: every folder directly under a library's
    // steamapps/common that holds Content, Content/Routes and Assets and an .exe file, libraries
    // in order and folders in listing order, each folder once.
    std::vector<std::filesystem::path> gameFolders() const;

    // The steamapps/common folder of the first library that has one.
    std::optional<std::filesystem::path> firstGamesFolder() const;

private:
    void add(const std::filesystem::path& folder);

    std::vector<std::filesystem::path> libraries_;
    std::vector<std::filesystem::path> identities_;
};

} // namespace dovrel
