#pragma once

#include "platform/WallClock.h"
#include "platform/Files.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dovrel {

// One kept copy of the game's user-consist file.
struct UserConsistBackup {
    std::filesystem::path file;
    std::string taken; // "2026-12-06 20:58:07", local time, from the file's name
    bool operator==(const UserConsistBackup&) const = default;
};

// What could not be written when a copy was to be kept, and why.
struct BackupFailure {
    std::filesystem::path file;
    std::string reason;
};

// Copies of the game's user-consist file, taken before every write of it, in the program folder's
// Backups folder as "ConsistTemplates-YYYYMMDD-HHMMSS.bin"; the newest kKept are kept.
class UserConsistBackups {
public:
    static constexpr std::size_t kKept = 20;

    UserConsistBackups(Files& files, const WallClock& clock, std::filesystem::path programFolder);

    std::filesystem::path folder() const { return programFolder_ / "Backups"; }

    // Keeps a copy of the game's file as it is now, then removes the oldest copies beyond kKept.
    // A game file that does not exist needs no copy. Empty optional when nothing failed.
    std::optional<BackupFailure> keep(const std::optional<std::filesystem::path>& gameFile);

    // Every kept copy, newest first.
    std::vector<UserConsistBackup> list() const;

private:
    Files& files_;
    const WallClock& clock_;
    std::filesystem::path programFolder_;
};

// "YYYYMMDD-HHMMSS" of a backup's name as "YYYY-MM-DD HH:MM:SS"; empty optional for a name that
// is not a backup's.
std::optional<std::string> backupTakenAt(std::string_view fileName);

} // namespace dovrel
