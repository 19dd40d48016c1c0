// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Conversion.h"
#include "serz/OutputSink.h"

#include <filesystem>
#include <string>

namespace serz {

// Converts the file at `input` to its counterpart beside it, replacing an existing output.
// Returns an empty string on success, otherwise the one line that says what failed and where;
// on failure no output file and no temporary file is left behind.
std::string convertFile(const std::filesystem::path& input);

// Converts the file at `input` piece by piece into `output` (for XML, a ChunkSink takes it in whole
// lines), and writes no file: memory stays bounded whatever the file's size. Returns an empty string
// on success, otherwise the one line that says what failed and where, as convertFile does ("PATH:
// byte offset N: ...", "PATH: cannot read: ...", "PATH: the output was refused").
std::string streamFile(const std::filesystem::path& input, Direction direction, OutputSink& output);

} // namespace serz
