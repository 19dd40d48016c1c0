// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioWalk.h"

#include "core/NameResolver.h"

#include <set>
#include <sys/stat.h>
#include <utility>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

// Remembers the folders entered by device and inode, so links cannot lead the walk in circles or
// through one folder twice.
class VisitedFolders {
public:
    // True when the path is a folder (links followed) that the walk has not entered yet.
    bool enterFirstTime(const fs::path& folder) {
        struct stat status {};
        if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) {
            return false;
        }
        return entered_.emplace(status.st_dev, status.st_ino).second;
    }

private:
    std::set<std::pair<dev_t, ino_t>> entered_;
};

bool isRegularFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
}

} // namespace

std::vector<fs::path> scenarioFilesInOrder(const fs::path& routesFolder) {
    std::vector<fs::path> scenarioFiles;
    VisitedFolders visited;
    for (const std::string& routeName : listFolderInOrder(routesFolder)) {
        const fs::path route = routesFolder / routeName;
        if (!isWalkableName(routeName) || !visited.enterFirstTime(route)) {
            continue;
        }
        const std::optional<fs::path> scenarios = resolveName(route, "Scenarios");
        if (!scenarios || !visited.enterFirstTime(*scenarios)) {
            continue;
        }
        for (const std::string& scenarioName : listFolderInOrder(*scenarios)) {
            const fs::path scenario = *scenarios / scenarioName;
            if (!isWalkableName(scenarioName) || !visited.enterFirstTime(scenario)) {
                continue;
            }
            if (const auto file = resolveName(scenario, "Scenario.bin"); file && isRegularFile(*file)) {
                scenarioFiles.push_back(*file);
            }
        }
    }
    return scenarioFiles;
}

} // namespace dovrel
