// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CatalogueCache.h"

#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

CatalogueCache::CatalogueCache(Files& files, const fs::path& programFolder)
    : files_(files), file_(programFolder / kCatalogueCacheName),
      record_(programFolder / kCatalogueFolderRecordName) {}

bool CatalogueCache::exists() const {
    std::error_code error;
    return fs::exists(file_, error);
}

CacheOrigin CatalogueCache::originFor(const fs::path& assetsFolder) const {
    std::error_code error;
    if (!fs::exists(record_, error)) {
        return CacheOrigin::Unrecorded;
    }
    const std::optional<std::string> recorded = files_.read(record_);
    if (!recorded || recorded->empty()) {
        // A record that is there but cannot be read may name another folder: a scan makes both
        // again. An empty one was never written by a scan and names no folder.
        return recorded ? CacheOrigin::Unrecorded : CacheOrigin::OtherFolder;
    }
    if (*recorded == assetsFolder.native()) {
        return CacheOrigin::ThisFolder;
    }
    return fs::equivalent(fs::path(*recorded), assetsFolder, error) && !error ? CacheOrigin::ThisFolder
                                                                              : CacheOrigin::OtherFolder;
}

std::optional<Catalogue> CatalogueCache::load() const {
    const std::optional<std::string> text = files_.read(file_);
    if (!text) {
        return std::nullopt;
    }
    return Catalogue::fromCacheText(*text);
}

std::optional<Catalogue> CatalogueCache::loadFor(const fs::path& assetsFolder) const {
    if (!exists() || originFor(assetsFolder) == CacheOrigin::OtherFolder) {
        return std::nullopt;
    }
    return load();
}

CacheWrite CatalogueCache::write(const Catalogue& catalogue, const fs::path& madeFrom) {
    if (FileStatus written = files_.replaceRegenerable(file_, catalogue.cacheText()); !written.ok) {
        return {std::move(written), file_};
    }
    if (FileStatus recorded = files_.replaceRegenerable(record_, madeFrom.native()); !recorded.ok) {
        (void)files_.remove(file_);
        return {std::move(recorded), record_};
    }
    return {FileStatus::success(), file_};
}

} // namespace dovrel
