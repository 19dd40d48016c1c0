// SPDX-License-Identifier: GPL-3.0-or-later
#include "InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace serz {
namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// read(2), tried again when a signal interrupts it.
ssize_t readSome(int fd, char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd, buffer, size);
        if (n >= 0 || errno != EINTR) {
            return n;
        }
    }
}

} // namespace

std::string readWholeFile(const std::filesystem::path& path, std::string& content) {
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return std::strerror(errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return S_ISDIR(status.st_mode) ? "is a directory" : "is not a regular file";
    }
    content.resize(static_cast<std::size_t>(status.st_size));
    std::size_t got = 0;
    for (;;) {
        // The file may have grown since fstat; past its size it is read on through a small buffer, so
        // that a file read whole as sized is not copied into a larger string to find its end.
        char spare[4096];
        const bool sized = got < content.size();
        const ssize_t n = sized ? readSome(file.get(), content.data() + got, content.size() - got)
                                : readSome(file.get(), spare, sizeof spare);
        if (n < 0) {
            return std::strerror(errno);
        }
        if (n == 0) {
            break;
        }
        if (!sized) {
            content.append(spare, static_cast<std::size_t>(n));
        }
        got += static_cast<std::size_t>(n);
    }
    content.resize(got);
    return {};
}

} // namespace serz
