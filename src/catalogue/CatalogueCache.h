#pragma once

#include "catalogue/Catalogue.h"
#include "platform/FileStatus.h"
#include "platform/Files.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace dovrel {

inline constexpr std::string_view kCatalogueCacheName = "equipmentlist.txt";

// The catalogue's cache file, equipmentlist.txt in the program folder. Its existence alone decides
// whether a start loads the catalogue or scans the assets.
class CatalogueCache {
public:
    CatalogueCache(Files& files, const std::filesystem::path& programFolder);

    const std::filesystem::path& file() const { return file_; }
    bool exists() const;

    // The catalogue the file holds; empty optional when the file cannot be read.
    std::optional<Catalogue> load() const;

    // Writes the records in use in one piece, replacing the old file only when all is written.
    FileStatus write(const Catalogue& catalogue);

private:
    Files& files_;
    std::filesystem::path file_;
};

} // namespace dovrel
