// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/BlueprintOutcome.h"
#include "catalogue/BlueprintWalk.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dovrel {

inline constexpr std::string_view kScanIndexName = "equipmentlist.index";

// What the last scan with the bundled converter made of each blueprint, kept beside the cache: the
// blueprint's file (and entry, for packed stock), its stamp (the archive's for packed stock), and
// its outcome. A later scan takes the outcome of every blueprint whose stamp is unchanged instead of
// converting it again. A file changed within a second before the scan that noted it is not trusted
// (its stamp may not show a change made in the same instant), so it is converted again next time.
//
// A scan brings the index it loaded up to date in place: it begins with beginScan, reuses or notes
// each blueprint it meets, and ends with forgetUnmet, which drops the blueprints it did not meet
// (gone, or changed and not noted again). What remains is what an index made afresh by that scan
// holds.
class ScanIndex {
public:
    // An empty index for a scan that starts now; `startNs` is the wall clock in nanoseconds.
    explicit ScanIndex(long long startNs) : startNs_(startNs) {}
    // The entries are views into the index's own texts: it moves, but is not copied.
    ScanIndex(ScanIndex&&) = default;
    ScanIndex& operator=(ScanIndex&&) = default;
    ScanIndex(const ScanIndex&) = delete;
    ScanIndex& operator=(const ScanIndex&) = delete;

    // The index a file holds; an empty one when the file is missing, unreadable or not an index.
    static ScanIndex load(const Files& files, const std::filesystem::path& file);

    // The outcome noted for the blueprint, when its stamp is the noted one.
    std::optional<BlueprintOutcome> find(const FoundBlueprint& blueprint) const;
    // Starts a scan at `startNs`, the wall clock in nanoseconds: no blueprint is met yet.
    void beginScan(long long startNs);
    // The same as find, the blueprint counted as met when its outcome is there.
    std::optional<BlueprintOutcome> reuse(const FoundBlueprint& blueprint);

    // Notes a blueprint's outcome, met, unless its file changed too close to the start of this scan
    // or its bytes could not be read.
    void note(const FoundBlueprint& blueprint, const BlueprintOutcome& outcome);
    // Drops every blueprint not met since beginScan; how many.
    std::size_t forgetUnmet();

    std::size_t size() const { return entries_.size(); }

    // The index as the text of its file (blueprints in the order of their keys), and written whole.
    std::string text() const;
    FileStatus write(Files& files, const std::filesystem::path& file) const;

private:
    // An outcome is kept as the text the index's file holds for it: one text a blueprint rather than
    // one a value. Keys and outcomes are views: into the loaded file's bytes, or into the texts noted
    // since, which stay where they are as more are added.
    struct Entry {
        FileStamp stamp;
        std::string_view outcome;
        unsigned metInScan = 0;
    };
    // The blueprint's key: its file, and for packed stock the entry's number and name, made in
    // `packedKey`.
    static std::string_view keyOf(const FoundBlueprint& blueprint, std::string& packedKey);
    // The entry noted for the blueprint, when its stamp is the noted one; null otherwise (const or not
    // as the index is).
    template <class Index> static auto* matching(Index& index, const FoundBlueprint& blueprint);
    std::string_view keep(std::string text);

    long long startNs_;
    // The scans begun on this index so far: an entry met in the running one holds its number.
    unsigned scan_ = 1;
    std::unique_ptr<const std::string> loaded_;
    std::deque<std::string> noted_;
    std::unordered_map<std::string_view, Entry> entries_;
};

} // namespace dovrel
