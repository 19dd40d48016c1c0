// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/FolderListings.h"

#include "catalogue/IndexText.h"

#include <algorithm>

namespace dovrel {

namespace {

constexpr std::string_view kHeader = "dovrel folder listings 2\n";
constexpr long long kTrustedAgeNs = 1000000000LL;

// An entry's kind as written: a folder, a regular file, or anything else.
char kindLetter(const ListedEntry& entry) {
    return entry.folder ? 'd' : entry.regularFile ? 'f' : 'o';
}

} // namespace

FolderListings::Entries FolderListings::find(const FolderStamp& stamp) const {
    const auto found = listings_.find({stamp.device, stamp.inode});
    if (found == listings_.end() || !(found->second.stamp == stamp)) {
        return nullptr;
    }
    return found->second.entries;
}

void FolderListings::note(const FolderStamp& stamp, Entries entries) {
    if (stamp.modifiedNs > startNs_ - kTrustedAgeNs) {
        return;
    }
    listings_.insert_or_assign({stamp.device, stamp.inode}, Listing{stamp, std::move(entries)});
}

void FolderListings::merge(FolderListings&& other) {
    listedAfresh_ = listedAfresh_ || other.listedAfresh_;
    // Folders the other walk alone noted move over as they are; one noted by both takes its listing.
    listings_.merge(other.listings_);
    for (auto& [folder, listing] : other.listings_) {
        listings_.insert_or_assign(folder, std::move(listing));
    }
    other.listings_.clear();
}

FileStatus FolderListings::write(Files& files, const std::filesystem::path& file) const {
    std::string out(kHeader);
    putIndexNumber(out, startNs_);
    for (const auto& noted : listings_) {
        const Listing& listing = noted.second;
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

FolderListings FolderListings::load(const Files& files, const std::filesystem::path& file) {
    const std::optional<std::string> bytes = files.read(file);
    if (!bytes || !std::string_view(*bytes).starts_with(kHeader)) {
        return FolderListings(0);
    }
    IndexTextReader reader(std::string_view(*bytes).substr(kHeader.size()));
    const std::optional<long long> start = reader.number();
    if (!start) {
        return FolderListings(0);
    }
    FolderListings listings(*start);
    // One line a folder: the table is made large enough at once.
    listings.listings_.reserve(static_cast<std::size_t>(std::count(bytes->begin(), bytes->end(), '\n')));
    while (!reader.atEnd()) {
        // Anything out of shape makes all of them unusable: every folder is listed again.
        if (!reader.skip('\n')) {
            return FolderListings(0);
        }
        const std::optional<long long> device = reader.number();
        const std::optional<long long> inode = reader.number();
        const std::optional<long long> modified = reader.number();
        const std::optional<long long> changed = reader.number();
        const std::optional<long long> count = reader.number();
        if (!device || !inode || !modified || !changed || !count || *count < 0) {
            return FolderListings(0);
        }
        const FolderStamp stamp{static_cast<unsigned long long>(*device),
                                static_cast<unsigned long long>(*inode), *modified, *changed};
        std::vector<ListedEntry> entries;
        // Each entry takes at least four bytes of the text: no count can make it reserve more.
        entries.reserve(
            static_cast<std::size_t>(std::min<long long>(*count, static_cast<long long>(bytes->size() / 4))));
        for (long long i = 0; i < *count; ++i) {
            ListedEntry entry;
            if (reader.skip('d')) {
                entry.folder = true;
            } else if (reader.skip('f')) {
                entry.regularFile = true;
            } else if (!reader.skip('o')) {
                return FolderListings(0);
            }
            const std::optional<std::string_view> name = reader.text();
            if (!name) {
                return FolderListings(0);
            }
            entry.name = std::string(*name);
            entries.push_back(std::move(entry));
        }
        listings.listings_.insert_or_assign(
            FolderIdentity(stamp.device, stamp.inode),
            Listing{stamp, std::make_shared<const std::vector<ListedEntry>>(std::move(entries))});
    }
    return listings;
}

} // namespace dovrel
