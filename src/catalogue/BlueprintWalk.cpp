// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/BlueprintWalk.h"

#include "convert/InOrderWork.h"
#include "core/ListingOrder.h"
#include "core/NameResolver.h"
#include "core/OpenFolder.h"
#include "core/TextRules.h"

#include <algorithm>
#include <array>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSkippedProvider = "Developer";
constexpr std::string_view kSkippedProduct = "vantorcore";
constexpr int kDeepestLevel = 7;
// Products walked ahead of the one handed over.
constexpr std::size_t kProductsAhead = 4;

constexpr std::array<std::string_view, 10> kFirstLevelSkips = {
    "audio",    "environment", "particles",      "railnetwork", "scenery",
    "stations", "system",      "templateroutes", "weather",     "test",
};
constexpr std::array<std::string_view, 6> kDeeperSkips = {
    "couplings", "bogies", "cabview", "simulation", "textures", "passengerview",
};

template <std::size_t N> bool isListed(const std::array<std::string_view, N>& list, std::string_view name) {
    const std::string lower = asciiLower(name);
    return std::find(list.begin(), list.end(), lower) != list.end();
}

// The walkable subfolders of a folder, in listing order.
std::vector<std::string> subfolders(const fs::path& folder) {
    std::vector<std::string> folders;
    for (ListedEntry& entry : listEntriesInOrder(folder)) {
        if (entry.folder && isWalkableName(entry.name)) {
            folders.push_back(std::move(entry.name));
        }
    }
    return folders;
}

std::string replaceBinWithXml(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (i + 4 <= text.size() && equalsIgnoringCase(text.substr(i, 4), ".bin")) {
            result.append(".xml");
            i += 4;
        } else {
            result.push_back(text[i]);
            ++i;
        }
    }
    return result;
}

struct ListingOrderLess {
    bool operator()(const std::string& a, const std::string& b) const { return listingLess(a, b); }
};

// The parts of an entry's path, "/" and "\" both separating them; empty when the path is not a plain
// relative file path (an empty part, "." or "..", a folder entry).
std::vector<std::string> entryParts(std::string_view name) {
    std::vector<std::string> parts(1);
    for (const char c : name) {
        if (c == '/' || c == '\\') {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    for (const std::string& part : parts) {
        if (part.empty() || part == "." || part == "..") {
            return {};
        }
    }
    return parts;
}

} // namespace

struct BlueprintWalk::ProductBeingWalked {
    explicit ProductBeingWalked(std::string productPath)
        : path(std::move(productPath)), folder(AT_FDCWD, path) {}
    std::string path;
    OpenFolder folder;
};

struct BlueprintWalk::PackedFolder {
    std::map<std::string, PackedArchive::Entry, ListingOrderLess> files;
    std::map<std::string, PackedFolder, ListingOrderLess> folders;
};

std::vector<ProductFolder> listProductFolders(const fs::path& assetsFolder) {
    std::vector<ProductFolder> products;
    for (const std::string& provider : subfolders(assetsFolder)) {
        if (provider == kSkippedProvider) {
            continue;
        }
        for (const std::string& product : subfolders(assetsFolder / provider)) {
            if (asciiLower(product) == kSkippedProduct) {
                continue;
            }
            ProductFolder entry{provider, product};
            if (std::find(products.begin(), products.end(), entry) == products.end()) {
                products.push_back(std::move(entry));
            }
        }
    }
    return products;
}

std::string blueprintPathFor(const std::vector<std::string>& namesBelowProduct) {
    std::string path;
    for (const std::string& name : namesBelowProduct) {
        if (!path.empty()) {
            path.push_back('\\');
        }
        path.append(name);
    }
    return replaceBinWithXml(path);
}

bool isBlueprintFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || asciiLower(fileName.substr(dot)) != ".bin") {
        return false;
    }
    return !containsIgnoringCase(fileName, "bogie") && !containsIgnoringCase(fileName, "bogey");
}

BlueprintWalk::BlueprintWalk(fs::path assetsFolder, const EarlierFolderListings* earlier, long long startNs)
    : assetsFolder_(std::move(assetsFolder)), earlier_(earlier), startNs_(startNs), listings_(startNs) {}

BlueprintWalk::~BlueprintWalk() = default;

// One product walked on its own: its blueprints in order, the folders it entered and their entries.
struct BlueprintWalk::ProductWalk {
    std::vector<FoundBlueprint> blueprints;
    std::vector<FolderIdentity> entered;
    FolderListings listings{0};
    bool complete = false;
};

void BlueprintWalk::forEachBlueprint(const std::vector<ProductFolder>& products, const Visit& visit) {
    // Products are walked side by side, each as if it came first, and handed over in order. A product
    // walked so entered only folders no earlier product entered, so it made every choice a walk in
    // order makes; one that shares a folder with an earlier product (through a link) is walked again
    // here, in order, knowing what the earlier ones entered.
    InOrderWork<ProductWalk> walks(
        products.size(),
        [this, &products](std::size_t index) {
            BlueprintWalk alone(assetsFolder_, earlier_, startNs_);
            ProductWalk walked;
            alone.walkProduct(products[index], [&walked](FoundBlueprint&& blueprint) {
                walked.blueprints.push_back(std::move(blueprint));
            });
            walked.entered = alone.entered_.inOrder();
            walked.listings = std::move(alone.listings_);
            walked.complete = true;
            return walked;
        },
        conversionThreads(), kProductsAhead);
    for (const ProductFolder& product : products) {
        ProductWalk walked = walks.takeNext(nullptr);
        const bool alone = walked.complete && std::none_of(walked.entered.begin(), walked.entered.end(),
                                                           [this](const FolderIdentity& folder) {
                                                               return entered_.contains(folder);
                                                           });
        if (!alone) {
            walkProduct(product, visit);
            continue;
        }
        for (const FolderIdentity& folder : walked.entered) {
            entered_.insert(folder);
        }
        listings_.merge(std::move(walked.listings));
        for (FoundBlueprint& blueprint : walked.blueprints) {
            visit(std::move(blueprint));
        }
    }
}

void BlueprintWalk::walkProduct(const ProductFolder& product, const Visit& visit) {
    const fs::path productFolder = assetsFolder_ / product.provider / product.product;
    const FolderListings::Entries entries = enter(productFolder.native());
    if (!entries) {
        return;
    }
    // The folders and files below the product are looked up from its open folder.
    product_ = std::make_unique<ProductBeingWalked>(productFolder.native());
    if (!product_->folder.isOpen()) {
        product_.reset();
    }
    const auto isArchive = [](const ListedEntry& entry) {
        return entry.regularFile && isWalkableName(entry.name) && isPackedArchiveName(entry.name);
    };
    // The loose blueprints' paths are kept only where an archive may hold them again.
    metInProduct_.clear();
    const Visit noteLoose = [&](FoundBlueprint&& blueprint) {
        metInProduct_.insert(asciiLower(blueprint.blueprintPath));
        visit(std::move(blueprint));
    };
    const Visit& looseVisit = std::any_of(entries->begin(), entries->end(), isArchive) ? noteLoose : visit;
    for (const ListedEntry& firstLevel : *entries) {
        if (!firstLevel.folder || !isWalkableName(firstLevel.name) ||
            isListed(kFirstLevelSkips, firstLevel.name)) {
            continue;
        }
        std::string path = (productFolder / firstLevel.name).native();
        const FolderListings::Entries levelOne = enter(path);
        if (!levelOne) {
            continue;
        }
        const std::size_t levelOneLength = path.size();
        for (const ListedEntry& secondLevel : *levelOne) {
            if (!secondLevel.folder || !isWalkableName(secondLevel.name) ||
                isListed(kDeeperSkips, secondLevel.name)) {
                continue;
            }
            std::vector<std::string> names = {firstLevel.name, secondLevel.name};
            path.push_back('/');
            path.append(secondLevel.name);
            walkFolder(path, 2, names, product, looseVisit);
            path.resize(levelOneLength);
        }
    }
    for (const ListedEntry& entry : *entries) {
        if (!isArchive(entry)) {
            continue;
        }
        const fs::path archive = productFolder / entry.name;
        if (const std::optional<FileStamp> stamp = regularFileStamp(archive.native())) {
            walkArchive(archive, *stamp, product, visit);
        }
    }
    product_.reset();
}

void BlueprintWalk::walkArchive(const fs::path& archive, const FileStamp& stamp, const ProductFolder& owner,
                                const Visit& visit) {
    const std::optional<PackedArchive> opened = PackedArchive::open(archive);
    if (!opened) {
        return;
    }
    PackedFolder root;
    for (PackedArchive::Entry& entry : opened->entries()) {
        const std::vector<std::string> parts = entryParts(entry.name);
        if (parts.empty()) {
            continue;
        }
        PackedFolder* folder = &root;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            folder = &folder->folders[parts[i]];
        }
        folder->files.emplace(parts.back(), std::move(entry));
    }
    for (const auto& [firstLevel, levelOne] : root.folders) {
        if (!isWalkableName(firstLevel) || isListed(kFirstLevelSkips, firstLevel)) {
            continue;
        }
        for (const auto& [secondLevel, folder] : levelOne.folders) {
            if (!isWalkableName(secondLevel) || isListed(kDeeperSkips, secondLevel)) {
                continue;
            }
            std::vector<std::string> names = {firstLevel, secondLevel};
            walkPackedFolder(folder, 2, names, {archive, stamp}, owner, visit);
        }
    }
}

void BlueprintWalk::walkPackedFolder(const PackedFolder& folder, int level, std::vector<std::string>& names,
                                     const StampedFile& archive, const ProductFolder& owner,
                                     const Visit& visit) {
    for (const auto& [name, entry] : folder.files) {
        if (!isWalkableName(name) || !isBlueprintFileName(name)) {
            continue;
        }
        names.push_back(name);
        std::string blueprintPath = blueprintPathFor(names);
        names.pop_back();
        if (metInProduct_.insert(asciiLower(blueprintPath)).second) {
            visit(
                FoundBlueprint{owner, archive.file.native(), std::move(blueprintPath), entry, archive.stamp});
        }
    }
    if (level == kDeepestLevel) {
        return;
    }
    for (const auto& [name, below] : folder.folders) {
        if (isWalkableName(name) && !isListed(kDeeperSkips, name)) {
            names.push_back(name);
            walkPackedFolder(below, level + 1, names, archive, owner, visit);
            names.pop_back();
        }
    }
}

// names holds the on-disk names from level 1 down to this folder, the last of them the folder's own.
// folder holds the folder's path: each entry's path is made by extending it, and it is left as it came.
void BlueprintWalk::walkFolder(std::string& folder, int level, std::vector<std::string>& names,
                               const ProductFolder& owner, const Visit& visit) {
    const FolderListings::Entries entries = enter(folder);
    if (!entries) {
        return;
    }
    const std::size_t length = folder.size();
    for (const ListedEntry& entry : *entries) {
        if (!entry.regularFile || !isWalkableName(entry.name) || !isBlueprintFileName(entry.name)) {
            continue;
        }
        folder.push_back('/');
        folder.append(entry.name);
        if (const std::optional<FileStamp> stamp = regularFileStamp(folder)) {
            names.push_back(entry.name);
            visit(FoundBlueprint{owner, folder, blueprintPathFor(names), std::nullopt, *stamp});
            names.pop_back();
        }
        folder.resize(length);
    }
    if (level == kDeepestLevel) {
        return;
    }
    for (const ListedEntry& entry : *entries) {
        if (entry.folder && isWalkableName(entry.name) && !isListed(kDeeperSkips, entry.name)) {
            names.push_back(entry.name);
            folder.push_back('/');
            folder.append(entry.name);
            walkFolder(folder, level + 1, names, owner, visit);
            folder.resize(length);
            names.pop_back();
        }
    }
}

int BlueprintWalk::statBelowProduct(const std::string& path, struct stat* status) const {
    if (product_ && path.size() > product_->path.size() && path[product_->path.size()] == '/' &&
        path.starts_with(product_->path)) {
        return ::fstatat(product_->folder.descriptor(), path.c_str() + product_->path.size() + 1, status, 0);
    }
    return ::stat(path.c_str(), status);
}

std::optional<FileStamp> BlueprintWalk::regularFileStamp(const std::string& file) const {
    struct stat status {};
    if (statBelowProduct(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{static_cast<long long>(status.st_size),
                     static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec};
}

FolderListings::Entries BlueprintWalk::enter(const std::string& folder) {
    struct stat status {};
    if (statBelowProduct(folder, &status) != 0 || !S_ISDIR(status.st_mode)) {
        return nullptr;
    }
    const FolderIdentity identity(status.st_dev, status.st_ino);
    if (entered_.contains(identity)) {
        return nullptr;
    }
    const FolderStamp stamp{
        static_cast<unsigned long long>(status.st_dev), static_cast<unsigned long long>(status.st_ino),
        static_cast<long long>(status.st_mtim.tv_sec) * 1000000000LL + status.st_mtim.tv_nsec,
        static_cast<long long>(status.st_ctim.tv_sec) * 1000000000LL + status.st_ctim.tv_nsec};
    if (earlier_ != nullptr) {
        if (FolderListings::Entries noted = earlier_->find(stamp)) {
            entered_.insert(identity);
            listings_.note(stamp, noted);
            return noted;
        }
    }
    OpenFolder opened(AT_FDCWD, folder);
    if (!opened.isOpen()) {
        return nullptr;
    }
    entered_.insert(identity);
    auto entries = std::make_shared<const std::vector<ListedEntry>>(opened.entriesInOrder());
    listings_.markListedAfresh();
    if (!opened.listedLinks()) {
        listings_.note(stamp, entries);
    }
    return entries;
}

} // namespace dovrel
