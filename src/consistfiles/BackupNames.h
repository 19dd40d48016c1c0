// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The names of the kept copies of the user-consist file, and of the folder that holds one game
// folder's copies.
namespace dovrel {

// A numbered copy's name: "ConsistTemplates-20261207T051200Z-0042.bin", the UTC time the copy was
// taken and its number in the order the copies were taken (at least four digits).
struct NumberedBackupName {
    std::time_t takenUtc = 0;
    std::uint64_t sequence = 0;
    bool operator==(const NumberedBackupName&) const = default;
};

std::string numberedBackupFileName(NumberedBackupName name);

// The time and number of a numbered copy's name; empty optional for any other name.
std::optional<NumberedBackupName> parseNumberedBackupName(std::string_view fileName);

// A copy named by local time the way the program named them before copies were numbered,
// "ConsistTemplates-YYYYMMDD-HHMMSS.bin": its stamp as "YYYY-MM-DD HH:MM:SS"; empty optional for
// any other name.
std::optional<std::string> unnumberedBackupTakenAt(std::string_view fileName);

// A moment as "YYYY-MM-DD HH:MM:SS" in the local time zone.
std::string localTimeText(std::time_t seconds);

// The name of the folder holding one game folder's copies: 16 hexadecimal digits of a fixed
// 64-bit FNV-1a digest of the folder's path, the same on every run.
std::string gameFolderDigest(std::string_view gameFolderPath);

} // namespace dovrel
