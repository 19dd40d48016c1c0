// SPDX-License-Identifier: GPL-3.0-or-later
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
    // The same one-step replace for a file the program can always make again (the catalogue cache,
    // the scan index), without waiting for the bytes to reach the disk: the rename still commits
    // them whole, so a crash of the program leaves the old file or the new one, never a mix. Only a
    // crash of the whole system may leave such a file short; a scan makes it again (Refresh
    // Equipment List for the cache; the index is checked when read). Files the user keeps (the
    // game's consist files) always use replace().
    virtual FileStatus replaceRegenerable(const std::filesystem::path& target, std::string_view bytes) {
        return replace(target, bytes);
    }
    // Removes a file; a file that does not exist counts as removed.
    virtual FileStatus remove(const std::filesystem::path& file) = 0;
    virtual FileStatus rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // The names in a folder, in listing order; a missing or unreadable folder lists as empty.
    virtual std::vector<std::string> list(const std::filesystem::path& folder) const = 0;
};

} // namespace dovrel
