// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace dovrel {

// The outcome of a file operation: success, or a failure with the system's reason in words.
struct FileStatus {
    bool ok = true;
    std::string reason;

    static FileStatus success() { return {}; }
    static FileStatus failure(std::string why) { return {false, std::move(why)}; }
};

// What the user is told when a file could not be written: "Could not write PATH." and the reason.
inline std::string fileNotWrittenText(const std::filesystem::path& file, const FileStatus& status) {
    return "Could not write " + file.string() + ".\r\n\r\n" + status.reason;
}

} // namespace dovrel
