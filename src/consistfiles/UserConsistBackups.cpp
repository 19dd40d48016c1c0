#include "consistfiles/UserConsistBackups.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "ConsistTemplates-";
constexpr std::string_view kExtension = ".bin";
constexpr std::size_t kStampLength = 15; // YYYYMMDD-HHMMSS

std::string stampOf(std::time_t seconds) {
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<std::string> backupTakenAt(std::string_view fileName) {
    if (fileName.size() != kPrefix.size() + kStampLength + kExtension.size() ||
        !fileName.starts_with(kPrefix) || !fileName.ends_with(kExtension)) {
        return std::nullopt;
    }
    const std::string_view stamp = fileName.substr(kPrefix.size(), kStampLength);
    if (!allDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !allDigits(stamp.substr(9))) {
        return std::nullopt;
    }
    std::string taken;
    taken.append(stamp.substr(0, 4))
        .append("-")
        .append(stamp.substr(4, 2))
        .append("-")
        .append(stamp.substr(6, 2));
    taken.append(" ").append(stamp.substr(9, 2)).append(":").append(stamp.substr(11, 2)).append(":");
    taken.append(stamp.substr(13, 2));
    return taken;
}

UserConsistBackups::UserConsistBackups(Files& files, const WallClock& clock, fs::path programFolder)
    : files_(files), clock_(clock), programFolder_(std::move(programFolder)) {}

std::optional<BackupFailure> UserConsistBackups::keep(const std::optional<fs::path>& gameFile) {
    std::error_code error;
    if (!gameFile || !fs::is_regular_file(*gameFile, error)) {
        return std::nullopt;
    }
    fs::create_directories(folder(), error);
    if (error) {
        return BackupFailure{folder(), error.message()};
    }
    // Two copies within one second: the later one takes the next free second, so names keep the
    // order in which the copies were taken.
    std::time_t seconds = std::chrono::system_clock::to_time_t(clock_.now());
    const std::vector<std::string> existing = files_.list(folder());
    fs::path target;
    do {
        target = folder() / (std::string(kPrefix) + stampOf(seconds++) + std::string(kExtension));
    } while (std::find(existing.begin(), existing.end(), target.filename().string()) != existing.end());

    if (const FileStatus copied = files_.copy(*gameFile, target); !copied.ok) {
        files_.remove(target);
        return BackupFailure{target, copied.reason};
    }
    const std::vector<UserConsistBackup> kept = list();
    for (std::size_t k = kKept; k < kept.size(); ++k) {
        files_.remove(kept[k].file);
    }
    return std::nullopt;
}

std::vector<UserConsistBackup> UserConsistBackups::list() const {
    std::vector<UserConsistBackup> backups;
    for (const std::string& name : files_.list(folder())) {
        if (const std::optional<std::string> taken = backupTakenAt(name)) {
            backups.push_back({folder() / name, *taken});
        }
    }
    // The stamp's digits order the names as the copies were taken.
    std::sort(backups.begin(), backups.end(),
              [](const UserConsistBackup& a, const UserConsistBackup& b) { return a.file > b.file; });
    return backups;
}

} // namespace dovrel
