// SPDX-License-Identifier: GPL-3.0-or-later
#include "consistfiles/UserConsistFileLock.h"

#include "core/NameResolver.h"

namespace dovrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileName = "ConsistTemplates.bin";

FileStatus notReadOnly(const fs::path& file) {
    return isReadOnlyFile(file) ? FileStatus::failure("the file is read-only") : FileStatus::success();
}

} // namespace

UserConsistFileLock::UserConsistFileLock(const fs::path& contentFolder,
                                         const std::function<void()>& whileWaiting,
                                         std::chrono::milliseconds patience)
    : contentFolder_(contentFolder), lock_(contentFolder / kFileName, patience, whileWaiting) {
    // The file is looked up only under the lock: a copy that held it may have made or removed it.
    file_ = resolvedOrSpelled(contentFolder_, kFileName);
    if (lock_.state() != FileLock::State::Held) {
        taken_ = FileStatus::failure(lock_.reason());
        return;
    }
    identity_ = FileIdentity::of(file_);
    taken_ = notReadOnly(file_);
}

FileStatus UserConsistFileLock::mayWrite() const {
    if (!taken_.ok) {
        return taken_;
    }
    if (resolvedOrSpelled(contentFolder_, kFileName) != file_ || FileIdentity::of(file_) != identity_) {
        return FileStatus::failure("the file was changed by another program after it was read");
    }
    return notReadOnly(file_);
}

} // namespace dovrel
