#include "platform/ReplaceFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
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

// A new, empty file beside the target that no one else uses; -1 with errno set on failure.
int createTemporaryBeside(const fs::path& target, fs::path& created) {
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            target.parent_path() / ("." + target.filename().string() + ".new-" + std::to_string(entropy()));
        const int descriptor = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST) {
            created = candidate;
            return descriptor;
        }
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

} // namespace

FileStatus replaceFile(const fs::path& target, std::string_view bytes, Durability durability) {
    const fs::path real = followLinks(target);
    struct stat old {};
    const bool replacing = ::stat(real.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        return systemFailure(EISDIR);
    }

    fs::path temporary;
    Descriptor file(createTemporaryBeside(real, temporary));
    if (file.get() < 0) {
        return systemFailure(errno);
    }
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
    return FileStatus::success();
}

} // namespace dovrel
