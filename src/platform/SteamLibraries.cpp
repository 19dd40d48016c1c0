// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SteamLibraries.h"

#include "core/ByteFile.h"
#include "core/GameFolderLayout.h"
#include "core/NameResolver.h"
#include "core/SteamLibraryFolders.h"
#include "core/TextRules.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

// A library list is a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kLargestLibraryList = 1 << 20;

// The folder a path names, links resolved; empty when it is not an existing folder.
fs::path existingFolder(const fs::path& path) {
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        return {};
    }
    fs::path identity = fs::canonical(path, error);
    return error ? fs::path() : identity;
}

std::optional<fs::path> folderBelow(const fs::path& parent, std::string_view name) {
    const std::optional<fs::path> resolved = resolveName(parent, name);
    std::error_code error;
    if (!resolved || !fs::is_directory(*resolved, error)) {
        return std::nullopt;
    }
    return resolved;
}

std::optional<fs::path> gamesFolderOf(const fs::path& library) {
    const std::optional<fs::path> steamapps = folderBelow(library, "steamapps");
    return steamapps ? folderBelow(*steamapps, "common") : std::nullopt;
}

// The libraries a Steam folder's steamapps/libraryfolders.vdf lists.
std::vector<std::string> listedLibraries(const fs::path& steamFolder) {
    const std::optional<fs::path> steamapps = folderBelow(steamFolder, "steamapps");
    if (!steamapps) {
        return {};
    }
    const std::optional<fs::path> list = resolveName(*steamapps, "libraryfolders.vdf");
    std::error_code error;
    if (!list || !fs::is_regular_file(*list, error) || fs::file_size(*list, error) > kLargestLibraryList ||
        error) {
        return {};
    }
    const std::optional<std::string> text = readWholeFile(*list);
    return text ? libraryPathsFromVdf(*text) : std::vector<std::string>{};
}

bool endsWithExe(std::string_view name) {
    constexpr std::string_view kExtension = ".exe";
    return name.size() > kExtension.size() &&
           equalsIgnoringCase(name.substr(name.size() - kExtension.size()), kExtension);
}

bool holdsExecutable(const fs::path& folder) {
    const std::vector<ListedEntry> entries = listEntriesInOrder(folder);
    return std::any_of(entries.begin(), entries.end(),
                       [](const ListedEntry& entry) { return entry.regularFile && endsWithExe(entry.name); });
}

} // namespace

SteamLibraries::SteamLibraries(const fs::path& home) {
    if (home.empty()) {
        return;
    }
    for (const char* root :
         {".local/share/Steam", ".steam/steam", ".var/app/com.valvesoftware.Steam/.local/share/Steam",
          "snap/steam/common/.local/share/Steam"}) {
        const fs::path steamFolder = home / root;
        if (existingFolder(steamFolder).empty()) {
            continue;
        }
        add(steamFolder);
        for (const std::string& listed : listedLibraries(steamFolder)) {
            const fs::path library(listed);
            if (library.is_absolute()) {
                add(library);
            }
        }
    }
}

void SteamLibraries::add(const fs::path& folder) {
    const fs::path identity = existingFolder(folder);
    if (identity.empty() ||
        std::find(identities_.begin(), identities_.end(), identity) != identities_.end()) {
        return;
    }
    identities_.push_back(identity);
    libraries_.push_back(folder);
}

std::vector<fs::path> SteamLibraries::gameFolders() const {
    std::vector<fs::path> found;
    std::vector<fs::path> identities;
    for (const fs::path& library : libraries_) {
        const std::optional<fs::path> games = gamesFolderOf(library);
        if (!games) {
            continue;
        }
        for (const ListedEntry& entry : listEntriesInOrder(*games)) {
            const fs::path candidate = *games / entry.name;
            if (!entry.folder || checkGameFolderLayout(candidate).lack != GameFolderLack::Nothing ||
                !holdsExecutable(candidate)) {
                continue;
            }
            const fs::path identity = existingFolder(candidate);
            if (std::find(identities.begin(), identities.end(), identity) == identities.end()) {
                identities.push_back(identity);
                found.push_back(candidate);
            }
        }
    }
    return found;
}

std::optional<fs::path> SteamLibraries::firstGamesFolder() const {
    for (const fs::path& library : libraries_) {
        if (std::optional<fs::path> games = gamesFolderOf(library)) {
            return games;
        }
    }
    return std::nullopt;
}

} // namespace dovrel
