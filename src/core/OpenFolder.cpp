// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/OpenFolder.h"

#include "core/ListingOrder.h"

#include <algorithm>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace dovrel {

OpenFolder::OpenFolder(int parent, const std::string& name) {
    const int descriptor = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return;
    }
    listing_ = ::fdopendir(descriptor);
    if (listing_ == nullptr) {
        ::close(descriptor);
    }
}

OpenFolder::~OpenFolder() {
    if (listing_ != nullptr) {
        ::closedir(listing_);
    }
}

int OpenFolder::descriptor() const {
    return listing_ != nullptr ? ::dirfd(listing_) : -1;
}

std::vector<ListedEntry> OpenFolder::entriesInOrder() {
    std::vector<ListedEntry> entries;
    if (listing_ == nullptr) {
        return entries;
    }
    const int folder = ::dirfd(listing_);
    while (const dirent* found = ::readdir(listing_)) {
        const std::string_view name(found->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        ListedEntry entry{std::string(name), found->d_type == DT_DIR, found->d_type == DT_REG};
        // A link, or an entry whose kind the file system does not tell, is looked up.
        if (found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) {
            listedLinks_ = true;
            struct stat status {};
            if (::fstatat(folder, found->d_name, &status, 0) == 0) {
                entry.folder = S_ISDIR(status.st_mode);
                entry.regularFile = S_ISREG(status.st_mode);
            }
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return listingLess(a.name, b.name); });
    return entries;
}

} // namespace dovrel
