// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Files.h"

namespace dovrel {

// The files on disk, read and written with the system's own calls; paths are used byte for byte.
class DiskFiles final : public Files {
public:
    std::optional<std::string> read(const std::filesystem::path& file) const override;
    bool readInPieces(const std::filesystem::path& file, std::size_t pieceBytes,
                      const std::function<bool(std::string_view piece)>& takePiece) const override;
    FileStatus copy(const std::filesystem::path& from, const std::filesystem::path& to) override;
    FileStatus replace(const std::filesystem::path& target, std::string_view bytes) override;
    FileStatus replaceRegenerable(const std::filesystem::path& target, std::string_view bytes) override;
    FileStatus remove(const std::filesystem::path& file) override;
    FileStatus rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
    std::vector<std::string> list(const std::filesystem::path& folder) const override;
};

} // namespace dovrel
