// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Catalogue.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace dovrel {

inline constexpr std::string_view kCatalogueCacheName = "equipmentlist.txt";
// Beside the cache: the assets folder the cache was made from, its path's bytes and nothing else.
inline constexpr std::string_view kCatalogueFolderRecordName = "equipmentlist.folder";

// What the folder record says of the cache for the assets folder in use.
enum class CacheOrigin {
    Unrecorded,  // no record (a cache from before records were kept, or made by hand)
    ThisFolder,  // made from this assets folder (the same path, or another path to the same folder)
    OtherFolder, // made from another one
};

// The outcome of writing the cache and its record, and the file a failure was with.
struct CacheWrite {
    FileStatus status;
    std::filesystem::path file;
};

// The catalogue's cache file, equipmentlist.txt in the program folder, and the record of the
// assets folder it was made from. The cache's existence decides whether a start loads the catalogue
// or scans the assets, unless its record names another folder.
class CatalogueCache {
public:
    CatalogueCache(Files& files, const std::filesystem::path& programFolder);

    const std::filesystem::path& file() const { return file_; }
    bool exists() const;
    CacheOrigin originFor(const std::filesystem::path& assetsFolder) const;

    // The catalogue the file holds; empty optional when the file cannot be read.
    std::optional<Catalogue> load() const;
    // The catalogue the file holds when it may stand for the assets folder: it exists, its record
    // names no other folder (a cache made from another game's assets would show that game's stock),
    // and it can be read (one that cannot is rebuilt by a scan rather than taken as empty).
    std::optional<Catalogue> loadFor(const std::filesystem::path& assetsFolder) const;

    // Writes the records in use in one piece, replacing the old file only when all is written, then
    // the record of the folder they were made from. A cache whose record cannot be written is
    // removed again, so that it is never taken for another folder's.
    CacheWrite write(const Catalogue& catalogue, const std::filesystem::path& madeFrom);

private:
    Files& files_;
    std::filesystem::path file_;
    std::filesystem::path record_;
};

} // namespace dovrel
