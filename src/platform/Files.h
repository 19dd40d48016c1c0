// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileStatus.h"

#include <cstddef>
#include <filesystem>
#include <functional>
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
    // Hands the file's bytes on in order, in pieces of at most pieceBytes, without holding it whole;
    // takePiece returns false to stop reading. False when the file cannot be read (the pieces handed
    // so far were its start); true when it was read to its end or takePiece stopped it.
    virtual bool readInPieces(const std::filesystem::path& file, std::size_t pieceBytes,
                              const std::function<bool(std::string_view piece)>& takePiece) const {
        const std::optional<std::string> bytes = read(file);
        if (!bytes) {
            return false;
        }
        const std::size_t step = pieceBytes == 0 ? 1 : pieceBytes;
        for (std::size_t at = 0; at < bytes->size(); at += step) {
            if (!takePiece(std::string_view(*bytes).substr(at, step))) {
                break;
            }
        }
        return true;
    }
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
