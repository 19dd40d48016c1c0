// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Result.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace serz {

enum class Direction { BinToXml, XmlToBin };

// The direction for an input file, from its extension ignoring case: .bin or .xml.
std::optional<Direction> directionOf(const std::filesystem::path& input);

// The output beside the input: same folder and base name, the other extension (lower case).
std::filesystem::path outputPathOf(const std::filesystem::path& input, Direction direction);

// Converts the whole content of an input file.
Result<std::string> convert(Direction direction, std::string_view input);

// "byte offset N" for binary input, "line N" for XML input.
std::string describePosition(Direction direction, std::size_t position);

} // namespace serz
