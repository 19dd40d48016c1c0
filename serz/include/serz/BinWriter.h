// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Record.h"
#include "serz/Result.h"

#include <string>

namespace serz {

// Writes records in the binary form: new strings inline in order of appearance, a record in
// short form whenever a cache slot holds its key, child counts computed from the records.
// Errors carry the failing record's `source`.
Result<std::string> writeBin(const Document& document);

} // namespace serz
