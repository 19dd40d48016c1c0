#include "catalogue/CatalogueCache.h"

#include <system_error>

namespace dovrel {

CatalogueCache::CatalogueCache(Files& files, const std::filesystem::path& programFolder)
    : files_(files), file_(programFolder / kCatalogueCacheName) {}

bool CatalogueCache::exists() const {
    std::error_code error;
    return std::filesystem::exists(file_, error);
}

std::optional<Catalogue> CatalogueCache::load() const {
    const std::optional<std::string> text = files_.read(file_);
    if (!text) {
        return std::nullopt;
    }
    return Catalogue::fromCacheText(*text);
}

FileStatus CatalogueCache::write(const Catalogue& catalogue) {
    return files_.replaceRegenerable(file_, catalogue.cacheText());
}

} // namespace dovrel
