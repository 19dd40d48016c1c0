// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileIdentity.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

// The bytes of an open file, or what of them could be read.
std::string contentsOf(int descriptor) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

FileIdentity FileIdentity::of(const fs::path& file) {
    FileIdentity identity;
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return identity;
    }
    identity.exists = true;
    identity.size = static_cast<std::uintmax_t>(status.st_size);
    identity.modifiedNanoseconds =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    if (S_ISREG(status.st_mode)) {
        const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor >= 0) {
            identity.digest = std::hash<std::string_view>{}(contentsOf(descriptor));
            ::close(descriptor);
        }
    }
    return identity;
}

bool isReadOnlyFile(const fs::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        return false;
    }
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return true;
    }
    return ::geteuid() != 0 && ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

} // namespace dovrel
