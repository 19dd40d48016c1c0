// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SteamHome.h"

#include <fstream>

namespace dovrel::testing {

namespace fs = std::filesystem;

void makeSteamGame(const fs::path& folder, const std::string& exeName) {
    fs::create_directories(folder / "Content" / "Routes");
    fs::create_directories(folder / "Assets");
    std::ofstream(folder / exeName) << "MZ";
}

void writeLibraryList(const fs::path& steamFolder, const std::vector<fs::path>& libraries) {
    fs::create_directories(steamFolder / "steamapps");
    std::ofstream list(steamFolder / "steamapps" / "libraryfolders.vdf");
    list << "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < libraries.size(); ++i) {
        list << "\t\"" << i << "\"\n\t{\n\t\t\"path\"\t\t\"" << libraries[i].string()
             << "\"\n\t\t\"label\"\t\t\"\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"1\"\t\t\"2\"\n\t\t}\n\t}\n";
    }
    list << "}\n";
}

} // namespace dovrel::testing
