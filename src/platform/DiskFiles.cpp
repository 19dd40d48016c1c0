// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DiskFiles.h"

#include "core/ByteFile.h"
#include "core/NameResolver.h"
#include "platform/ReplaceFile.h"

#include <system_error>

namespace dovrel {

namespace fs = std::filesystem;

std::optional<std::string> DiskFiles::read(const fs::path& file) const {
    return readWholeFile(file);
}

bool DiskFiles::readInPieces(const fs::path& file, std::size_t pieceBytes,
                             const std::function<bool(std::string_view piece)>& takePiece) const {
    return readFileInPieces(file, pieceBytes, takePiece);
}

FileStatus DiskFiles::copy(const fs::path& from, const fs::path& to) {
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

FileStatus DiskFiles::replace(const fs::path& target, std::string_view bytes) {
    return replaceFile(target, bytes);
}

FileStatus DiskFiles::replaceRegenerable(const fs::path& target, std::string_view bytes) {
    return replaceFile(target, bytes, Durability::Regenerable);
}

FileStatus DiskFiles::remove(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
    if (error) {
        return FileStatus::failure(error.message());
    }
    return FileStatus::success();
}

FileStatus DiskFiles::rename(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) {
        return FileStatus::failure(error.message());
    }
    return FileStatus::success();
}

std::vector<std::string> DiskFiles::list(const fs::path& folder) const {
    return listFolderInOrder(folder);
}

} // namespace dovrel
