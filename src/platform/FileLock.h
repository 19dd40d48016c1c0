// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace dovrel {

// An exclusive lock on a file that more than one program rewrites: copies of the editor with
// program folders of their own, other user accounts, the command-line program. It is an advisory
// lock (flock) on a lock file beside the file, named "." + the file's name + ".lock", held while
// the object lives. A command that reads the file to write it back takes the lock before it reads
// and keeps it until the file is written, so no two such changes overlap. The system drops the lock
// when its holder ends, however it ends, so it is never stale; the empty lock file stays. The path
// is used byte for byte.
class FileLock {
public:
    enum class State {
        Held,   // this object holds the lock
        InUse,  // another holder kept it for longer than the patience given
        Failed, // the lock file cannot be made or opened: reason() says why
    };

    // Tries at once, then again every 20 ms until patience has passed, calling whileWaiting (the
    // window processing its events) between the tries.
    FileLock(const std::filesystem::path& file, std::chrono::milliseconds patience,
             const std::function<void()>& whileWaiting = {});
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // How taking the lock went.
    State state() const { return state_; }
    // Empty while held; "the file is in use by another program", or the system's reason.
    const std::string& reason() const { return reason_; }
    // Lets the lock go before the object ends (a command's closing message need not keep others waiting).
    void release();

    static std::filesystem::path lockFileFor(const std::filesystem::path& file);

private:
    int descriptor_ = -1;
    State state_ = State::Failed;
    std::string reason_;
};

} // namespace dovrel
