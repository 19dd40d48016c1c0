// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/EarlierFolderListings.h"
#include "catalogue/FolderIdentitySet.h"
#include "catalogue/FolderListings.h"
#include "catalogue/PackedArchive.h"
#include "core/OpenFolder.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

struct stat;

namespace dovrel {

// A product folder below the assets: provider and product as spelled on disk.
struct ProductFolder {
    std::string provider;
    std::string product;

    bool operator==(const ProductFolder&) const = default;
};

// A file's size and last modification as the walk saw them: when both are as before, the file is
// taken as unchanged.
struct FileStamp {
    long long size = -1;
    long long modifiedNs = 0; // since the epoch
    bool operator==(const FileStamp&) const = default;
};

// One blueprint the walk found: where its bytes are, and the path by which the game's consist files
// name it ("RailVehicles\Diesel\Class 66\Engine\class66.xml"). Packed stock names the archive as
// its file, and the entry inside it; its stamp is the archive's.
struct FoundBlueprint {
    ProductFolder owner;
    std::string file;
    std::string blueprintPath;
    std::optional<PackedArchive::Entry> packed;
    FileStamp stamp;
};

// The product folders of the assets, in listing order: every subfolder of every provider folder,
// except the provider "Developer" (exact spelling) and products named "vantorcore" in any case. Names
// the walks leave out (see isWalkableName) are skipped.
std::vector<ProductFolder> listProductFolders(const std::filesystem::path& assetsFolder);

// The blueprint path of a file: its on-disk names below the product folder joined with "\", every
// ".bin" in it (any case) turned into ".xml".
std::string blueprintPathFor(const std::vector<std::string>& namesBelowProduct);

// True for a file the scan reads: a ".bin" extension in any case, no "bogie" or "bogey" in the name.
bool isBlueprintFileName(std::string_view fileName);

// Walks the blueprint folders of the assets and hands every blueprint file to a visitor, in the order
// the scan converts them. Level 1 is a product's subfolders (first-level skip list, their files not
// read); levels 2 to 7 are the folders below (deeper skip list), each folder's own files read before
// its subfolders; nothing below level 7. Links are followed, but a folder already entered (the same
// device and inode) is not entered again; an unreadable folder lists as empty.
//
// After a product's loose files come its packed ones: each ".ap" archive lying in the product folder,
// in listing order, its entries walked by the same rules as folders on disk ("/" or "\" between the
// parts of an entry's path). An entry whose blueprint path, ignoring case, was already met in the
// product (a loose file, or an entry of an earlier archive) is passed over: the loose file wins. An
// archive that cannot be opened holds nothing.
//
// Given the listings of an earlier walk, a folder whose stamp is unchanged is not listed again: its
// noted entries stand for it. Every folder the walk enters is noted in `listings()`.
class BlueprintWalk {
public:
    // A visitor may keep the blueprint it is handed: the walk has no further use for it.
    using Visit = std::function<void(FoundBlueprint&&)>;

    explicit BlueprintWalk(std::filesystem::path assetsFolder, const EarlierFolderListings* earlier = nullptr,
                           long long startNs = 0);
    ~BlueprintWalk();
    BlueprintWalk(const BlueprintWalk&) = delete;
    BlueprintWalk& operator=(const BlueprintWalk&) = delete;

    // Every blueprint of the given products, in their order. All sources of blueprints come through
    // here.
    void forEachBlueprint(const std::vector<ProductFolder>& products, const Visit& visit);

    // The entries of every folder entered so far, for the next walk.
    FolderListings& listings() { return listings_; }

private:
    // An archive's entries as a tree of folders, names in listing order.
    struct PackedFolder;
    struct ProductWalk;
    struct ProductBeingWalked;

    void walkProduct(const ProductFolder& product, const Visit& visit);
    void walkFolder(std::string& folder, int level, std::vector<std::string>& names,
                    const ProductFolder& owner, const Visit& visit);
    struct StampedFile {
        std::filesystem::path file;
        FileStamp stamp;
    };

    void walkArchive(const std::filesystem::path& archive, const FileStamp& stamp, const ProductFolder& owner,
                     const Visit& visit);
    void walkPackedFolder(const PackedFolder& folder, int level, std::vector<std::string>& names,
                          const StampedFile& archive, const ProductFolder& owner, const Visit& visit);
    // The entries of a folder entered for the first time in this walk, from the earlier listings when
    // its stamp is unchanged; null for a folder already entered or one that cannot be read.
    FolderListings::Entries enter(const std::string& folder);
    // stat(2) of a path, resolved from the open product folder when it lies below it.
    int statBelowProduct(const std::string& path, struct stat* status) const;
    // The stamp of a regular file, following links; empty optional for anything else.
    std::optional<FileStamp> regularFileStamp(const std::string& file) const;

    std::filesystem::path assetsFolder_;
    const EarlierFolderListings* earlier_;
    long long startNs_;
    FolderListings listings_;
    FolderIdentitySet entered_;
    std::unique_ptr<ProductBeingWalked> product_;  // while a product is walked
    std::unordered_set<std::string> metInProduct_; // blueprint paths in lower case
};

} // namespace dovrel
