// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/EarlierFolderListings.h"

#include "catalogue/IndexText.h"

#include <optional>

namespace dovrel {

namespace {

// Reads one entry: its kind letter and its name. False when the text is out of shape there.
bool readEntry(IndexTextReader& reader, ListedEntry* entry) {
    bool folder = false;
    bool regularFile = false;
    if (reader.skip('d')) {
        folder = true;
    } else if (reader.skip('f')) {
        regularFile = true;
    } else if (!reader.skip('o')) {
        return false;
    }
    const std::optional<std::string_view> name = reader.text();
    if (!name) {
        return false;
    }
    if (entry != nullptr) {
        *entry = ListedEntry{std::string(*name), folder, regularFile};
    }
    return true;
}

} // namespace

EarlierFolderListings EarlierFolderListings::load(const Files& files, const std::filesystem::path& file) {
    EarlierFolderListings listings;
    std::optional<std::string> bytes = files.read(file);
    if (!bytes || !std::string_view(*bytes).starts_with(kFolderListingsHeader)) {
        return {};
    }
    listings.bytes_ = std::move(*bytes);
    const std::size_t headerSize = kFolderListingsHeader.size();
    IndexTextReader reader(std::string_view(listings.bytes_).substr(headerSize));
    // The start of the walk that wrote them: only its own notes depended on it.
    if (!reader.number()) {
        return {};
    }
    while (!reader.atEnd()) {
        // Anything out of shape makes all of them unusable: every folder is listed again.
        if (!reader.skip('\n')) {
            return {};
        }
        const std::optional<long long> device = reader.number();
        const std::optional<long long> inode = reader.number();
        const std::optional<long long> modified = reader.number();
        const std::optional<long long> changed = reader.number();
        const std::optional<long long> count = reader.number();
        if (!device || !inode || !modified || !changed || !count || *count < 0) {
            return {};
        }
        Noted noted{FolderStamp{static_cast<unsigned long long>(*device),
                                static_cast<unsigned long long>(*inode), *modified, *changed},
                    static_cast<std::size_t>(*count), headerSize + reader.position()};
        for (long long i = 0; i < *count; ++i) {
            if (!readEntry(reader, nullptr)) {
                return {};
            }
        }
        listings.folders_.push_back(noted);
    }
    // A folder the file notes twice is known by its last note.
    const auto identityAt = [&listings](std::uint32_t position) {
        const FolderStamp& stamp = listings.folders_[position].stamp;
        return FolderIdentity(stamp.device, stamp.inode);
    };
    listings.slots_.makeRoom(listings.folders_.size(), identityAt);
    for (std::uint32_t position = 0; position < listings.folders_.size(); ++position) {
        listings.slots_.slotFor(identityAt(position), identityAt) = position;
    }
    return listings;
}

FolderListings::Entries EarlierFolderListings::find(const FolderStamp& stamp) const {
    const std::uint32_t position = slots_.find({stamp.device, stamp.inode}, [this](std::uint32_t at) {
        return FolderIdentity(folders_[at].stamp.device, folders_[at].stamp.inode);
    });
    if (position == FolderSlots::kEmpty || !(folders_[position].stamp == stamp)) {
        return nullptr;
    }
    const Noted& noted = folders_[position];
    std::vector<ListedEntry> entries(noted.entryCount);
    IndexTextReader reader(std::string_view(bytes_).substr(noted.entriesAt));
    for (ListedEntry& entry : entries) {
        // Every entry was read once when the file was loaded.
        readEntry(reader, &entry);
    }
    return std::make_shared<const std::vector<ListedEntry>>(std::move(entries));
}

} // namespace dovrel
