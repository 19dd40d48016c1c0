#pragma once

#include "platform/SingleInstance.h"

#include <QLockFile>
#include <memory>

namespace dovrel {

// QLockFile "dovrel-consist-editor.lock" in the program folder, stale time 0: a lock left by a
// copy that died is taken over, a living copy's lock is not.
class QtSingleInstance final : public SingleInstance {
public:
    bool acquire(const std::filesystem::path& programFolder) override;

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace dovrel
