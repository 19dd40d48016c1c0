// SPDX-License-Identifier: GPL-3.0-or-later
#include "OutputFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace serz {

OutputFile::OutputFile(std::filesystem::path target)
    : target_(std::move(target)), temporary_(target_.string() + ".tmp-" + std::to_string(::getpid())) {}

OutputFile::~OutputFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (pending_) {
        ::unlink(temporary_.c_str());
    }
}

bool OutputFile::fail() {
    reason_ = std::strerror(errno);
    return false;
}

bool OutputFile::writeAt(std::optional<std::size_t> offset, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const char* from = bytes.data() + written;
        const std::size_t left = bytes.size() - written;
        const ssize_t n = offset ? ::pwrite(fd_, from, left, static_cast<off_t>(*offset + written))
                                 : ::write(fd_, from, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                reason_ = "nothing written";
                return false;
            }
            return fail();
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool OutputFile::write(std::string_view bytes) {
    if (!reason_.empty()) {
        return false;
    }
    if (fd_ < 0) {
        fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            return fail();
        }
        pending_ = true;
    }
    return writeAt(std::nullopt, bytes);
}

bool OutputFile::overwrite(std::size_t offset, std::string_view bytes) {
    if (!reason_.empty() || fd_ < 0) {
        return false;
    }
    return writeAt(offset, bytes);
}

std::string OutputFile::commit() {
    if (!reason_.empty()) {
        return reason_;
    }
    if (fd_ < 0 && !write({})) {
        return reason_;
    }
    const int fd = fd_;
    fd_ = -1;
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
