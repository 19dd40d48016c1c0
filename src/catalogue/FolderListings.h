// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FolderIdentitySet.h"
#include "core/NameResolver.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dovrel {

inline constexpr std::string_view kFolderListingsName = "equipmentlist.listings";
// The first line of the listings' file, naming its layout.
inline constexpr std::string_view kFolderListingsHeader = "dovrel folder listings 2\n";

// A folder as the file system describes it: which folder it is, and when its entries and its inode
// last changed. Adding, removing or renaming an entry changes the modification time.
struct FolderStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;
    bool operator==(const FolderStamp&) const = default;
};

// What a walk with the bundled converter listed in each folder it entered, written beside the cache
// so that a later walk lists again only the folders whose stamp changed (see EarlierFolderListings). A
// folder modified within a second before the walk that listed it is not noted (its stamp may not show
// a change made in the same instant), nor one that holds a link (the link's target may change while
// the folder does not).
class FolderListings {
public:
    // Empty listings for a walk that starts now; `startNs` is the wall clock in nanoseconds.
    explicit FolderListings(long long startNs) : startNs_(startNs) {}

    // The entries of a folder, shared between the listings that note them.
    using Entries = std::shared_ptr<const std::vector<ListedEntry>>;

    // Notes a folder's entries, unless it changed too close to the start of this walk. A walk enters
    // each folder once, so no folder is noted twice.
    void note(const FolderStamp& stamp, Entries entries);
    // Takes over every listing another walk noted; the two walks entered different folders.
    void merge(FolderListings&& other);

    std::size_t size() const { return listings_.size(); }
    // Whether a folder was noted from a listing of the disk rather than from earlier listings.
    bool listedAfresh() const { return listedAfresh_; }
    void markListedAfresh() { listedAfresh_ = true; }

    FileStatus write(Files& files, const std::filesystem::path& file) const;

private:
    struct Listing {
        FolderStamp stamp;
        Entries entries;
    };
    long long startNs_;
    bool listedAfresh_ = false;
    std::vector<Listing> listings_;
};

} // namespace dovrel
