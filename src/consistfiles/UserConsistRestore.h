#pragma once

#include "consistfiles/ConsistFileServices.h"
#include "consistfiles/UserConsistBackups.h"

#include <filesystem>
#include <string>
#include <vector>

namespace dovrel {

// A kept copy of the user-consist file and the English names of the consists it holds.
struct BackupChoice {
    UserConsistBackup backup;
    // Each consist's name as it reads ("Coal & Ballast"); a consist without a name shows as "*".
    std::vector<std::string> consistNames;
};

enum class RestoreResult { Restored, NotRestored, NotWritten };

// Puts a kept copy of the user-consist file back in place of the game's file.
class UserConsistRestore {
public:
    explicit UserConsistRestore(ConsistFileServices& services) : services_(services) {}

    // Every kept copy, newest first, each read through the converter for the names it holds.
    std::vector<BackupChoice> choices();

    // Asks first; on Yes keeps a copy of the game's file as it is, then writes the chosen copy in
    // its place in one step. A failure shows the write-failure message and changes nothing.
    RestoreResult restore(const UserConsistBackup& backup, const std::filesystem::path& contentFolder);

private:
    std::vector<std::string> consistNamesIn(const std::filesystem::path& backupFile);

    ConsistFileServices& services_;
};

} // namespace dovrel
