// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace serz {

InputFile::~InputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string InputFile::open(const std::filesystem::path& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        return std::strerror(errno);
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return S_ISDIR(status.st_mode) ? "is a directory" : "is not a regular file";
    }
    return {};
}

long InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) {
            return static_cast<long>(n);
        }
        if (errno != EINTR) {
            errno_ = errno;
            return -1;
        }
    }
}

std::string InputFile::reason() const {
    return std::strerror(errno_);
}

} // namespace serz
