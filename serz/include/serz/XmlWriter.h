// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "serz/Record.h"
#include "serz/Result.h"

#include <string>
#include <string_view>

namespace serz {

// The namespace written on the root element.
inline constexpr std::string_view kNamespace = "urn:vantor:delta";

// Writes records as the converter's XML: CR LF line ends, one TAB per level, the namespace on
// the root. Errors carry the failing record's `source`.
Result<std::string> writeXml(const Document& document);

} // namespace serz
