// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SingleInstance.h"

namespace dovrel {

// An advisory lock (flock) on "dovrel-consist-editor.lock" in the program folder, held while the
// object lives. The system drops it when a copy ends, however it ends, so no stale lock is ever
// left behind. The folder's path is used byte for byte, whatever its encoding.
class LockFileSingleInstance final : public SingleInstance {
public:
    LockFileSingleInstance() = default;
    LockFileSingleInstance(const LockFileSingleInstance&) = delete;
    LockFileSingleInstance& operator=(const LockFileSingleInstance&) = delete;
    ~LockFileSingleInstance() override;

    InstanceLock acquire(const std::filesystem::path& programFolder) override;

    static constexpr const char* kLockFileName = "dovrel-consist-editor.lock";

private:
    int descriptor_ = -1;
};

} // namespace dovrel
