// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/BackupNames.h"

#include "core/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace dovrel {

namespace {

constexpr std::string_view kPrefix = "ConsistTemplates-";
constexpr std::string_view kExtension = ".bin";
constexpr std::size_t kUtcStampLength = 16;   // YYYYMMDDTHHMMSSZ
constexpr std::size_t kLocalStampLength = 15; // YYYYMMDD-HHMMSS
constexpr std::size_t kMinimumSequenceDigits = 4;
constexpr std::size_t kMaximumSequenceDigits = 18; // always fits 64 bits

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view digits) {
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// The stamp's digits as a UTC moment; empty optional for a date or time that does not exist.
std::optional<std::time_t> utcSeconds(std::string_view date, std::string_view time) {
    std::tm utc{};
    utc.tm_year = number(date.substr(0, 4)) - 1900;
    utc.tm_mon = number(date.substr(4, 2)) - 1;
    utc.tm_mday = number(date.substr(6, 2));
    utc.tm_hour = number(time.substr(0, 2));
    utc.tm_min = number(time.substr(2, 2));
    utc.tm_sec = number(time.substr(4, 2));
    const std::tm asRead = utc;
    const std::time_t seconds = ::timegm(&utc);
    if (seconds == static_cast<std::time_t>(-1) || utc.tm_mon != asRead.tm_mon ||
        utc.tm_mday != asRead.tm_mday || utc.tm_hour != asRead.tm_hour || utc.tm_min != asRead.tm_min ||
        utc.tm_sec != asRead.tm_sec) {
        return std::nullopt;
    }
    return seconds;
}

} // namespace

std::string numberedBackupFileName(NumberedBackupName name) {
    std::tm utc{};
    ::gmtime_r(&name.takenUtc, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02dZ-%04llu", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  static_cast<unsigned long long>(name.sequence));
    return std::string(kPrefix) + text + std::string(kExtension);
}

std::optional<NumberedBackupName> parseNumberedBackupName(std::string_view fileName) {
    if (!fileName.starts_with(kPrefix) || !fileName.ends_with(kExtension)) {
        return std::nullopt;
    }
    const std::string_view rest =
        fileName.substr(kPrefix.size(), fileName.size() - kPrefix.size() - kExtension.size());
    if (rest.size() < kUtcStampLength + 1 + kMinimumSequenceDigits || rest[8] != 'T' ||
        rest[kUtcStampLength - 1] != 'Z' || rest[kUtcStampLength] != '-') {
        return std::nullopt;
    }
    const std::string_view date = rest.substr(0, 8);
    const std::string_view time = rest.substr(9, 6);
    const std::string_view sequence = rest.substr(kUtcStampLength + 1);
    if (!allDigits(date) || !allDigits(time) || !allDigits(sequence) ||
        sequence.size() > kMaximumSequenceDigits) {
        return std::nullopt;
    }
    const std::optional<std::time_t> taken = utcSeconds(date, time);
    if (!taken) {
        return std::nullopt;
    }
    NumberedBackupName name{*taken, 0};
    std::from_chars(sequence.data(), sequence.data() + sequence.size(), name.sequence);
    return name;
}

std::optional<std::string> unnumberedBackupTakenAt(std::string_view fileName) {
    if (fileName.size() != kPrefix.size() + kLocalStampLength + kExtension.size() ||
        !fileName.starts_with(kPrefix) || !fileName.ends_with(kExtension)) {
        return std::nullopt;
    }
    const std::string_view stamp = fileName.substr(kPrefix.size(), kLocalStampLength);
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

std::string localTimeText(std::time_t seconds) {
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string gameFolderDigest(std::string_view gameFolderPath) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fnv1aDigest(gameFolderPath)));
    return text;
}

} // namespace dovrel
