// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace dovrel {

namespace fs = std::filesystem;

namespace {
bool isWritableFolder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

// An installed copy (cmake --install, the Debian package) has its AppStream file in
// <prefix>/share/metainfo beside <prefix>/bin; its bin folder is never the program's own, even for root.
bool isInstalledCopy(const fs::path& executableFolder) {
    std::error_code error;
    return fs::is_regular_file(installedMetainfoFile(executableFolder), error);
}

fs::path created(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return folder;
}
} // namespace

fs::path installedMetainfoFile(const fs::path& executableFolder) {
    return executableFolder.parent_path() / "share" / "metainfo" / DOVREL_APP_ID ".metainfo.xml";
}

std::optional<std::string> environmentValue(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

fs::path resolveProgramFolder(const ProgramFolderInputs& inputs) {
    if (inputs.programFolderVariable) {
        return created(fs::path(*inputs.programFolderVariable));
    }
    if (isWritableFolder(inputs.executableFolder) && !isInstalledCopy(inputs.executableFolder)) {
        return inputs.executableFolder;
    }
    fs::path dataHome;
    if (inputs.dataHomeVariable) {
        dataHome = *inputs.dataHomeVariable;
    } else {
        dataHome = fs::path(inputs.homeVariable.value_or("/tmp")) / ".local" / "share";
    }
    return created(dataHome / "DovrelConsistEditor");
}

} // namespace dovrel
