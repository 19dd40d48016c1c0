// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LockFileSingleInstance.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dovrel {

LockFileSingleInstance::~LockFileSingleInstance() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

InstanceLock LockFileSingleInstance::acquire(const std::filesystem::path& programFolder) {
    if (descriptor_ >= 0) {
        return {InstanceLock::Outcome::Acquired, ""};
    }
    const std::filesystem::path lockFile = programFolder / kLockFileName;
    const int descriptor = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        return {InstanceLock::Outcome::Failed, std::strerror(errno)};
    }
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int error = errno;
        ::close(descriptor);
        if (error == EWOULDBLOCK) {
            return {InstanceLock::Outcome::HeldByAnotherCopy, ""};
        }
        return {InstanceLock::Outcome::Failed, std::strerror(error)};
    }
    descriptor_ = descriptor;
    return {InstanceLock::Outcome::Acquired, ""};
}

} // namespace dovrel
