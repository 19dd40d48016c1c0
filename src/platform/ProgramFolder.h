// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace dovrel {

// Where the program keeps its own files (the cache, notfound.txt, Temp and the instance lock).
struct ProgramFolderInputs {
    std::optional<std::string> programFolderVariable; // DOVREL_PROGRAM_FOLDER
    std::filesystem::path executableFolder;
    std::optional<std::string> dataHomeVariable; // XDG_DATA_HOME
    std::optional<std::string> homeVariable;     // HOME
};

// DOVREL_PROGRAM_FOLDER when set (created when missing), else the executable's folder when it is
// writable and not an installed copy's, else $XDG_DATA_HOME/DovrelConsistEditor (created;
// ~/.local/share without XDG_DATA_HOME).
std::filesystem::path resolveProgramFolder(const ProgramFolderInputs& inputs);

// The file that marks an installed copy: <executable folder>/../share/metainfo/<id>.metainfo.xml.
std::filesystem::path installedMetainfoFile(const std::filesystem::path& executableFolder);

std::optional<std::string> environmentValue(const char* name);

} // namespace dovrel
