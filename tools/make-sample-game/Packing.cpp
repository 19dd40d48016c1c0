// SPDX-License-Identifier: GPL-3.0-or-later
#include "Packing.h"

#include "core/ListingOrder.h"

#include <cstdio>
#include <stdexcept>
#include <zip.h>

namespace dovrel::sample {
namespace {

std::vector<std::string> partsOf(const std::string& path) {
    std::vector<std::string> parts(1);
    for (const char c : path) {
        if (c == '/') {
            parts.emplace_back();
        } else {
            parts.back().push_back(c);
        }
    }
    return parts;
}

void check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("libzip could not ") + what);
    }
}

// The bytes libzip wrote into a buffer source.
std::string contentOf(zip_source_t* buffer) {
    check(zip_source_open(buffer) == 0, "open the written archive");
    std::string bytes;
    char chunk[1 << 16];
    zip_int64_t got = 0;
    while ((got = zip_source_read(buffer, chunk, sizeof chunk)) > 0) {
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    zip_source_close(buffer);
    check(got == 0, "read the written archive");
    return bytes;
}

} // namespace

std::string zipArchive(const std::vector<PackedFile>& files, bool backslashes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    check(buffer != nullptr, "make a buffer");
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    check(archive != nullptr, "start an archive");
    for (const PackedFile& file : files) {
        std::string name = file.path;
        if (backslashes) {
            for (char& c : name) {
                c = c == '/' ? '\\' : c;
            }
        }
        zip_source_t* source = zip_source_buffer(archive, file.bytes.data(), file.bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_RAW);
        check(index >= 0, "add an entry");
        check(zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                       file.damaged ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0) == 0,
              "choose the compression");
    }
    check(zip_close(archive) == 0, "write the archive");
    std::string bytes = contentOf(buffer);
    zip_source_free(buffer);
    for (const PackedFile& file : files) {
        if (file.damaged) {
            const std::size_t at = bytes.find(file.bytes);
            check(at != std::string::npos && !file.bytes.empty(), "find a stored entry");
            bytes[at + file.bytes.size() / 2] ^= 0x5A;
        }
    }
    return bytes;
}

bool scannedBefore(const std::string& a, const std::string& b) {
    const std::vector<std::string> left = partsOf(a);
    const std::vector<std::string> right = partsOf(b);
    for (std::size_t i = 0; i < left.size() && i < right.size(); ++i) {
        if (left[i] == right[i]) {
            continue;
        }
        const bool leftIsFile = i + 1 == left.size();
        const bool rightIsFile = i + 1 == right.size();
        if (leftIsFile != rightIsFile) {
            return leftIsFile;
        }
        return listingLess(left[i], right[i]);
    }
    return left.size() < right.size();
}

} // namespace dovrel::sample
