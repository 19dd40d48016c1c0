// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/NameResolver.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace dovrel {

inline constexpr std::string_view kFolderListingsName = "equipmentlist.listings";

// A folder as the file system describes it: which folder it is, and when its entries and its inode
// last changed. Adding, removing or renaming an entry changes the modification time.
struct FolderStamp {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long modifiedNs = 0;
    long long changedNs = 0;
    bool operator==(const FolderStamp&) const = default;
};

// A folder's device and inode: the same folder whatever path reaches it.
using FolderIdentity = std::pair<unsigned long long, unsigned long long>;
struct FolderIdentityHash {
    std::size_t operator()(const FolderIdentity& identity) const {
        return std::hash<unsigned long long>()(identity.second * 0x9E3779B97F4A7C15ULL ^ identity.first);
    }
};

// What the last walk with the bundled converter listed in each folder, kept beside the cache, so that
// a later walk lists again only the folders whose stamp changed (a modification time set back by hand
// still changes the inode's change time). A folder is known by its device and inode alone: the same
// folder under another path (renamed, or reached through a link) lists the same entries. A folder modified
// within a second before the walk that listed it is not noted (its stamp may not show a change made in the
// same instant), nor one that holds a link (the link's target may change while the folder does not).
class FolderListings {
public:
    // Empty listings for a walk that starts now; `startNs` is the wall clock in nanoseconds.
    explicit FolderListings(long long startNs) : startNs_(startNs) {}

    // The listings a file holds; empty ones when the file is missing, unreadable or out of shape.
    static FolderListings load(const Files& files, const std::filesystem::path& file);

    // The entries of a folder, shared between the listings that note them.
    using Entries = std::shared_ptr<const std::vector<ListedEntry>>;

    // The entries noted for a folder, when its stamp is the noted one; null otherwise.
    Entries find(const FolderStamp& stamp) const;

    // Notes a folder's entries, unless it changed too close to the start of this walk.
    void note(const FolderStamp& stamp, Entries entries);
    // Takes over every listing another walk noted.
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
    std::unordered_map<FolderIdentity, Listing, FolderIdentityHash> listings_;
};

} // namespace dovrel
