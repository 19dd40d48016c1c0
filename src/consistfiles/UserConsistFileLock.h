// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileIdentity.h"
#include "platform/FileLock.h"
#include "platform/FileStatus.h"

#include <chrono>
#include <filesystem>
#include <functional>

namespace dovrel {

// Holds the game's user-consist file for one command that reads it and writes it back (a save, a
// delete, a restore; the command-line program takes the same lock), so that no other copy of the
// program, whatever its program folder or user, changes the file in between. The lock is named
// after the file's fixed spelling, so every copy takes the same one whatever letter case the file
// has on disk. The file as it was when the lock was had is noted: a program that writes it without
// the lock (the game, an older editor) is noticed before the command writes it.
class UserConsistFileLock {
public:
    // Waits for the lock up to patience, calling whileWaiting (the window's events) between tries.
    UserConsistFileLock(const std::filesystem::path& contentFolder, const std::function<void()>& whileWaiting,
                        std::chrono::milliseconds patience = kPatience);

    // The game's file: the existing one, or the fixed spelling where there is none yet.
    const std::filesystem::path& file() const { return file_; }
    // Success when the command may go on: the lock is held and the file is not read-only; else why not.
    const FileStatus& taken() const { return taken_; }
    // Asked just before the file is replaced or removed: the lock is held, the file is still the one
    // that was there when it was taken, and it is not read-only.
    FileStatus mayWrite() const;
    // Lets the lock go once the file is written, before the command's closing message.
    void release() { lock_.release(); }

    static constexpr std::chrono::milliseconds kPatience{10000};

private:
    std::filesystem::path contentFolder_;
    std::filesystem::path file_;
    FileLock lock_;
    FileIdentity identity_;
    FileStatus taken_;
};

} // namespace dovrel
