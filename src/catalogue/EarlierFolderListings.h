// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/FolderIdentitySet.h"
#include "catalogue/FolderListings.h"
#include "platform/Files.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace dovrel {

// The folders' entries the last walk noted, as its file holds them. A folder is known by its device
// and inode alone: the same folder under another path (renamed, or reached through a link) lists the
// same entries. A modification time set back by hand still changes the inode's change time, so a
// folder whose whole stamp is the noted one holds the noted entries.
//
// Loading checks the whole file but makes no entries: each folder's are made when a walk asks for
// them, on the walk's own thread.
class EarlierFolderListings {
public:
    // The listings a file holds; empty ones when the file is missing, unreadable or out of shape.
    static EarlierFolderListings load(const Files& files, const std::filesystem::path& file);

    // The entries noted for a folder, when its stamp is the noted one; null otherwise. Safe on any
    // thread.
    FolderListings::Entries find(const FolderStamp& stamp) const;

    std::size_t size() const { return folders_.size(); }

private:
    // A folder as the file notes it: its stamp, and where its entries stand in the file's bytes.
    struct Noted {
        FolderStamp stamp;
        std::size_t entryCount = 0;
        std::size_t entriesAt = 0;
    };

    std::string bytes_;
    std::vector<Noted> folders_;
    FolderSlots slots_;
};

} // namespace dovrel
