// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioIndex.h"

#include "consistfiles/CompactValues.h"

#include <cstring>
#include <sys/stat.h>

namespace dovrel {

namespace {

// The layout of the file; an index of another layout is not read.
constexpr std::string_view kHeader = "dovrel scenario index 2\n";
constexpr long long kTrustedAgeNs = 1000000000LL;

std::uint64_t asBits(long long number) {
    return static_cast<std::uint64_t>(number);
}

long long asNumber(std::uint64_t bits) {
    return static_cast<long long>(bits);
}

} // namespace

std::uint64_t digestOf(std::string_view bytes, std::uint64_t digest) {
    // Eight bytes at a time: each step (an xor, a multiplication by an odd number, a shift folded
    // in) can be undone, so a change within one step's eight bytes, or of the length, always gives
    // another digest, and any other change almost always does.
    constexpr std::uint64_t kOdd = 0x9e3779b97f4a7c15ULL;
    const auto step = [&digest](std::uint64_t word) {
        digest = (digest ^ word) * kOdd;
        digest ^= digest >> 29;
    };
    step(bytes.size());
    std::size_t at = 0;
    for (; bytes.size() - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        step(word);
    }
    if (at < bytes.size()) {
        std::uint64_t last = 0;
        std::memcpy(&last, bytes.data() + at, bytes.size() - at);
        step(last);
    }
    return digest;
}

std::uint64_t catalogueDigest(const std::vector<std::string>& catalogue) {
    // Each record's length is part of its digest, so the records cannot run into one another.
    std::uint64_t digest = digestOf({});
    for (const std::string& record : catalogue) {
        digest = digestOf(record, digest);
    }
    return digest;
}

std::optional<FileStamp> scenarioStamp(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{static_cast<long long>(status.st_size),
                     static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec};
}

std::optional<ScenarioIndex::Scan> ScenarioIndex::take(const std::filesystem::path& scenario,
                                                       const FileStamp& stamp) {
    const auto found = entries_.find(scenario.native());
    if (found == entries_.end() || !(found->second.stamp == stamp)) {
        return std::nullopt;
    }
    std::optional<Scan> scan(std::move(found->second));
    entries_.erase(found);
    return scan;
}

void ScenarioIndex::note(const std::filesystem::path& scenario, Scan scan) {
    if (scan.stamp.modifiedNs > startNs_ - kTrustedAgeNs) {
        return;
    }
    entries_.insert_or_assign(scenario.native(), std::move(scan));
}

std::string ScenarioIndex::text() const {
    std::string body;
    for (const auto& [file, scan] : entries_) {
        putCompactText(body, file);
        putCompactNumber(body, asBits(scan.stamp.size));
        putCompactNumber(body, asBits(scan.stamp.modifiedNs));
        putCompactText(body, scan.rootLine);
        putCompactText(body, scan.findings);
    }
    std::string out(kHeader);
    putCompactNumber(out, catalogue_);
    putCompactNumber(out, digestOf(body));
    return out.append(body);
}

ScenarioIndex ScenarioIndex::fromText(std::string_view text, std::uint64_t catalogue, long long startNs) {
    ScenarioIndex index(catalogue, startNs);
    if (!text.starts_with(kHeader)) {
        return index;
    }
    // After the header: the catalogue the index belongs to, and the digest of the rest.
    CompactReader header(text.substr(kHeader.size()));
    const std::optional<std::uint64_t> noted = header.number();
    const std::optional<std::uint64_t> digest = header.number();
    if (!noted || *noted != catalogue || !digest) {
        return index;
    }
    const std::string_view body = text.substr(text.size() - header.remaining());
    if (digestOf(body) != *digest) {
        return index;
    }
    CompactReader reader(body);
    while (!reader.atEnd()) {
        // Anything out of shape makes the whole index unusable: every scenario is converted again.
        const std::optional<std::string_view> file = reader.text();
        const std::optional<std::uint64_t> size = reader.number();
        const std::optional<std::uint64_t> modified = reader.number();
        const std::optional<std::string_view> rootLine = reader.text();
        const std::optional<std::string_view> findings = reader.text();
        // The findings themselves are read only when they are listed: the digest has vouched for them.
        if (!file || !size || !modified || !rootLine || !findings) {
            return ScenarioIndex(catalogue, startNs);
        }
        index.entries_.insert_or_assign(std::string(*file),
                                        Scan{FileStamp{asNumber(*size), asNumber(*modified)},
                                             std::string(*rootLine), std::string(*findings)});
    }
    return index;
}

FileStatus ScenarioIndex::write(Files& files, const std::filesystem::path& file) const {
    return files.replaceRegenerable(file, text());
}

} // namespace dovrel
