// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace dovrel {

// Reads a whole file as bytes, one char per byte, nothing decoded. Empty optional when the file
// is missing, is a folder, or cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

// Reads a file as readWholeFile does, but hands its bytes on in order, in pieces of at most
// pieceBytes, and never holds more than one piece: takePiece returns false to stop reading. False
// when the file is missing, is a folder, or cannot be read (the pieces handed so far were its start);
// true when it was read to its end or takePiece stopped it.
bool readFileInPieces(const std::filesystem::path& file, std::size_t pieceBytes,
                      const std::function<bool(std::string_view piece)>& takePiece);

} // namespace dovrel
