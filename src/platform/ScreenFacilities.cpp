// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ScreenFacilities.h"

namespace dovrel {

std::string folderNotOpenedMessage(const std::filesystem::path& folder) {
    std::filesystem::path trimmed = folder;
    if (!trimmed.has_filename()) {
        trimmed = trimmed.parent_path();
    }
    return trimmed.filename().string() + "\r\n\r\nCould not open the folder.";
}

} // namespace dovrel
