#include "core/NameResolver.h"

#include "core/ListingOrder.h"
#include "core/TextRules.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace dovrel {

namespace fs = std::filesystem;

std::vector<std::string> listFolderInOrder(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) {
        return names;
    }
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) {
            break;
        }
        names.push_back(it->path().filename().string());
    }
    sortInListingOrder(names);
    return names;
}

std::vector<ListedEntry> listEntriesInOrder(const fs::path& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return {};
    }
    std::vector<ListedEntry> entries = listEntriesInOrder(descriptor);
    ::close(descriptor);
    return entries;
}

std::vector<ListedEntry> listEntriesInOrder(int folderDescriptor) {
    std::vector<ListedEntry> entries;
    // The listing closes what it is given: a copy of the descriptor, read from the start.
    const int own = ::fcntl(folderDescriptor, F_DUPFD_CLOEXEC, 0);
    if (own < 0) {
        return entries;
    }
    DIR* listing = ::fdopendir(own);
    if (listing == nullptr) {
        ::close(own);
        return entries;
    }
    ::rewinddir(listing);
    while (const dirent* found = ::readdir(listing)) {
        const std::string_view name(found->d_name);
        if (name == "." || name == "..") {
            continue;
        }
        ListedEntry entry{std::string(name), found->d_type == DT_DIR, found->d_type == DT_REG};
        if (found->d_type == DT_LNK || found->d_type == DT_UNKNOWN) {
            struct stat status {};
            if (::fstatat(folderDescriptor, found->d_name, &status, 0) == 0) {
                entry.folder = S_ISDIR(status.st_mode);
                entry.regularFile = S_ISREG(status.st_mode);
            }
        }
        entries.push_back(std::move(entry));
    }
    ::closedir(listing);
    std::sort(entries.begin(), entries.end(),
              [](const ListedEntry& a, const ListedEntry& b) { return listingLess(a.name, b.name); });
    return entries;
}

std::optional<fs::path> resolveName(const fs::path& folder, std::string_view name) {
    std::error_code error;
    const fs::path exact = folder / std::string(name);
    if (fs::exists(fs::symlink_status(exact, error))) {
        return exact;
    }
    for (const std::string& entry : listFolderInOrder(folder)) {
        if (equalsIgnoringCase(entry, name)) {
            return folder / entry;
        }
    }
    return std::nullopt;
}

fs::path resolvedOrSpelled(const fs::path& folder, std::string_view name) {
    if (auto resolved = resolveName(folder, name)) {
        return *resolved;
    }
    return folder / std::string(name);
}

std::optional<fs::path> resolveGamePath(const fs::path& base, std::string_view backslashPath) {
    fs::path current = base;
    for (const std::string& component : splitAt(backslashPath, "\\")) {
        if (component.empty()) {
            continue;
        }
        auto next = resolveName(current, component);
        if (!next) {
            return std::nullopt;
        }
        current = *next;
    }
    return current;
}

bool isWalkableName(std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '|' || byte < 0x20 || byte == 0x7F) {
            return false;
        }
    }
    return isValidUtf8(name);
}

} // namespace dovrel
