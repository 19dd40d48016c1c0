// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/ScenarioIndex.h"

#include "catalogue/IndexText.h"

#include <sys/stat.h>

namespace dovrel {

namespace {

constexpr std::string_view kHeader = "dovrel scenario index 1\n";
constexpr long long kTrustedAgeNs = 1000000000LL;

// FNV-1a, carried on from an earlier digest.
std::uint64_t digestOf(std::string_view bytes, std::uint64_t digest = 14695981039346656037ULL) {
    for (const char c : bytes) {
        digest ^= static_cast<unsigned char>(c);
        digest *= 1099511628211ULL;
    }
    return digest;
}

long long asNumber(std::uint64_t digest) {
    return static_cast<long long>(digest);
}

} // namespace

std::uint64_t catalogueDigest(const std::vector<std::string>& catalogue) {
    std::uint64_t digest = digestOf({});
    for (const std::string& record : catalogue) {
        digest = digestOf(record, digest);
        digest = digestOf("\n", digest);
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
    const auto found = entries_.find(scenario.string());
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
    entries_.insert_or_assign(scenario.string(), std::move(scan));
}

std::string ScenarioIndex::text() const {
    std::string body;
    for (const auto& [file, scan] : entries_) {
        putIndexText(body, file);
        putIndexNumber(body, scan.stamp.size);
        putIndexNumber(body, scan.stamp.modifiedNs);
        putIndexText(body, scan.rootLine);
        putIndexText(body, scan.findings);
        body.push_back('\n');
    }
    std::string out(kHeader);
    putIndexNumber(out, asNumber(catalogue_));
    putIndexNumber(out, asNumber(digestOf(body)));
    out.push_back('\n');
    return out.append(body);
}

ScenarioIndex ScenarioIndex::fromText(std::string_view text, std::uint64_t catalogue, long long startNs) {
    ScenarioIndex index(catalogue, startNs);
    if (!text.starts_with(kHeader)) {
        return index;
    }
    // The line after the header names the catalogue and holds the digest of the rest.
    const std::size_t lineEnd = text.find('\n', kHeader.size());
    if (lineEnd == std::string_view::npos) {
        return index;
    }
    IndexTextReader header(text.substr(kHeader.size(), lineEnd - kHeader.size()));
    const std::optional<long long> noted = header.number();
    const std::optional<long long> digest = header.number();
    if (!noted || *noted != asNumber(catalogue) || !digest || !header.atEnd()) {
        return index;
    }
    const std::string_view body = text.substr(lineEnd + 1);
    if (asNumber(digestOf(body)) != *digest) {
        return index;
    }
    IndexTextReader reader(body);
    while (!reader.atEnd()) {
        // Anything out of shape makes the whole index unusable: every scenario is converted again.
        const std::optional<std::string_view> file = reader.text();
        const std::optional<long long> size = reader.number();
        const std::optional<long long> modified = reader.number();
        const std::optional<std::string_view> rootLine = reader.text();
        const std::optional<std::string_view> findings = reader.text();
        // The findings themselves are read only when they are listed: the digest has vouched for them.
        if (!file || !size || !modified || !rootLine || !findings || !reader.skip('\n')) {
            return ScenarioIndex(catalogue, startNs);
        }
        index.entries_.insert_or_assign(
            std::string(*file),
            Scan{FileStamp{*size, *modified}, std::string(*rootLine), std::string(*findings)});
    }
    return index;
}

FileStatus ScenarioIndex::write(Files& files, const std::filesystem::path& file) const {
    return files.replaceRegenerable(file, text());
}

} // namespace dovrel
