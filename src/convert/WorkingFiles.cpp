// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/WorkingFiles.h"

#include "core/TextRules.h"

namespace dovrel {

namespace fs = std::filesystem;

fs::path converterOutputFor(const fs::path& input) {
    const std::string extension = asciiLower(input.extension().string());
    fs::path output = input;
    if (extension == ".bin") {
        return output.replace_extension(".xml");
    }
    if (extension == ".xml") {
        return output.replace_extension(".bin");
    }
    return {};
}

FileStatus placeWorkingInput(Files& files, const fs::path& gameFile, const fs::path& workingInput) {
    if (const FileStatus removed = files.remove(workingInput); !removed.ok) {
        return removed;
    }
    return files.copy(gameFile, workingInput);
}

} // namespace dovrel
