// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/NameResolver.h"

#include <dirent.h>
#include <string>
#include <vector>

namespace dovrel {

// A folder held open, so that its entries are listed and looked up without the whole path being
// resolved again for each of them. Closed when it goes out of scope.
class OpenFolder {
public:
    // The folder `name` inside an open parent; a path (relative to the working folder, or absolute)
    // with the parent AT_FDCWD. Links are followed.
    OpenFolder(int parent, const std::string& name);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    bool isOpen() const { return listing_ != nullptr; }
    // The folder's file descriptor, for looking up entries in it; -1 when it did not open.
    int descriptor() const;

    // The entries as listEntriesInOrder gives them; read once, later calls list nothing.
    std::vector<ListedEntry> entriesInOrder();
    // Whether the entries listed held a link, or an entry whose kind the listing did not tell.
    bool listedLinks() const { return listedLinks_; }

private:
    DIR* listing_ = nullptr;
    bool listedLinks_ = false;
};

} // namespace dovrel
