// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FolderListings.h"

#include "catalogue/IndexText.h"

#include <iterator>

namespace dovrel {

namespace {

constexpr long long kTrustedAgeNs = 1000000000LL;

// An entry's kind as written: a folder, a regular file, or anything else.
char kindLetter(const ListedEntry& entry) {
    return entry.folder ? 'd' : entry.regularFile ? 'f' : 'o';
}

} // namespace

void FolderListings::note(const FolderStamp& stamp, Entries entries) {
    if (stamp.modifiedNs > startNs_ - kTrustedAgeNs) {
        return;
    }
    listings_.push_back(Listing{stamp, std::move(entries)});
}

void FolderListings::merge(FolderListings&& other) {
    listedAfresh_ = listedAfresh_ || other.listedAfresh_;
    if (listings_.empty()) {
        listings_ = std::move(other.listings_);
    } else {
        listings_.insert(listings_.end(), std::make_move_iterator(other.listings_.begin()),
                         std::make_move_iterator(other.listings_.end()));
    }
    other.listings_.clear();
}

FileStatus FolderListings::write(Files& files, const std::filesystem::path& file) const {
    std::string out(kFolderListingsHeader);
    putIndexNumber(out, startNs_);
    for (const Listing& listing : listings_) {
        out.push_back('\n');
        putIndexNumber(out, static_cast<long long>(listing.stamp.device));
        putIndexNumber(out, static_cast<long long>(listing.stamp.inode));
        putIndexNumber(out, listing.stamp.modifiedNs);
        putIndexNumber(out, listing.stamp.changedNs);
        putIndexNumber(out, static_cast<long long>(listing.entries->size()));
        for (const ListedEntry& entry : *listing.entries) {
            out.push_back(kindLetter(entry));
            putIndexText(out, entry.name);
        }
    }
    return files.replaceRegenerable(file, out);
}

} // namespace dovrel
