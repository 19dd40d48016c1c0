#include "platform/qt/QtFiles.h"

#include "core/ByteFile.h"
#include "core/NameResolver.h"
#include "platform/qt/PathText.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

namespace {
// A symbolic link is replaced at its target, so the link itself stays.
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
} // namespace

std::optional<std::string> QtFiles::read(const fs::path& file) const {
    return readWholeFile(file);
}

FileStatus QtFiles::copy(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (!fs::is_regular_file(from, error)) {
        return FileStatus::failure("The file " + from.string() + " does not exist.");
    }
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error) {
        return FileStatus::failure(error.message());
    }
    return FileStatus::success();
}

FileStatus QtFiles::replace(const fs::path& target, std::string_view bytes) {
    QSaveFile file(pathToQString(followLinks(target)));
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        return FileStatus::failure(file.errorString().toStdString());
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const std::string reason = file.errorString().toStdString();
        file.cancelWriting();
        return FileStatus::failure(reason);
    }
    // A write cut short (the disk full, the file size limit reached) can leave the flush without an
    // error; the temporary file must hold every byte before it replaces the old file.
    errno = 0;
    const bool flushed = file.flush();
    const int cause = errno;
    if (!flushed || file.size() != size) {
        const std::string reason = file.error() != QFileDevice::NoError ? file.errorString().toStdString()
                                   : cause != 0                         ? std::strerror(cause)
                                                : "The file was not written completely.";
        file.cancelWriting();
        return FileStatus::failure(reason);
    }
    if (!file.commit()) {
        return FileStatus::failure(file.errorString().toStdString());
    }
    return FileStatus::success();
}

FileStatus QtFiles::remove(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
    if (error) {
        return FileStatus::failure(error.message());
    }
    return FileStatus::success();
}

FileStatus QtFiles::rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        return FileStatus::failure(error.message());
    }
    return FileStatus::success();
}

std::vector<std::string> QtFiles::list(const fs::path& folder) const {
    return listFolderInOrder(folder);
}

} // namespace dovrel
