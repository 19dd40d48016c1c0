// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistBackups.h"

#include "consistfiles/BackupNames.h"

#include <algorithm>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGameFolderRecord = "GameFolder.txt";
// Far more than digests of different paths can ever share.
constexpr int kDigestCandidates = 100;

fs::path gameFolderOf(const fs::path& contentFolder) {
    fs::path normal = contentFolder.lexically_normal();
    if (!normal.has_filename()) {
        normal = normal.parent_path();
    }
    return normal.parent_path();
}

} // namespace

std::string backupLabel(const UserConsistBackup& backup) {
    return backup.sequence ? backup.taken + " #" + std::to_string(*backup.sequence)
                           : backup.taken + " (game folder not recorded)";
}

UserConsistBackups::UserConsistBackups(Files& files, const WallClock& clock, fs::path programFolder)
    : files_(files), clock_(clock), programFolder_(std::move(programFolder)) {}

fs::path UserConsistBackups::gameBackupFolder(const fs::path& gameFolder) const {
    const std::string digest = gameFolderDigest(gameFolder.string());
    fs::path candidate;
    for (int k = 1; k <= kDigestCandidates; ++k) {
        candidate = folder() / (k == 1 ? digest : digest + "-" + std::to_string(k));
        const std::optional<std::string> recorded = files_.read(candidate / kGameFolderRecord);
        if (!recorded || *recorded == gameFolder.string()) {
            break;
        }
    }
    return candidate;
}

fs::path UserConsistBackups::folderFor(const fs::path& contentFolder) const {
    return gameBackupFolder(gameFolderOf(contentFolder));
}

std::vector<UserConsistBackup> UserConsistBackups::numberedCopies(const fs::path& gameFolder) const {
    const fs::path copies = gameBackupFolder(gameFolder);
    std::vector<UserConsistBackup> backups;
    for (const std::string& name : files_.list(copies)) {
        if (const std::optional<NumberedBackupName> numbered = parseNumberedBackupName(name)) {
            backups.push_back({copies / name, localTimeText(numbered->takenUtc), numbered->sequence});
        }
    }
    std::sort(backups.begin(), backups.end(), [](const UserConsistBackup& a, const UserConsistBackup& b) {
        return a.sequence != b.sequence ? a.sequence > b.sequence : a.file > b.file;
    });
    return backups;
}

std::optional<BackupFailure> UserConsistBackups::keep(const std::optional<fs::path>& gameFile,
                                                      const std::optional<fs::path>& spared) {
    std::error_code error;
    if (!gameFile || !fs::is_regular_file(*gameFile, error)) {
        return std::nullopt;
    }
    const fs::path gameFolder = gameFolderOf(gameFile->parent_path());
    const fs::path copies = gameBackupFolder(gameFolder);
    fs::create_directories(copies, error);
    if (error) {
        return BackupFailure{copies, error.message()};
    }
    const fs::path record = copies / kGameFolderRecord;
    if (!files_.read(record)) {
        if (const FileStatus written = files_.replace(record, gameFolder.string()); !written.ok) {
            return BackupFailure{record, written.reason};
        }
    }
    const std::vector<UserConsistBackup> before = numberedCopies(gameFolder);
    const std::uint64_t sequence = before.empty() ? 1 : *before.front().sequence + 1;
    const std::time_t now = std::chrono::system_clock::to_time_t(clock_.now());
    const fs::path target = copies / numberedBackupFileName({now, sequence});
    if (const FileStatus copied = files_.copy(*gameFile, target); !copied.ok) {
        files_.remove(target);
        return BackupFailure{target, copied.reason};
    }
    prune(gameFolder, target, spared);
    if (changed_) {
        changed_();
    }
    return std::nullopt;
}

void UserConsistBackups::prune(const fs::path& gameFolder, const fs::path& made,
                               const std::optional<fs::path>& spared) {
    const std::vector<UserConsistBackup> kept = numberedCopies(gameFolder);
    for (std::size_t k = kKept; k < kept.size(); ++k) {
        const fs::path& file = kept[k].file;
        if (file != made && file != spared && file != held_) {
            files_.remove(file);
        }
    }
}

std::vector<UserConsistBackup> UserConsistBackups::list(const fs::path& contentFolder) const {
    std::vector<UserConsistBackup> backups = numberedCopies(gameFolderOf(contentFolder));
    std::vector<UserConsistBackup> unnumbered;
    for (const std::string& name : files_.list(folder())) {
        if (const std::optional<std::string> taken = unnumberedBackupTakenAt(name)) {
            unnumbered.push_back({folder() / name, *taken, std::nullopt});
        }
    }
    // The stamp's digits order these names as the copies were taken, as far as the clock went forward.
    std::sort(unnumbered.begin(), unnumbered.end(),
              [](const UserConsistBackup& a, const UserConsistBackup& b) { return a.file > b.file; });
    backups.insert(backups.end(), unnumbered.begin(), unnumbered.end());
    return backups;
}

} // namespace dovrel
