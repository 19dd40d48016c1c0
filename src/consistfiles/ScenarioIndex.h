// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/BlueprintWalk.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrel {

inline constexpr std::string_view kScenarioIndexName = "scenarios.index";

// What the last Open VT Scenario Consists with the bundled converter found in each scenario that
// converted, kept beside the catalogue cache: the scenario file, its stamp, the root line of its XML
// and the findings of its scan (ScenarioFindingsText). A later read takes the findings of every
// scenario whose stamp is unchanged instead of converting it again. The index belongs to one
// catalogue; for another, or when its text is damaged in any way (a digest of the text is checked),
// it is empty. A scenario changed within a second before the read that noted it is not trusted (its
// stamp may not show a change made in the same instant), so it is converted again next time.
class ScenarioIndex {
public:
    // One scenario's remembered scan.
    struct Scan {
        FileStamp stamp;
        std::string rootLine;
        std::string findings;
    };

    // An empty index for the catalogue, for a read that starts now; `startNs` is the wall clock in
    // nanoseconds.
    ScenarioIndex(std::uint64_t catalogue, long long startNs) : catalogue_(catalogue), startNs_(startNs) {}

    // The index the text holds when it belongs to the catalogue; an empty one otherwise.
    static ScenarioIndex fromText(std::string_view text, std::uint64_t catalogue, long long startNs);

    // The scan noted for the scenario, when its stamp is the noted one, taken out of the index.
    std::optional<Scan> take(const std::filesystem::path& scenario, const FileStamp& stamp);

    // Notes a scenario's scan, unless its file changed too close to the start of this read.
    void note(const std::filesystem::path& scenario, Scan scan);

    std::size_t size() const { return entries_.size(); }

    // The index as the text of its file, and written whole.
    std::string text() const;
    FileStatus write(Files& files, const std::filesystem::path& file) const;

private:
    std::uint64_t catalogue_;
    long long startNs_;
    std::map<std::string, Scan> entries_;
};

// A digest of the catalogue's records in order: the identity an index belongs to.
std::uint64_t catalogueDigest(const std::vector<std::string>& catalogue);

// A digest of the bytes and their length, carried on from an earlier digest; quick enough to be
// taken of the whole index and catalogue on every read.
std::uint64_t digestOf(std::string_view bytes, std::uint64_t digest = 14695981039346656037ULL);

// A file's stamp as the scenario index notes it; none when the file cannot be looked at.
std::optional<FileStamp> scenarioStamp(const std::filesystem::path& file);

} // namespace dovrel
