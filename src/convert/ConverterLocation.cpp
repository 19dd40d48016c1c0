// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/ConverterLocation.h"

#include <system_error>
#include <unistd.h>

namespace dovrel {

namespace fs = std::filesystem;

fs::path converterLocation(const std::optional<std::string>& serzVariable, const fs::path& editorFolder) {
    if (serzVariable && !serzVariable->empty()) {
        return fs::path(*serzVariable);
    }
    return editorFolder / "serz";
}

bool isExecutableFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

std::string converterMissingMessage(const fs::path& converter) {
    return converter.filename().string() + " program not found in " + converter.parent_path().string() +
           ".\r\n\r\nTerminating.";
}

} // namespace dovrel
