// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/UserConsistBackups.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dovrel {

// A kept copy of the user-consist file, whether it can be put back, and the English names of the
// consists it holds.
struct BackupChoice {
    UserConsistBackup backup;
    // The converter reads it as a user-consist document; only such a copy is put back.
    bool restorable = false;
    // Each consist's name as it reads ("Coal & Ballast"); a consist without a name shows as "*".
    std::vector<std::string> consistNames;
};

enum class RestoreResult { Restored, NotRestored, NotWritten };

// Whether the converter's XML lines of a file are a user-consist document: a cRecordSet root that
// closes last, holding a Record whose every cConsistTemplate closes before the next one opens and
// before the Record ends. Lines are trimmed and tags found ignoring case, as the readers do.
bool isUserConsistDocument(const std::vector<std::string>& lines);

// Puts a kept copy of the user-consist file back in place of the game's file.
class UserConsistRestore {
public:
    explicit UserConsistRestore(ConsistFileServices& services) : services_(services) {}

    // The copies of the game whose content folder is given, newest first, each read through the
    // converter for whether it can be put back and for the names it holds.
    std::vector<BackupChoice> choices(const std::filesystem::path& contentFolder);

    // Asks first; on Yes reads the copy again and puts it back only when the converter reads those
    // very bytes as a user-consist document: keeps a copy of the game's file as it is (sparing the
    // chosen copy from pruning), then writes the chosen copy in its place in one step. A copy that
    // no longer reads, or a failed write, is reported and the game's file stays as it was.
    RestoreResult restore(const UserConsistBackup& backup, const std::filesystem::path& contentFolder);

private:
    // The converter's XML lines of a file; empty optional when it cannot be read or converted.
    std::optional<std::vector<std::string>> convertedLines(const std::filesystem::path& file);

    ConsistFileServices& services_;
};

} // namespace dovrel
