// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Files.h"
#include "platform/WallClock.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dovrel {

// One kept copy of the game's user-consist file.
struct UserConsistBackup {
    std::filesystem::path file;
    std::string taken; // "2026-12-06 20:58:07", local time, when the copy was taken
    // Its number in the order the copies of its game folder were taken; none for a copy kept before
    // copies were numbered, whose game folder was not recorded.
    std::optional<std::uint64_t> sequence;
    bool operator==(const UserConsistBackup&) const = default;
};

// How a copy is named to the user: "2026-12-06 20:58:07 #42", two copies of one second told apart
// by their numbers; "2026-12-06 20:58:07 (game folder not recorded)" for an unnumbered one.
std::string backupLabel(const UserConsistBackup& backup);

// What could not be written when a copy was to be kept, and why.
struct BackupFailure {
    std::filesystem::path file;
    std::string reason;
};

// Copies of the game's user-consist file, taken before every write of it. Each game folder has its
// own folder of copies in the program folder's Backups folder, named by gameFolderDigest of the game
// folder's path and holding that path in GameFolder.txt. A copy is named by the UTC time it was taken
// and a number one higher than any copy of that game folder before it; the copies are ordered and
// pruned by that number alone, never by the clock, so the newest kKept stay whatever the clock did.
// Copies named by local time the way the program named them before ("ConsistTemplates-YYYYMMDD-
// HHMMSS.bin" directly in Backups) belong to no known game folder: they are listed after every
// game folder's own copies and never removed.
class UserConsistBackups {
public:
    static constexpr std::size_t kKept = 20;

    UserConsistBackups(Files& files, const WallClock& clock, std::filesystem::path programFolder);

    std::filesystem::path folder() const { return programFolder_ / "Backups"; }
    // The folder of the copies of the game whose content folder is given.
    std::filesystem::path folderFor(const std::filesystem::path& contentFolder) const;

    // Keeps a copy of the game's file as it is now, then removes the oldest of its game folder's
    // copies beyond kKept: never the copy just made, the spared one, or the one held. A game file
    // that does not exist needs no copy. Empty optional when nothing failed.
    std::optional<BackupFailure> keep(const std::optional<std::filesystem::path>& gameFile,
                                      const std::optional<std::filesystem::path>& spared = std::nullopt);

    // The copies of the game whose content folder is given, newest first, then the unnumbered ones,
    // newest first.
    std::vector<UserConsistBackup> list(const std::filesystem::path& contentFolder) const;

    // A copy that is not removed while it is held (the one chosen in the restore window).
    void hold(std::optional<std::filesystem::path> file) { held_ = std::move(file); }
    // Called after a copy was added and the old ones pruned.
    void whenChanged(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    // The folder of a game folder's copies: the first of "DIGEST", "DIGEST-2", ... that records this
    // game folder or records none.
    std::filesystem::path gameBackupFolder(const std::filesystem::path& gameFolder) const;
    std::vector<UserConsistBackup> numberedCopies(const std::filesystem::path& gameFolder) const;
    void prune(const std::filesystem::path& gameFolder, const std::filesystem::path& made,
               const std::optional<std::filesystem::path>& spared);

    Files& files_;
    const WallClock& clock_;
    std::filesystem::path programFolder_;
    std::optional<std::filesystem::path> held_;
    std::function<void()> changed_;
};

} // namespace dovrel
