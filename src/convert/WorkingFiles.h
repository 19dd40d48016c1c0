// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Files.h"

#include <filesystem>

namespace dovrel {

// The converter's naming rule: "PATH.bin" gives "PATH.xml" and "PATH.xml" gives "PATH.bin", the
// extension compared ignoring case. Any other input gives an empty path.
std::filesystem::path converterOutputFor(const std::filesystem::path& input);

// Puts a game file in place as the converter's working input: the old working input is removed
// first, so a failed copy never leaves an earlier file to be converted in its place.
FileStatus placeWorkingInput(Files& files, const std::filesystem::path& gameFile,
                             const std::filesystem::path& workingInput);

} // namespace dovrel
