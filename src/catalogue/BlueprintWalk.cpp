#include "catalogue/BlueprintWalk.h"

#include "core/NameResolver.h"
#include "core/TextRules.h"

#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSkippedProvider = "Developer";
constexpr std::string_view kSkippedProduct = "vantorcore";
constexpr int kDeepestLevel = 7;

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

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The walkable subfolders of a folder, in listing order.
std::vector<std::string> subfolders(const fs::path& folder) {
    std::vector<std::string> folders;
    for (std::string& name : listFolderInOrder(folder)) {
        if (isWalkableName(name) && isFolder(folder / name)) {
            folders.push_back(std::move(name));
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

} // namespace

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

BlueprintWalk::BlueprintWalk(fs::path assetsFolder) : assetsFolder_(std::move(assetsFolder)) {}

void BlueprintWalk::forEachBlueprint(const std::vector<ProductFolder>& products, const Visit& visit) {
    for (const ProductFolder& product : products) {
        walkProduct(product, visit);
    }
}

void BlueprintWalk::walkProduct(const ProductFolder& product, const Visit& visit) {
    const fs::path productFolder = assetsFolder_ / product.provider / product.product;
    if (!enter(productFolder)) {
        return;
    }
    for (const std::string& firstLevel : subfolders(productFolder)) {
        if (isListed(kFirstLevelSkips, firstLevel)) {
            continue;
        }
        const fs::path levelOne = productFolder / firstLevel;
        if (!enter(levelOne)) {
            continue;
        }
        for (const std::string& secondLevel : subfolders(levelOne)) {
            if (isListed(kDeeperSkips, secondLevel)) {
                continue;
            }
            std::vector<std::string> names = {firstLevel, secondLevel};
            walkFolder(levelOne / secondLevel, 2, names, product, visit);
        }
    }
}

// names holds the on-disk names from level 1 down to this folder.
void BlueprintWalk::walkFolder(const fs::path& folder, int level, std::vector<std::string>& names,
                               const ProductFolder& owner, const Visit& visit) {
    if (!enter(folder)) {
        return;
    }
    const std::vector<std::string> entries = listFolderInOrder(folder);
    for (const std::string& name : entries) {
        if (isWalkableName(name) && isBlueprintFileName(name) && isFile(folder / name)) {
            names.push_back(name);
            visit(FoundBlueprint{owner, folder / name, blueprintPathFor(names)});
            names.pop_back();
        }
    }
    if (level == kDeepestLevel) {
        return;
    }
    for (const std::string& name : entries) {
        if (isWalkableName(name) && !isListed(kDeeperSkips, name) && isFolder(folder / name)) {
            names.push_back(name);
            walkFolder(folder / name, level + 1, names, owner, visit);
            names.pop_back();
        }
    }
}

bool BlueprintWalk::enter(const fs::path& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        return false;
    }
    return entered_.emplace(status.st_dev, status.st_ino).second;
}

} // namespace dovrel
