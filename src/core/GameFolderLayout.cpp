// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/GameFolderLayout.h"

#include "core/NameResolver.h"

#include <string_view>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// A fixed folder below another, found in any letter case; empty when it is not there.
fs::path folderBelow(const fs::path& parent, std::string_view name) {
    const auto resolved = resolveName(parent, name);
    return resolved && isFolder(*resolved) ? *resolved : fs::path();
}

} // namespace

GameFolderLayout checkGameFolderLayout(const fs::path& gameFolder) {
    GameFolderLayout layout;
    if (gameFolder.empty()) {
        layout.lack = GameFolderLack::FolderPath;
        return layout;
    }
    if (!isFolder(gameFolder)) {
        layout.lack = GameFolderLack::GameFolder;
        return layout;
    }
    layout.contentFolder = folderBelow(gameFolder, "Content");
    if (layout.contentFolder.empty()) {
        layout.lack = GameFolderLack::Content;
        return layout;
    }
    layout.routesFolder = folderBelow(layout.contentFolder, "Routes");
    if (layout.routesFolder.empty()) {
        layout.lack = GameFolderLack::Routes;
        return layout;
    }
    layout.assetsFolder = folderBelow(gameFolder, "Assets");
    if (layout.assetsFolder.empty()) {
        layout.lack = GameFolderLack::Assets;
    }
    return layout;
}

} // namespace dovrel
