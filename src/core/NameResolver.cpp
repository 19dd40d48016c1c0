// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NameResolver.h"

#include "core/ListingOrder.h"
#include "core/OpenFolder.h"
#include "core/TextRules.h"

#include <algorithm>
#include <fcntl.h>
#include <system_error>

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
    return OpenFolder(AT_FDCWD, folder.string()).entriesInOrder();
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
