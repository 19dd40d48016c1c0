// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileStatus.h"

#include <filesystem>
#include <string_view>

namespace dovrel {

// Puts the bytes in place of the target in one step: they are written to a new file in the
// target's folder, flushed to disk, given the old file's permissions and renamed over the target,
// and the folder is flushed so that the rename too is on disk.
// A symbolic link is replaced at its target, so the link stays. On any failure the old file is
// untouched, the new one is removed and the reason is the system's. Paths are used byte for byte.
// The new file is named "." + the target's name + ".new-" + a number; such files that a writer killed
// part way left behind are removed first (a living writer's file is locked and stays).
// A Regenerable file is not flushed to disk before the rename (see Files::replaceRegenerable).
enum class Durability { Flushed, Regenerable };
FileStatus replaceFile(const std::filesystem::path& target, std::string_view bytes,
                       Durability durability = Durability::Flushed);

} // namespace dovrel
