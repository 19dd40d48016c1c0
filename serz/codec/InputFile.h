// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace serz {

// A regular file read from start to end, piece by piece.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens the file; returns the reason on failure (a folder or another kind of file included),
    // else an empty string.
    std::string open(const std::filesystem::path& path);

    // Reads the next bytes into `buffer`, at most `size`: how many, 0 at the end, -1 on failure
    // (then reason() says why).
    long read(char* buffer, std::size_t size);

    std::string reason() const;

private:
    int fd_ = -1;
    int errno_ = 0;
};

} // namespace serz
