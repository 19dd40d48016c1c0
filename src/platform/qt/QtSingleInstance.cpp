#include "platform/qt/QtSingleInstance.h"

#include "platform/qt/PathText.h"

namespace dovrel {

bool QtSingleInstance::acquire(const std::filesystem::path& programFolder) {
    lock_ = std::make_unique<QLockFile>(pathToQString(programFolder / "dovrel-consist-editor.lock"));
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        return true;
    }
    lock_.reset();
    return false;
}

} // namespace dovrel
