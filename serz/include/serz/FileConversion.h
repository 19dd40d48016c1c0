// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace serz {

// Converts the file at `input` to its counterpart beside it, replacing an existing output.
// Returns an empty string on success, otherwise the one line that says what failed and where;
// on failure no output file and no temporary file is left behind.
std::string convertFile(const std::filesystem::path& input);

} // namespace serz
