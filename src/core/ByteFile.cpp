// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ByteFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dovrel {

namespace {

// One read, retried when interrupted: the count read, 0 at the end, -1 on failure.
ssize_t readSome(int descriptor, char* into, std::size_t room) {
    while (true) {
        const ssize_t got = ::read(descriptor, into, room);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

} // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    // Not blocking on open: a named pipe is refused below rather than waited on.
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        return std::nullopt;
    }
    struct stat status {};
    std::optional<std::string> result;
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode)) {
        // Sized as the file is now; a file that grows meanwhile is read on to its end.
        std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
        std::size_t filled = 0;
        bool failed = false;
        while (true) {
            char spare[4096];
            const bool room = filled < bytes.size();
            const ssize_t got = room ? readSome(descriptor, bytes.data() + filled, bytes.size() - filled)
                                     : readSome(descriptor, spare, sizeof spare);
            if (got <= 0) {
                failed = got < 0;
                break;
            }
            if (!room) {
                bytes.append(spare, static_cast<std::size_t>(got));
            }
            filled += static_cast<std::size_t>(got);
        }
        if (!failed) {
            bytes.resize(filled);
            result = std::move(bytes);
        }
    }
    ::close(descriptor);
    return result;
}

bool readFileInPieces(const std::filesystem::path& file, std::size_t pieceBytes,
                      const std::function<bool(std::string_view piece)>& takePiece) {
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    bool read = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
    if (read) {
        std::string piece(std::max<std::size_t>(1, pieceBytes), '\0');
        while (true) {
            const ssize_t got = readSome(descriptor, piece.data(), piece.size());
            if (got <= 0) {
                read = got == 0;
                break;
            }
            if (!takePiece(std::string_view(piece.data(), static_cast<std::size_t>(got)))) {
                break;
            }
        }
    }
    ::close(descriptor);
    return read;
}

} // namespace dovrel
