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

fs::path created(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    return folder;
}
} // namespace

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
    if (isWritableFolder(inputs.executableFolder)) {
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
