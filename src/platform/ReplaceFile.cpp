// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReplaceFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace dovrel {

namespace fs = std::filesystem;

namespace {

fs::path followLinks(const fs::path& target) {
    fs::path current = target;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(current, error)) {
            return current;
        }
        const fs::path next = fs::read_symlink(current, error);
        if (error) {
            return current;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current;
}

FileStatus systemFailure(int error) {
    return FileStatus::failure(std::strerror(error));
}

// A file descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int value) : value_(value) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }
    int get() const { return value_; }
    // The close's own failure counts: a delayed write error may only show here.
    int close() {
        const int result = value_ >= 0 ? ::close(value_) : 0;
        value_ = -1;
        return result;
    }

private:
    int value_;
};

// The name of a temporary file for the target: "." + its name + ".new-" + a number.
std::string temporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".new-";
}

bool isTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size()) {
        return false;
    }
    name.remove_prefix(prefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether the descriptor still is the file at the path, which nobody removed in between.
bool stillAt(int descriptor, const fs::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(descriptor, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Removes the temporary files of this target that a killed writer left behind. A writer holds an
// flock on its temporary file until the rename, so a file whose lock can be had is nobody's.
void removeLeftTemporaries(const fs::path& target) {
    const fs::path folder = target.parent_path();
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const std::string prefix = temporaryPrefix(target);
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryName(entry->d_name, prefix)) {
            continue;
        }
        const fs::path left = folder / entry->d_name;
        const int descriptor = ::open(left.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0) {
            continue;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0 && stillAt(descriptor, left)) {
            ::unlink(left.c_str());
        }
        ::close(descriptor);
    }
    ::closedir(listing);
}

// A new, empty file beside the target that no one else uses, locked while this process writes it;
// -1 with errno set on failure.
int createTemporaryBeside(const fs::path& target, fs::path& created) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            target.parent_path() / (temporaryPrefix(target) + std::to_string(entropy()));
        const int descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST) {
            return -1;
        }
        if (descriptor < 0) {
            continue;
        }
        // Another writer's clean-up may have taken it as left behind before the lock was had.
        const bool locked = ::flock(descriptor, LOCK_EX | LOCK_NB) == 0;
        if ((locked || errno != EWOULDBLOCK) && stillAt(descriptor, candidate)) {
            created = candidate;
            return descriptor;
        }
        ::close(descriptor);
    }
    errno = EEXIST;
    return -1;
}

FileStatus writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return systemFailure(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return FileStatus::success();
}

// The rename is on disk once the folder that holds the name is. The bytes are in place whatever
// happens here, so a folder that cannot be flushed is no failure.
void flushFolderOf(const fs::path& file) {
    const fs::path folder = file.parent_path();
    const Descriptor listing(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing.get() >= 0) {
        ::fsync(listing.get());
    }
}

} // namespace

FileStatus replaceFile(const fs::path& target, std::string_view bytes, Durability durability) {
    const fs::path real = followLinks(target);
    struct stat old {};
    const bool replacing = ::stat(real.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        return systemFailure(EISDIR);
    }

    removeLeftTemporaries(real);
    fs::path temporary;
    Descriptor file(createTemporaryBeside(real, temporary));
    if (file.get() < 0) {
        return systemFailure(errno);
    }
    // The temporary file's lock lasts until the rename, past the close that checks the write.
    const Descriptor lockUntilRenamed(::dup(file.get()));
    const auto discard = [&temporary](FileStatus failure) {
        ::unlink(temporary.c_str());
        return failure;
    };
    if (FileStatus written = writeAll(file.get(), bytes); !written.ok) {
        return discard(written);
    }
    if (replacing && ::fchmod(file.get(), old.st_mode & 07777) != 0) {
        return discard(systemFailure(errno));
    }
    if ((durability == Durability::Flushed && ::fsync(file.get()) != 0) || file.close() != 0) {
        return discard(systemFailure(errno));
    }
    if (::rename(temporary.c_str(), real.c_str()) != 0) {
        return discard(systemFailure(errno));
    }
    if (durability == Durability::Flushed) {
        flushFolderOf(real);
    }
    return FileStatus::success();
}

} // namespace dovrel
