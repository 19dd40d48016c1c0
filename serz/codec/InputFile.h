// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace serz {

// Reads a whole regular file into `content`; returns the reason on failure, else an empty string.
std::string readWholeFile(const std::filesystem::path& path, std::string& content);

} // namespace serz
