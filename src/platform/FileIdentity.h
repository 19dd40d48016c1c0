// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>

namespace dovrel {

// A file as it is at one moment: whether it exists, its size, its modification time and a digest
// of its bytes. Two identities differ when the file was written, replaced, made or removed in
// between, even by a program that kept the same size and time.
struct FileIdentity {
    bool exists = false;
    std::uintmax_t size = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::size_t digest = 0;

    bool operator==(const FileIdentity&) const = default;

    // Follows a symbolic link to its target, as the file's readers and writers do.
    static FileIdentity of(const std::filesystem::path& file);
};

// Whether the user protected the file against writing: none of its write permissions applies to this
// process. For a process that may write anything (root) a file without any write permission still
// counts as read-only, so the protection holds for every user. A missing file is not read-only.
bool isReadOnlyFile(const std::filesystem::path& file);

} // namespace dovrel
