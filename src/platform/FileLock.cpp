// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kRetryInterval{20};

// 0 when locked, else the errno of the attempt.
int tryLock(int descriptor) {
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

} // namespace

fs::path FileLock::lockFileFor(const fs::path& file) {
    return file.parent_path() / ("." + file.filename().string() + ".lock");
}

FileLock::FileLock(const fs::path& file, std::chrono::milliseconds patience,
                   const std::function<void()>& whileWaiting) {
    // Read access is enough to lock, so a lock file another user made serves every user.
    const fs::path lockFile = lockFileFor(file);
    const int descriptor = ::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (descriptor < 0) {
        reason_ = std::strerror(errno);
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        const int error = tryLock(descriptor);
        if (error == 0) {
            descriptor_ = descriptor;
            state_ = State::Held;
            return;
        }
        if (error != EWOULDBLOCK) {
            ::close(descriptor);
            reason_ = std::strerror(error);
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::close(descriptor);
            state_ = State::InUse;
            reason_ = "the file is in use by another program";
            return;
        }
        if (whileWaiting) {
            whileWaiting();
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
}

FileLock::~FileLock() {
    release();
}

void FileLock::release() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

} // namespace dovrel
