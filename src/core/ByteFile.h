// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace dovrel {

// Reads a whole file as bytes, one char per byte, nothing decoded. Empty optional when the file
// is missing, is a folder, or cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

} // namespace dovrel
