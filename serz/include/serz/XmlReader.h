// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Record.h"
#include "serz/Result.h"

#include <string_view>

namespace serz {

// Reads the converter's XML dialect into records. The reader is strict: invalid UTF-8,
// unbalanced or mismatched tags, unknown entities, unknown types and values that do not parse
// for their type are errors, reported with the line they were found on.
Result<Document> readXml(std::string_view text);

} // namespace serz
