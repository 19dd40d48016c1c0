// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace dovrel::sample {

// A file of a product that goes into an archive instead of onto the disk.
struct PackedFile {
    std::string path; // below the product folder, "/" between the parts
    std::string bytes;
    bool damaged = false; // stored uncompressed, then one byte of it changed: it cannot be read
};

// A zip archive of the files, made with libzip: entries deflated (the damaged ones stored), named by
// their paths with "\" between the parts when backslashes is set.
std::string zipArchive(const std::vector<PackedFile>& files, bool backslashes);

// The order in which the editor's scan meets two files of one product ("/" between the parts): in one
// folder its files before its subfolders, names in listing order.
bool scannedBefore(const std::string& a, const std::string& b);

} // namespace dovrel::sample
