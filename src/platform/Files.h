#pragma once

#include "platform/FileStatus.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

// The file system as the program uses it. Every whole-file write goes through replace(), which
// never leaves a half-written or lost file behind.
class Files {
public:
    virtual ~Files() = default;

    // The whole file as bytes; empty optional when it cannot be read.
    virtual std::optional<std::string> read(const std::filesystem::path& file) const = 0;
    // Copies a file, replacing an existing target.
    virtual FileStatus copy(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Writes a whole file in one step: a temporary file in the target's folder, the old file's
    // permissions kept, a symbolic link replaced at its target, committed by rename. On failure the
    // old file is untouched and no temporary file is left.
    virtual FileStatus replace(const std::filesystem::path& target, std::string_view bytes) = 0;
    // Removes a file; a file that does not exist counts as removed.
    virtual FileStatus remove(const std::filesystem::path& file) = 0;
    virtual FileStatus rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // The names in a folder, in listing order; a missing or unreadable folder lists as empty.
    virtual std::vector<std::string> list(const std::filesystem::path& folder) const = 0;
};

} // namespace dovrel
