// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace serz {

OutputFile::OutputFile(std::filesystem::path target)
    : target_(std::move(target)), temporary_(target_.string() + ".tmp-" + std::to_string(::getpid())) {}

OutputFile::~OutputFile() {
    if (pending_) {
        ::unlink(temporary_.c_str());
    }
}

std::string OutputFile::commit(std::string_view content) {
    const int fd = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return std::strerror(errno);
    }
    pending_ = true;
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t n = ::write(fd, content.data() + written, content.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const std::string reason = n < 0 ? std::strerror(errno) : "nothing written";
            ::close(fd);
            return reason;
        }
        written += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        return std::strerror(errno);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return std::strerror(errno);
    }
    pending_ = false;
    return {};
}

} // namespace serz
