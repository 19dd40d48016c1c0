// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Record.h"
#include "serz/Result.h"

#include <string_view>

namespace serz {

// Reads a file of the binary form into its records. Errors carry the byte offset of the
// field that could not be read.
Result<Document> readBin(std::string_view bytes);

} // namespace serz
